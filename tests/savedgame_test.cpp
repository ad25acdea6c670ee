#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>

#include "model/story.h"
#include "model/time.h"
#include "support/game_fixture.h"
#include "term/terminalplatform.h"

#include <fcntl.h>
#include <unistd.h>

namespace velmo {
namespace {

using test::GameFixture;

// A room, the player with a counter, two things to take, a clock that
// moves, a timer and a daemon; "schau" shows all of it.
const char* const kRoomStory = R"(
verb("nimm #noun",nimm,0);
verb("schau",scha,1);
verb("warte",wart,0);
verb("stelle",stel,0);
restore("schau");

int parserError(int code, string word, object obj) { write("Wie bitte?^"); return(1); }

class Ding {
  int onAction(string v) {
    if (v == "nimm") { moveto(spieler); addScores(2); setShort("+genommen* Ding"); write("Genommen.^"); }
    return(1);
  }
}
class raum { setShort("+Raum"); string StatusLine() { return("Raum"); } }
class spieler {
  setShort("+Spieler");
  moveto(raum);
  int n = 0;
  int scope(object o) { return(1); }
  int onAction(string v) {
    if (v == "wart") { n = n + 1; write("Gewartet " + n + ".^"); }
    if (v == "stel") { wecker.startTimer(2); write("Gestellt.^"); }
    if (v == "scha") {
      write("Zeit " + time() + " Zug " + moves() + " Punkte " + scores() + " n " + n + ":");
      if (stein.in(spieler)) { write(" Stein"); }
      if (holz.in(spieler)) { write(" Holz"); }
      write("^");
    }
    return(1);
  }
}
class stein : Ding { setShort("+Stein"); moveto(raum); }
class holz : Ding { setShort("-Holz"); moveto(raum); }
class wecker { void timeout() { write("RIIING^"); } }
class uhr { void init() { write("Init. "); } void daemon() { write("Tick. "); } }
void main() { setPlayer(spieler); setTime(600, 5); StatusLineFormat(2); uhr.startDaemon; write("Start.^"); }
)";

const std::string kNotRestored = "Spielstand dieser Datei kann nicht wiederhergestellt werden (";

// The message of a refused restore: its number and the sentence why.
std::string refused(int number, const std::string& why) {
    return kNotRestored + std::to_string(number) + "): " + why;
}

std::string inQuotes(const std::string& text) { return "\x84" + text + "\x93"; }
const std::string kDamaged =
    " ist besch\xE4"
    "digt oder unvollst\xE4ndig.";

std::string readBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

void writeBytes(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

// A wide text area, so that messages naming temporary paths stay on one
// line.
struct SaveFixture : GameFixture {
    std::string story;
    SaveFixture() : GameFixture(200) { story = files.write("raum.velmo", kRoomStory); }

    bool openRoom() { return game->openStory(story); }
    void save(const std::string& name) {
        platform.files.push_back(files.path(name));
        game->saveGame();
    }
    void restore(const std::string& name) {
        platform.files.push_back(files.path(name));
        game->restoreGame();
    }
    // Plays a few moves and saves them as "spiel.memo".
    void playAndSave() {
        ASSERT_TRUE(openRoom());
        enter("nimm stein");
        enter("stelle");
        enter("warte");
        save("spiel");
    }
    std::string look() {
        enter("schau");
        return after(">schau");
    }
};

const std::string kSavedLook = ">schau\nZeit 615 Zug 3 Punkte 2 n 1: Stein\n\n>";

// ----------------------------------------------------------------- saving

TEST(SavedGameFile, NothingIsSavedBeforeTheFirstOrdinaryCommand) {
    SaveFixture f;
    ASSERT_TRUE(f.openRoom());
    f.enter("pronomen");
    f.enter("zurueck");
    f.save("spiel");
    EXPECT_EQ(f.platform.messages,
              std::vector<std::string>{
                  "Ein Spielstand kann erst nach der ersten Eingabe gespeichert werden."});
    EXPECT_EQ(f.platform.files.size(), 1u);  // no dialog was shown
    EXPECT_FALSE(std::filesystem::exists(f.files.path("spiel.memo")));
    EXPECT_FALSE(f.game->saveDone);
}

TEST(SavedGameFile, ANameWithoutExtensionGetsMemoInLowerCase) {
    SaveFixture f;
    f.playAndSave();
    f.save("Zweit");
    EXPECT_TRUE(f.platform.messages.empty());
    EXPECT_TRUE(std::filesystem::exists(f.files.path("spiel.memo")));
    EXPECT_TRUE(std::filesystem::exists(f.files.path("zweit.memo")));
    EXPECT_TRUE(f.game->saveDone);
    // Restoring under the typed name finds the lower-case file.
    f.restore("Zweit");
    EXPECT_TRUE(f.platform.messages.empty());
    EXPECT_EQ(f.look(), kSavedLook);
}

TEST(SavedGameFile, AFailedSaveWarnsAndKeepsThePreviousFile) {
    SaveFixture f;
    f.playAndSave();
    const std::string before = readBytes(f.files.path("spiel.memo"));
    // A folder where the file should be: the rename over it fails.
    std::filesystem::create_directories(f.files.path("ordner.memo/inhalt"));
    f.game->saveDone = false;
    f.save("ordner.memo");
    f.save("fehlt/spiel.memo");
    const std::string notSaved = "Spielstand kann nicht gespeichert werden: ";
    EXPECT_EQ(f.platform.messages,
              (std::vector<std::string>{
                  notSaved + inQuotes(f.files.path("ordner.memo")) + " ist ein Ordner.",
                  notSaved + "Den Ordner " + inQuotes(f.files.path("fehlt")) + " gibt es nicht."}));
    EXPECT_TRUE(std::filesystem::exists(f.files.path("ordner.memo/inhalt")));
    EXPECT_EQ(readBytes(f.files.path("spiel.memo")), before);
    // A failed save leaves the game unsaved; a cancelled dialog counts as
    // saved for the quit question.
    EXPECT_FALSE(f.game->saveDone);
    f.platform.files.push_back("");
    EXPECT_EQ(f.game->saveGame(), tsaveresult::cancelled);
    EXPECT_TRUE(f.game->saveDone);
}

// "speichern" tells how it went and never says "Ok" when nothing was
// saved; Ctrl+S at the prompt tells it above the input line, which keeps
// what was typed.
TEST(SavedGameFile, SavingTellsWhatHappened) {
    SaveFixture f;
    ASSERT_TRUE(f.openRoom());
    f.enter("speichern");
    EXPECT_EQ(f.after(">speichern"), ">speichern\n\n>");
    f.enter("warte");
    f.platform.files.push_back("");
    f.enter("speichern");
    EXPECT_EQ(f.after(">speichern"), ">speichern\n\n>");
    f.platform.files.push_back(f.files.path("fehlt/spiel"));
    f.enter("speichern");
    EXPECT_EQ(f.after(">speichern"), ">speichern\n\n>");
    EXPECT_EQ(f.platform.text().find("Ok"), std::string::npos);
    const std::string memo = f.files.path("spiel.memo");
    f.platform.files.push_back(f.files.path("spiel"));
    f.enter("speichern");
    EXPECT_EQ(f.after(">speichern"),
              ">speichern\nSpielstand " + inQuotes(memo) + " gespeichert.\n\n>");

    f.platform.type("nimm st");
    f.platform.files.push_back(f.files.path("zwei"));
    f.platform.type("\x13");
    EXPECT_EQ(f.after(">speichern"),
              ">speichern\nSpielstand " + inQuotes(memo) + " gespeichert.\n\nSpielstand " +
                  inQuotes(f.files.path("zwei.memo")) + " gespeichert.\n\n>nimm st");
    f.platform.type("ein");
    f.platform.press(tkey::enter);
    EXPECT_EQ(f.game->currentStory()->score, 2);
}

TEST(SavedGameFile, TheWordOffersItsNameInTheDialog) {
    SaveFixture f;
    ASSERT_TRUE(f.openRoom());
    f.enter("warte");
    f.platform.files.push_back("");
    f.enter("speichern abend");
    EXPECT_EQ(f.platform.proposedNames.back(), "abend");
}

TEST(SavedGameFile, TheFileStartsWithTheStoryPathAndTheNodeCount) {
    SaveFixture f;
    f.playAndSave();
    const std::string bytes = readBytes(f.files.path("spiel.memo"));
    int32_t length = 0;
    ASSERT_GT(bytes.size(), 8u);
    std::memcpy(&length, bytes.data(), 4);
    EXPECT_EQ(length, static_cast<int32_t>(f.story.size()));
    int32_t count = 0;
    std::memcpy(&count, bytes.data() + 4 + length, 4);
    EXPECT_EQ(count, static_cast<int32_t>(f.game->currentStory()->root().children().size()));
}

// --------------------------------------------------------------- restoring

TEST(SavedGameFile, RestoringInTheSameRunGivesBackTheSavedState) {
    SaveFixture f;
    f.playAndSave();
    const int32_t format = f.game->currentStory()->statusFormat;
    f.enter("nimm holz");
    f.enter("warte");
    f.enter("warte");
    EXPECT_NE(f.platform.text().find("RIIING"), std::string::npos);
    f.restore("spiel");
    // The restore says so, then the story's restore command runs; init
    // and main do not.
    EXPECT_EQ(f.after("\n>\n"), "\n>\nSpielstand " + inQuotes(f.files.path("spiel.memo")) +
                                    " geladen.\nZeit 615 Zug 3 Punkte 2 n 1: Stein\n\n>");
    EXPECT_EQ(f.platform.text().find("Init.", 10), std::string::npos);
    EXPECT_TRUE(f.platform.messages.empty());
    EXPECT_TRUE(f.game->inputHistory().empty());
    EXPECT_EQ(f.game->currentStory()->score, 2);
    EXPECT_EQ(f.game->currentStory()->moves, 3);
    EXPECT_EQ(f.game->currentStory()->statusFormat, format);
    EXPECT_EQ(f.game->gameClock()->minutes(), 615);
    EXPECT_EQ(f.platform.caption, "raum.velmo");
    // Nothing to take back, the timer runs on from where it was saved,
    // the daemon ticks.
    f.enter("zurueck");
    EXPECT_NE(f.after(">zurueck").find("nichts"), std::string::npos);
    f.enter("warte");
    EXPECT_EQ(f.after(">warte"), ">warte\nGewartet 2.\nTick. RIIING\n\n>");
}

// The room story with "warte" as its restore command, which takes a turn
// when typed, and "stirb", which ends the game.
std::string roomStoryVariant() {
    std::string source = kRoomStory;
    source.replace(source.find("restore(\"schau\")"), 16, "restore(\"warte\")");
    source.replace(source.find("if (v == \"stel\")"), 0,
                   "if (v == \"stir\") { write(\"Aus.^\"); quit; }\n    ");
    return "verb(\"stirb\",stir,0);\n" + source;
}

// A restored game stands where it was saved: the restore command runs
// without a turn, so neither clock, moves, daemon nor timer go on.
TEST(SavedGameFile, TheRestoreCommandTakesNoTurn) {
    SaveFixture f;
    f.story = f.files.write("warte.velmo", roomStoryVariant());
    f.playAndSave();
    f.enter("warte");
    f.restore("spiel");
    EXPECT_EQ(f.after(" geladen."), " geladen.\nGewartet 2.\n\n>");
    EXPECT_EQ(f.game->currentStory()->moves, 3);
    EXPECT_EQ(f.game->gameClock()->minutes(), 615);
    // The next command takes its turn as always.
    f.enter("warte");
    EXPECT_EQ(f.after(">warte"), ">warte\nGewartet 3.\nTick. RIIING\n\n>");
    EXPECT_EQ(f.game->currentStory()->moves, 4);
}

// After the end of a game, choice 2 with a cancelled dialog or a file that
// cannot be restored asks the question again; a good file plays on.
TEST(SavedGameFile, AtTheEndOfAGameAFailedRestoreAsksAgain) {
    SaveFixture f;
    f.story = f.files.write("warte.velmo", roomStoryVariant());
    f.playAndSave();
    f.platform.pushText("2");
    f.platform.files.push_back("");
    f.platform.pushText("2");
    f.platform.files.push_back(f.files.path("gibtsnicht"));
    f.platform.pushText("2");
    f.platform.files.push_back(f.files.path("spiel"));
    f.enter("stirb");
    // The first question also offers to take the command back; once the
    // story is closed for the restore, it no longer can.
    const std::string question = "(2) einen Spielstand laden";
    const std::string shown = f.after(">stirb");
    EXPECT_NE(shown.find("Aus."), std::string::npos);
    std::size_t asked = 0;
    for (std::size_t at = shown.find(question); at != std::string::npos;
         at = shown.find(question, at + 1))
        ++asked;
    EXPECT_EQ(asked, 3u);
    EXPECT_EQ(f.platform.messages.size(), 1u);
    ASSERT_TRUE(f.game->storyOpen());
    EXPECT_EQ(f.game->currentStory()->moves, 3);
}

TEST(SavedGameFile, RestoringAfterAProgramStartLoadsTheSavedStory) {
    SaveFixture first;
    first.playAndSave();
    GameFixture second;
    second.platform.files.push_back(first.files.path("spiel"));
    second.game->restoreGame();
    ASSERT_TRUE(second.game->storyOpen());
    EXPECT_EQ(second.game->currentStoryFile(), first.story);
    EXPECT_EQ(second.platform.text().find("Init."), std::string::npos);
    second.enter("schau");
    EXPECT_EQ(second.after(">schau"), kSavedLook);
    // Ctrl+S reaches the save: the restored game saves again.
    second.platform.files.push_back(first.files.path("wieder"));
    second.platform.type("\x13");
    EXPECT_TRUE(std::filesystem::exists(first.files.path("wieder.memo")));
}

TEST(SavedGameFile, ASavedGameNamedAtStartIsRestoredAndAStoryOpened) {
    SaveFixture first;
    first.playAndSave();
    GameFixture second;
    // Any letter case of the ending: the file came from the desktop.
    std::filesystem::rename(first.files.path("spiel.memo"), first.files.path("spiel.MEMO"));
    ASSERT_TRUE(second.game->openStartFile(first.files.path("spiel.MEMO")));
    EXPECT_EQ(second.game->currentStoryFile(), first.story);
    second.enter("schau");
    EXPECT_EQ(second.after(">schau"), kSavedLook);

    GameFixture third;
    ASSERT_TRUE(third.game->openStartFile(first.story));
    EXPECT_NE(third.platform.text().find("Init."), std::string::npos);
}

// A cancelled Ctrl+L leaves the prompt as it was (no second prompt line);
// a cancelled "laden" gets its prompt back.
TEST(SavedGameFile, CtrlLRestoresAndACancelledDialogKeepsThePrompt) {
    SaveFixture f;
    f.playAndSave();
    f.enter("nimm holz");
    f.platform.files.push_back("");
    f.platform.type("\x0C");
    EXPECT_EQ(f.after(">nimm holz"), ">nimm holz\nGenommen.\nTick. RIIING\n\n>");
    f.platform.files.push_back("");
    f.enter("laden");
    EXPECT_EQ(f.after(">laden"), ">laden\n\n>");
    f.platform.files.push_back(f.files.path("spiel.memo"));
    f.platform.type("\x0C");
    EXPECT_EQ(f.look(), kSavedLook);
}

TEST(SavedGameFile, AnotherStoryWithADifferentNodeCountIsRefused) {
    SaveFixture f;
    f.playAndSave();
    // Open: (1), an error, and the game goes on.
    ASSERT_TRUE(f.open());
    f.enter("nimm apfel");
    f.restore("spiel");
    ASSERT_EQ(f.platform.messages.size(), 1u);
    const std::string otherStory =
        "Der Spielstand geh\xF6rt zur Geschichte " + inQuotes("raum.velmo") + ".";
    EXPECT_EQ(f.platform.messages[0], refused(1, otherStory));
    EXPECT_EQ(f.platform.messageKinds[0], tmessagekind::error);
    EXPECT_TRUE(f.game->storyOpen());
    EXPECT_EQ(f.game->inputHistory().size(), 1u);
    EXPECT_EQ(f.game->currentStory()->score, 1);
    // Closed: the story last played is loaded and refused with (2).
    f.enter("ende");
    f.platform.type("j");
    ASSERT_FALSE(f.game->storyOpen());
    f.restore("spiel");
    EXPECT_EQ(f.platform.messages.back(), refused(2, otherStory));
    EXPECT_EQ(f.platform.messageKinds.back(), tmessagekind::warning);
    EXPECT_FALSE(f.game->storyOpen());
}

TEST(SavedGameFile, AStoryPathDifferingBeforeItsFirstCommaIsRefused) {
    SaveFixture f;
    ASSERT_TRUE(f.game->openStory(f.files.write("eins,a.velmo", kRoomStory)));
    f.enter("warte");
    f.save("spiel");
    ASSERT_TRUE(f.game->openStory(f.files.write("zwei,a.velmo", kRoomStory)));
    f.enter("nimm holz");
    f.restore("spiel");
    EXPECT_EQ(f.platform.messages,
              std::vector<std::string>{refused(
                  4, "Der Spielstand geh\xF6rt zur Geschichte " + inQuotes("eins,a.velmo") + ".")});
    EXPECT_TRUE(f.game->storyOpen());
    EXPECT_EQ(f.game->currentStory()->score, 2);
    EXPECT_EQ(f.platform.lastLine(), ">");
}

TEST(SavedGameFile, AMissingStoryOrSavedGameIsReported) {
    SaveFixture f;
    f.playAndSave();
    f.restore("gibtsnicht");
    EXPECT_EQ(
        f.platform.messages.back(),
        refused(5, "Die Datei " + inQuotes(f.files.path("gibtsnicht.memo")) + " gibt es nicht."));
    EXPECT_TRUE(f.game->storyOpen());  // nothing was changed yet
    std::filesystem::remove(f.story);
    GameFixture second;
    second.platform.files.push_back(f.files.path("spiel"));
    second.game->restoreGame();
    EXPECT_EQ(second.platform.messages.back(),
              refused(3, "Die Geschichte " + inQuotes(f.story) + " l\xE4sst sich nicht laden."));
    EXPECT_FALSE(second.game->storyOpen());
}

TEST(SavedGameFile, APlayerIndexOutsideTheStoryEndsTheRestore) {
    SaveFixture f;
    f.playAndSave();
    std::string bytes = readBytes(f.files.path("spiel.memo"));
    // Path, count, clock, moves, score, status format, then the player.
    const std::size_t at = 4 + f.story.size() + 4 + 16 + 12;
    for (int32_t index : {-1, 999, 0}) {
        std::memcpy(bytes.data() + at, &index, 4);
        writeBytes(f.files.path("kaputt.memo"), bytes);
        GameFixture other;
        other.platform.files.push_back(f.files.path("kaputt.memo"));
        other.game->restoreGame();
        ASSERT_FALSE(other.platform.messages.empty()) << index;
        EXPECT_EQ(other.platform.messages.back(),
                  refused(6, "Die Datei " + inQuotes(f.files.path("kaputt.memo")) + kDamaged))
            << index;
        EXPECT_FALSE(other.game->storyOpen());
    }
}

// Counters of a saved game at their limit count on with wrap-around (a
// sanitizer build would report a signed overflow); a negative move count
// is damage and refused.
TEST(SavedGameFile, MovesAndClockCountersAtTheirLimitWrapOnTheNextTurn) {
    SaveFixture f;
    f.playAndSave();
    std::string bytes = readBytes(f.files.path("spiel.memo"));
    const std::size_t clockAt = 4 + f.story.size() + 4;  // time, step, tick counter, day
    const int32_t limits[5] = {1439, 1, 0, INT32_MAX, INT32_MAX};
    std::memcpy(bytes.data() + clockAt, limits, sizeof limits);
    writeBytes(f.files.path("grenze.memo"), bytes);
    f.restore("grenze");
    ASSERT_TRUE(f.game->storyOpen()) << f.platform.messages.back();
    f.enter("warte");
    EXPECT_EQ(f.game->currentStory()->moves, INT32_MIN);
    EXPECT_EQ(f.game->gameClock()->days(), INT32_MIN);

    const int32_t negative = -1;
    std::memcpy(bytes.data() + clockAt + 16, &negative, 4);
    writeBytes(f.files.path("kaputt.memo"), bytes);
    f.restore("kaputt");
    ASSERT_FALSE(f.platform.messages.empty());
    EXPECT_EQ(f.platform.messages.back().rfind(kNotRestored + "6): ", 0), 0u);
}

// Every variant of a real saved game, cut short or with bytes changed,
// ends in a success or one of the restore messages, never in a crash;
// a game restored from it can be played on.
void restoreVariant(const std::string& path, const std::string& bytes, bool mustFail) {
    writeBytes(path, bytes);
    GameFixture g;
    g.platform.files.push_back(path);
    g.game->restoreGame();
    if (mustFail || !g.platform.messages.empty()) {
        ASSERT_FALSE(g.platform.messages.empty()) << bytes.size();
        EXPECT_EQ(g.platform.messages.back().rfind(kNotRestored, 0), 0u)
            << g.platform.messages.back();
        EXPECT_FALSE(g.game->storyOpen());
    }
    if (g.game->storyOpen()) g.enter("schau");
}

TEST(SavedGameFile, CorruptedFilesEndCleanly) {
    SaveFixture f;
    f.playAndSave();
    const std::string bytes = readBytes(f.files.path("spiel.memo"));
    const std::string path = f.files.path("variante.memo");
    for (std::size_t length = 0; length < bytes.size(); ++length)
        restoreVariant(path, bytes.substr(0, length), true);

    std::mt19937 random(20261208);
    for (int i = 0; i < 150; ++i) {
        std::string changed = bytes;
        const int flips = 1 + static_cast<int>(random() % 4);
        for (int k = 0; k < flips; ++k)
            changed[random() % changed.size()] = static_cast<char>(random() & 0xFF);
        restoreVariant(path, changed, false);
    }
}

TEST(SavedGameFile, ACorruptedFileLeavesTheOpenGameAsItWas) {
    SaveFixture f;
    f.playAndSave();
    const std::string bytes = readBytes(f.files.path("spiel.memo"));
    // Cut inside the path or the count: the open game is unchanged.
    writeBytes(f.files.path("kurz.memo"), bytes.substr(0, 6));
    f.restore("kurz");
    const std::string kurz = "Die Datei " + inQuotes(f.files.path("kurz.memo"));
    EXPECT_EQ(f.platform.messages.back(), refused(5, kurz + " ist kein Spielstand."));
    EXPECT_TRUE(f.game->storyOpen());
    EXPECT_EQ(f.look(), kSavedLook);
    // Cut after the story was reloaded: no half-restored game remains,
    // the game played on since comes back, its undo steps with it.
    f.enter("warte");
    const std::string before = f.look();
    writeBytes(f.files.path("kurz.memo"), bytes.substr(0, bytes.size() - 2));
    f.restore("kurz");
    EXPECT_EQ(f.platform.messages.back(), refused(5, kurz + kDamaged));
    ASSERT_TRUE(f.game->storyOpen());
    EXPECT_FALSE(f.game->isStopped());
    EXPECT_EQ(f.look(), before);
    f.enter("zurueck");
    EXPECT_NE(f.after(">zurueck").find("Eingabe [schau] wurde"), std::string::npos);
    // The intact file still restores.
    f.enter("warte");
    f.restore("spiel");
    EXPECT_EQ(f.look(), kSavedLook);
}

// On the terminal host Ctrl+S and Ctrl+L open the file prompts and reach
// the saved game.
TEST(SavedGameFile, CtrlSAndCtrlLWorkOnTheTerminal) {
    SaveFixture f;
    const std::string memo = f.files.path("term.memo");
    const std::string keys =
        "nimm stein\r\x13" + f.files.path("term") + "\rnimm holz\r\x0C" + memo + "\rschau\r";
    int input[2];
    ASSERT_EQ(pipe(input), 0);
    ASSERT_EQ(write(input[1], keys.data(), keys.size()), static_cast<ssize_t>(keys.size()));
    close(input[1]);
    const int screen = open("/dev/null", O_WRONLY);
    {
        tterminal terminal(input[0], screen);
        tgamesettings settings;
        tterminalplatform host(terminal, settings.columns + 2);
        tgame game(host, settings);
        ASSERT_TRUE(game.openStory(f.story));
        while (game.storyOpen() && !host.finished()) host.serve();
        EXPECT_TRUE(std::filesystem::exists(memo));
        // The look after the restore sees the stone taken, the wood not.
        EXPECT_EQ(game.currentStory()->score, 2);
        EXPECT_EQ(game.inputHistory().size(), 1u);
    }
    close(input[0]);
    close(screen);
}

}  // namespace
}  // namespace velmo
