#include <gtest/gtest.h>

#include <set>

#include "script/keywords.h"

using namespace velmo;

TEST(Keywords, RowsCarryTheirCodes) {
    EXPECT_EQ(kKeywords[kRowWrite].code, kCodeWrite);
    EXPECT_EQ(kKeywords[kRowQuit].code, kCodeQuit);
    EXPECT_EQ(kKeywords[kRowPlain].code, kCodePlain);
    EXPECT_EQ(kKeywords[kRowFunction].code, kCodeFunction);
    EXPECT_EQ(kKeywords[kRowAddScores].code, kCodeAddScores);
    std::set<int32_t> codes;
    for (const tkeyword& k : kKeywords) codes.insert(k.code);
    EXPECT_EQ(codes.size(), std::size_t(kKeywordRows));  // every code once
}

TEST(Keywords, FirstMatchingRowWinsEvenInsideLongerNames) {
    EXPECT_EQ(findKeywordRow("dog=1"), kRowDo);      // read as "do"
    EXPECT_EQ(findKeywordRow("format=2"), kRowFor);  // read as "for"
    EXPECT_EQ(findKeywordRow("setShort(\"x\")"), kRowSetShort);
    EXPECT_EQ(findKeywordRow("stringx"), kRowString);
    EXPECT_EQ(findKeywordRow("x=1"), -1);
    EXPECT_EQ(findKeywordRow(std::string_view("\0", 1)), kRowPlain);  // never in story text
}

// Every keyword, followed by more text, finds the first row whose keyword
// begins it, as a plain comparison with every row finds it.
TEST(Keywords, EveryKeywordFindsTheFirstRowThatBeginsIt) {
    for (const tkeyword& k : kKeywords) {
        const std::string statement = std::string(k.text) + "x(1)";
        int32_t expected = -1;
        for (int32_t row = 0; row < kKeywordRows && expected < 0; ++row)
            if (statement.compare(0, kKeywords[row].text.size(), kKeywords[row].text) == 0)
                expected = row;
        EXPECT_EQ(findKeywordRow(statement), expected) << statement;
    }
    EXPECT_EQ(findKeywordRow(""), -1);
}
