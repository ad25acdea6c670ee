#include <gtest/gtest.h>

#include "story/deflist.h"

using namespace velmo;

TEST(Definitions, StartWithSystemOnlyWhenPlaying) {
    tdeflist playing(true);
    EXPECT_TRUE(playing.defines("SYSTEM"));
    EXPECT_FALSE(playing.defines("system"));
    tdeflist compiling(false);
    EXPECT_EQ(compiling.size(), 0u);
    playing.clear(false);
    EXPECT_FALSE(playing.defines("SYSTEM"));
}

TEST(Definitions, LongerNamesAreSubstitutedFirst) {
    tdeflist defs(false);
    defs.add("A", "x");
    defs.add("AB", "y");
    defs.add("C", "1");
    defs.add("B", "2");
    defs.sortLongestFirst();
    ASSERT_EQ(defs.size(), 4u);
    EXPECT_EQ(defs.entries()[0].name, "AB");
    // Equal lengths keep the order in which they were met.
    EXPECT_EQ(defs.entries()[1].name, "A");
    EXPECT_EQ(defs.entries()[2].name, "C");
    EXPECT_EQ(defs.entries()[3].name, "B");

    std::string text = "AB A ABA \"CAB\" Ab";
    ASSERT_TRUE(defs.substitute(text, 1000));
    EXPECT_EQ(text, "y x yx \"1y\" xb");
}

TEST(Definitions, SubstitutionIsBounded) {
    tdeflist defs(false);
    defs.add("", "leer");  // an empty name replaces nothing
    defs.add("A", "AA");   // the value holds the name: replaced once
    std::string text = "A-A";
    ASSERT_TRUE(defs.substitute(text, 100));
    EXPECT_EQ(text, "AA-AA");

    // Definitions that multiply the text stop at the limit.
    tdeflist chain(false);
    chain.add("X", std::string(1000, 'Y'));
    chain.add("Y", std::string(1000, 'Z'));
    std::string small(1000, 'X');
    EXPECT_FALSE(chain.substitute(small, 64u << 20));
}
