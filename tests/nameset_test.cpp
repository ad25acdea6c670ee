#include <gtest/gtest.h>

#include <string>

#include "model/nameset.h"

using namespace velmo;

// The filter may say "perhaps" for a name it never saw, never "no" for
// one it did; and with a big story's names in it, it still rules out
// most others (or it would save nothing).
TEST(NameSet, NeverRulesOutANameItHoldsAndRulesOutMostOthers) {
    tnameset filter;
    for (int i = 0; i < 20000; ++i) filter.add("Gegenstand" + std::to_string(i));
    for (int i = 0; i < 20000; ++i) ASSERT_TRUE(filter.mayHold("Gegenstand" + std::to_string(i)));
    int perhaps = 0;
    for (int i = 0; i < 1000; ++i) perhaps += filter.mayHold("strlen" + std::to_string(i));
    EXPECT_LT(perhaps, 500);
    EXPECT_FALSE(tnameset().mayHold(""));
}
