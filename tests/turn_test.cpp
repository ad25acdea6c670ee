#include "game/turn.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>

#include "support/parser_story.h"

namespace velmo {
namespace {

using test::ParserStory;

// A room and a player who handles every command; "warte" takes a turn,
// "schau" takes none. `more` adds objects with daemons and timers; an
// object named in "stell" runs its onAction.
std::string world(const std::string& more) {
    return "class Raum { setShort(\"-K\xFC"
           "che\"); }\n"
           "class Spieler { setShort(\"$Ich\"); moveto(Raum);\n"
           "  int onAction(string v) { return(1); } }\n"
           "int scope(object o) { return(1); }\n"
           "void parserError(int code, string word, object o) { write(\"E\" + code); }\n" +
           more +
           "void main() { setPlayer(Spieler); }\n"
           "verb(\"warte\", wart, 0);\n"
           "verb(\"schau\", schau, 1);\n"
           "verb(\"stell #noun\", stel, 0);\n";
}

class TurnTest : public ::testing::Test {
protected:
    void load(const std::string& more) {
        s = std::make_unique<ParserStory>(world(more));
        ASSERT_TRUE(s->loaded) << s->services.written;
        ASSERT_EQ(s->services.written, "");
    }
    std::string command(const std::string& text) { return s->command(text); }
    std::vector<ttimer>& timers() { return s->story->root().timers; }

