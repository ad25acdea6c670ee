// The integer a variable record keeps beside its text: assigned integers
// are written out only when read, and every way out of the list (reads,
// undo levels, saved games, write access) sees the exact text.

#include <gtest/gtest.h>

#include <sstream>

#include "base/codedfile.h"
#include "model/varlist.h"
#include "support/expression_fixture.h"

using namespace velmo;
using velmo::test::ExpressionTest;

TEST(ExactInteger, OnlyTheDecimalTextOfAnIntegerCounts) {
    int32_t n = 99;
    EXPECT_TRUE(exactInteger("0", n));
    EXPECT_EQ(n, 0);
    EXPECT_TRUE(exactInteger("-2147483648", n));
    EXPECT_EQ(n, INT32_MIN);
    EXPECT_TRUE(exactInteger("2147483647", n));
    EXPECT_EQ(n, INT32_MAX);
    for (const char* text : {"", "-", "-0", "007", "00", "+5", " 5", "5 ", "12a", "2147483648",
                             "-2147483649", "99999999999", "1.0"})
        EXPECT_FALSE(exactInteger(text, n)) << text;
}

TEST(DecimalText, WritesEveryRangeOfDigits) {
    char digits[kMaxIntDigits];
    for (int32_t n : {0, 7, -7, 10, 99, 100, -100, 12345, 999999, 1000000, INT32_MAX, INT32_MIN})
        EXPECT_EQ(std::string(digits, decimalText(n, digits)), std::to_string(n)) << n;
}

TEST_F(ExpressionTest, AssignedIntegersReadBackAsTheirText) {
    declare(root, "a=1,b=2");
    EXPECT_EQ(eval(root, "a=40+2"), "42");
    EXPECT_EQ(value(root, "a"), "42");
    EXPECT_EQ(root.vars.Records()[0].value, "42");  // made before the records are handed out
    std::ostringstream saved;
    EXPECT_EQ(eval(root, "b=0-7"), "-7");
    root.vars.saveValues(saved);
    std::istringstream in(saved.str());
    tvarlist copy(services);
    bool error = false;
    copy.declare("a,b", kTypeInt, error, 0);
    ASSERT_TRUE(copy.readValues(in));
    EXPECT_EQ(copy.Records()[1].value, "-7");
}

TEST_F(ExpressionTest, WriteAccessSeesTheWholeTextAndEndsTheInteger) {
    declare(root, "a=1");
    eval(root, "a=5*5");
    tvar& record = root.vars.at(0);
    EXPECT_EQ(record.value, "25");
    record.value += "0";  // written from outside: no longer 25
    EXPECT_EQ(eval(root, "a+1"), "251");
    EXPECT_EQ(eval(root, "a==25"), "0");
    root.vars.find("a", 0)->value = "007";
    EXPECT_EQ(eval(root, "a==7"), "0");  // texts differ
    EXPECT_EQ(eval(root, "a+0"), "7");
    EXPECT_EQ(eval(root, "a"), "007");
}

TEST_F(ExpressionTest, UndoAndRestoredGamesReplaceAnAssignedInteger) {
    declare(root, "a=1");
    const tsharedValues first = root.vars.shareValues();
    eval(root, "a=2");
    EXPECT_EQ(eval(root, "a*10"), "20");
    root.vars.restoreValues(first);
    EXPECT_EQ(eval(root, "a*10"), "10");
    EXPECT_EQ(eval(root, "a==1"), "1");

    // Shared undo levels: the level taken after an assignment holds its text.
    const tsharedValues before = root.vars.shareValues();
    eval(root, "a=3");
    const tsharedValues after = root.vars.shareValues();
    EXPECT_EQ((*before)[0], "1");
    EXPECT_EQ((*after)[0], "3");
    root.vars.restoreValues(before);
    EXPECT_EQ(eval(root, "a+0"), "1");

    eval(root, "a=9");
    std::ostringstream written;
    writeStr(written, "5");
    std::istringstream game(written.str());
    ASSERT_TRUE(root.vars.readValues(game));
    EXPECT_EQ(eval(root, "a+1"), "6");
}

TEST_F(ExpressionTest, TextsThatLookLikeNumbersStayTexts) {
    declare(root, "s", kTypeText);
    declare(root, "n");
    EXPECT_EQ(eval(root, "s=\"-0\""), "-0");
    EXPECT_EQ(eval(root, "s==0"), "0");
    EXPECT_EQ(eval(root, "s+1"), "-01");  // a text concatenates
    EXPECT_EQ(eval(root, "n=s"), "-0");
    EXPECT_EQ(eval(root, "n+1"), "1");  // an integer adds its digits' value
    EXPECT_EQ(eval(root, "n==0"), "0");
    EXPECT_EQ(eval(root, "s=12"), "12");
    EXPECT_EQ(eval(root, "s+1"), "121");  // a string variable holding an integer still concatenates
    EXPECT_EQ(eval(root, "s==12"), "1");
}

// A text found to spell no integer is not read for digits again until the
// variable is written: every way of writing it ends that knowledge.
TEST_F(ExpressionTest, ATextSeenAsNoNumberIsReadAgainAfterEveryWrite) {
    declare(root, "n");
    root.vars.find("n", 0)->value = "abc";
    eval(root, "n<9");
    root.vars.find("n", 0)->value = "12";
    EXPECT_EQ(eval(root, "n<9"), "0");  // 12 as a number, not the text "12"
    const tsharedValues twelve = root.vars.shareValues();

    root.vars.at(0).value = "x";
    eval(root, "n<9");
    root.vars.restoreValues(twelve);
    EXPECT_EQ(eval(root, "n<9"), "0");

    eval(root, "n=\"y\"");
    eval(root, "n<9");
    eval(root, "n=3*4");
    EXPECT_EQ(eval(root, "n<9"), "0");
}
