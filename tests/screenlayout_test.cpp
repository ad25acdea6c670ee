#include "term/screenlayout.h"

#include <gtest/gtest.h>

#include <string>

#include "term/screenframe.h"

namespace velmo {
namespace {

int count(const std::string& text, const std::string& part) {
    int n = 0;
    for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1))
        ++n;
    return n;
}

TEST(ScreenFrame, StoryTextCannotSteerTheTerminal) {
    tframe frame(2, 12);
    // ESC, a C1 control (U+009B, the 8-bit CSI) and a tab.
    const int32_t end = frame.put(0, 0,
                                  "a\x1b[2J\xC2\x9B"
                                  "b\tc");
    EXPECT_EQ(frame.rowText(0), "a [2J?b c");
    EXPECT_EQ(end, 9);
    EXPECT_EQ(frame.put(1, 10, "lang"), 12);  // clipped at the row's end
    EXPECT_EQ(frame.rowText(1), "          la");
}

TEST(ScreenFrame, FirstFrameWritesEveryRowThenOnlyChanges) {
    tframe first(3, 10);
    first.put(0, 0, "eins");
    first.put(2, 0, "drei");
    first.cursorRow = 2;
    first.cursorColumn = 4;
    const std::string all = encodeFrame(nullptr, first);
    EXPECT_EQ(count(all, "\x1b[K"), 3);  // each row cleared past its text
    EXPECT_NE(all.find("\x1b[3;5H"), std::string::npos);
    EXPECT_NE(all.find("\x1b[?25h"), std::string::npos);

    EXPECT_EQ(encodeFrame(&first, first), "");

    tframe second = first;
    second.put(2, 4, "x");
    second.cursorColumn = 5;
    const std::string change = encodeFrame(&first, second);
    EXPECT_NE(change.find("\x1b[3;1Hdreix\x1b[K"), std::string::npos);
    EXPECT_EQ(change.find("eins"), std::string::npos);
    EXPECT_NE(change.find("\x1b[3;6H"), std::string::npos);
}

TEST(ScreenFrame, AttributesAndCursorVisibility) {
    tframe frame(1, 8);
    frame.put(0, 0, "ab cd");
    frame.mark(0, 1, 2, kBold);
    frame.mark(0, 3, 5, kUnderline | kStrike);
    const std::string out = encodeFrame(nullptr, frame);
    EXPECT_NE(out.find("a\x1b[0;1mb\x1b[0m \x1b[0;4;9mcd\x1b[0m\x1b[K"), std::string::npos) << out;
    EXPECT_NE(out.find("\x1b[?25l"), std::string::npos);  // no cursor row: hidden

    tframe reversed(1, 4);
    reversed.fill(0, 0, 4, kReverse);
    const std::string bar = encodeFrame(nullptr, reversed);
    // Reverse-video blanks are written out, not erased.
    EXPECT_NE(bar.find("\x1b[0;7m    \x1b[0m"), std::string::npos);
    EXPECT_EQ(bar.find("\x1b[K"), std::string::npos);
}

class ScreenLayoutTest : public ::testing::Test {
protected:
    ttextbuffer text{12};
    tscreenstate state;
    void SetUp() override {
        state.text = &text;
        state.caretShown = true;
    }
    tframe layout(int32_t rows = 5, int32_t columns = 20) {
        return layoutScreen(state, rows, columns);
    }
    void caretAtEnd() {
        state.caretLine = text.lineCount() - 1;
        state.caretColumn = static_cast<int32_t>(text.line(state.caretLine).size());
    }
};

TEST_F(ScreenLayoutTest, StatusLineOnTopInReverseVideo) {
    state.status = " Halle  \xE4";
    const tframe frame = layout();
    EXPECT_EQ(frame.rowText(0), " Halle  \xC3\xA4");
    for (int32_t c = 0; c < frame.columns(); ++c) EXPECT_TRUE(frame.at(0, c).attrs & kReverse) << c;
    EXPECT_EQ(frame.at(1, 0).attrs, 0);
}

TEST_F(ScreenLayoutTest, ShowsTheLastLinesThatFitWithTheCaret) {
    text.append("a\nb\nc\nd\ne\nf\n>nimm");
    caretAtEnd();
    const tframe frame = layout();  // four text rows below the status line
    EXPECT_EQ(frame.rowText(1), "d");
    EXPECT_EQ(frame.rowText(4), ">nimm");
    EXPECT_EQ(frame.cursorRow, 4);
    EXPECT_EQ(frame.cursorColumn, 5);

    state.caretShown = false;  // no story: no caret
    EXPECT_EQ(layout().cursorRow, -1);
}

