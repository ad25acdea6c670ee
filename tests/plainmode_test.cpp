#include "frontend/plainmode.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "support/game_fixture.h"
#include "support/story_files.h"

namespace velmo {
namespace {

struct PlainRun {
    int run(const std::string& input, tplainoptions options = {}) {
        if (options.storyFile.empty())
            options.storyFile = files.write("garten.velmo", test::kGardenStory);
        std::istringstream in(input);
        return runPlainMode(options, in, out);
    }
    test::StoryFiles files;
    std::ostringstream out;
};

TEST(PlainMode, PrintsTheScreenAfterTheBlankLinesAndEndsWithTheInput) {
    PlainRun r;
    EXPECT_EQ(r.run("schau\nnimm apfel\n"), kPlainOk);
    EXPECT_EQ(
        r.out.str(),
        "Willkommen.\n\n>schau\nEin Garten.\n\n>nimm apfel\nDu nimmst den roten Apfel.\n\n>\n");
}

TEST(PlainMode, AStoryThatCannotBeOpenedPrintsItsErrorAndFails) {
    PlainRun r;
    tplainoptions options;
    options.storyFile = r.files.path("fehlt.velmo");
    EXPECT_EQ(r.run("schau\n", options), kPlainNoStory);
    EXPECT_EQ(r.out.str(),
              "Fehler: Datei fehlt.velmo kann nicht ge\xC3\xB6"
              "ffnet werden\n");
}

TEST(PlainMode, InputInEitherEncodingAndOutputInUtf8) {
    PlainRun r;
    // "Ä" typed as UTF-8, then as Windows-1252; CR LF line ends are taken.
    r.run("nimm \xC3\x84pfel\r\nnimm \xC4pfel\n");
    EXPECT_NE(r.out.str().find(">nimm \xC3\x84pfel\n"), std::string::npos);
    EXPECT_EQ(r.out.str().find('\xC4'), std::string::npos);
    EXPECT_EQ(r.out.str().find('\r'), std::string::npos);
}

TEST(PlainMode, StatusLinesAndTranscript) {
    PlainRun r;
    tplainoptions options;
    options.status = true;
    options.transcriptFile = r.files.path("verlauf.txt");
    r.run("warte\n", options);
    EXPECT_NE(r.out.str().find("Du wartest.\n[Status]  Garten" + std::string(60, ' ') + "0/1\n\n>"),
              std::string::npos)
        << r.out.str();
    std::ifstream file(options.transcriptFile, std::ios::binary);
    std::stringstream transcript;
    transcript << file.rdbuf();
    // The transcript holds the text as written and each command behind its prompt.
    EXPECT_EQ(transcript.str().substr(transcript.str().size() - 22), "\n>warte\nDu wartest.\n\n>");
}

TEST(PlainMode, AKeyWaitTakesTheFirstCharacterOfTheNextLine) {
    PlainRun r;
    r.run("taste\nxyz\ntaste\n\n");
    EXPECT_NE(r.out.str().find(">taste\nTaste x\n"), std::string::npos);
    EXPECT_NE(r.out.str().find(">taste\nTaste  \n"), std::string::npos);
}

TEST(PlainPlatform, DialogsAndQuestionsReadTheNextLine) {
    std::istringstream in("j\nn\nvielleicht\nspiel\n\nordner/alt.memo\n");
    std::ostringstream out;
    tplainplatform p(in, out, 72, false);
    EXPECT_EQ(p.ask("Spielstand speichern?"), tanswer::yes);
    EXPECT_EQ(p.ask("Noch einmal?"), tanswer::no);
    EXPECT_EQ(p.ask("Wirklich?"), tanswer::cancel);
    std::string path;
    ASSERT_TRUE(p.chooseSaveFile("", "", "memo", "", "", path));
    EXPECT_EQ(path, "spiel.memo");
    EXPECT_FALSE(p.chooseOpenFile("", "", "", path));  // an empty line cancels
    ASSERT_TRUE(p.chooseOpenFile("", "", "", path));
    EXPECT_EQ(path, "ordner/alt.memo");
    EXPECT_EQ(p.ask("Am Ende?"), tanswer::cancel);
    p.showMessage(tmessagekind::warning, "Vorsicht");
    EXPECT_EQ(out.str(), "Spielstand speichern?\nNoch einmal?\nWirklich?\nAm Ende?\nVorsicht\n");
}

}  // namespace
}  // namespace velmo
