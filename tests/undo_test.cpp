#include <gtest/gtest.h>

#include <cstdio>
#include <functional>

#include "model/parsetree.h"
#include "model/story.h"
#include "support/recording_services.h"
#include "support/world_state.h"

using namespace velmo;
using velmo::test::RecordingServices;
using velmo::test::worldState;

namespace {

class Undo : public ::testing::Test {
protected:
    Undo() { velmo::test::buildSmallWorld(story); }
    tnode* node(const char* name) { return story.root().findChild(name); }

    // What a turn does to the timers: count down, and at 0 the timer is
    // gone (its "timeout" would run).
    void tick() {
        auto& timers = story.root().timers;
        for (auto it = timers.begin(); it != timers.end();) {
            it->beforeTick = it->remaining;
            if (--it->remaining <= 0) {
                it = timers.erase(it);
            } else {
                ++it;
            }
        }
    }

    RecordingServices services;
    tstory story{services};
    bool flag = false;
};

}  // namespace

TEST_F(Undo, TenCommandsAreTakenBackOneByOneExactly) {
    tnode& root = story.root();
    // Each command changes something else; several change many things.
    const std::vector<std::function<void()>> commands = {
        [&] { root.vars.setValue("zug", "1", 0); },
        [&] { node("Apfel")->moveTo(node("Ich")); },
        [&] { node("Kiste")->attrs->withAttr("offen,~sichtbar", 0, flag); },
        [&] { node("Ich")->moveTo(node("Flur")); },  // the player's room changes
        [&] {
            root.timers.push_back({2, 2, node("Kiste")});
            root.daemons.push_back(node("Lampe"));
        },
        [&] { node("Lampe")->vars.setValue("farbe", "gelb", 0); },
        [&] {
            node("Lampe")->moveTo(node("Ich"));
            node("Apfel")->moveTo(nullptr);
            root.daemons.clear();
        },
        [&] { node("Zimmer")->moveTo(node("Flur")); },
        [&] {
            node("Kiste")->moveTo(node("Zimmer"));
            node("Kiste")->vars.setValue("gewicht", "9", 0);
            node("Ich")->attrs->withAttr(
                "m\xFC"
                "de",
                0, flag);
        },
        [&] { root.vars.setValue("player", "Niemand", 0); },
    };
    std::vector<std::vector<std::string>> before;
    for (const auto& command : commands) {
        before.push_back(worldState(story));
        story.pushUndo();
        command();
        tick();  // every command here takes time
    }
    ASSERT_EQ(story.undoDepth(), 10u);
    for (std::size_t i = commands.size(); i-- > 0;) {
        ASSERT_TRUE(story.canUndo());
        story.popUndo();
        EXPECT_EQ(worldState(story), before[i]) << "after undoing command " << i;
        EXPECT_TRUE(velmo::test::consistent(story));
    }
    EXPECT_FALSE(story.canUndo());
    story.popUndo();  // nothing left: nothing happens
    EXPECT_EQ(worldState(story), before[0]);
    // The scope is rebuilt from the player's restored room, in tree order.
    std::vector<std::string> scope;
    for (const tnode* n : story.scope) scope.push_back(n->name);
    EXPECT_EQ(scope, (std::vector<std::string>{"Zimmer", "Ich", "Kiste", "Apfel"}));
    EXPECT_EQ(flag, false);
}

TEST_F(Undo, TimerComesBackExactlyWhetherOrNotTheCommandTookTime) {
    auto& timers = story.root().timers;
    timers[0] = {5, 6, node("Lampe")};  // ticked once before
    story.pushUndo();                   // a command that takes no time
    story.popUndo();
    ASSERT_EQ(timers.size(), 1u);
    EXPECT_EQ(timers[0].remaining, 5);
    EXPECT_EQ(timers[0].beforeTick, 6);

    timers[0] = {1, 2, node("Lampe")};
    story.pushUndo();
    tick();  // runs out and is removed
    EXPECT_TRUE(timers.empty());
    story.popUndo();
    ASSERT_EQ(timers.size(), 1u);
    EXPECT_EQ(timers[0].remaining, 1);
}

TEST_F(Undo, ClockAndScoreComeBackButTheMoveCountDoesNot) {
    story.clock.setClock(1430, 20);
    story.score = 3;
    story.moves = 4;
    story.pushUndo();
    story.clock.tick();  // past midnight: a day more
    story.score = 9;
    story.moves = 5;
    story.popUndo();
    EXPECT_EQ(story.clock.minutes(), 1430);
    EXPECT_EQ(story.clock.days(), 0);
    EXPECT_EQ(story.score, 3);
    EXPECT_EQ(story.moves, 5);
}

