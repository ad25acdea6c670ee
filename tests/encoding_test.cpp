#include <gtest/gtest.h>

#include "base/encoding.h"

using namespace velmo;

TEST(Encoding, RoundTripsEveryByteThroughUtf8) {
    std::string all;
    for (int b = 1; b < 256; ++b) all += static_cast<char>(b);
    std::string utf8 = cp1252ToUtf8(all);
    std::string back;
    std::size_t bad = 0;
    ASSERT_TRUE(utf8ToCp1252(utf8, back, bad));
    EXPECT_EQ(back, all);
}

TEST(Encoding, ConvertsUmlautsAndEuro) {
    EXPECT_EQ(cp1252ToUtf8("\xE4\xF6\xFC\xDF\x80"), "äöüß€");
    std::string out;
    std::size_t bad = 0;
    ASSERT_TRUE(utf8ToCp1252("Schlüssel „x“", out, bad));
    EXPECT_EQ(out, "Schl\xFCssel \x84x\x93");
}

TEST(Encoding, ReportsWhereACharacterHasNoForm) {
    std::string out;
    std::size_t bad = 0;
    EXPECT_FALSE(utf8ToCp1252("ab\xE2\x86\x92", out, bad));  // an arrow
    EXPECT_EQ(bad, 2u);
    EXPECT_FALSE(utf8ToCp1252("a\xC3", out, bad));  // truncated sequence
    EXPECT_EQ(bad, 1u);
    EXPECT_FALSE(utf8ToCp1252("\xC0\x80", out, bad));  // overlong
    EXPECT_EQ(utf8ToCp1252Lossy("x\xE2\x86\x92y\xFF"), "x?y?");
}

TEST(Encoding, DetectsUtf8Sources) {
    EXPECT_TRUE(looksLikeUtf8("T\xC3\xBCr"));
    EXPECT_FALSE(looksLikeUtf8("T\xFCr"));  // Windows-1252
    EXPECT_FALSE(looksLikeUtf8("plain"));   // nothing to decide: read as Windows-1252
}

TEST(Encoding, CaseMappingCoversWindows1252Letters) {
    EXPECT_EQ(lowerCase("\xC4PFEL \x8A"), "\xE4pfel \x9A");
    EXPECT_EQ(upperCase("\xE4\xFF\xDF"), "\xC4\x9F\xDF");
    EXPECT_TRUE(sameText("T\xDCR", "t\xFCr"));
    EXPECT_FALSE(sameText("\xD7", "\xF7"));  // multiplication and division signs are not letters
}
