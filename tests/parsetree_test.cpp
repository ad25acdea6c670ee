#include <gtest/gtest.h>

#include <sstream>

#include "base/codedfile.h"
#include "base/declension.h"
#include "model/parsetree.h"
#include "model/story.h"
#include "support/recording_services.h"
#include "support/world_state.h"

using namespace velmo;
using velmo::test::RecordingServices;

namespace {

using Names = std::vector<std::string>;

Names names(const std::vector<tnode*>& nodes) {
    Names out;
    for (const tnode* n : nodes) out.push_back(nameOf(n));
    return out;
}

class Tree : public ::testing::Test {
protected:
    tnode* object(const std::string& declaration, int32_t line = 1) {
        bool failed = false;
        return story.root().addChild(kKindObject, declaration, &failed, line, 3);
    }
    tnode* function(tnode* owner, const std::string& declaration, int32_t line = 1,
                    int32_t type = kTypeInt) {
        bool failed = false;
        return owner->addChild(kKindFunction, declaration, &failed, line, type);
    }
    // The error shown, then ready for the next one.
    std::string takeError() {
        std::string shown = services.written;
        services.written.clear();
        services.clearStopped();
        return shown;
    }

    RecordingServices services;
    tstory story{services};
    tnode& root = story.root();
};

}  // namespace

// ------------------------------------------------------------ creation

TEST_F(Tree, RootAndAbstractClass) {
    EXPECT_EQ(root.name, "root");
    EXPECT_EQ(root.rootOf(), &root);
    EXPECT_EQ(nameOf(nullptr), "NULL");

    tnode* box = object("abstractKiste");
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(box->name, "Kiste");
    EXPECT_TRUE(box->getAbstract());
    EXPECT_EQ(box->rootOf(), &root);
    EXPECT_EQ(root.childAt(0), box);
    EXPECT_EQ(root.childAt(1), nullptr);
}

TEST_F(Tree, FunctionGetsParametersAndBadParametersKeepItOutOfTheTree) {
    tnode* thing = object("Ding");
    tnode* f = function(thing, "f(inta,stringb)", 4, kTypeText);
    ASSERT_NE(f, nullptr);
    EXPECT_EQ(f->name, "f");
    EXPECT_EQ(f->getValueType(), kTypeText);
    EXPECT_EQ(f->args.Count(), 2);
    EXPECT_EQ(f->attrs, nullptr);
    EXPECT_EQ(function(thing, "g()")->args.Count(), 0);

    bool failed = false;
    EXPECT_EQ(thing->addChild(kKindFunction, "h(zahl)", &failed, 5, kTypeInt), nullptr);
    EXPECT_TRUE(failed);
    EXPECT_EQ(takeError(), " Zeile 5 ung\xFClte Argumentenliste^");
    EXPECT_EQ(thing->findChild("h"), nullptr);
    EXPECT_EQ(thing->children().size(), 2u);
}

TEST_F(Tree, SubclassCopiesVariablesAndAttributesAndSuperNamesTheSuperclass) {
    tnode* base = object("Basis");
    bool flag = false;
    base->vars.declare("gewicht=5,super=Irgendwas", kTypeInt, flag, 1);
    base->attrs->withAttr("offen,essbar", 1, flag);
    tnode* apple = object("Apfel:Basis");
    ASSERT_NE(apple, nullptr);
    EXPECT_EQ(apple->superClass, base);
    EXPECT_EQ(apple->getLevel(), 1);
    std::string value;
    ASSERT_TRUE(apple->vars.getValue("gewicht", value));
    EXPECT_EQ(value, "5");
    // The superclass's own "super" is overwritten with the superclass's name.
    ASSERT_TRUE(apple->vars.getValue("super", value));
    EXPECT_EQ(value, "Basis");
    EXPECT_EQ(apple->attrs->Names(), (Names{"offen", "essbar"}));

    // Without a "super" of the superclass the variable is declared, as an object.
    tnode* tree = object("Baum");
    tnode* oak = object("Eiche:Baum");
    ASSERT_TRUE(oak->vars.getValue("super", value));
    EXPECT_EQ(value, "Baum");
    EXPECT_EQ(oak->vars.at(0).type, kTypeObject);
    EXPECT_FALSE(tree->vars.exists("super"));
    EXPECT_FALSE(flag);
}

