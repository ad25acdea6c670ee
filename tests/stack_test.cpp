#include <gtest/gtest.h>

#include "base/stack.h"

using namespace velmo;

TEST(Stack, EmptyStackPopAndPeekAreHarmless) {
    tStringStack s;
    std::string out = "untouched";
    EXPECT_TRUE(s.IsEmpty());
    EXPECT_FALSE(s.Pop(out));
    EXPECT_EQ(out, "untouched");
    EXPECT_EQ(s.Peek(), nullptr);
    EXPECT_FALSE(s.Drop());
}
