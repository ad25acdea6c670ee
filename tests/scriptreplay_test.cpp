#include "frontend/scriptreplay.h"

#include <gtest/gtest.h>

#include "model/story.h"
#include "support/game_fixture.h"

namespace velmo {
namespace {

using test::GameFixture;

TEST(ScriptReplay, ThreeLinesRunThreeCommandsWithThreeEchoesAndOnePrompt) {
    GameFixture f;
    ASSERT_TRUE(f.open());
    std::string transcript;
    f.game->setTranscript([&](const std::string& text) { transcript += text; });
    f.platform.type("sch");  // typed but not sent: not part of the script
    f.game->playScriptFile(f.files.write("Befehle.TXT", "nimm apfel\niss apfel\nschau\n"));
    EXPECT_EQ(f.platform.text(),
              "Willkommen.\n\n>*** befehle.txt *** \n\n"
              ">nimm apfel\nDu nimmst den roten Apfel.\n\n"
              ">iss apfel\nDu isst den roten Apfel.\n\n"
              ">schau\nEin Garten.\n\n>");
    // Each command entered the history as its echo; the transcript got
    // the joined text once, before the commands ran.
    EXPECT_EQ(f.game->inputHistory(),
              (std::vector<std::string>{">nimm apfel", ">iss apfel", ">schau"}));
    EXPECT_EQ(transcript.find("nimm apfel.iss apfel.schau\n"), transcript.find("*** ") + 20);
    EXPECT_EQ(f.game->currentStory()->moves, 2);  // "schau" takes no time
    // "zurueck" names the last command of the script.
    f.enter("zurueck");
    EXPECT_NE(f.platform.text().find("Eingabe [schau] wurde"), std::string::npos);
}

TEST(ScriptReplay, LinesAreLowerCasedFoldedAndEmptyLinesSkipped) {
    std::string line;
    test::StoryFiles files;
    // UTF-8 with a byte-order mark, CR LF and a lone CR, a tab, an empty line.
    ASSERT_TRUE(readScript(files.write("a.txt",
                                       "\xEF\xBB\xBFNimm \xC3\x84pfel\r\n\r\nGeh\tNach "
                                       "S\xC3\xBC"
                                       "den\rSCHAU\n"),
                           line));
    EXPECT_EQ(line, "nimm aepfel..geh nach sueden.schau");
    // Windows-1252 reads as it is; a last line without its end counts.
    ASSERT_TRUE(readScript(files.write("b.txt",
                                       "Gr\xFC\xDF"
                                       "e\nwarte"),
                           line));
    EXPECT_EQ(line, "gruesse.warte");
    ASSERT_TRUE(readScript(files.write("c.txt", ""), line));
    EXPECT_EQ(line, "");
}

TEST(ScriptReplay, AFileThatCannotBeReadEndsTheLineWithWieBitte) {
    GameFixture f;
    ASSERT_TRUE(f.open());
    f.game->playScriptFile(f.files.path("fehlt.txt"));
    EXPECT_EQ(f.platform.text(), "Willkommen.\n\n>*** fehlt.txt *** Wie bitte?\n\n>");
    // A folder is no script either; the game goes on normally.
    f.game->playScriptFile(f.files.root.string());
    EXPECT_NE(f.platform.text().rfind("*** Wie bitte?\n\n>"), std::string::npos);
    f.enter("schau");
    EXPECT_EQ(f.after(">schau"), ">schau\nEin Garten.\n\n>");
    std::string line;
    EXPECT_FALSE(
        readScript(f.files.write("riesig.txt", std::string(kMaxScriptSize + 1, 'x')), line));
}

TEST(ScriptReplay, AnErrorStopsTheRestOfTheScript) {
    GameFixture f;
    std::string source = test::kGardenStory;
    // "stolpere" assigns to a variable that does not exist.
    source.replace(source.find("    if (v == \"tast\")"), 0,
                   "    if (v == \"stol\") { unbekannt = 1; }\n");
    ASSERT_TRUE(f.open("verb(\"stolpere\",stol,1);\n" + source));
    f.game->playScriptFile(f.files.write("s.txt", "schau\nstolpere\nschau\n"));
    const std::string screen = f.platform.text();
    EXPECT_NE(screen.find(">stolpere\ngeschichte.velmo Zeile"), std::string::npos) << screen;
    EXPECT_FALSE(f.game->storyOpen());
    // Nothing after the failing command ran.
    EXPECT_EQ(screen.find(">schau"), screen.rfind(">schau"));
}

TEST(ScriptReplay, TheMenuCommandAsksForTheFileAndNeedsAnOpenStory) {
    GameFixture f;
    f.platform.files.push_back(f.files.path("befehle"));
    f.game->playScript();  // no story: nothing is asked
    EXPECT_EQ(f.platform.files.size(), 1u);

    ASSERT_TRUE(f.open());
    f.files.write("befehle.txt", "schau\n");
    f.game->playScript();  // ".txt" is added to a name without "."
    EXPECT_NE(f.platform.text().find(">*** befehle.txt *** \n\n>schau\nEin Garten."),
              std::string::npos);
    EXPECT_EQ(scriptFileName("a.b/befehle"), "a.b/befehle.txt");
    EXPECT_EQ(scriptFileName("befehle.log"), "befehle.log");
}

}  // namespace
}  // namespace velmo