TEST_F(Tree, UnknownSuperclassIsReportedAndTheClassIsNotLinked) {
    object("Da");
    bool failed = false;
    EXPECT_EQ(root.addChild(kKindObject, "Apfel:Obst", &failed, 7, 3), nullptr);
    EXPECT_TRUE(failed);
    EXPECT_EQ(takeError(), " Zeile 7 Superklasse Obst nicht deklariert^");
    EXPECT_EQ(root.findChild("Apfel"), nullptr);
    EXPECT_EQ(root.children().size(), 1u);
}

TEST_F(Tree, SuperclassNameIsCutTo25Characters) {
    const std::string name25 = "Abcdefghijklmnopqrstuvwxy";
    ASSERT_NE(object(name25), nullptr);
    tnode* derived = object("Kind:" + name25 + "zzz");
    ASSERT_NE(derived, nullptr);
    EXPECT_EQ(derived->superClass->name, name25);
    EXPECT_EQ(derived->name, "Kind");

    // The full longer name is not what is looked up.
    ASSERT_NE(object(name25 + "Z"), nullptr);
    EXPECT_EQ(object("Zwei:" + name25 + "Z")->superClass->name, name25);
}

// ------------------------------------------------------------ inheritance and levels

TEST_F(Tree, InheritedFunctionsShareCodeAndOverridesFollowTheLevelRule) {
    tnode* base = object("Basis");
    tnode* describe = function(base, "beschreibe(inta)");
    tcode brace;
    brace.opcode = 1;
    describe->code.Add(brace);
    function(base, "nur");
    tnode* chest = object("Truhe:Basis");

    const auto& kids = chest->children();
    ASSERT_EQ(kids.size(), 2u);
    tnode* copy = kids[0].get();
    EXPECT_EQ(copy->name, "beschreibe");
    EXPECT_EQ(copy->code.At(0), describe->code.At(0));  // the same record, not a copy
    ASSERT_EQ(copy->args.Count(), 1);
    EXPECT_EQ(copy->args.Items()[0].name, "a");
    EXPECT_EQ(copy->getLevel(), 0);

    // The class's own version stands after the copy, at the class's level.
    tnode* own = function(chest, "beschreibe(inta)", 20);
    tnode* fresh = function(chest, "neu", 21);
    EXPECT_EQ(own->getLevel(), 1);
    EXPECT_EQ(fresh->getLevel(), 0);
    EXPECT_EQ(chest->findChild("beschreibe"), own);
    EXPECT_EQ(chest->findChild("neu"), fresh);

    // A call through "super" lowers the level for its duration.
    chest->setLevel(chest->getLevel() - 1);
    EXPECT_EQ(chest->findChild("beschreibe"), copy);
    EXPECT_EQ(chest->findChild("neu"), fresh);
    chest->setLevel(chest->getLevel() + 1);

    // One more generation keeps each copy's level.
    tnode* small = object("Kistchen:Truhe");
    EXPECT_EQ(small->getLevel(), 2);
    ASSERT_EQ(small->children().size(), 4u);
    EXPECT_EQ(small->children()[0]->getLevel(), 0);
    EXPECT_EQ(small->children()[2]->getLevel(), 1);
    EXPECT_EQ(small->findChild("beschreibe"), small->children()[2].get());
    small->setLevel(0);
    EXPECT_EQ(small->findChild("beschreibe"), small->children()[0].get());
}

