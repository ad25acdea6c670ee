#include <gtest/gtest.h>

#include "base/wstrlib.h"

using namespace velmo;

TEST(WStrLib, FoldsLowerCaseUmlautsOnly) {
    EXPECT_EQ(foldUmlauts("sch\xF6n gr\xFC\xDF\x65 \xE4rger"), "schoen gruesse aerger");
    EXPECT_EQ(foldUmlauts("\xC4\xD6\xDC"), "\xC4\xD6\xDC");  // capitals stay
    EXPECT_EQ(foldUmlauts(""), "");
}

TEST(WStrLib, BaseFileNameIsLowerCasedAndWithoutFolder) {
    EXPECT_EQ(baseFileName("C:\\Spiele\\Mein.VELMO"), "mein.velmo");
    EXPECT_EQ(baseFileName("/home/a/Story.velmo"), "story.velmo");
    EXPECT_EQ(baseFileName("D:Story.velmo"), "story.velmo");
    EXPECT_EQ(baseFileName("Geschichte.VELMO"), "geschichte.velmo");
    EXPECT_EQ(baseFileName("T\xDCR/"), "");
    EXPECT_EQ(baseFileName("x/" + std::string(300, 'A')), std::string(255, 'a'));
}

TEST(WStrLib, Identifiers) {
    EXPECT_TRUE(isIdentifier("raum_1"));
    EXPECT_TRUE(isIdentifier("liste[3]"));
    EXPECT_TRUE(isIdentifier("_x"));
    EXPECT_FALSE(isIdentifier("1raum"));
    EXPECT_FALSE(isIdentifier("t\xFCr"));
    EXPECT_FALSE(isIdentifier("a.b"));
    EXPECT_FALSE(isIdentifier(""));
}

TEST(WStrLib, Numbers) {
    EXPECT_TRUE(isNumber("0"));
    EXPECT_TRUE(isNumber("007"));
    EXPECT_FALSE(isNumber("-12"));
    EXPECT_FALSE(isNumber("1a"));
    EXPECT_FALSE(isNumber(""));

    EXPECT_EQ(toNumber("-12"), -12);
    EXPECT_EQ(toNumber("7"), 7);
    EXPECT_EQ(toNumber(""), 0);
    EXPECT_EQ(toNumber("-"), 0);
    EXPECT_EQ(toNumber("2147483647"), 2147483647);
    EXPECT_EQ(toNumber("-2147483648"), INT32_MIN);
}

TEST(WStrLib, ToNumberTakesAnyLowByteAsTheSignAndNeverChecks) {
    EXPECT_EQ(toNumber("+5"), -5);  // "+" lies below "-"
    EXPECT_EQ(toNumber(" 5"), -5);
    EXPECT_EQ(toNumber(".5"), 5 + ('.' - 48) * 10);  // "." lies above "-": a digit of value -2
    EXPECT_EQ(toNumber("a"), 'a' - 48);
    EXPECT_EQ(toNumber("\xFF"), 255 - 48);
}

TEST(WStrLib, ToNumberWrapsAroundOnOverflow) {
    EXPECT_EQ(toNumber("2147483648"), INT32_MIN);
    EXPECT_EQ(toNumber("4294967296"), 0);
    EXPECT_EQ(toNumber("4294967297"), 1);
    // Long runs of digits or junk wrap without trouble (the sanitizer build
    // would catch a signed overflow here).
    (void)toNumber(std::string(10000, '9'));
    (void)toNumber("-" + std::string(10000, '\xFF'));
}
