#include <gtest/gtest.h>

#include "story/characters.h"
#include "support/story_files.h"

using namespace velmo;
using velmo::test::lines;

namespace {

// The character rules on text written with "\n" for line ends; "!" plus
// line and character when a character is rejected.
std::string rules(const std::string& text) {
    std::string out;
    tbadcharacter bad;
    if (!applyCharacterRules(lines(text), out, bad))
        return "!" + std::to_string(bad.line) + bad.character;
    for (char& c : out)
        if (c == '\xFE') c = '\n';
    return out;
}

}  // namespace

TEST(CharacterRules, BlanksAndComments) {
    EXPECT_EQ(rules("a = 1 /* Kommentar */ ;\n"), "a=1;\n");
    EXPECT_EQ(rules("/* eins\nzwei\ndrei */x;\n"), "\n\nx;\n");
    EXPECT_EQ(rules("\tx\t= \"a\tb c\";\n"), "x=\"ab c\";\n");
    // Quotes and "$" inside a comment are dropped with it.
    EXPECT_EQ(rules("/* \"$ */a;\n"), "a;\n");
    // "/*" opens a comment inside a literal too.
    EXPECT_EQ(rules("s=\"a/*b*/c\";\n"), "s=\"ac\";\n");
    EXPECT_EQ(rules("a=b/c;\n"), "a=b/c;\n");
    // A run of blanks and tabs goes whole outside literals; one that leads
    // into a literal or a comment leaves the quote and the "/" their rules.
    EXPECT_EQ(rules("x \t \t= \t\"a \t b\" \t /* c */ \t;\n"), "x=\"a  b\";\n");
    EXPECT_EQ(rules("s=\"  \t\";\n"), "s=\"  \";\n");
}

// Text between the bytes with rules is copied in runs; the rules must
// still see every byte at a run's edge.
TEST(CharacterRules, RunsEndAtEveryByteWithARule) {
    EXPECT_EQ(rules("abc/*d*/ef;\n"), "abcef;\n");
    EXPECT_EQ(rules("a*/b;\n"), "a*b;\n");  // "*/" outside a comment drops the "/"
    EXPECT_EQ(rules("wort\"ein Text\"wort;\n"), "wort\"ein Text\"wort;\n");
    // A comment skips its bytes, bad ones too, but keeps its line ends.
    EXPECT_EQ(rules("x;/* ' $\n ` */y;\n"), "x;\ny;\n");
    EXPECT_EQ(rules("x;/* $\n */yz$;\n"), "!2$");
    EXPECT_EQ(rules("s=\"langer Text\xE4\" $"), "!1$");
}

TEST(CharacterRules, LiteralsOverSeveralLines) {
    EXPECT_EQ(rules("s=\"eins\nzwei\";\n"), "s=\"eins \nzwei\";\n");
    EXPECT_EQ(rules("s=\"eins^\nzwei\";\n"), "s=\"eins^\nzwei\";\n");
}

TEST(CharacterRules, CharactersOutsideLiterals) {
    EXPECT_EQ(rules("a;\nb$;\n"), "!2$");
    EXPECT_EQ(rules("s=\"$'`\xE4\";\n"), "s=\"$'`\xE4\";\n");
    EXPECT_EQ(rules("a'"), "!1'");
    EXPECT_EQ(rules("a`"), "!1`");
    EXPECT_EQ(rules("\xE4"), "!1\xE4");
    EXPECT_EQ(rules("x\x7F"), "!1\x7F");
    EXPECT_EQ(rules("!#%&()*+,-./09:;<=>?@AZ[\\]^_az{|}~"), "!#%&()*+,-./09:;<=>?@AZ[\\]^_az{|}~");
    // A character without a Windows-1252 form is rejected in literals too.
    EXPECT_EQ(rules(std::string("s=\"a") + '\0' + "\";"), std::string("!1") + '\0');
}