TEST_F(Tree, EveryBeforeActionEntersTheHookList) {
    tnode* base = object("Basis");
    tnode* first = function(base, "beforeAction");
    tnode* derived = object("Sohn:Basis");
    tnode* override = function(derived, "beforeAction", 9);
    function(derived, "beforeactions");
    ASSERT_EQ(story.hooks.size(), 3u);
    EXPECT_EQ(story.hooks[0], first);
    EXPECT_EQ(story.hooks[1]->getOwner(), derived);  // the inherited copy
    EXPECT_EQ(story.hooks[2], override);
}

// ------------------------------------------------------------ lookup

namespace {

// The lookup rule itself, as a plain scan: the last child of that name
// whose level does not exceed the limit.
tnode* scanFor(const tnode& node, const std::string& name) {
    const int32_t limit = node.getKind() == kKindObject ? node.getLevel() : kUnlimitedLevel;
    const auto& kids = node.children();
    for (auto it = kids.rbegin(); it != kids.rend(); ++it)
        if ((*it)->name == name && (*it)->getLevel() <= limit) return it->get();
    return nullptr;
}

}  // namespace

TEST_F(Tree, NodesWithManyChildrenFindTheSameAsTheScan) {
    tnode* base = object("Basis");
    std::vector<std::string> all;
    for (int i = 0; i < 40; ++i) {
        all.push_back("f" + std::to_string(i));
        function(base, all.back());
    }
    tnode* middle = object("Mitte:Basis");
    for (int i = 0; i < 40; i += 3) function(middle, "f" + std::to_string(i), 30);
    function(middle, "eigen", 31);
    tnode* leaf = object("Blatt:Mitte");
    for (int i = 0; i < 40; i += 5) function(leaf, "f" + std::to_string(i), 40);
    all.push_back("eigen");
    all.push_back("fehlt");
    for (tnode* node : {base, middle, leaf}) {
        const int32_t level = node->getLevel();
        for (int32_t lowered = level; lowered >= 0; --lowered) {
            node->setLevel(lowered);
            for (const std::string& name : all)
                EXPECT_EQ(node->findChild(name), scanFor(*node, name)) << node->name << " " << name;
        }
        node->setLevel(level);
    }
    for (int i = 0; i < 30; ++i) object("Ding" + std::to_string(i));
    function(&root, "Ding7");  // a later child of the same name wins on the root
    EXPECT_EQ(root.findChild("Ding7")->getKind(), kKindFunction);
    EXPECT_EQ(root.findChild("Ding8"), scanFor(root, "Ding8"));
    EXPECT_EQ(root.findChild("Ding"), nullptr);
}

TEST_F(Tree, FindInScopeWalksUpTheOwners) {
    tnode* main = function(&root, "main");
    tnode* thing = object("Ding");
    tnode* look = function(thing, "schau");
    EXPECT_EQ(look->findInScope("schau"), look);  // a function has no children: its owner is asked
    EXPECT_EQ(thing->findInScope("schau"), look);
    EXPECT_EQ(look->findInScope("main"), main);
    EXPECT_EQ(look->findInScope("Ding"), thing);
    EXPECT_EQ(look->findInScope("fehlt"), nullptr);
}

TEST_F(Tree, FindClassByNameOrThroughAVariable) {
    tnode* apple = object("Apfel");
    tnode* thing = object("Ding");
    bool flag = false;
    thing->vars.declare("ziel=Apfel,leer", kTypeObject, flag, 1);
    EXPECT_EQ(thing->findClass(2, &flag, "Apfel"), apple);
    EXPECT_EQ(thing->findClass(2, &flag, "ziel"), apple);
    EXPECT_FALSE(flag);
    EXPECT_EQ(services.written, "");

    EXPECT_EQ(thing->findClass(3, &flag, "leer"), nullptr);
    EXPECT_TRUE(flag);
    EXPECT_EQ(takeError(), " Zeile 3 Klasse leer nicht deklariert^");
    EXPECT_EQ(thing->findClass(4, &flag, "nirgends"), nullptr);
    EXPECT_EQ(takeError(), " Zeile 4 Klasse nirgends nicht deklariert^");
}