TEST_F(ScreenLayoutTest, ShortTextStandsAtTheTop) {
    text.append("\n Titel\n\n   Thema");
    state.caretLine = 3;
    state.caretColumn = 2;
    const tframe frame = layout(8);
    EXPECT_EQ(frame.rowText(2), " Titel");
    EXPECT_EQ(frame.cursorRow, 4);
}

TEST_F(ScreenLayoutTest, CaretAboveTheLastScreenScrollsUpToIt) {
    // A topic menu longer than the screen: the marked topic stays in view.
    for (int i = 0; i < 10; ++i) text.append("   Thema " + std::to_string(i) + "\n");
    state.caretLine = 2;
    state.caretColumn = 2;
    const tframe frame = layout();
    EXPECT_EQ(frame.rowText(1), "   Thema 2");
    EXPECT_EQ(frame.cursorRow, 1);
}

TEST_F(ScreenLayoutTest, StyleRunsLandOnTheirCellsAcrossWrappedLines) {
    // "fett" is bold; the run crosses the wrap after "eins zwei ".
    text.append("x\neins zwei drei\n>");
    const int32_t start = 2 + 5;                    // "x\n" then "eins "
    text.addStyle(start, start + 9, tstyle::bold);  // "zwei drei"
    text.addStyle(0, 1, tstyle::italic);
    caretAtEnd();
    const tframe frame = layout();
    ASSERT_EQ(frame.rowText(2), "eins zwei");  // and the blank that hangs over
    ASSERT_EQ(frame.rowText(3), "drei");
    EXPECT_EQ(frame.at(1, 0).attrs, kItalic);
    EXPECT_EQ(frame.at(2, 4).attrs, 0);
    for (int32_t c = 5; c < 10; ++c) EXPECT_EQ(frame.at(2, c).attrs, kBold) << c;
    for (int32_t c = 0; c < 4; ++c) EXPECT_EQ(frame.at(3, c).attrs, kBold) << c;
    EXPECT_EQ(frame.at(4, 0).attrs, 0);
}

TEST_F(ScreenLayoutTest, BoxIsCentredOverTheTextInReverseVideo) {
    text.append("\n\n\n\n\n>");
    state.box = {"", " Ein Kasten ", " "};
    const tframe frame = layoutScreen(state, 10, 30);
    // Text area 12 wide: the 12-cell box starts at column 0, two rows
    // below the text area's top.
    EXPECT_EQ(frame.rowText(3), "");
    EXPECT_TRUE(frame.at(3, 0).attrs & kReverse);
    EXPECT_EQ(frame.rowText(4), " Ein Kasten");
    EXPECT_TRUE(frame.at(6, 11).attrs & kReverse);  // the empty row below
    EXPECT_FALSE(frame.at(7, 0).attrs & kReverse);

    state.box = {"ab"};
    EXPECT_EQ(layoutScreen(state, 10, 30).rowText(3), "     ab");

    // While the box waits its last row says so.
    state.box = {"", " Ein Kasten ", " "};
    state.boxHint = "[Taste]";
    EXPECT_EQ(layoutScreen(state, 10, 30).rowText(6), "    [Taste]");
}

TEST_F(ScreenLayoutTest, DialogLinesAtTheBottomTakeTheCursor) {
    text.append("a\nb\nc\n>");
    caretAtEnd();
    state.prompt = {"Datei: /tmp/\xC3\xBC"};
    state.promptCursor = 13;
    const tframe frame = layout();
    EXPECT_EQ(frame.rowText(4), "Datei: /tmp/\xC3\xBC");
    EXPECT_TRUE(frame.at(4, 19).attrs & kReverse);
    EXPECT_EQ(frame.cursorRow, 4);
    EXPECT_EQ(frame.cursorColumn, 13);

    state.promptCursor = -1;  // a message: the caret under it is hidden
    EXPECT_EQ(layout().cursorRow, -1);
}

TEST(WrapText, BreaksAtBlanksAndLineBreaks) {
    EXPECT_EQ(wrapText("eins zwei drei", 9), (std::vector<std::string>{"eins zwei", "drei"}));
    EXPECT_EQ(wrapText("abcdefghij", 4), (std::vector<std::string>{"abcd", "efgh", "ij"}));
    EXPECT_EQ(wrapText("a\n\nb", 10), (std::vector<std::string>{"a", "", "b"}));
    // Umlauts count as one character each.
    EXPECT_EQ(wrapText("\xC3\xA4\xC3\xB6\xC3\xBC \xC3\x9F", 3),
              (std::vector<std::string>{"\xC3\xA4\xC3\xB6\xC3\xBC", "\xC3\x9F"}));
    EXPECT_EQ(wrapText("", 5), (std::vector<std::string>{""}));
}

}  // namespace
}  // namespace velmo
