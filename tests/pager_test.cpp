#include "term/pager.h"

#include <gtest/gtest.h>

namespace velmo {
namespace {

tkeyevent key(tkey code, char character = 0) {
    tkeyevent event;
    event.key = code;
    event.character = character;
    return event;
}

std::vector<std::string> numbered(int count) {
    std::vector<std::string> lines;
    for (int i = 1; i <= count; ++i) lines.push_back("Zeile " + std::to_string(i));
    return lines;
}

TEST(Pager, ScrollsWithinTheTextAndNamesTheLinesInView) {
    tpager pager("Hilfe", numbered(30));
    tframe frame = pager.draw(11, 40);  // ten rows of text and the footer
    EXPECT_EQ(frame.rowText(0), "Zeile 1");
    EXPECT_EQ(frame.rowText(10).substr(0, 27), " Hilfe  Zeile 1-10 von 30  ");
    EXPECT_TRUE(pager.scroll(key(tkey::pageDown)));
    EXPECT_EQ(pager.top(), 9);  // a page less one line, so one line stays in view
    EXPECT_TRUE(pager.scroll(key(tkey::end)));
    EXPECT_EQ(pager.top(), 20);
    EXPECT_TRUE(pager.scroll(key(tkey::down)));
    EXPECT_EQ(pager.top(), 20);
    EXPECT_TRUE(pager.scroll(key(tkey::other, ' ')));
    EXPECT_EQ(pager.top(), 20);
    EXPECT_TRUE(pager.scroll(key(tkey::home)));
    EXPECT_TRUE(pager.scroll(key(tkey::up)));
    EXPECT_EQ(pager.top(), 0);
    EXPECT_FALSE(pager.scroll(key(tkey::other, 's')));
    EXPECT_TRUE(tpager::leaves(key(tkey::escape)));
    EXPECT_TRUE(tpager::leaves(key(tkey::other, 'q')));
}

TEST(Pager, WrapsLongLinesAndFollowsNewContents) {
    tpager pager("Spielverlauf", {"eins zwei drei vier"}, "l: L\u00f6schen");
    tframe frame = pager.draw(4, 10);
    EXPECT_EQ(frame.rowText(0), "eins zwei");
    EXPECT_EQ(frame.rowText(1), "drei vier");
    pager.scroll(key(tkey::end));
    pager.setLines({});
    frame = pager.draw(4, 30);
    EXPECT_EQ(frame.rowText(0), "");
    EXPECT_EQ(frame.rowText(3).substr(0, 14), " Spielverlauf ");
}

}  // namespace
}  // namespace velmo