TEST_F(Tree, ElementCountTakesTheNearestDeclarationUpTheOwners) {
    bool flag = false;
    root.vars.declare("liste[4]", kTypeInt, flag, 1);
    tnode* thing = object("Ding");
    thing->vars.declare("liste[2]", kTypeInt, flag, 1);
    tnode* f = function(thing, "f");
    EXPECT_EQ(f->elementCount("liste", 1), 2);
    EXPECT_EQ(function(&root, "g")->elementCount("liste", 1), 4);
    EXPECT_FALSE(root.getError());

    EXPECT_EQ(f->elementCount("fehlt", 8), 0);
    EXPECT_EQ(takeError(), " Zeile 8 unbekannter Bezeichner fehlt^");
    EXPECT_TRUE(root.getError());
}

// ------------------------------------------------------------ the world

TEST_F(Tree, MoveToKeepsContentsAndLocationInStep) {
    tnode* room = object("Raum");
    tnode* a = object("A");
    tnode* b = object("B");
    tnode* c = object("C");
    a->moveTo(room);
    b->moveTo(room);
    c->moveTo(room);
    EXPECT_EQ(names(room->contents), (Names{"A", "B", "C"}));
    a->moveTo(room);  // already there: not even the order changes
    EXPECT_EQ(names(room->contents), (Names{"A", "B", "C"}));
    b->moveTo(a);
    EXPECT_EQ(names(room->contents), (Names{"A", "C"}));
    EXPECT_EQ(b->location, a);
    b->moveTo(nullptr);
    EXPECT_EQ(b->location, nullptr);
    EXPECT_TRUE(a->contents.empty());
}

TEST_F(Tree, ScopeFollowsThePlayerAndTheObjectsMovedRelativeToIt) {
    tnode* house = object("Haus");
    tnode* room = object("Zimmer");
    tnode* me = object("Ich");
    tnode* lamp = object("Lampe");
    tnode* box = object("Kiste");
    tnode* ring = object("Ring");
    room->moveTo(house);
    me->moveTo(room);
    lamp->moveTo(room);
    ring->moveTo(box);
    story.player = me;
    story.rebuildScope(me);
    EXPECT_EQ(names(story.scope.nodes()), (Names{"Haus", "Zimmer", "Ich", "Lampe"}));

    // A box that holds something enters the scope alone.
    box->moveTo(room);
    EXPECT_EQ(names(story.scope.nodes()), (Names{"Haus", "Zimmer", "Ich", "Lampe", "Kiste"}));
    box->moveTo(nullptr);  // out of the world, out of scope
    EXPECT_EQ(names(story.scope.nodes()), (Names{"Haus", "Zimmer", "Ich", "Lampe"}));

    // Moving the player's room rebuilds from the new outermost node.
    tnode* ship = object("Schiff");
    box->moveTo(ship);
    room->moveTo(ship);
    EXPECT_EQ(names(story.scope.nodes()),
              (Names{"Schiff", "Kiste", "Ring", "Zimmer", "Ich", "Lampe"}));
    lamp->moveTo(house);
    EXPECT_EQ(names(story.scope.nodes()), (Names{"Schiff", "Kiste", "Ring", "Zimmer", "Ich"}));

    story.rebuildScope(nullptr);
    EXPECT_TRUE(story.scope.empty());
}

TEST_F(Tree, RingOfLocationsDoesNotHangTheScope) {
    tnode* a = object("A");
    tnode* b = object("B");
    tnode* c = object("C");
    c->moveTo(a);
    a->moveTo(b);
    b->moveTo(a);
    story.player = c;
    story.rebuildScope(c);
    EXPECT_EQ(names(story.scope.nodes()), (Names{"B", "A", "C"}));
}

