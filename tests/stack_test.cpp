#include <gtest/gtest.h>

#include "script/stack.h"

using namespace velmo;

TEST(Stack, EmptyStackPopAndPeekAreHarmless) {
    tStringStack s;
    std::string out = "untouched";
    EXPECT_TRUE(s.IsEmpty());
    EXPECT_FALSE(s.Pop(out));
    EXPECT_EQ(out, "untouched");
    EXPECT_EQ(s.Peek(), nullptr);
    EXPECT_FALSE(s.Drop());

    TVarStack vars;
    tvar v;
    EXPECT_FALSE(vars.Pop(v));
    EXPECT_EQ(vars.Peek(), nullptr);
}

TEST(Stack, LoopRecordsAreCopiesWithTheirPendingNames) {
    tloopstack loops;
    tloop fetch;
    fetch.condition = "o";
    fetch.loopKind = kLoopFetch;
    fetch.pending.PushString("apfel");
    loops.Push(fetch);
    fetch.pending.PushString("birne");  // the pushed copy does not see this

    tloop top;
    ASSERT_TRUE(loops.Pop(top));
    EXPECT_EQ(top.loopKind, kLoopFetch);
    EXPECT_EQ(top.pending.Count(), 1u);
    EXPECT_TRUE(loops.IsEmpty());
}
