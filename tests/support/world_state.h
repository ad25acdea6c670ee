#ifndef VELMO_TESTS_WORLD_STATE_H
#define VELMO_TESTS_WORLD_STATE_H

// Helpers for tests of the story tree's saved games and undo: the whole
// changeable state of a tree as comparable text, a consistency check of
// locations and contents, and whole-game save and restore.

#include <algorithm>
#include <sstream>
#include <string>
#include <vector>

#include "model/parsetree.h"
#include "model/story.h"

namespace velmo::test {

// Everything a snapshot or a saved game covers, one line per node.
inline std::vector<std::string> worldState(tstory& story, bool withBeforeTick = true) {
    std::vector<std::string> lines;
    tnode& root = story.root();
    std::string line = "root:";
    for (const tvar& v : root.vars.Records()) line += v.value + ";";
    for (const ttimer& t : root.timers) {
        line += " timer " + nameOf(t.object) + " " + std::to_string(t.remaining);
        if (withBeforeTick) line += "/" + std::to_string(t.beforeTick);
    }
    for (const tnode* d : root.daemons) line += " daemon " + nameOf(d);
    lines.push_back(line);
    for (const auto& child : root.children()) {
        const tnode& n = *child;
        if (n.getKind() != kKindObject) continue;
        line = n.name + ":";
        for (const tvar& v : n.vars.Records()) line += v.value + ";";
        line += " attrs";
        for (const std::string& a : n.attrs->Names()) line += " " + a;
        line += " in " + nameOf(n.location) + " holds";
        for (const tnode* c : n.contents) line += " " + nameOf(c);
        lines.push_back(line);
    }
    return lines;
}

// Names and descriptions, which saved games cover and undo does not.
inline std::vector<std::string> worldTexts(tstory& story) {
    std::vector<std::string> lines;
    for (const auto& child : story.root().children()) {
        lines.push_back(child->name + ":" + child->shortName + "|" + child->longDescription + "|" +
                        (child->mentioned ? "1" : "0"));
    }
    return lines;
}

// A node lies in the contents of X exactly when its location is X.
inline bool consistent(tstory& story) {
    for (const auto& child : story.root().children()) {
        const tnode* n = child.get();
        if (n->location &&
            std::count(n->location->contents.begin(), n->location->contents.end(), n) != 1) {
            return false;
        }
        for (const tnode* c : n->contents) {
            if (c->location != n) return false;
        }
    }
    return true;
}

// The game as a saved game holds it: the root's record, then the record
// of every child of the root that is no function.
// A small game: two rooms, a player, a box with an apple, a lamp, all
// made from one abstract class with variables, attributes and a function;
// a timer on the lamp and a daemon on the apple.
inline void buildSmallWorld(tstory& story) {
    tnode& root = story.root();
    bool flag = false;
    root.vars.declare("actor,player", kTypeObject, flag, 1);
    root.vars.declare("zug=0", kTypeInt, flag, 1);
    auto add = [&](const std::string& declaration) {
        return root.addChild(kKindObject, declaration, &flag, 2, 3);
    };
    tnode* thing = add("abstractDing");
    thing->vars.declare("gewicht=1,farbe", kTypeText, flag, 3);
    thing->attrs->withAttr("sichtbar", 3, flag);
    root.addChild(kKindFunction, "main", &flag, 4, kTypeVoid);
    thing->addChild(kKindFunction, "init", &flag, 5, kTypeVoid);
    tnode* room = add("Zimmer");
    tnode* hall = add("Flur");
    tnode* me = add("Ich:Ding");
    tnode* box = add("Kiste:Ding");
    tnode* apple = add("Apfel:Ding");
    tnode* lamp = add("Lampe:Ding");
    room->setShortName("-klein* Stube");
    box->setShortName("-Kiste");
    apple->setShortName("+rot* Apfel");
    me->moveTo(room);
    box->moveTo(room);
    apple->moveTo(box);
    lamp->moveTo(hall);
    story.player = me;
    story.actor = me;
    story.rebuildScope(me);
    root.timers.push_back({3, 3, lamp});
    root.daemons.push_back(apple);
}

inline std::string saveGame(tstory& story) {
    std::ostringstream out(std::ios::binary);
    story.root().saveState(out);
    for (const auto& child : story.root().children()) {
        if (child->getKind() != kKindFunction) child->saveState(out);
    }
    return out.str();
}

inline bool restoreGame(tstory& story, const std::string& data) {
    std::istringstream in(data, std::ios::binary);
    if (!story.root().restoreState(in)) return false;
    for (const auto& child : story.root().children()) {
        if (child->getKind() != kKindFunction && !child->restoreState(in)) return false;
    }
    return true;
}

}  // namespace velmo::test

#endif
