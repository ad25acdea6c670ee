#include <gtest/gtest.h>

#include "model/story.h"
#include "support/game_fixture.h"

namespace velmo {
namespace {

using test::GameFixture;

class InputLine : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(f.open()); }
    std::string line() const { return f.platform.lastLine(); }
    GameFixture f;
};

TEST_F(InputLine, ThePromptCannotBeDeletedOrLeft) {
    f.platform.press(tkey::backspace);
    f.platform.press(tkey::left);
    f.platform.press(tkey::home);
    EXPECT_EQ(line(), ">");
    f.platform.type("ab");
    f.platform.press(tkey::left);
    f.platform.press(tkey::left);
    f.platform.press(tkey::left);  // stops right after the prompt
    f.platform.type("x");
    EXPECT_EQ(line(), ">xab");
    f.platform.press(tkey::del);
    f.platform.press(tkey::end);
    f.platform.press(tkey::backspace);
    EXPECT_EQ(line(), ">x");
    f.platform.type("yz");
    f.platform.press(tkey::home);  // the caret goes right after the prompt on key-up
    f.platform.type("w");
    EXPECT_EQ(line(), ">wxyz");
}

TEST_F(InputLine, OnlyAllowedCharactersAreTyped) {
    f.platform.type(
        "\xC4!b?c-\xE9"
        "d:9,\"");
    EXPECT_EQ(line(),
              ">\xC4"
              "bcd:9,\"");
    f.platform.press(tkey::escape);
    EXPECT_EQ(line(), ">");
}

// German quotation marks are typed as they are and become double quotes
// in the command, so "sage „hallo“" quotes like sage "hallo".
TEST_F(InputLine, GermanQuotesCountAsDoubleQuotes) {
    f.platform.type(
        "\x84"
        "Hallo\x93 \xBB"
        "a\xAB \x94");
    EXPECT_EQ(line(),
              ">\x84"
              "Hallo\x93 \xBB"
              "a\xAB \x94");
    EXPECT_EQ(commandText(">Sage \x84"
                          "Gr\xFC\xDF"
                          "e\x93 \xBB"
                          "A\xAB"),
              ">sage \"gruesse\" \"a\"");
}

TEST_F(InputLine, AFullLineTakesOnlyDeletingMovingLeftAndEnter) {
    f.platform.type(std::string(80, 'a'));
    EXPECT_EQ(line(), ">" + std::string(69, 'a'));  // the caret column has passed 70
    f.platform.press(tkey::home);
    f.platform.type("b");
    EXPECT_EQ(line(), ">" + std::string(69, 'a'));
    f.platform.press(tkey::end);
    f.platform.press(tkey::backspace);
    EXPECT_EQ(line(), ">" + std::string(68, 'a'));
    f.platform.type("aa");
    // Enter still submits the full line.
    f.platform.press(tkey::enter);
    EXPECT_EQ(f.game->inputHistory().size(), 1u);
}

TEST_F(InputLine, TypingInTheMiddleNeverGrowsTheLinePastTheWidth) {
    f.platform.type(std::string(68, 'a'));
    for (int i = 0; i < 10; ++i) f.platform.press(tkey::left);
    f.platform.type("bbbbb");
    EXPECT_EQ(line().size(), 70u);
}

TEST_F(InputLine, AnEmptyLineIsIgnoredOnEnter) {
    const std::string before = f.platform.text();
    f.platform.press(tkey::enter);
    EXPECT_EQ(f.platform.text(), before);
}

TEST_F(InputLine, HistoryBrowsingReturnsToTheEditedLine) {
    f.platform.press(tkey::up);  // empty history: nothing happens
    EXPECT_EQ(line(), ">");
    f.enter("schau");
    f.enter("warte");
    f.platform.type("ni");
    f.platform.press(tkey::up);
    EXPECT_EQ(line(), ">warte");
    f.platform.press(tkey::up);
    EXPECT_EQ(line(), ">schau");
    f.platform.press(tkey::up);  // past the first: back to the edited line
    EXPECT_EQ(line(), ">ni");
    f.platform.press(tkey::up);
    f.platform.press(tkey::up);
    f.platform.press(tkey::down);
    EXPECT_EQ(line(), ">warte");
    f.platform.press(tkey::down);
    EXPECT_EQ(line(), ">ni");
    // The caret stands at the end after browsing.
    f.platform.type("mm");
    EXPECT_EQ(line(), ">nimm");
}