TEST_F(Undo, VariablesDeclaredDuringACommandDoNotUpsetTheUndo) {
    tnode* lamp = node("Lampe");
    story.pushUndo();
    lamp->vars.setValue("gewicht", "7", 0);
    lamp->vars.declare("neu=3", kTypeInt, flag, 0);
    story.popUndo();
    std::string value;
    ASSERT_TRUE(lamp->vars.getValue("gewicht", value));
    EXPECT_EQ(value, "1");
    ASSERT_TRUE(lamp->vars.getValue("neu", value));
    EXPECT_EQ(value, "3");
}

TEST_F(Undo, DropAndRestoreDiscardEverySnapshot) {
    story.pushUndo();
    story.pushUndo();
    story.dropUndo();
    EXPECT_FALSE(story.canUndo());
    EXPECT_EQ(story.undoTopOwnBytes(), 0u);

    story.pushUndo();
    const std::string saved = velmo::test::saveGame(story);
    ASSERT_TRUE(velmo::test::restoreGame(story, saved));
    EXPECT_FALSE(story.canUndo());
}

// ------------------------------------------------------------ cost of a snapshot

namespace {

// The bytes of every text the world holds.
std::size_t textBytes(const std::string& text) { return text.size(); }

std::size_t worldTextBytes(tstory& story) {
    std::size_t bytes = 0;
    for (const auto& child : story.root().children()) {
        const tnode& n = *child;
        bytes += textBytes(n.name) + textBytes(n.shortName) + textBytes(n.longDescription);
        for (const tvar& v : n.vars.Records()) bytes += textBytes(v.name) + textBytes(v.value);
        if (n.attrs)
            for (const std::string& a : n.attrs->Names()) bytes += textBytes(a);
        for (const tshortNames& names : n.shortNames())
            for (std::size_t f = 0; f < kNameForms; ++f) bytes += names.form(f).size();
    }
    return bytes;
}

}  // namespace

TEST(UndoCost, SnapshotOfABigWorldCostsWhatTheCommandChanged) {
    RecordingServices services;
    tstory story(services);
    tnode& root = story.root();
    bool flag = false;
    root.vars.declare("actor,player", kTypeObject, flag, 1);
    tnode* thing = root.addChild(kKindObject, "Ding", &flag, 1, 3);
    thing->vars.declare("gewicht=1,wert=10,beschreibung=\"ein ganz gew\xF6hnliches Ding\",zustand",
                        kTypeText, flag, 1);
    thing->attrs->withAttr("sichtbar,tragbar,schwer", 1, flag);
    std::vector<tnode*> objects;
    for (int i = 0; i < 2000; ++i) {
        tnode* object =
            root.addChild(kKindObject, "Ding" + std::to_string(i) + ":Ding", &flag, 2, 3);
        object->setShortName("+gro\xDF* Schrank, -alt* Kommode");
        object->setLongDescription("Ein wuchtiger alter Schrank aus Eichenholz, Nummer " +
                                   std::to_string(i) +
                                   ", mit zwei T\xFC"
                                   "ren.");
        if (i > 0) object->moveTo(objects[static_cast<std::size_t>(i / 10) * 10 % i]);
        objects.push_back(object);
    }
    ASSERT_FALSE(flag);
    story.player = objects[0];
    story.rebuildScope(objects[0]);

    story.pushUndo();
    const std::size_t first = story.undoTopOwnBytes();
    objects[1234]->vars.setValue("zustand", "offen", 0);
    story.pushUndo();
    const std::size_t second = story.undoTopOwnBytes();
    story.pushUndo();  // nothing changed at all
    const std::size_t third = story.undoTopOwnBytes();
    const std::size_t world = worldTextBytes(story);

    std::printf(
        "[ snapshot ] world texts %zu bytes; first snapshot %zu bytes; after one changed "
        "variable %zu bytes; after no change %zu bytes\n",
        world, first, second, third);
    EXPECT_LT(second * 100, world);  // far below one percent of the world's texts
    EXPECT_LT(third, second);
    EXPECT_LT(second, 4096u);

    // The shared snapshots still restore what they stood for.
    story.popUndo();
    story.popUndo();
    std::string value;
    ASSERT_TRUE(objects[1234]->vars.getValue("zustand", value));
    EXPECT_EQ(value, "offen");
    story.popUndo();
    ASSERT_TRUE(objects[1234]->vars.getValue("zustand", value));
    EXPECT_EQ(value, "");
}
