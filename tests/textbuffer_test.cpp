#include "frontend/textbuffer.h"

#include <gtest/gtest.h>

namespace velmo {
namespace {

std::vector<std::string> lines(const ttextbuffer& b) {
    std::vector<std::string> out;
    for (int32_t i = b.firstStoredLine(); i < b.lineCount(); ++i) out.push_back(b.line(i));
    return out;
}

TEST(TextBuffer, AppendSplitsAtLineBreaksAndCountsPositions) {
    ttextbuffer b(20);
    b.append("eins\nzwei");
    b.append(" drei\n");
    EXPECT_EQ(lines(b), (std::vector<std::string>{"eins", "zwei drei", ""}));
    EXPECT_EQ(b.textLength(), 15);
    int32_t line = -1, column = -1;
    ASSERT_TRUE(b.locate(5, line, column));
    EXPECT_EQ(line, 1);
    EXPECT_EQ(column, 0);
    ASSERT_TRUE(b.locate(15, line, column));
    EXPECT_EQ(line, 2);
    EXPECT_EQ(column, 0);
    EXPECT_FALSE(b.locate(16, line, column));
}

TEST(TextBuffer, LongLinesWrapAfterTheLastBlankThatFits) {
    ttextbuffer b(10);
    b.append("aaaa bbbb cccc dddd");
    EXPECT_EQ(lines(b), (std::vector<std::string>{"aaaa bbbb ", "cccc dddd"}));
    EXPECT_FALSE(b.endsParagraph(0));
    // Wrapping adds no characters: positions still count the text.
    EXPECT_EQ(b.textLength(), 19);
    int32_t line = -1, column = -1;
    ASSERT_TRUE(b.locate(12, line, column));
    EXPECT_EQ(line, 1);
    EXPECT_EQ(column, 2);
}

TEST(TextBuffer, AWordLongerThanTheLineIsCutHard) {
    ttextbuffer b(4);
    b.append("abcdefghij");
    EXPECT_EQ(lines(b), (std::vector<std::string>{"abcd", "efgh", "ij"}));
    // Blanks may hang over the edge without a new line.
    ttextbuffer c(4);
    c.append("abcd   ");
    EXPECT_EQ(lines(c), (std::vector<std::string>{"abcd   "}));
}

TEST(TextBuffer, ATenThousandCharacterLineStaysBounded) {
    ttextbuffer b(72, 4096);
    for (int i = 0; i < 20; ++i) b.append(std::string(10000, 'x') + "\n");
    // Old lines were dropped, but indices of later lines did not move.
    EXPECT_GT(b.firstStoredLine(), 0);
    EXPECT_EQ(b.line(0), "");
    EXPECT_EQ(b.line(b.lineCount() - 2), std::string(10000 % 72, 'x'));
    EXPECT_EQ(b.textLength(), 200020);
}

TEST(TextBuffer, ReplaceLineAndClear) {
    ttextbuffer b(20);
    b.append("eins\nzwei");
    b.replaceLine(1, ">nimm");
    b.replaceLine(7, "nirgends");
    EXPECT_EQ(lines(b), (std::vector<std::string>{"eins", ">nimm"}));
    EXPECT_EQ(b.textLength(), 10);
    b.addStyle(0, 4, tstyle::bold);
    b.clear();
    EXPECT_EQ(b.lineCount(), 1);
    EXPECT_EQ(b.textLength(), 0);
    EXPECT_TRUE(b.styles().empty());
}

}  // namespace
}  // namespace velmo
