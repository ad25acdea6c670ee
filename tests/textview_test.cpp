#include "term/textview.h"

#include <gtest/gtest.h>

#include "support/test_jpeg.h"
#include "term/keyreader.h"
#include "term/picture.h"
#include "term/screenlayout.h"

namespace velmo {
namespace {

std::vector<std::string> texts(const std::vector<tviewrow>& rows) {
    std::vector<std::string> out;
    for (const tviewrow& row : rows) out.push_back(row.text);
    return out;
}

TEST(TextView, LinesThatFitStayAsTheyAre) {
    ttextbuffer text(30);
    text.append("eins zwei\n > Thema\n>");
    EXPECT_EQ(texts(lastRows(text, 20, 10, 0)),
              (std::vector<std::string>{"eins zwei", " > Thema", ">"}));
}

TEST(TextView, ANarrowerScreenWrapsParagraphsAnewAndFindsTheCaret) {
    ttextbuffer text(22);
    // One paragraph the buffer wrapped at 22 columns, then the input line.
    text.append("aaaa bbbb cccc dddd eeee ffff\n>nimm den roten apfel");
    const std::vector<tviewrow> rows = lastRows(text, 10, 20, 0);
    // A blank may hang over the edge, as in the text buffer.
    EXPECT_EQ(texts(rows), (std::vector<std::string>{"aaaa bbbb ", "cccc dddd ", "eeee ffff",
                                                     ">nimm den ", "roten ", "apfel"}));
    // The caret after "apfel" stands on the last row, after its text.
    int32_t row = -1;
    int32_t column = -1;
    ASSERT_TRUE(findCaret(rows, text.lineCount() - 1, 21, row, column));
    EXPECT_EQ(row, 5);
    EXPECT_EQ(column, 5);
    // Positions still point into the text: "cccc" starts at 10.
    EXPECT_EQ(rows[1].position, 10);
}

TEST(TextView, OnlyTheRowsNeededAreBuiltFromTheEnd) {
    ttextbuffer text(40);
    for (int i = 0; i < 100; ++i) text.append("Zeile " + std::to_string(i) + "\n");
    const std::vector<tviewrow> rows = lastRows(text, 40, 3, text.lineCount());
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[0].text, "Zeile 98");
    // Reaching back to a line (the caret of a long menu) builds more.
    EXPECT_EQ(lastRows(text, 40, 3, 10).front().text, "Zeile 10");
}

TEST(TextView, TheStatusLineKeepsItsRightPartOnANarrowScreen) {
    const std::string status = " Vorgarten" + std::string(50, ' ') + "22:00  ";
    EXPECT_EQ(fitStatusLine(status, 30), " Vorgarten" + std::string(15, ' ') + "22:00");
    EXPECT_EQ(fitStatusLine(status, 12), " Vorga 22:00");
    EXPECT_EQ(fitStatusLine(" kurz", 30), " kurz");
    EXPECT_EQ(fitStatusLine(" ohnel\xFC"
                            "cke",
                            4),
              " ohn");
}

TEST(TextView, ScrollingBackShowsEarlierRowsAndKeptText) {
    ttextbuffer kept(1000);
    kept.append("alt eins\nalt zwei");
    ttextbuffer text(20);
    text.append("\nneu\n>");
    tscreenstate state;
    state.text = &text;
    state.kept = &kept;
    state.caretShown = true;
    state.caretLine = 2;
    state.caretColumn = 1;
    // Four text rows: the kept text stands above the new.
    tframe frame = layoutScreen(state, 5, 20);
    EXPECT_EQ(frame.rowText(1), "alt zwei");
    EXPECT_EQ(frame.rowText(4), ">");
    state.scroll = 10;  // more than there is: stops at the first row
    int32_t shown = 0;
    frame = layoutScreen(state, 5, 20, &shown);
    EXPECT_EQ(shown, 1);
    EXPECT_EQ(frame.rowText(1), "alt eins");
}

TEST(TextView, TheMouseWheelArrivesAsScrolling) {
    tkeyreader reader;
    reader.feed("\x1b[<64;10;5M\x1b[<65;10;5M\x1b[<0;1;1M\x1b[<0;1;1ma");
    tkeyevent event;
    ASSERT_TRUE(reader.next(event));
    EXPECT_EQ(event.wheel, -1);
    ASSERT_TRUE(reader.next(event));
    EXPECT_EQ(event.wheel, 1);
    // A click does nothing; the letter after it still arrives.
    ASSERT_TRUE(reader.next(event));
    EXPECT_EQ(event.character, 'a');
}

TEST(Picture, HalfBlocksShowTwoPixelsACellCentredInColour) {
    tpixels pixels;
    pixels.width = 2;
    pixels.height = 3;  // an odd last row: its lower half stays plain
    pixels.rgb = {0xFF0000, 0x00FF00, 0x0000FF, 0xFFFFFF, 0x102030, 0x000000};
    tframe frame(4, 6);
    drawHalfBlocks(frame, 0, 4, pixels);
    // Two cell rows, centred: rows 1 and 2, columns 2 and 3.
    EXPECT_EQ(frame.at(1, 2).glyph, U'\u2580');
    EXPECT_EQ(frame.at(1, 2).foreground, 0xFF0000u);
    EXPECT_EQ(frame.at(1, 2).background, 0x0000FFu);
    EXPECT_EQ(frame.at(2, 3).foreground, 0x000000u);
    EXPECT_EQ(frame.at(2, 3).background, kNoColour);
    EXPECT_EQ(frame.at(0, 2), tcell{});
    const std::string out = encodeFrame(nullptr, frame);
    EXPECT_NE(out.find("\x1b[0;38;2;255;0;0;48;2;0;0;255m\xE2\x96\x80"), std::string::npos);

    pixels.rgb.resize(2);  // fewer pixels than the size says: nothing drawn
    tframe untouched(4, 6);
    drawHalfBlocks(untouched, 0, 4, pixels);
    EXPECT_EQ(untouched.at(1, 2), tcell{});
}

// The picture keeps its proportions inside the room, is never enlarged,
// and junk is refused rather than drawn.
TEST(Picture, FittedPicturesKeepTheirProportionsAndJunkIsRefused) {
    tpixels pixels;
    ASSERT_TRUE(fitPicture(test::makeJpeg(640, 160), 60, 40, pixels));
    EXPECT_EQ(pixels.width, 60);
    EXPECT_EQ(pixels.height, 15);
    EXPECT_EQ(pixels.rgb.size(), 60u * 15u);
    ASSERT_TRUE(fitPicture(test::makeJpeg(32, 16), 200, 100, pixels));
    EXPECT_EQ(pixels.width, 32);
    EXPECT_EQ(pixels.height, 16);
    const std::vector<unsigned char> junk = {'k', 'e', 'i', 'n', 'e', 's'};
    EXPECT_FALSE(fitPicture(junk, 60, 40, pixels));
    EXPECT_FALSE(fitPicture(test::makeJpeg(32, 16), 0, 40, pixels));
}

}  // namespace
}  // namespace velmo