TEST(InputLineKeys, FunctionKeysInsertTheirTextWhenItFits) {
    GameFixture f;
    f.settings.functionKeys[0] = std::string(40, 'f');
    f.settings.functionKeys[1] = "schau";
    f.game = std::make_unique<tgame>(f.platform, f.settings);
    ASSERT_TRUE(f.open());
    f.platform.type(std::string(34, 'a'));  // the line holds 35 characters
    f.platform.press(tkey::f2);
    EXPECT_EQ(f.platform.lastLine().size(), 35u);
    f.platform.press(tkey::escape);
    f.platform.press(tkey::f3);
    EXPECT_EQ(f.platform.lastLine(), ">schau");
    f.platform.press(tkey::f4);  // empty text
    f.platform.press(tkey::f1);
    EXPECT_EQ(f.platform.lastLine(), ">schau");
    EXPECT_EQ(f.platform.helpShown, 1);
}

TEST_F(InputLine, CtrlSBeforeTheFirstInputExplains) {
    f.platform.deliver({test::TestPlatform::Event::character, tkey::other, 19, 0});
    EXPECT_EQ(f.platform.messages,
              std::vector<std::string>{
                  "Ein Spielstand kann erst nach der ersten Eingabe gespeichert werden."});
    EXPECT_EQ(line(), ">");
}

// ------------------------------------------------------------ waits

TEST_F(InputLine, AKeyWaitEndsOnlyWithAnAllowedCharacter) {
    f.platform.pushKey(tkey::enter);
    f.platform.pushKey(tkey::escape);
    f.platform.pushChar('!');
    f.platform.pushChar('\xC4');
    f.enter("taste");
    EXPECT_EQ(f.after(">taste"), ">taste\nTaste \xE4\n\n>");
    f.platform.pushChar(' ');
    f.enter("taste");
    EXPECT_EQ(f.after(">taste"), ">taste\nTaste  \n\n>");
}

TEST_F(InputLine, AfterAKeyWaitTheMenuEntriesGetTheirStateBack) {
    f.platform.pushChar('a');
    f.enter("taste");
    EXPECT_TRUE(f.platform.menuEnabled[static_cast<std::size_t>(tmenuaction::restoreGame)]);
    EXPECT_TRUE(f.platform.menuEnabled[static_cast<std::size_t>(tmenuaction::display)]);
}

TEST_F(InputLine, TheEndOfInputInAKeyWaitClosesTheStory) {
    f.enter("taste");
    EXPECT_FALSE(f.game->storyOpen());
    EXPECT_TRUE(f.game->closing());
}

TEST(TopicMenu, UpFromTheFirstTopicSelectsTheLastAndEnterChoosesIt) {
    GameFixture f;
    ASSERT_TRUE(f.open());
    f.platform.pushKey(tkey::up);
    f.platform.pushKey(tkey::enter);
    EXPECT_EQ(f.game->topicMenu(true, "Titel^eins^zwei^drei"), "3");
    EXPECT_EQ(f.platform.statusText, " drei");
    // The menu entries that start another game get their state back after
    // Enter as after Esc: a story can be opened again.
    EXPECT_TRUE(f.platform.menuEnabled[static_cast<std::size_t>(tmenuaction::openStory)]);
    EXPECT_TRUE(f.platform.menuEnabled[static_cast<std::size_t>(tmenuaction::playScript)]);
    EXPECT_FALSE(f.platform.menuEnabled[static_cast<std::size_t>(tmenuaction::recentFiles)]);
    // The menu cleared the screen and leaves it cleared.
    EXPECT_EQ(f.platform.screen(), "\n");
}

TEST(TopicMenu, TheMarkerMovesAndEscReturnsZero) {
    GameFixture f;
    ASSERT_TRUE(f.open());
    const std::string status = f.platform.statusText;
    f.platform.pushKey(tkey::down);
    f.platform.pushKey(tkey::down);
    f.platform.pushKey(tkey::down);  // from the last back to the first
    f.platform.pushKey(tkey::escape);
    EXPECT_EQ(f.game->topicMenu(false, "eins^zwei^drei"), "0");
    EXPECT_EQ(f.platform.statusText, status);
    EXPECT_TRUE(f.platform.menuEnabled[static_cast<std::size_t>(tmenuaction::openStory)]);
}

TEST(TopicMenu, MarkerDrawing) {
    GameFixture f;
    ASSERT_TRUE(f.open());
    f.platform.pushKey(tkey::down);
    // No more events: the window closes, which leaves the menu as Esc.
    EXPECT_EQ(f.game->topicMenu(true, "Titel^eins^zwei"), "0");
    EXPECT_TRUE(f.game->menuCancelled);
}

