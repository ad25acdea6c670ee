// A snapshot reads only the objects whose undo mark is set. These tests
// change every kind of state that undo keeps, by every way there is to
// change it (story code, direct calls, a restored game, undo itself), and
// check after each that no change went unmarked and that undo puts back
// exactly what was there.

#include <gtest/gtest.h>

#include <functional>
#include <sstream>
#include <string>
#include <vector>

#include "model/parsetree.h"
#include "model/story.h"
#include "support/parser_story.h"
#include "support/recording_services.h"
#include "support/world_state.h"

using namespace velmo;
using velmo::test::ParserStory;
using velmo::test::worldState;

namespace {

// Every object changes something else when the player does "tu" with it;
// a daemon counts the turns.
const char* const kStory = R"(
class Raum { setShort("-Halle"); }
class Flur { setShort("-Flur"); }
class Spieler { setShort("$Ich"); moveto(Raum); int onAction(string v) { return(1); } }
class Kiste { setShort("-Kiste"); moveto(Raum); }
class Zaehler { setShort("-Zaehler"); moveto(Raum); int n = 0;
  int onAction(string v) { n++; return(1); } }
class Feld { setShort("-Feld"); moveto(Raum); int a[3]; int i = 0;
  int onAction(string v) { a[i] = a[i] + 5; i = i + 1; return(1); } }
class Zettel { setShort("-Zettel"); moveto(Raum); string t = "a";
  int onAction(string v) { t = t + "b"; return(1); } }
class Lampe { setShort("-Lampe"); moveto(Raum); with(aus);
  int onAction(string v) { toggle(aus); return(1); } }
class Tuer { setShort("-Tuer"); moveto(Raum); with(zu);
  int onAction(string v) { with(~zu, offen); return(1); } }
class Ball { setShort("-Ball"); moveto(Raum);
  int onAction(string v) { moveto(Kiste); return(1); } }
class Schrank { setShort("-Schrank"); moveto(Raum);
  int onAction(string v) { Kiste.moveto(NULL); return(1); } }
class Fernbedienung { setShort("-Fernbedienung"); moveto(Raum);
  int onAction(string v) { Zaehler.n = 40; Zettel.t = "fern"; return(1); } }
class Tor { setShort("-Tor"); moveto(Raum);
  int onAction(string v) { Spieler.moveto(Flur); return(1); } }
class Suche { setShort("-Suche"); moveto(Raum);
  int onAction(string v) { object x; fetch(x, x.has(aus), 1) { x.moveto(Flur); } return(1); } }
class Uhr { int ticks = 0; void init() { startDaemon; } void daemon() { ticks++; } }
int scope(object o) { return(1); }
void parserError(int code, string word, object o) { write("E" + code); }
void main() { setPlayer(Spieler); }
verb("tu #noun", tu, 0);
verb("warte", wart, 0);
)";

class UndoAfterStoryCode : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(s.loaded) << s.services.written;
        ASSERT_EQ(s.services.written, "");
    }
    tstory& story() { return *s.story; }
    // One command as the front end runs it: a snapshot, then the command;
    // afterwards every object whose mark is not set must be as the
    // snapshot holds it.
    void play(const std::string& command) {
        story().pushUndo();
        EXPECT_EQ(s.command(command), "") << command;
        EXPECT_TRUE(story().undoStatesMatchWorld()) << "unmarked change by " << command;
    }

    ParserStory s{kStory};
};

}  // namespace

TEST_F(UndoAfterStoryCode, EveryKindOfChangeIsTakenBackCommandByCommand) {
    const std::vector<std::string> commands = {
        "tu zaehler", "tu feld",  "tu feld", "tu zettel",        "tu lampe",
        "tu lampe",   "tu tuer",  "tu ball", "tu fernbedienung", "tu schrank",
        "tu suche",   "tu tor",   "warte",   "tu lampe",
    };
    std::vector<std::vector<std::string>> before;
    for (const std::string& command : commands) {
        before.push_back(worldState(story()));
        play(command);
        EXPECT_NE(worldState(story()), before.back()) << command << " changed nothing";
    }
    for (std::size_t i = commands.size(); i-- > 0;) {
        story().popUndo();
        EXPECT_EQ(worldState(story()), before[i]) << "after undoing " << commands[i];
        EXPECT_TRUE(story().undoStatesMatchWorld());
        EXPECT_TRUE(velmo::test::consistent(story()));
    }
    EXPECT_EQ(s.value("Feld", "a[1]"), "0");
    EXPECT_EQ(story().player->location, s.object("Raum"));
}

// Commands after an undo start from the world the undo put back, and the
// snapshots below stay right.
TEST_F(UndoAfterStoryCode, CommandsAfterAnUndoAreTakenBackToo) {
    const auto start = worldState(story());
    play("tu zaehler");
    const auto afterCounter = worldState(story());
    play("tu ball");
    story().popUndo();
    EXPECT_EQ(worldState(story()), afterCounter);
    play("tu lampe");
    play("tu ball");  // the ball moves again after its move was undone
    EXPECT_EQ(s.object("Ball")->location, s.object("Kiste"));
    story().popUndo();
    story().popUndo();
    EXPECT_EQ(worldState(story()), afterCounter);
    story().popUndo();
    EXPECT_EQ(worldState(story()), start);
    EXPECT_FALSE(story().canUndo());
}