TEST_F(Tree, ShortNamesPerVariantAndGrammarClass) {
    tnode* apple = object("Apfel");
    EXPECT_EQ(apple->nameForm(kNominative, false, kDefinite), "");
    EXPECT_EQ(apple->grammarClass(), 2);

    apple->setShortName("+rot* Apfel, +Obst,-Frucht");
    EXPECT_EQ(apple->getShortName(), "+rot* Apfel, +Obst,-Frucht");
    ASSERT_EQ(apple->shortNames().size(), 3u);
    EXPECT_EQ(apple->nameForm(kAccusative, true, kDefinite), "den roten Apfel");
    EXPECT_EQ(apple->shortNames()[1].form(formIndex(kNominative, false, kIndefinite)), "ein Obst");
    EXPECT_EQ(apple->shortNames()[2].searchForm(formIndex(kDative, false, kDefinite)),
              "der frucht");
    EXPECT_EQ(apple->grammarClass(), 0);

    const std::pair<const char*, int32_t> classes[] = {
        {"-Birne", 1}, {"$Anna", 3}, {"&\xC4pfel", 4}, {"Haus", 2}};
    for (const auto& [text, expected] : classes) {
        apple->setShortName(text);
        EXPECT_EQ(apple->grammarClass(), expected) << text;
    }
    EXPECT_TRUE(apple->shortNames()[0].plural == false);
    apple->setShortName("&\xC4pfel");
    EXPECT_TRUE(apple->shortNames()[0].plural);
}

// ------------------------------------------------------------ saved games

namespace {

class SavedGame : public ::testing::Test {
protected:
    SavedGame() { velmo::test::buildSmallWorld(story); }
    tnode* node(const char* name) { return story.root().findChild(name); }

    RecordingServices services;
    tstory story{services};
};

// A change of everything a saved game holds.
void playAround(tstory& story) {
    tnode& root = story.root();
    root.vars.setValue("zug", "17", 0);
    root.timers = {{1, 2, root.findChild("Apfel")}};
    root.daemons = {root.findChild("Lampe"), root.findChild("Kiste")};
    tnode* apple = root.findChild("Apfel");
    apple->vars.setValue("farbe", "gr\xFCn", 0);
    bool flag = false;
    apple->attrs->withAttr("~sichtbar,gegessen", 0, flag);
    apple->setShortName("+gr\xFCn* Apfel");
    apple->setLongDescription("Ein Apfel.");
    apple->mentioned = true;
    apple->moveTo(root.findChild("Ich"));
    root.findChild("Kiste")->moveTo(root.findChild("Flur"));
}

}  // namespace

TEST_F(SavedGame, RoundTripOfTheWholeTree) {
    playAround(story);
    const auto state = velmo::test::worldState(story, false);
    const auto texts = velmo::test::worldTexts(story);
    const std::string saved = velmo::test::saveGame(story);

    // Another game of the same story, restored from the record.
    RecordingServices otherServices;
    tstory other(otherServices);
    velmo::test::buildSmallWorld(other);
    other.pushUndo();
    ASSERT_TRUE(velmo::test::restoreGame(other, saved));
    EXPECT_EQ(velmo::test::worldState(other, false), state);
    EXPECT_EQ(velmo::test::worldTexts(other), texts);
    EXPECT_EQ(other.root().timers[0].beforeTick, 1);
    EXPECT_EQ(other.root().findChild("Apfel")->nameForm(kNominative, true, kDefinite),
              "der gr\xFCne Apfel");
    EXPECT_TRUE(velmo::test::consistent(other));
    EXPECT_FALSE(other.canUndo());  // a restored game starts without undo
    EXPECT_EQ(otherServices.written, "");
    // The scope follows the restored places: the apple is now held.
    EXPECT_EQ(names(other.scope.nodes()), (Names{"Zimmer", "Ich", "Apfel"}));
}

