#include "frontend/statusline.h"

#include <gtest/gtest.h>

namespace velmo {
namespace {

TEST(StatusLine, FormatsOfTheRightPart) {
    tstatusvalues v;
    v.score = 12;
    v.moves = 40;
    std::string line = composeStatusLine("Garten", v, 30);
    EXPECT_EQ(line.size(), 30u);
    EXPECT_EQ(line, " Garten" + std::string(16, ' ') + "12/40  ");

    v.format = 1;
    EXPECT_EQ(composeStatusLine("Garten", v, 40), " Garten" + std::string(13, ' ') +
                                                      "Punkte:12  Z\xFC"
                                                      "ge:40  ");

    v.format = 2;
    v.minutes = 545;
    EXPECT_EQ(composeStatusLine("", v, 12), "      9:05  ");
    v.minutes = 600;
    EXPECT_EQ(composeStatusLine("", v, 12), "     10:00  ");

    v.format = 3;
    v.message = "Nebel";
    EXPECT_EQ(composeStatusLine("Garten", v, 20), " Garten      Nebel  ");

    v.format = -1;
    EXPECT_EQ(composeStatusLine("Garten", v, 10), " Garten   ");
}

TEST(StatusLine, CentredFormatAndClockText) {
    tstatusvalues v;
    v.format = 4;
    // Position 11 div 2 - 5 div 2 = 3, counted from 1.
    EXPECT_EQ(composeStatusLine("Mitte", v, 11), "  Mitte    ");
    EXPECT_EQ(composeStatusLine("Hof", v, 72), std::string(34, ' ') + "Hof" + std::string(35, ' '));
    // A text wider than the line starts at its left edge and is cut.
    EXPECT_EQ(composeStatusLine("Turmzimmer", v, 6), "Turmzi");
    EXPECT_EQ(clockText(545), "9:05");
    EXPECT_EQ(clockText(0), "0:00");
    EXPECT_EQ(clockText(1439), "23:59");
}

}  // namespace
}  // namespace velmo
