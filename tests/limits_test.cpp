// Story code at the limits: code that never ends, worlds and texts far
// larger than any story needs, games far longer than any player plays.
// Each limit ends with a clear German error or keeps working.

#include <gtest/gtest.h>

#include <fcntl.h>
#include <unistd.h>

#include "frontend/transcript.h"
#include "model/story.h"
#include "support/game_fixture.h"
#include "support/recording_services.h"
#include "support/world_state.h"
#include "term/terminalplatform.h"

namespace velmo {
namespace {

std::string valueOf(tgame& game, const char* object, const char* variable) {
    std::string value;
    game.currentStory()->root().findChild(object)->vars.getValue(variable, value);
    return value;
}

// A room and a player whose verbs run story code at its limits.
const char* const kLimitStory = R"(
verb("schau",scha,1);
verb("endlos",endl,1);
verb("tief",tief,1);
verb("verzweigt",verz,1);
verb("riesig",ries,1);
verb("absatz",absa,1);

int parserError(int code, string word, object obj) {
  write("Fehlercode " + code + "^");
  return(1);
}

class raum { setShort("+Raum"); string StatusLine() { return("Raum"); } }

class ich {
  setShort("+Spieler");
  moveto(raum);
  int scope(object o) { return(1); }
  int tiefer(int n) { int r; r = tiefer(n + 1); return(r); }
  int zweige(int n) { if (n > 0) { zweige(n - 1); zweige(n - 1); } return(0); }
  int onAction(string v) {
    int i;
    string s;
    if (v == "scha") { write("Ein Raum.^"); }
    if (v == "endl") { write("Es geht los.^"); while (1) { i = i + 1; } }
    if (v == "tief") { write(tiefer(0)); }
    if (v == "verz") { write("Es geht los.^"); zweige(60); }
    if (v == "ries") {
      s = "0123456789";
      for (i = 0; i < 20; i = i + 1) { s = s + s; }
      write(s + "^Ende.^");
    }
    if (v == "absa") {
      for (i = 1; i <= 10; i = i + 1) {
        write("Ein langer Absatz, der viele Zeilen bringt, damit das Spiel lang wird: Zeile " + i + ".^");
      }
    }
    return(1);
  }
}

void main() { setPlayer(ich); write("Los.^"); }
)";

struct LimitGame : test::GameFixture {
    LimitGame() { EXPECT_TRUE(open(kLimitStory)); }
    bool answers() {
        if (!game->storyOpen() && !open(kLimitStory)) return false;
        enter("schau");
        return after(">schau").find("Ein Raum.") != std::string::npos;
    }
};

// --- Code that does not end ------------------------------------------------

TEST(StoryLimits, EndlessRecursionStopsWithAGermanErrorAndTheStoryOpensAgain) {
    LimitGame g;
    g.enter("tief");
    EXPECT_NE(g.platform.text().find("Zu viele verschachtelte Funktionsaufrufe"), std::string::npos)
        << g.platform.text();
    EXPECT_TRUE(g.answers());
}

// The host is asked while story code runs: a loop at the end of each pass,
// calls every so often. Closing the window (the test host's close at a
// given pass) ends the command, and the program goes on.
TEST(StoryLimits, ClosingTheWindowStopsAnEndlessLoopAndEndlessBranching) {
    for (const char* verb : {"endlos", "verzweigt"}) {
        LimitGame g;
        g.platform.closeAtPass = g.platform.eventPasses + 50;
        g.enter(verb);
        EXPECT_NE(g.platform.text().find("Es geht los."), std::string::npos) << verb;
        EXPECT_EQ(g.platform.eventPasses, g.platform.closeAtPass) << verb;
        EXPECT_FALSE(g.game->storyOpen()) << verb;
    }
}

// The terminal: Ctrl+C typed while story code runs is read at the next
// check of the host and ends the run.
TEST(StoryLimits, CtrlCInTheTerminalStopsAnEndlessLoop) {
    for (const char* verb : {"endlos", "verzweigt"}) {
        int input[2] = {-1, -1};
        ASSERT_EQ(pipe(input), 0);
        const int screen = open("/dev/null", O_WRONLY);
        {
            tterminal terminal(input[0], screen);
            tterminalplatform platform(terminal, 72);
            tgamesettings settings;
            tgame game(platform, settings);
            test::StoryFiles files;
            ASSERT_TRUE(game.openStory(files.write("grenzen.velmo", kLimitStory)));
            ASSERT_EQ(write(input[1], "\x03", 1), 1);
            game.typeLine(verb);
            // The story code did start, and Ctrl+C ended it.
            EXPECT_NE(platform.wholeText().find("Es geht los."), std::string::npos) << verb;
            EXPECT_FALSE(game.storyOpen()) << verb;
        }
        close(input[0]);
        close(input[1]);
        close(screen);
    }
}

// --- Large worlds and texts --------------------------------------------------

// Loading 100,000 objects twice (open and restore) takes over ten
// seconds with the sanitizers' checks on every allocation; the plain build
// runs it, the sanitizer build leaves it out.
TEST(StoryLimits, AHundredThousandObjectsLoadPlayUndoAndSave) {
#if defined(__SANITIZE_ADDRESS__)
    GTEST_SKIP() << "over ten seconds in the sanitizer build; the plain build runs it";
#endif
    std::string source = kLimitStory;
    source += "class Stein { int gewicht = 1; }\n";
    for (int k = 0; k < 100000; ++k) source += "class s" + std::to_string(k) + " : Stein { }\n";
    test::GameFixture g;
    ASSERT_TRUE(g.open(source));
    EXPECT_EQ(valueOf(*g.game, "s99999", "gewicht"), "1");
    g.enter("schau");
    g.enter("zurueck");
    EXPECT_NE(g.platform.text().find("Eingabe [schau]"), std::string::npos) << g.platform.text();
    g.platform.files.push_back(g.files.path("gross.memo"));
    g.enter("schau");
    g.game->saveGame();
    EXPECT_TRUE(g.platform.messages.empty());
    g.platform.files.push_back(g.files.path("gross.memo"));
    g.game->restoreGame();
    EXPECT_TRUE(g.platform.messages.empty());
    EXPECT_TRUE(g.game->storyOpen());
}

// Ten megabytes in one write: the text area and the transcript keep
// their newest text up to their limit, and the game goes on.
// It also broke the output: every screen line of a text without line
// breaks searched the rest of the text for one, so ten megabytes took
// minutes to show.
TEST(StoryLimits, TenMegabytesWrittenAtOnceAreShownLineByLineWithinTheLimits) {
    LimitGame g;
    g.platform.paging = false;  // else the player would press a key 5,500 times
    g.enter("riesig");
    const std::string screen = g.platform.screen();
    EXPECT_LE(screen.size(), 524288u + 524288u / 72 + 1);
    EXPECT_GT(screen.size(), 500000u);
    EXPECT_NE(g.after("0123456789").find("Ende."), std::string::npos);
    EXPECT_LE(g.game->transcriptText().text().size(), ttranscript::kMaxLength);
    EXPECT_TRUE(g.answers());
}

// A long game passes the text area's limit: the oldest lines go, line
// numbers keep counting, and input, undo and export work on.
TEST(StoryLimits, ALongGamePassesTheTextAreaLimitAndDropsTheOldestText) {
    LimitGame g;
    g.platform.paging = false;
    for (int i = 0; i < 800; ++i) g.enter("absatz");
    const std::string screen = g.platform.screen();
    EXPECT_LE(screen.size(), 524288u + 524288u / 72 + 1);
    EXPECT_GT(screen.size(), 500000u);
    EXPECT_EQ(screen.find("Los."), std::string::npos);  // dropped
    EXPECT_GT(g.platform.lineCount(), 800 * 20);        // still counting
    g.enter("zurueck");
    EXPECT_NE(g.after("Eingabe [absatz]"), "");
    g.platform.files.push_back(g.files.path("lang.txt"));
    g.game->exportText();
    EXPECT_TRUE(g.platform.messages.empty());
    EXPECT_TRUE(g.answers());
}

// --- Long games and large stories ----------------------------------------------

// Undo goes back to the first command however long the game: each step
// keeps only what its command changed, so memory grows with the changes,
// never with the size of the world times the steps.
TEST(StoryLimits, AHundredThousandUndoStepsStayCheapAndTakeEverythingBack) {
    test::RecordingServices services;
    tstory story(services);
    test::buildSmallWorld(story);
    tnode& root = story.root();
    tnode* apple = root.findChild("Apfel");
    tnode* me = root.findChild("Ich");
    tnode* room = apple->location;
    const auto start = test::worldState(story);

    constexpr int kSteps = 100000;
    std::size_t first = 0;
    for (int i = 0; i < kSteps; ++i) {
        story.pushUndo();
        root.vars.setValue("zug", std::to_string(1000 + i % 1000), 0);
        apple->moveTo(i % 2 ? room : me);
        if (i == 1001) first = story.undoTopOwnBytes();
    }
    EXPECT_EQ(story.undoDepth(), static_cast<std::size_t>(kSteps));
    // The newest step costs what the first did: nothing grows with depth.
    EXPECT_EQ(story.undoTopOwnBytes(), first);
    EXPECT_LT(first, 4096u);
    for (int i = 0; i < kSteps; ++i) story.popUndo();
    EXPECT_FALSE(story.canUndo());
    EXPECT_EQ(test::worldState(story), start);
}

TEST(StoryLimits, AStoryOfAThousandIncludedFilesLoadsAndMapsItsLines) {
    test::StoryFiles files;
    std::string main = kLimitStory;
    for (int k = 0; k < 1000; ++k) {
        const std::string n = std::to_string(k);
        main += "#include \"teil" + n + ".velmo\"\n";
        files.write("teil" + n + ".velmo", "class teil" + n + " {\n  int nummer = " + n + ";\n}\n");
    }
    test::GameFixture g;
    ASSERT_TRUE(g.game->openStory(files.write("gross.velmo", main)));
    EXPECT_EQ(valueOf(*g.game, "teil999", "nummer"), "999");

    // A fault in the last file names that file and its line.
    files.write("teil999.velmo", "class teil999 {\n  void f() {\n    xy;\n  }\n}\n");
    test::GameFixture broken;
    EXPECT_FALSE(broken.game->openStory(files.path("gross.velmo")));
    EXPECT_NE(broken.platform.text().find("teil999.velmo Zeile 3 unbekannter Bezeichner xy"),
              std::string::npos)
        << broken.platform.text();
}

}  // namespace
}  // namespace velmo
