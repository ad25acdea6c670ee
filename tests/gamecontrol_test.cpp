#include <gtest/gtest.h>

#include "model/story.h"
#include "model/time.h"
#include "support/game_fixture.h"

namespace velmo {
namespace {

using test::GameFixture;

bool enabled(const test::TestPlatform& p, tmenuaction a) {
    return p.menuEnabled[static_cast<std::size_t>(a)];
}

// ------------------------------------------------------------ opening

TEST(GameControl, OpeningShowsTheStoryAndWaitsAtThePrompt) {
    GameFixture f;
    ASSERT_TRUE(f.open());
    EXPECT_TRUE(f.game->storyOpen());
    EXPECT_EQ(f.platform.caption, "geschichte.velmo");
    EXPECT_TRUE(f.platform.inputEnabled);
    EXPECT_EQ(f.platform.text(), "Willkommen.\n\n>");
    // The screen of empty lines lies before the first text.
    EXPECT_EQ(f.platform.buffer.line(27), "");
    EXPECT_EQ(f.platform.buffer.line(28), "Willkommen.");
    EXPECT_EQ(f.platform.statusText.substr(0, 8), " Garten ");
    EXPECT_TRUE(enabled(f.platform, tmenuaction::saveGame));
    EXPECT_TRUE(enabled(f.platform, tmenuaction::playScript));
    EXPECT_FALSE(enabled(f.platform, tmenuaction::compile));
    EXPECT_FALSE(enabled(f.platform, tmenuaction::copyPictures));
}

TEST(GameControl, StartUpRunsEveryInitInListOrderThenMain) {
    GameFixture f;
    EXPECT_TRUE(
        f.open("class Ding { void init() { write(\"Ding \"); } }\n"
               "class Stein { }\n"
               "class Apfel : Ding { }\n"
               "class Birne { void init() { write(\"Birne \"); } }\n"
               "void main() { quote = \"x\"; count = 2; write(quote + count); }\n"));
    // Apfel inherits its init from Ding; the parser variables are
    // declared after the inits and before main.
    EXPECT_EQ(f.platform.text(), "Ding Ding Birne x2");
}

TEST(GameControl, AStoryWithoutAPlayerIsClosedAtOnce) {
    GameFixture f;
    EXPECT_TRUE(f.open("class raum { }\nvoid main() { write(\"Niemand da.^\"); }\n"));
    EXPECT_FALSE(f.game->storyOpen());
    EXPECT_EQ(f.platform.caption, "Velmo");
    EXPECT_FALSE(f.platform.inputEnabled);
    EXPECT_EQ(f.platform.text(), "Niemand da.\n");
    EXPECT_FALSE(enabled(f.platform, tmenuaction::saveGame));
    EXPECT_TRUE(enabled(f.platform, tmenuaction::compile));
    // Typing into a closed story does nothing.
    f.enter("schau");
    EXPECT_EQ(f.platform.text(), "Niemand da.\n");
}

TEST(GameControl, AStoryThatFailsToLoadLeavesNoStory) {
    GameFixture f(100);
    EXPECT_FALSE(f.open("class A {\n  write(1);\n}\n"));
    EXPECT_FALSE(f.game->storyOpen());
    EXPECT_EQ(f.platform.text(),
              "geschichte.velmo Zeile 2 Anweisung in diesem Kontext nicht erlaubt: write\n");
}

TEST(GameControl, AnErrorDuringStartUpClosesTheStory) {
    GameFixture f;
    EXPECT_TRUE(
        f.open("class s { setShort(\"+S\"); }\n"
               "void main() { setPlayer(s); gibtsnicht(); }\n"));
    EXPECT_FALSE(f.game->storyOpen());
    EXPECT_NE(f.platform.text().find("Zeile 2"), std::string::npos);
}

TEST(GameControl, ALocationWithoutStatusLineIsReportedAndTheStoryCloses) {
    GameFixture f(100);
    EXPECT_TRUE(
        f.open("class raum { setShort(\"+Raum\"); }\n"
               "class s { setShort(\"+S\"); moveto(raum); }\n"
               "void main() { setPlayer(s); }\n"));
    EXPECT_EQ(f.platform.text(), "Fehler: Funktion StatusLine nicht deklariert\n");
    EXPECT_FALSE(f.game->storyOpen());
}

TEST(GameControl, ADeclaredParserVariableIsReportedNotSilentlyClosed) {
    GameFixture f;
    EXPECT_TRUE(f.open(std::string("string quote;\n") + test::kGardenStory));
    EXPECT_FALSE(f.game->storyOpen());
    EXPECT_NE(f.platform.text().find("quote"), std::string::npos);
}

TEST(GameControl, RestartStartsAfresh) {
    GameFixture f;
    ASSERT_TRUE(f.open());
    f.enter("nimm apfel");
    f.enter("warte");
    EXPECT_EQ(f.game->currentStory()->score, 1);
    EXPECT_EQ(f.game->currentStory()->moves, 2);
    EXPECT_EQ(f.game->inputHistory().size(), 2u);
    f.enter("neustart");
    EXPECT_TRUE(f.game->storyOpen());
    EXPECT_EQ(f.game->currentStory()->score, 0);
    EXPECT_EQ(f.game->currentStory()->moves, 0);
    EXPECT_TRUE(f.game->inputHistory().empty());
    EXPECT_EQ(f.platform.text(), "Willkommen.\n\n>");
}

TEST(GameControl, AnotherStoryDoesNotInheritTheRestoreCommand) {
    GameFixture f;
    ASSERT_TRUE(f.open(std::string("restore(\"schau\");\n") + test::kGardenStory));
    EXPECT_EQ(f.game->currentStory()->restoreCommand, "schau");
    ASSERT_TRUE(f.open());
    EXPECT_EQ(f.game->currentStory()->restoreCommand, "");
    EXPECT_EQ(f.game->currentStory()->serial, "000000");
}

// ------------------------------------------------------------ the turn cycle

TEST(GameControl, SeveralCommandsRunInOrderWithOnePrompt) {
    GameFixture f;
    ASSERT_TRUE(f.open());
    f.enter("Nimm den roten Apfel. iss apfel");
    EXPECT_EQ(f.after(">Nimm"),
              ">Nimm den roten Apfel. iss apfel\nDu nimmst den roten Apfel.\nDu isst den roten "
              "Apfel.\n\n>");
    // Each command enters the history as it was shown.
    EXPECT_EQ(f.game->inputHistory(),
              (std::vector<std::string>{">Nimm den roten Apfel", ">iss apfel"}));
}

// The parser matches the folded words; an answer can still quote the
// player's word as it was typed, each command of a line its own.
TEST(GameControl, AnswersCanQuoteThePlayersWordAsTyped) {
    GameFixture f;
    std::string source = test::kGardenStory;
    const std::string written = "write(\"Fehlercode \" + code + \" bei \" + word + \"^\");";
    source.replace(source.find(written), written.size(),
                   "write(\"[\" + word + \"|\" + typedWord(word) + \"]^\");");
    ASSERT_TRUE(f.open(source));
    f.enter(
        "nimm die K\xFC"
        "chent\xFC"
        "r. iss \xC4"
        "pfel");
    EXPECT_NE(f.platform.text().find("[kuechentuer|K\xFC"
                                     "chent\xFC"
                                     "r]\n[aepfel|\xC4"
                                     "pfel]"),
              std::string::npos)
        << f.platform.text();
    EXPECT_EQ(f.game->currentStory()->typedInput, "");
}

TEST(GameControl, SpecialWordsAfterAFullStopAreRecognised) {
    GameFixture f;
    ASSERT_TRUE(f.open());
    f.enter("nimm apfel.   zurueck");
    EXPECT_EQ(f.game->currentStory()->score, 0);
    EXPECT_NE(f.platform.text().find("Eingabe [nimm apfel] wurde r\xFC"
                                     "ckg\xE4ngig gemacht."),
              std::string::npos);
}

TEST(GameControl, AMarkupErrorIsShownOnceAndStopsTheGame) {
    GameFixture f;
    ASSERT_TRUE(f.open());
    f.game->writeText("<Der apfel> und <der geist>.^");
    EXPECT_TRUE(f.game->isStopped());
    EXPECT_EQ(f.after("Fehler:"),
              "Fehler: Fehler bei Ausgabe von Klassennamen: Der rote Apfel und \n"
              "Der rote Apfel und <der geist>.\n");
    // The next command notices the stop and closes the story.
    f.enter("schau");
    EXPECT_FALSE(f.game->storyOpen());
}

TEST(GameControl, PronounAndEndQuestion) {
    GameFixture f;
    ASSERT_TRUE(f.open());
    f.enter("pronomen");
    EXPECT_EQ(f.after(">pronomen"), ">pronomen\nkein Pronomen\n\n>");
    f.enter("nimm den roten apfel");
    f.enter("pronomen");
    EXPECT_EQ(f.after(">pronomen"), ">pronomen\nroter apfel\n\n>");

    // "ende" ignores other keys; "n" goes on, "j" closes.
    f.platform.pushChar('x');
    f.platform.pushChar('n');
    f.enter("ende");
    EXPECT_EQ(f.after(">ende"), ">ende\nSpiel beenden? (j/n) n\n\n>");
    EXPECT_TRUE(f.game->storyOpen());
    f.platform.pushChar('J');
    f.enter("ende");
    EXPECT_FALSE(f.game->storyOpen());
    EXPECT_EQ(f.platform.caption, "Velmo");
}

const char* const kDyingStory =
    "class r { setShort(\"+R\"); string StatusLine() { return(\"R\"); } }\n"
    "class s { setShort(\"+S\"); moveto(r); int scope(object o) { return(1); }\n"
    "  int onAction(string v) { write(\"Aus.^\"); quit; return(1); } }\n"
    "verb(\"stirb\",stir,0);\n"
    "void main() { setPlayer(s); }\n";

TEST(GameControl, QuitAsksAndChoiceThreeLeavesNoStory) {
    GameFixture f;
    ASSERT_TRUE(f.open(kDyingStory));
    f.platform.pushChar('5');
    f.platform.pushChar('3');
    f.enter("stirb");
    EXPECT_FALSE(f.game->storyOpen());
    // Keys other than 1 to 4 are ignored; the chosen one is echoed.
    const std::string end = f.after("Aus.");
    EXPECT_NE(end.find("M\xF6"
                       "chtest du (1) das Spiel neu beginnen"),
              std::string::npos);
    EXPECT_TRUE(
        end.ends_with("zur\xFC"
                      "cknehmen? 3\n"))
        << end;
}

// A sudden end is taken back from the question after it: the game goes on
// from before the command, and may end again.
TEST(GameControl, TheEndOfAGameCanBeTakenBack) {
    GameFixture f;
    ASSERT_TRUE(f.open(kDyingStory));
    f.platform.pushChar('4');
    f.enter("stirb");
    ASSERT_TRUE(f.game->storyOpen());
    EXPECT_FALSE(f.game->isStopped());
    EXPECT_FALSE(f.game->saveDone);
    EXPECT_NE(f.after("Aus.").find("(4) den letzten Zug zur\xFC"
                                   "cknehmen? 4\n\nEingabe [stirb] wurde r\xFC"
                                   "ckg\xE4ngig gemacht.\n\n>"),
              std::string::npos)
        << f.after("Aus.");
    f.platform.pushChar('3');
    f.enter("stirb");
    EXPECT_FALSE(f.game->storyOpen());
}

TEST(GameControl, RepeatParsesTheEarlierInputWithTheReplacement) {
    GameFixture f;
    ASSERT_TRUE(f.open());
    f.enter("nimm apfel");
    f.enter("nochmal");
    EXPECT_EQ(f.after(">nochmal"), ">nochmal\nDu nimmst die Birne.\n\n>");
}

TEST(GameControl, TurnsAdvanceMovesAndTheClock) {
    GameFixture f;
    ASSERT_TRUE(f.open());
    f.enter("warte");
    f.enter("schau");  // takes no time
    EXPECT_EQ(f.game->currentStory()->moves, 1);
    EXPECT_EQ(f.game->gameClock()->minutes(), 610);
}

TEST(GameControl, EndGameWithoutQuestionEnablesTheAuthoringEntries) {
    GameFixture f;
    ASSERT_TRUE(f.open());
    f.game->endGame(false);
    EXPECT_TRUE(f.game->isStopped());
    EXPECT_TRUE(f.game->saveDone);
    EXPECT_TRUE(enabled(f.platform, tmenuaction::compile));
}

TEST(GameControl, DroppedFiles) {
    GameFixture f;
    f.game->fileDropped("/tmp/bild.JPG");
    EXPECT_EQ(f.platform.messages,
              std::vector<std::string>{"Dieser Dateityp kann mit Velmo nicht ge\xF6"
                                       "ffnet werden."});
    f.game->fileDropped(f.files.write("Spiel.VELMO", test::kGardenStory));
    EXPECT_TRUE(f.game->storyOpen());
    EXPECT_EQ(f.platform.caption, "spiel.velmo");
}

TEST(GameControl, QuittingAsksToSaveOnlyAfterTwoInputs) {
    GameFixture f;
    ASSERT_TRUE(f.open());
    f.enter("schau");
    EXPECT_TRUE(f.game->requestQuit());
    EXPECT_TRUE(f.platform.questions.empty());

    GameFixture g;
    ASSERT_TRUE(g.open());
    g.enter("schau");
    g.enter("warte");
    g.platform.answers.push_back(tanswer::cancel);
    EXPECT_FALSE(g.game->requestQuit());
    EXPECT_EQ(g.platform.questions, std::vector<std::string>{"Spielstand speichern?"});
    EXPECT_TRUE(g.game->storyOpen());
    // "Yes" quits only when the game was saved: a cancelled or failed
    // save keeps the program running with the game as it was.
    g.platform.answers.push_back(tanswer::yes);
    g.platform.files.push_back("");
    EXPECT_FALSE(g.game->requestQuit());
    g.game->saveDone = false;
    g.platform.answers.push_back(tanswer::yes);
    g.platform.files.push_back(g.files.path("fehlt/spiel"));
    EXPECT_FALSE(g.game->requestQuit());
    EXPECT_TRUE(g.game->storyOpen());
    EXPECT_FALSE(g.game->saveDone);  // asked again next time
    g.platform.answers.push_back(tanswer::no);
    EXPECT_TRUE(g.game->requestQuit());
    EXPECT_TRUE(g.game->closing());
}

// ------------------------------------------------------------ undo and correction

TEST(UndoCommand, TakesBackCommandsInReverseOrderWithScoreAndClock) {
    GameFixture f;
    ASSERT_TRUE(f.open());
    f.enter("zurueck");
    EXPECT_EQ(f.after(">zurueck"),
              ">zurueck\nIch kann hier nichts r\xFC"
              "ckg\xE4ngig machen.\n\n>");
    f.enter("nimm apfel");
    f.enter("warte");
    EXPECT_EQ(f.game->gameClock()->minutes(), 620);
    f.enter("zurueck");
    EXPECT_EQ(f.after(">zurueck"),
              ">zurueck\nEingabe [warte] wurde r\xFC"
              "ckg\xE4ngig gemacht.\n\n>");
    EXPECT_EQ(f.game->gameClock()->minutes(), 610);
    EXPECT_EQ(f.game->currentStory()->score, 1);
    f.enter("zurueck");
    EXPECT_EQ(f.after(">zurueck"),
              ">zurueck\nEingabe [nimm apfel] wurde r\xFC"
              "ckg\xE4ngig gemacht.\n\n>");
    EXPECT_EQ(f.game->currentStory()->score, 0);
    EXPECT_EQ(f.game->currentStory()->root().findChild("apfel")->location->name, "garten");
    // Moves stay, and the history keeps the undone inputs.
    EXPECT_EQ(f.game->currentStory()->moves, 2);
    EXPECT_EQ(f.game->inputHistory().size(), 2u);
    f.enter("zurueck");
    EXPECT_EQ(f.after(">zurueck"),
              ">zurueck\nIch kann hier nichts r\xFC"
              "ckg\xE4ngig machen.\n\n>");
}

// Undo, a new command, undo again: each message names what was taken
// back, not the input that happens to lie before the last one named.
TEST(UndoCommand, EachUndoNamesTheCommandItTookBack) {
    GameFixture f;
    ASSERT_TRUE(f.open());
    f.enter("nimm apfel");
    f.enter("nimm birne");
    f.enter("zurueck");
    EXPECT_NE(f.after(">zurueck").find("[nimm birne]"), std::string::npos);
    f.enter("schau");
    f.enter("zurueck");
    EXPECT_NE(f.after(">zurueck").find("[schau]"), std::string::npos);
    f.enter("zurueck");
    EXPECT_NE(f.after(">zurueck").find("[nimm apfel]"), std::string::npos);
    EXPECT_EQ(f.game->currentStory()->root().findChild("apfel")->location->name, "garten");
    // A second command of one line is named by itself.
    f.enter("nimm birne. warte. zurueck");
    EXPECT_NE(f.after(">nimm birne").find("Eingabe [warte] wurde"), std::string::npos);
}

TEST(UndoCommand, CorrectionReplacesTheUnrecognisedWord) {
    GameFixture f;
    ASSERT_TRUE(f.open());
    f.enter("huch apfel");
    EXPECT_EQ(f.after(">huch"), ">huch apfel\nIch kann hier nichts korrigieren.\n\n>");
    f.enter("Nimm den Apfl");
    EXPECT_EQ(f.after(">Nimm"), ">Nimm den Apfl\nFehlercode 0 bei apfl\n\n>");
    f.enter("huch apfel");
    EXPECT_EQ(f.after(">huch"), ">huch apfel\nDu nimmst den roten Apfel.\n\n>");
    // The corrected command is neither in the history nor undoable.
    EXPECT_EQ(f.game->inputHistory(), std::vector<std::string>{">Nimm den Apfl"});

    // Browsing the history before typing the correction changes nothing.
    f.enter("iss die bime");
    f.platform.press(tkey::up);
    f.platform.press(tkey::up);
    f.platform.press(tkey::escape);
    f.enter("huch birne");
    EXPECT_EQ(f.after(">huch"), ">huch birne\nFehlercode 5 bei birne\n\n>");
}

}  // namespace
}  // namespace velmo
