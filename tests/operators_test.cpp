#include <gtest/gtest.h>

#include <string>

#include "script/postfix.h"

using namespace velmo;

namespace {

std::string op(unsigned char code) { return std::string(1, static_cast<char>(code)); }

}  // namespace

TEST(Operators, EncodesComparisonsAndAssignments) {
    EXPECT_EQ(EncodeOperators("a<=b"), "a" + op(kOpLessEq) + "b");
    EXPECT_EQ(EncodeOperators("a==b!=c>=d"),
              "a" + op(kOpEqual) + "b" + op(kOpNotEqual) + "c" + op(kOpGreaterEq) + "d");
    EXPECT_EQ(EncodeOperators("a+=1;b-=2;c*=3;d/=4;e%=5;"),
              "a" + op(kOpAddTo) + "1;b" + op(kOpSubFrom) + "2;c" + op(kOpMulBy) + "3;d" +
                  op(kOpDivBy) + "4;e" + op(kOpModBy) + "5;");
    EXPECT_EQ(EncodeOperators("a&&b||c"), "a" + op(kOpAnd) + "b" + op(kOpOr) + "c");
    EXPECT_EQ(EncodeOperators("a<<2>>1"), "a" + op(kOpShiftLeft) + "2" + op(kOpShiftRight) + "1");
    EXPECT_EQ(EncodeOperators("a&=b"), "a&=b");  // no compound "&="
    EXPECT_EQ(EncodeOperators("a<>b"), "a<>b");
}

TEST(Operators, LiteralsKeepTheirOperatorsAndEndARun) {
    EXPECT_EQ(EncodeOperators("s=\"a<=b\"+\"c\"<=d"), "s=\"a<=b\"+\"c\"" + op(kOpLessEq) + "d");
    EXPECT_EQ(EncodeOperators("\"x\"==\"y==\""), "\"x\"" + op(kOpEqual) + "\"y==\"");
    EXPECT_EQ(EncodeOperators("langerName!=zwei"), "langerName" + op(kOpNotEqual) + "zwei");
    // An open literal keeps the rest as it is.
    EXPECT_EQ(EncodeOperators("a==\"b<=c"), "a" + op(kOpEqual) + "\"b<=c");
    EXPECT_EQ(EncodeOperators("a="), "a=");
}

TEST(Operators, TellsPrefixFromPostfixIncrement) {
    EXPECT_EQ(EncodeOperators("x++"), "x" + op(kOpPostInc));
    EXPECT_EQ(EncodeOperators("++x"), op(kOpPreInc) + "x");
    EXPECT_EQ(EncodeOperators("x--;"), "x" + op(kOpPostDec) + ";");
    EXPECT_EQ(EncodeOperators("--Zahl"), op(kOpPreDec) + "Zahl");
    EXPECT_EQ(EncodeOperators("--1"), op(kOpPostDec) + "1");  // a digit is no letter
}

TEST(Operators, SecondSignIsNotComparedWithTheFirst) {
    EXPECT_EQ(EncodeOperators("*-x"), op(kOpPreDec) + "x");
    EXPECT_EQ(EncodeOperators("a<-1"), "a" + op(kOpPostDec) + "1");
    EXPECT_EQ(EncodeOperators("a!&b"), "a" + op(kOpAnd) + "b");
    // After "=" a sign stays a sign.
    EXPECT_EQ(EncodeOperators("a=-1"), "a=-1");
    EXPECT_EQ(EncodeOperators("a=++b"), "a=" + op(kOpPreInc) + "b");
    // "+=" is the compound assignment, not an increment.
    EXPECT_EQ(EncodeOperators("a+=+1"), "a" + op(kOpAddTo) + "+1");
}

TEST(Operators, WalkResumesAfterTheReplacedPair) {
    EXPECT_EQ(EncodeOperators("a+++b"), "a" + op(kOpPostInc) + "+b");
    EXPECT_EQ(EncodeOperators("a===b"), "a" + op(kOpEqual) + "=b");
    EXPECT_EQ(EncodeOperators("<<<<"), op(kOpShiftLeft) + op(kOpShiftLeft));
}

TEST(Operators, LeavesStringsAndTheLastCharacterAlone) {
    EXPECT_EQ(EncodeOperators("write(\"a<=b\")"), "write(\"a<=b\")");
    EXPECT_EQ(EncodeOperators("\"x==\"==y"), "\"x==\"" + op(kOpEqual) + "y");
    EXPECT_EQ(EncodeOperators("\"--x"), "\"--x");  // unterminated string up to the end
    EXPECT_EQ(EncodeOperators("a+"), "a+");
    EXPECT_EQ(EncodeOperators("+"), "+");
    EXPECT_EQ(EncodeOperators(""), "");
}
