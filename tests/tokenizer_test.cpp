#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/tokenizer.h"

using namespace velmo;

namespace {

std::vector<std::string> split(std::string_view text, std::string_view delimiters,
                               std::string_view grouping, bool keep = false) {
    ttokenizer t(text, tcharset(delimiters), tcharset(grouping), keep);
    return t.Tokens();
}

using Tokens = std::vector<std::string>;

}  // namespace

TEST(Tokenizer, SplitsAtDelimitersAndCanKeepThem) {
    EXPECT_EQ(split("a,b", ",", ""), (Tokens{"a", "b"}));
    EXPECT_EQ(split("a,b", ",", "", true), (Tokens{"a", ",", "b"}));
    EXPECT_EQ(split("nimm  apfel", " ", "", true), (Tokens{"nimm", " ", " ", "apfel"}));
}

TEST(Tokenizer, NeverProducesEmptyTokens) {
    EXPECT_EQ(split(",,a,,", ",", ""), (Tokens{"a"}));
    EXPECT_TRUE(split("", ",", "").empty());
    EXPECT_TRUE(split(",,,", ",", "").empty());
}

TEST(Tokenizer, GroupsOnlyWithGroupingCharacters) {
    EXPECT_EQ(split("f(a,b),c", ",", "()"), (Tokens{"f(a,b)", "c"}));
    EXPECT_EQ(split("f(a,b),c", ",", "\""), (Tokens{"f(a", "b)", "c"}));
    EXPECT_EQ(split("x[1,2],y", ",", "[]"), (Tokens{"x[1,2]", "y"}));
    // Parentheses as delimiters split instead.
    EXPECT_EQ(split("f(a)", "()", "", true), (Tokens{"f", "(", "a", ")"}));
}

TEST(Tokenizer, QuotesKeepDelimitersAndStayInTheToken) {
    EXPECT_EQ(split("\"x,y\",z", ",", "\""), (Tokens{"\"x,y\"", "z"}));
    EXPECT_EQ(split("sage \"hallo welt\" zu hans", " ", "\""),
              (Tokens{"sage", "\"hallo welt\"", "zu", "hans"}));
    // Parentheses inside a quote do not group.
    EXPECT_EQ(split("\"(\",a", ",", "\"()"), (Tokens{"\"(\"", "a"}));
}

TEST(Tokenizer, QuoteInsideGroupDoesNotOpenAString) {
    // The quote inside the parentheses is plain text: the comma after the
    // group splits although an odd number of quotes came before it.
    EXPECT_EQ(split("f(\"a),b", ",", "\"()"), (Tokens{"f(\"a)", "b"}));
    EXPECT_EQ(split("f(\",\"),b", ",", "\"()"), (Tokens{"f(\",\")", "b"}));
}

TEST(Tokenizer, ParenthesesAndBracketsShareOneGroupFlag) {
    // "]" closing the last bracket ends the group although "(" is open.
    EXPECT_EQ(split("(a[b],c),d", ",", "()[]"), (Tokens{"(a[b]", "c)", "d"}));
    // ")" closing the last parenthesis ends it inside an open "[".
    EXPECT_EQ(split("[a(b),c],d", ",", "()[]"), (Tokens{"[a(b)", "c]", "d"}));
    // A stray ")" leaves the count negative: the next "(" groups again.
    EXPECT_EQ(split("),(,),a", ",", "()"), (Tokens{")", "(,)", "a"}));
}

TEST(Tokenizer, CursorWalksAndStaysAtTheEnd) {
    ttokenizer t("a b", tcharset(" "), tcharset(), false);
    EXPECT_EQ(t.Count(), 2);
    EXPECT_EQ(t.Next(), "a");
    EXPECT_TRUE(t.HasNext());
    EXPECT_EQ(t.Next(), "b");
    EXPECT_FALSE(t.HasNext());
    EXPECT_EQ(t.Next(), "");
    EXPECT_EQ(t.Next(), "");
    EXPECT_EQ(t.cursor, 2);
    t.cursor = -5;  // a caller's mistake never reads out of range
    EXPECT_FALSE(t.HasNext());
    EXPECT_EQ(t.Next(), "");
}
