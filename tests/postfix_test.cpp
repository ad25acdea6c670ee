#include <gtest/gtest.h>

#include <string>

#include "script/postfix.h"

using namespace velmo;

namespace {

std::string op(unsigned char code) { return std::string(1, static_cast<char>(code)); }

// Story text reaches the conversion with its operators encoded.
std::string convert(const std::string& infix) { return ToPostfix(EncodeOperators(infix)); }

}  // namespace

TEST(Postfix, CallsPutTheirArgumentsFirstWithBlankSeparators) {
    EXPECT_EQ(ToPostfix("x=f(a,b)+1"), "x a b   f 1 + =");
    EXPECT_EQ(ToPostfix("f(g(x),y)"), "x g y   f");
    EXPECT_EQ(ToPostfix("obj.f(x)"), "x obj.f");
    EXPECT_EQ(ToPostfix("f()"), "f");
    EXPECT_EQ(ToPostfix("!f(x)"), "x f !");
    EXPECT_EQ(ToPostfix("f(\"(\")"), "\"(\" f");
}

TEST(Postfix, PrioritiesAndLeftAssociation) {
    EXPECT_EQ(ToPostfix("1+2*3"), "1 2 3 * +");
    EXPECT_EQ(ToPostfix("(1+2)*3"), "1 2 + 3 *");
    EXPECT_EQ(ToPostfix("10-2-3"), "10 2 - 3 -");
    EXPECT_EQ(ToPostfix("c?x:y"), "c x ? y :");
    EXPECT_EQ(ToPostfix("a|b&c"), "a b c & |");
    EXPECT_EQ(ToPostfix("~a+1"), "a ~ 1 +");
}

TEST(Postfix, EveryOperatorByteHasItsRowsPriority) {
    for (const toperatorrow& row : kOperatorTable)
        EXPECT_EQ(operatorPriority(static_cast<char>(row.op)), row.priority) << int(row.op);
    for (const char c : {'a', '0', '"', '(', ')', '[', ',', '\x91', '\xFE'})
        EXPECT_EQ(operatorPriority(c), -1) << int(c);
}

TEST(Postfix, LessOrEqualBindsAsLooselyAsAssignment) {
    EXPECT_EQ(convert("a<=b&&c"), "a b c " + op(kOpAnd) + " " + op(kOpLessEq));
    EXPECT_EQ(convert("x=a<=b"), "x a = b " + op(kOpLessEq));
    EXPECT_EQ(convert("a<b&&c"), "a b < c " + op(kOpAnd));
}

TEST(Postfix, SignsBecomeSubtractionsFromZero) {
    EXPECT_EQ(ToPostfix("-x"), "0 x -");
    EXPECT_EQ(ToPostfix("a=-1"), "a 0 1 - =");
    EXPECT_EQ(ToPostfix("f(-1,-2)"), "0 1 - 0 2 -   f");
    // Unencoded, a sign after another operator binds loosely.
    EXPECT_EQ(ToPostfix("a*-x"), "a 0 * x -");
    // Encoded, "*-x" is the prefix decrement of x.
    EXPECT_EQ(convert("a*-x"), "a x " + op(kOpPreDec));
}

TEST(Postfix, MinusAfterAClosedOperandSubtracts) {
    EXPECT_EQ(ToPostfix("(a+b)-c"), "a b + c -");
    EXPECT_EQ(ToPostfix("f(x)-1"), "x f 1 -");
    EXPECT_EQ(ToPostfix("a[1]-1"), "a[1] 1 -");
    EXPECT_EQ(ToPostfix("\"5\"-1"), "\"5\" 1 -");
    EXPECT_EQ(convert("x++-1"), "x " + op(kOpPostInc) + " 1 -");
}

TEST(Postfix, StringLiteralsStayWhole) {
    EXPECT_EQ(ToPostfix("\"-Kiste\""), "\"-Kiste\"");
    EXPECT_EQ(ToPostfix("setShort(\"-Kiste\")"), "\"-Kiste\" setShort");
    EXPECT_EQ(ToPostfix("write(\"a,b\",c)"), "\"a,b\" c   write");
    EXPECT_EQ(ToPostfix("\"a b+c\"+x"), "\"a b+c\" x +");
}

TEST(Postfix, IndexesStayInsideTheirToken) {
    EXPECT_EQ(ToPostfix("a[i+1]=2"), "a[i+1] 2 =");
    EXPECT_EQ(ToPostfix("a[f(1)]+1"), "a[f(1)] 1 +");
    EXPECT_EQ(ToPostfix("g(a[f(1,2)])"), "a[f(1 2)] g");
}

TEST(Postfix, IncrementsFollowTheirVariable) {
    EXPECT_EQ(convert("x++"), "x " + op(kOpPostInc));
    EXPECT_EQ(convert("++x"), "x " + op(kOpPreInc));
    EXPECT_EQ(convert("y=x++"), "y x " + op(kOpPostInc) + " =");
}

TEST(Postfix, UnbalancedParentheses) {
    std::string out;
    EXPECT_FALSE(ToPostfix("a)", out));
    EXPECT_FALSE(ToPostfix("(a))+1", out));
    EXPECT_TRUE(ToPostfix("(a+b", out));
    EXPECT_EQ(out, "a b + (");  // the open group is left for the evaluator to skip
    EXPECT_TRUE(ToPostfix("f(a", out));
    EXPECT_EQ(out, "f a (");
    EXPECT_TRUE(ToPostfix("", out));
    EXPECT_EQ(out, "");
}
