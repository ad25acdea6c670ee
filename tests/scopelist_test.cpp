#include "model/scopelist.h"

#include <gtest/gtest.h>

#include "model/parsetree.h"
#include "model/story.h"
#include "support/recording_services.h"

using namespace velmo;

namespace {

class ScopeList : public ::testing::Test {
protected:
    tnode* object(const std::string& name) {
        bool failed = false;
        return story.root().addChild(kKindObject, name, &failed, 1, 3);
    }
    // Every node of the list must report its own index.
    void expectPositionsAgree() {
        for (std::size_t i = 0; i < list.size(); ++i) EXPECT_EQ(list.positionOf(list[i]), i);
    }

    test::RecordingServices services;
    tstory story{services};
    tscopelist& list = story.scope;
};

TEST_F(ScopeList, PositionsFollowEveryChange) {
    tnode* a = object("A");
    tnode* b = object("B");
    tnode* c = object("C");
    tnode* d = object("D");
    list.assign({a, b, c});
    expectPositionsAgree();
    EXPECT_EQ(list.positionOf(d), tscopelist::npos);
    EXPECT_EQ(list.positionOf(nullptr), tscopelist::npos);

    // Taking out a node in the middle moves the later ones up.
    list.remove(b);
    EXPECT_EQ(list.nodes(), (std::vector<tnode*>{a, c}));
    EXPECT_FALSE(list.contains(b));
    expectPositionsAgree();

    list.add(d);
    list.add(d);  // already there: added once
    list.remove(b);  // not there: nothing
    EXPECT_EQ(list.nodes(), (std::vector<tnode*>{a, c, d}));
    expectPositionsAgree();

    // A new list forgets the nodes of the old one.
    list.assign({d, b});
    EXPECT_FALSE(list.contains(a));
    EXPECT_FALSE(list.contains(c));
    expectPositionsAgree();
    list.clear();
    EXPECT_FALSE(list.contains(d));
    EXPECT_TRUE(list.empty());
}

TEST_F(ScopeList, TheVersionCountsOnlyRealChanges) {
    tnode* a = object("A");
    tnode* b = object("B");
    const uint64_t start = list.version();
    list.assign({a});
    list.add(b);
    list.remove(a);
    EXPECT_EQ(list.version(), start + 3);
    list.add(b);
    list.remove(a);
    EXPECT_EQ(list.version(), start + 3);
}

// The player's room may hold many objects: every move in and out of it
// must keep the positions right.
TEST_F(ScopeList, MovesInABigRoomKeepThePositions) {
    tnode* room = object("Raum");
    tnode* me = object("Ich");
    me->moveTo(room);
    std::vector<tnode*> things;
    for (int k = 0; k < 200; ++k) {
        things.push_back(object("Ding" + std::to_string(k)));
        things.back()->moveTo(room);
    }
    story.player = me;
    story.rebuildScope(me);
    tnode* elsewhere = object("Anderswo");
    for (int k = 0; k < 200; k += 3) things[static_cast<std::size_t>(k)]->moveTo(elsewhere);
    for (int k = 0; k < 200; k += 6) things[static_cast<std::size_t>(k)]->moveTo(room);
    expectPositionsAgree();
    EXPECT_EQ(list.size(), 2u + 200u - 67u + 34u);
    EXPECT_FALSE(list.contains(things[3]));
    EXPECT_TRUE(list.contains(things[6]));
    EXPECT_EQ(list.nodes().back(), things[198]);
}

}  // namespace