TEST_F(SavedGame, LocationMinusOneTakesTheObjectOutOfItsContainer) {
    tnode* apple = node("Apfel");
    std::ostringstream out(std::ios::binary);
    apple->saveState(out);
    std::string record = out.str();
    record.replace(record.size() - 4, 4, std::string("\xFF\xFF\xFF\xFF", 4));
    std::istringstream in(record, std::ios::binary);
    ASSERT_TRUE(apple->restoreState(in));
    EXPECT_EQ(apple->location, nullptr);
    EXPECT_TRUE(node("Kiste")->contents.empty());
}

TEST_F(SavedGame, ChildIndexOutsideTheRootIsRejectedAndTheTreeStaysWhole) {
    const int32_t outside = static_cast<int32_t>(story.root().children().size());
    for (int32_t bad : {outside, 100000, -2}) {
        // An object's location.
        tnode* apple = node("Apfel");
        std::ostringstream out(std::ios::binary);
        apple->saveState(out);
        std::string record = out.str();
        std::ostringstream index(std::ios::binary);
        writeInt32(index, bad);
        record.replace(record.size() - 4, 4, index.str());
        std::istringstream in(record, std::ios::binary);
        EXPECT_EQ(apple->restoreState(in), bad < 0) << bad;  // any negative means none
        EXPECT_TRUE(velmo::test::consistent(story));
        apple->moveTo(node("Kiste"));
    }

    // A timer's and a daemon's object: the lists stay as they were.
    for (int which = 0; which < 2; ++which) {
        std::ostringstream out(std::ios::binary);
        story.root().vars.saveValues(out);
        writeInt32(out, 1);
        writeInt32(out, which == 0 ? outside : 0);
        writeInt32(out, 5);
        writeInt32(out, 1);
        writeInt32(out, which == 1 ? outside : 0);
        std::istringstream in(out.str(), std::ios::binary);
        EXPECT_FALSE(story.root().restoreState(in));
        ASSERT_EQ(story.root().timers.size(), 1u);
        EXPECT_EQ(story.root().timers[0].object, node("Lampe"));
        EXPECT_EQ(names(story.root().daemons), (Names{"Apfel"}));
    }

    // The root itself has no place in the world.
    std::ostringstream out(std::ios::binary);
    story.root().saveState(out);
    std::string record = out.str();
    record.replace(record.size() - 4, 4, std::string(4, '\0'));
    std::istringstream in(record, std::ios::binary);
    EXPECT_FALSE(story.root().restoreState(in));
    EXPECT_EQ(story.root().location, nullptr);
    EXPECT_TRUE(node("Zimmer")->contents.size() == 2);
}

TEST_F(SavedGame, EveryTruncatedGameFailsCleanly) {
    playAround(story);
    const std::string saved = velmo::test::saveGame(story);
    for (std::size_t length = 0; length < saved.size(); ++length) {
        RecordingServices otherServices;
        tstory other(otherServices);
        velmo::test::buildSmallWorld(other);
        EXPECT_FALSE(velmo::test::restoreGame(other, saved.substr(0, length))) << length;
        EXPECT_TRUE(velmo::test::consistent(other)) << length;
    }
}

TEST_F(SavedGame, HugeCountsInABadRecordEndAtTheEndOfTheFile) {
    std::ostringstream out(std::ios::binary);
    story.root().vars.saveValues(out);
    writeInt32(out, 0x7FFFFFFF);  // timers, with nothing behind them
    std::istringstream in(out.str(), std::ios::binary);
    EXPECT_FALSE(story.root().restoreState(in));

    std::ostringstream negative(std::ios::binary);
    story.root().vars.saveValues(negative);
    writeInt32(negative, -1);
    std::istringstream in2(negative.str(), std::ios::binary);
    EXPECT_FALSE(story.root().restoreState(in2));
}
