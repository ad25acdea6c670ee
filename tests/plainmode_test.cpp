#include "frontend/plainmode.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "support/failing_files.h"
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

// The transcript file was cut to nothing at the start and written
// unchecked: a full disk lost the earlier transcript and went unnoticed.
TEST(PlainMode, ATranscriptThatCannotBeWrittenKeepsTheEarlierOneAndThePlayGoesOn) {
    PlainRun r;
    tplainoptions options;
    options.transcriptFile = r.files.write("verlauf.txt", "alter Verlauf\n");
    {
        test::FailingFiles full(test::tfault::writeFailsMidway);
        tscopedfilewriting use(full);
        EXPECT_EQ(r.run("warte\nschau\n", options), kPlainNoStory);
    }
    EXPECT_NE(r.out.str().find("Datei kann nicht geschrieben werden\n"), std::string::npos);
    EXPECT_NE(r.out.str().find(">schau\nEin Garten."), std::string::npos);
    std::ifstream file(options.transcriptFile, std::ios::binary);
    std::stringstream transcript;
    transcript << file.rdbuf();
    EXPECT_EQ(transcript.str(), "alter Verlauf\n");
}

TEST(PlainMode, AKeyWaitTakesTheFirstCharacterOfTheNextLine) {
    PlainRun r;
    r.run("taste\nxyz\ntaste\n\n");
    // "[Taste]" tells the reader that the next line answers a key.
    EXPECT_NE(r.out.str().find(">taste\n[Taste]\nTaste x\n"), std::string::npos) << r.out.str();
    EXPECT_NE(r.out.str().find(">taste\n[Taste]\nTaste\n"), std::string::npos);
}

TEST(PlainMode, TheLineAKeyWaitStandsOnIsPrintedOnceBeforeTheMark) {
    PlainRun r;
    tplainoptions options;
    options.storyFile = r.files.write(
        "frage.velmo",
        "verb(\"frage\",frag,1);\n"
        "int parserError(int code, string word, object obj) { write(\"?^\"); return(1); }\n"
        "class halle { setShort(\"-Halle\"); string StatusLine() { return(\"Halle\"); } }\n"
        "class spieler { setShort(\"+Spieler\"); moveto(halle);\n"
        "  int scope(object o) { return(1); }\n"
        "  int onAction(string v) { string k; write(\"Weiter? \"); k = getKey();\n"
        "    write(\"[\" + k + \"] fertig^\"); return(1); } }\n"
        "void main() { setPlayer(spieler); write(\"Halle.^\"); }\n");
    r.run("frage\nx\n", options);
    // The question first, then the mark, then the rest of its line.
    EXPECT_NE(r.out.str().find(">frage\nWeiter?\n[Taste]\n[x] fertig\n"), std::string::npos)
        << r.out.str();
}

// Plain output has no blanks at line ends: neither where a long line was
// wrapped nor as a line of its own after an answer as wide as the text.
TEST(PlainMode, LinesEndWithoutBlanks) {
    PlainRun r;
    tplainoptions options;
    std::string words;
    for (int i = 0; i < 20; ++i) words += "wort ";
    options.storyFile = r.files.write(
        "breit.velmo",
        "verb(\"breit\",brei,1);\n"
        "verb(\"genau\",gena,1);\n"
        "int parserError(int code, string word, object obj) { write(\"?^\"); return(1); }\n"
        "class halle { setShort(\"-Halle\"); string StatusLine() { return(\"Halle\"); } }\n"
        "class spieler { setShort(\"+Spieler\"); moveto(halle);\n"
        "  int scope(object o) { return(1); }\n"
        "  int onAction(string v) {\n"
        "    if (v == \"brei\") { write(\"" +
            words +
            "^\"); }\n"
            "    if (v == \"gena\") { write(\"" +
            std::string(69, 'x') +
            "^\"); write(\"Danach.^\"); }\n"
            "    return(1); } }\n"
            "void main() { setPlayer(spieler); write(\"Halle.^\"); }\n");
    r.run("breit\ngenau\n", options);
    const std::string out = r.out.str();
    EXPECT_EQ(out.find(" \n"), std::string::npos) << out;
    EXPECT_NE(out.find(">genau\n" + std::string(69, 'x') + "\nDanach.\n"), std::string::npos)
        << out;
}

TEST(PlainMode, ALongLineRunsInPiecesAndNamesWhatItDrops) {
    PlainRun r;
    std::string many;
    for (int i = 0; i < 30; ++i) many += "schau. ";
    r.run(many + "\nnimm " + std::string(200, 'x') + "\n");
    std::size_t looks = 0;
    for (std::size_t at = r.out.str().find("Ein Garten."); at != std::string::npos;
         at = r.out.str().find("Ein Garten.", at + 1))
        ++looks;
    EXPECT_EQ(looks, 30u);  // every command of the long line ran
    EXPECT_NE(r.out.str().find("[Eingabe zu lang, nicht ausgef\xC3\xBChrt: \xE2\x80\x9E" +
                               std::string(40, 'x') + "\xE2\x80\xA6\xE2\x80\x9C]"),
              std::string::npos)
        << r.out.str();
}

TEST(PlainMode, ScriptAndExport) {
    PlainRun r;
    tplainoptions options;
    options.scriptFile = r.files.write("befehle.txt", "nimm apfel\nschau\n");
    options.exportFile = r.files.path("bildschirm.txt");
    EXPECT_EQ(r.run("warte\n", options), kPlainOk);
    EXPECT_NE(r.out.str().find(">*** befehle.txt ***\n\n>nimm apfel\nDu nimmst den roten Apfel."
                               "\n\n>schau\nEin Garten.\n\n>warte\nDu wartest.\n"),
              std::string::npos)
        << r.out.str();
    std::ifstream exported(options.exportFile, std::ios::binary);
    std::stringstream text;
    text << exported.rdbuf();
    // The export holds what was printed, without the blank lines before it.
    EXPECT_EQ(text.str(), r.out.str());

    PlainRun failing;
    options.exportFile = failing.files.path("fehlt/bildschirm.txt");
    options.scriptFile.clear();
    EXPECT_EQ(failing.run("", options), kPlainNoStory);
    EXPECT_TRUE(failing.out.str().ends_with("\nDatei kann nicht geschrieben werden\n"));
}

TEST(PlainMode, TheEndOfInputCancelsTheInspector) {
    PlainRun r;
    tplainoptions options;
    options.storyFile =
        r.files.write("blick.velmo",
                      "class raum { string StatusLine() { return(\"\"); } }\n"
                      "class ich { moveto(raum); int scope(object o) { return(1); }\n"
                      "  int onAction(string v) { inspect; write(\"weiter^\"); return(1); } }\n"
                      "verb(\"blick\",blic,1);\n"
                      "void main() { setPlayer(ich); }\n");
    EXPECT_EQ(r.run("blick\n1+1\n", options), kPlainOk);
    EXPECT_EQ(r.out.str(), ">blick\nblick.velmo Zeile:3 Funktion:onAction\nWert: 2\n");
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