TEST_F(UndoAfterStoryCode, AfterARestoredGameUndoReturnsToTheRestoredWorld) {
    const std::string saved = velmo::test::saveGame(story());
    play("tu zaehler");
    play("tu lampe");
    play("tu tor");
    ASSERT_TRUE(velmo::test::restoreGame(story(), saved));
    EXPECT_TRUE(story().undoStatesMatchWorld());
    EXPECT_EQ(s.value("Zaehler", "n"), "0");
    const auto restored = worldState(story());
    play("tu tuer");
    play("tu ball");
    story().popUndo();
    story().popUndo();
    EXPECT_EQ(worldState(story()), restored);
}

// ------------------------------------------------------------ direct calls

namespace {

class UndoMarks : public ::testing::Test {
protected:
    UndoMarks() { velmo::test::buildSmallWorld(story); }
    tnode& node(const char* name) { return *story.root().findChild(name); }

    velmo::test::RecordingServices services;
    tstory story{services};
    bool flag = false;
};

}  // namespace

// Each way in which the lists and the world can be changed from outside
// the story language sets the mark of the node it changes.
TEST_F(UndoMarks, EveryWayOfChangingAnObjectSetsItsMark) {
    // Sources that differ from what they are read or copied into.
    node("Lampe").vars.setValue("farbe", "gelb", 0);
    node("Apfel").attrs->withAttr("rund", 0, flag);
    std::ostringstream savedAttrs;
    node("Apfel").attrs->save(savedAttrs);
    std::ostringstream savedValues;
    node("Lampe").vars.saveValues(savedValues);
    const std::vector<std::pair<const char*, std::function<void()>>> changes = {
        {"setValue", [&] { node("Kiste").vars.setValue("farbe", "rot", 0); }},
        {"find", [&] { node("Kiste").vars.find("gewicht", 0)->value = "8"; }},
        {"at", [&] { node("Kiste").vars.at(0).value = "9"; }},
        {"Assign", [&] { node("Kiste").vars.Assign(1).setInteger(3); }},
        {"readValues",
         [&] {
             std::istringstream in(savedValues.str());
             node("Kiste").vars.readValues(in);
         }},
        {"copyInto", [&] { node("Lampe").vars.copyInto(node("Apfel").vars); }},
        {"withAttr", [&] { node("Apfel").attrs->withAttr("weich", 0, flag); }},
        {"Clear", [&] { node("Kiste").attrs->Clear(); }},
        {"copylist", [&] { node("Kiste").attrs->copylist(*node("Ich").attrs); }},
        {"read",
         [&] {
             std::istringstream in(savedAttrs.str());
             node("Lampe").attrs->read(in);
         }},
        {"moveTo into", [&] { node("Lampe").moveTo(&node("Kiste")); }},
        {"moveTo out", [&] { node("Apfel").moveTo(nullptr); }},
    };
    for (const auto& [name, change] : changes) {
        const auto before = worldState(story);
        story.pushUndo();
        change();
        EXPECT_NE(worldState(story), before) << name << " changed nothing";
        EXPECT_TRUE(story.undoStatesMatchWorld()) << name;
        story.popUndo();
        EXPECT_EQ(worldState(story), before) << name;
        EXPECT_TRUE(story.undoStatesMatchWorld()) << name;
    }
    EXPECT_FALSE(flag);
}

// A list copied elsewhere does not take its node's mark along: changing
// the copy marks nothing. Assigning a list to a node's list is a change of
// that node.
TEST_F(UndoMarks, ACopiedListLeavesTheMarkWithItsNode) {
    const auto before = worldState(story);
    story.pushUndo();
    tvarlist copy = node("Kiste").vars;
    copy.setValue("farbe", "blau", 0);
    EXPECT_FALSE(node("Kiste").undoMark.isSet());
    node("Kiste").vars = std::move(copy);
    EXPECT_TRUE(node("Kiste").undoMark.isSet());
    story.popUndo();
    EXPECT_EQ(worldState(story), before);
}

// Nodes added after the first snapshot (tests and the loader build trees
// step by step) are read whole by the next one.
TEST_F(UndoMarks, ANodeAddedAfterASnapshotIsTakenIntoTheNext) {
    story.pushUndo();
    tnode* late = story.root().addChild(kKindObject, "Spaet:Ding", &flag, 9, 3);
    ASSERT_NE(late, nullptr);
    late->moveTo(&node("Zimmer"));
    const auto withLate = worldState(story);
    story.pushUndo();
    late->vars.setValue("farbe", "grau", 0);
    late->moveTo(&node("Flur"));
    EXPECT_TRUE(story.undoStatesMatchWorld());
    story.popUndo();
    EXPECT_EQ(worldState(story), withLate);
}