TEST(TopicMenu, ChoosingByNumberAndSingleTopics) {
    GameFixture f;
    ASSERT_TRUE(f.open());
    f.platform.pushTopic(2);
    EXPECT_EQ(f.game->topicMenu(false, "eins^zwei^drei"), "2");
    f.platform.pushTopic(4);
    EXPECT_EQ(f.game->topicMenu(false, "eins^zwei^drei"), "0");
    // One topic returns at once; a title without topics offers nothing.
    EXPECT_EQ(f.game->topicMenu(false, "eins"), "1");
    EXPECT_EQ(f.game->topicMenu(true, "nur ein Titel"), "0");
    EXPECT_EQ(f.platform.waits.size(), 2u);
}

// ------------------------------------------------------------ paging

TEST(Paging, SixtyLinesPauseTwiceAndTheLineComesBack) {
    GameFixture f;
    ASSERT_TRUE(f.open());
    std::string text;
    for (int i = 1; i <= 60; ++i) text += "Zeile " + std::to_string(i) + "^";
    f.platform.pushChar(' ');
    f.platform.pushChar(' ');
    f.game->writeText(text);
    EXPECT_EQ(f.platform.waits.size(), 2u);
    EXPECT_EQ(f.platform.text().find("[Leertaste]"), std::string::npos);
    EXPECT_NE(f.platform.text().find("Zeile 60\n"), std::string::npos);
}

TEST(Paging, ThePauseShowsTheMarkOnTheLastLineAndPutsItsTextBack) {
    GameFixture f(70, 10);
    ASSERT_TRUE(f.open());
    f.platform.pushChar(' ');
    // Nine rows pause after eight new lines; the ninth line is unfinished.
    f.game->writeText("a^b^c^d^e^f^g^h^i");
    EXPECT_EQ(f.platform.lastLineAtWait, std::vector<std::string>{"[Leertaste]"});
    EXPECT_EQ(f.platform.lastLine(), "i");
}

TEST(Paging, CountsFromTheScreenATopicMenuLeavesEmpty) {
    GameFixture f(70, 15);
    ASSERT_TRUE(f.open());
    for (int i = 0; i < 40; ++i) f.enter("schau");  // many lines, all seen
    f.platform.pushTopic(1);
    f.platform.pushChar(' ');
    f.game->topicMenu(false, "eins^zwei");
    std::string text;
    for (int i = 1; i <= 20; ++i) text += "Zeile " + std::to_string(i) + "^";
    f.game->writeText(text);
    // The menu waited once; the twenty lines after it paused once.
    EXPECT_EQ(f.platform.waits, (std::vector<twait>{twait::menu, twait::page}));
}

TEST(Paging, QAtAPauseSkipsTheRestOfTheLine) {
    GameFixture f;
    ASSERT_TRUE(f.open());
    f.platform.pushChar('q');
    f.enter("lang. warte. warte");
    EXPECT_EQ(f.game->currentStory()->moves, 0);
    EXPECT_NE(f.platform.text().find("Zeile 40"), std::string::npos);
    EXPECT_EQ(f.platform.text().find("Du wartest"), std::string::npos);
    EXPECT_EQ(f.platform.lastLine(), ">");
}

TEST(TextOutput, StyleRunsCoverExactlyTheMarkedText) {
    GameFixture f;
    ASSERT_TRUE(f.open());
    f.game->writeText("^ab<b>cd</>e^f<i>g");
    const auto& runs = f.platform.buffer.styles();
    ASSERT_EQ(runs.size(), 2u);
    int32_t line = 0, column = 0;
    ASSERT_TRUE(f.platform.buffer.locate(runs[0].start, line, column));
    EXPECT_EQ(
        f.platform.buffer.line(line).substr(static_cast<std::size_t>(column),
                                            static_cast<std::size_t>(runs[0].end - runs[0].start)),
        "cd");
    EXPECT_EQ(runs[0].style, tstyle::bold);
    EXPECT_EQ(runs[1].end - runs[1].start, 1);
    EXPECT_EQ(runs[1].style, tstyle::italic);
}

TEST(TextOutput, ABoxShowsItsLinesUntilAKey) {
    GameFixture f;
    ASSERT_TRUE(f.open());
    f.platform.pushChar('x');
    f.game->showBox("Zeile eins^^\\Zitat\\");
    ASSERT_EQ(f.platform.boxesShown.size(), 1u);
    EXPECT_EQ(f.platform.boxesShown[0],
              (std::vector<std::string>{"", " Zeile eins ", "   ", " \"Zitat\" "}));
    EXPECT_TRUE(f.platform.boxLines.empty());  // hidden again after the key
    EXPECT_EQ(f.platform.waits, std::vector<twait>{twait::box});
}

}  // namespace
}  // namespace velmo