    std::unique_ptr<ParserStory> s;
};

// ---------------------------------------------------------------- timers

TEST_F(TurnTest, ATimerStartedWithNFiresAtTheNPlusFirstTurnEnd) {
    load(
        "class Wecker { setShort(\"+Wecker\"); moveto(Raum);\n"
        "  int onAction(string v) { startTimer(2); return(1); }\n"
        "  void timeout() { write(\"[klingel]\"); } }\n");
    EXPECT_EQ(command("stell wecker"), "");
    ASSERT_EQ(timers().size(), 1u);
    EXPECT_EQ(timers()[0].remaining, 1);
    EXPECT_EQ(timers()[0].beforeTick, 2);
    EXPECT_EQ(command("warte"), "");
    // A command without a turn does not count.
    EXPECT_EQ(command("schau"), "");
    EXPECT_EQ(command("warte"), "[klingel]");
    EXPECT_TRUE(timers().empty());
    EXPECT_EQ(command("warte"), "");
}

TEST_F(TurnTest, ATimerStartedWithZeroFiresAtTheSameTurnEnd) {
    load(
        "class Wecker { setShort(\"+Wecker\"); moveto(Raum);\n"
        "  int onAction(string v) { startTimer(0); return(1); }\n"
        "  void timeout() { write(\"[jetzt]\"); } }\n"
        "class Nie { void init() { startTimer(-1); } void timeout() { write(\"[nie]\"); } }\n");
    EXPECT_EQ(command("stell wecker"), "[jetzt]");
    for (int i = 0; i < 3; ++i) EXPECT_EQ(command("warte"), "");
    ASSERT_EQ(timers().size(), 1u);  // a negative count never fires
    EXPECT_EQ(timers()[0].remaining, -5);
}

TEST_F(TurnTest, TheLowestCountStaysWhereItIs) {
    load("");
    timers().push_back(ttimer{INT32_MIN, INT32_MIN, s->object("Spieler")});
    command("warte");
    ASSERT_EQ(timers().size(), 1u);
    EXPECT_EQ(timers()[0].remaining, INT32_MIN);
}

TEST_F(TurnTest, TimersAtZeroFireInListOrderAndAreRemoved) {
    load(
        "class A { void init() { startTimer(0); } void timeout() { write(\"[a]\"); } }\n"
        "class B { void init() { startTimer(1); } void timeout() { write(\"[b]\"); } }\n"
        "class C { void init() { startTimer(0); } void timeout() { write(\"[c]\"); } }\n");
    EXPECT_EQ(command("warte"), "[a][c]");
    ASSERT_EQ(timers().size(), 1u);
    EXPECT_EQ(timers()[0].object, s->object("B"));
    EXPECT_EQ(command("warte"), "[b]");
    EXPECT_TRUE(timers().empty());
}

TEST_F(TurnTest, ATimeoutThatStopsOtherTimersLeavesTheRestInStep) {
    // A fires first and stops B, which was still to come; C fires all the
    // same. Then D, already counted down, is stopped by E's timeout, and F
    // after it still fires in this turn end.
    load(
        "class A { void init() { startTimer(0); } void timeout() { write(\"[a]\"); B.stopTimer; } "
        "}\n"
        "class B { void init() { startTimer(0); } void timeout() { write(\"[b]\"); } }\n"
        "class C { void init() { startTimer(0); } void timeout() { write(\"[c]\"); } }\n"
        "class D { void init() { startTimer(5); } void timeout() { write(\"[d]\"); } }\n"
        "class E { void init() { startTimer(0); } void timeout() { write(\"[e]\"); D.stopTimer; } "
        "}\n"
        "class F { void init() { startTimer(0); } void timeout() { write(\"[f]\"); } }\n");
    EXPECT_EQ(command("warte"), "[a][c][e][f]");
    EXPECT_TRUE(timers().empty());
}

TEST_F(TurnTest, ATimeoutThatRestartsItsTimerWaitsForTheNextTurnEnd) {
    load(
        "class Uhr { void init() { startTimer(0); }\n"
        "  void timeout() { write(\"[tick]\"); startTimer(0); } }\n");
    EXPECT_EQ(command("warte"), "[tick]");
    ASSERT_EQ(timers().size(), 1u);
    EXPECT_EQ(command("warte"), "[tick]");
}

// ---------------------------------------------------------------- daemons

TEST_F(TurnTest, DaemonsRunEveryTurnInTheOrderStarted) {
    load(
        "class Zwei { void init() { startDaemon; } void daemon() { write(\"[2]\"); } }\n"
        "class Eins { void daemon() { write(\"[1]\"); } }\n"
        "class Start { setShort(\"+Start\"); moveto(Raum);\n"
        "  int onAction(string v) { Eins.startDaemon; return(1); } }\n");
    EXPECT_EQ(command("warte"), "[2]");
    EXPECT_EQ(command("stell start"), "[2][1]");
    EXPECT_EQ(command("warte"), "[2][1]");
    EXPECT_EQ(command("schau"), "");
}

TEST_F(TurnTest, ADaemonStoppedOrStartedDuringTheTurnEnd) {
    // Eins stops itself and starts Drei: Zwei still runs in this turn end,
    // Drei from the next one on.
    load(
        "class Eins { void init() { startDaemon; }\n"
        "  void daemon() { write(\"[1]\"); stopDaemon; Drei.startDaemon; } }\n"
        "class Zwei { void init() { startDaemon; } void daemon() { write(\"[2]\"); } }\n"
        "class Drei { void daemon() { write(\"[3]\"); } }\n");
    EXPECT_EQ(command("warte"), "[1][2]");
    EXPECT_EQ(command("warte"), "[2][3]");
}

TEST_F(TurnTest, AnObjectsErrorFlagStopsTheRestOfTheTurnEnd) {
    load(
        "class Eins { void init() { startDaemon; } void daemon() { write(\"[1]\"); } }\n"
        "class Zwei { void init() { startDaemon; } void daemon() { write(\"[2]\"); } }\n"
        "class Wecker { void init() { startTimer(0); } void timeout() { write(\"[w]\"); } }\n");
    s->object("Eins")->error = true;
    EXPECT_EQ(command("warte"), "[1]");
    EXPECT_EQ(timers().size(), 1u);
    s->object("Eins")->error = false;
    EXPECT_EQ(command("warte"), "[1][2][w]");
}

// ---------------------------------------------------------------- clock

TEST_F(TurnTest, TheClockAndTheMovesAdvanceWithEachTurn) {
    load("class Uhr { void init() { setTime(1430, 20); } }\n");
    command("warte");
    EXPECT_EQ(s->story->moves, 1);
    EXPECT_EQ(s->story->clock.minutes(), 10);
    EXPECT_EQ(s->story->clock.days(), 1);
    command("schau");
    EXPECT_EQ(s->story->moves, 1);
    EXPECT_EQ(s->story->clock.minutes(), 10);
}

TEST_F(TurnTest, ANegativeStepAddsAMinuteEveryFewTurns) {
    load("class Uhr { void init() { setTime(600, -2); } }\n");
    std::string minutes;
    for (int i = 0; i < 7; ++i) {
        command("warte");
        minutes += std::to_string(s->story->clock.minutes() - 600);
    }
    EXPECT_EQ(minutes, "0011223");
}

TEST_F(TurnTest, HaltThreeLeavesDaemonsTimersAndClockAlone) {
    load(
        "class Uhr { void init() { setTime(100, 5); startDaemon; startTimer(0); }\n"
        "  void daemon() { write(\"[d]\"); } void timeout() { write(\"[t]\"); } }\n"
        "class Ruhe { setShort(\"-Ruhe\"); moveto(Raum);\n"
        "  int onAction(string v) { halt(3); return(1); } }\n");
    EXPECT_EQ(command("stell ruhe"), "");
    EXPECT_EQ(s->story->moves, 0);
    EXPECT_EQ(s->story->clock.minutes(), 100);
    EXPECT_EQ(command("warte"), "[d][t]");
    EXPECT_EQ(s->story->clock.minutes(), 105);
}

TEST_F(TurnTest, UndoPutsATimerBackAsItWasBeforeTheTurn) {
    load("class Wecker { void init() { startTimer(3); } void timeout() { write(\"[w]\"); } }\n");
    command("warte");
    s->story->pushUndo();
    command("warte");
    ASSERT_EQ(timers()[0].remaining, 1);
    s->story->popUndo();
    EXPECT_EQ(timers()[0].remaining, 2);
}

}  // namespace
}  // namespace velmo
