// The whole player on the terminal host, its keys typed ahead through a
// pipe: paging, a topic menu chosen with the cursor keys, the history,
// and the end of input while the game waits.

#include <gtest/gtest.h>

#include <fcntl.h>
#include <unistd.h>
#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "frontend/game.h"
#include "frontend/settings.h"
#include "term/playermenu.h"
#include "term/terminalplatform.h"

namespace velmo {
namespace {

const char* const kStory =
    "verb(\"lang\",lang,1);\n"
    "verb(\"hilfe\",hilf,1);\n"
    "verb(\"taste\",tast,1);\n"
    "int parserError(int code, string word, object obj) { write(\"Wie bitte?^\"); return(1); }\n"
    "class halle { setShort(\"-Halle\"); string StatusLine() { return(\"Halle\"); } }\n"
    "class spieler {\n"
    "  setShort(\"+Spieler\");\n"
    "  moveto(halle);\n"
    "  int scope(object o) { return(1); }\n"
    "  int onAction(string v) {\n"
    "    int i;\n"
    "    if (v == \"lang\") { i = 1; while (i <= 30) { write(\"Zeile \" + i + \"^\"); i = i + 1; } "
    "}\n"
    "    if (v == \"hilf\") { write(\"Thema \" + menu(1, \"Hilfe^Eins^Zwei^Drei\") + \"^\"); }\n"
    "    if (v == \"tast\") { write(\"Taste [\" + getKey() + \"]^\"); }\n"
    "    return(1);\n"
    "  }\n"
    "}\n"
    "void main() { setPlayer(spieler); write(\"Eine Halle.^\"); }\n";

class TerminalGameTest : public ::testing::Test {
protected:
    int input[2] = {-1, -1};
    int screen = -1;
    std::filesystem::path folder;

    void SetUp() override {
        ASSERT_EQ(pipe(input), 0);
        screen = open("/dev/null", O_WRONLY);
        const char* base = std::getenv("VELMO_TEST_TMP");
        folder = base ? std::filesystem::path(base) : std::filesystem::temp_directory_path();
        folder /= "termgame_" +
                  std::to_string(std::chrono::steady_clock::now().time_since_epoch().count());
        std::filesystem::create_directories(folder);
        std::ofstream(folder / "halle.velmo") << kStory;
    }
    void TearDown() override {
        if (input[1] >= 0) close(input[1]);
        close(input[0]);
        close(screen);
        std::error_code ignored;
        std::filesystem::remove_all(folder, ignored);
    }
    // Plays the story with these keys, then the end of input.
    void play(const std::string& keys,
              const std::function<void(tgame&, tterminalplatform&)>& check) {
        ASSERT_EQ(write(input[1], keys.data(), keys.size()), static_cast<ssize_t>(keys.size()));
        close(input[1]);
        input[1] = -1;
        tterminal terminal(input[0], screen);
        tgamesettings settings;
        settings.rows = 10;
        tterminalplatform host(terminal, settings.columns + 2);
        tgame game(host, settings);
        game.openStory((folder / "halle.velmo").string());
        ASSERT_TRUE(game.storyOpen());
        while (game.storyOpen() && !host.finished()) host.serve();
        check(game, host);
    }
};

TEST_F(TerminalGameTest, PagingMenuAndHistoryTypedAhead) {
    // 30 lines on a screen of 10 pause three times: blanks go on. Then
    // the menu: Down twice, Enter. Then Up recalls "hilfe".
    play("lang\r   hilfe\r\x1b[B\x1b[B\r\x1b[A", [](tgame& game, tterminalplatform& host) {
        // The menu cleared the screen before "Thema 3".
        EXPECT_EQ(host.line(host.lineCount() - 3), "Thema 3");
        EXPECT_EQ(host.line(host.lineCount() - 1), ">hilfe");
        EXPECT_EQ(game.inputHistory(), (std::vector<std::string>{">lang", ">hilfe"}));
    });
}

TEST_F(TerminalGameTest, ACommandTypedAtPausesIsNotLost) {
    // "s", "c" and "h" end the three pauses and still reach the input line.
    play("lang\rschau\r", [](tgame& game, tterminalplatform&) {
        EXPECT_EQ(game.inputHistory(), (std::vector<std::string>{">lang", ">schau"}));
    });
}

// The rows of the screen the host shows now, as text.
std::vector<std::string> screenRows(tterminalplatform& host) {
    host.redraw();
    std::vector<std::string> rows;
    const tframe* frame = host.shownFrame();
    for (int32_t r = 0; frame && r < frame->rows(); ++r) rows.push_back(frame->rowText(r));
    return rows;
}

bool hasRow(const std::vector<std::string>& rows, const std::string& text) {
    return std::find(rows.begin(), rows.end(), text) != rows.end();
}

TEST_F(TerminalGameTest, LeavingATopicMenuGivesBackTheTextBeforeIt) {
    play("lang\r   hilfe\r\x1b", [](tgame&, tterminalplatform& host) {
        const std::vector<std::string> rows = screenRows(host);
        // The menu cleared the text area; the lines before it stand above
        // the answer again.
        EXPECT_TRUE(hasRow(rows, "Zeile 30"));
        EXPECT_TRUE(hasRow(rows, ">hilfe"));
        EXPECT_TRUE(hasRow(rows, "Thema 0"));
        EXPECT_EQ(host.line(0), "");  // the text area itself stays cleared
    });
}

TEST_F(TerminalGameTest, PageUpScrollsBackAndAnyKeyReturns) {
    play("lang\r   \x1b[5~", [](tgame&, tterminalplatform& host) {
        const std::vector<std::string> rows = screenRows(host);
        EXPECT_TRUE(hasRow(rows, "Zeile 1"));
        EXPECT_EQ(rows.back().substr(0, 4), " Zur");  // the hint at the bottom
    });
    TearDown();
    SetUp();
    play("lang\r   \x1b[5~\x1b[6~", [](tgame&, tterminalplatform& host) {
        const std::vector<std::string> rows = screenRows(host);
        EXPECT_FALSE(hasRow(rows, "Zeile 1"));
        EXPECT_EQ(rows.back(), ">");
    });
}

TEST_F(TerminalGameTest, TheMouseWheelScrollsBackAndForthLikeThePageKeys) {
    const std::string up = "\x1b[<64;5;5M";
    const std::string down = "\x1b[<65;5;5M";
    std::string keys = "lang\r   ";
    for (int i = 0; i < 12; ++i) keys += up;
    play(keys, [](tgame&, tterminalplatform& host) {
        const std::vector<std::string> rows = screenRows(host);
        EXPECT_TRUE(hasRow(rows, "Zeile 1"));
        EXPECT_EQ(rows.back().substr(0, 4), " Zur");
    });
    TearDown();
    SetUp();
    for (int i = 0; i < 12; ++i) keys += down;
    play(keys, [](tgame&, tterminalplatform& host) {
        const std::vector<std::string> rows = screenRows(host);
        EXPECT_FALSE(hasRow(rows, "Zeile 1"));
        EXPECT_EQ(rows.back(), ">");
    });
}

TEST_F(TerminalGameTest, QAtAPauseStillSkipsTheRestOfTheLine) {
    // "q" ends the first pause and drops the second "lang"; blanks go on.
    play("lang. lang\rq   ", [](tgame&, tterminalplatform& host) {
        const std::string text = host.wholeText();
        EXPECT_NE(text.find("Zeile 30"), std::string::npos);
        EXPECT_EQ(text.find("Zeile 30"), text.rfind("Zeile 30"));
    });
}

TEST_F(TerminalGameTest, AFullInputLineSaysSo) {
    play(std::string(80, 'a'), [](tgame&, tterminalplatform& host) {
        const std::vector<std::string> rows = screenRows(host);
        EXPECT_EQ(host.line(host.lineCount() - 1), ">" + std::string(69, 'a'));
        // No free cell beside the caret on 80 columns: the status line says it.
        EXPECT_NE(rows.front().find("Zeile voll"), std::string::npos) << rows.front();
    });
}

TEST_F(TerminalGameTest, EnterEndsAKeyWaitAsABlank) {
    play("taste\r\r", [](tgame&, tterminalplatform& host) {
        EXPECT_EQ(host.line(host.lineCount() - 3), "Taste [ ]");
    });
}

TEST_F(TerminalGameTest, KeyWaitTakesAUtf8UmlautAndEndOfInputEndsAWait) {
    play("taste\r\x1b\xC3\x84taste\r", [](tgame& game, tterminalplatform& host) {
        // Esc does not end the wait; "Ä" does, lower-cased.
        EXPECT_EQ(host.line(host.lineCount() - 5), "Taste [\xE4]");
        // The second wait ended with the input: no key, no hang.
        EXPECT_EQ(host.line(host.lineCount() - 3), ">taste");
        EXPECT_EQ(host.line(host.lineCount() - 2).substr(0, 7), "Taste [");
        EXPECT_TRUE(game.closing());
    });
}

TEST_F(TerminalGameTest, TheMenuChangesTheColumnsAndSavesThem) {
    const std::string keys =
        "\x1b[B\r\r\x7f\x7f"
        "40\r\r";  // Optionen, Darstellung, 40 columns
    ASSERT_EQ(write(input[1], keys.data(), keys.size()), static_cast<ssize_t>(keys.size()));
    close(input[1]);
    input[1] = -1;
    tterminal terminal(input[0], screen);
    tterminalplatform host(terminal, 72);
    tgamesettings gameSettings;
    tgame game(host, gameSettings);
    tsettings settings((folder / "optionen").string() + "/");
    ASSERT_TRUE(settings.load());
    game.useSettings(&settings);
    game.openStory((folder / "halle.velmo").string());
    runPlayerMenu(game, host, settings);
    EXPECT_EQ(game.columns(), 40);
    EXPECT_EQ(host.buffer.width(), 42);
    tsettings again((folder / "optionen").string() + "/");
    ASSERT_TRUE(again.load());
    EXPECT_EQ(again.values.columns, 40);
}

}  // namespace
}  // namespace velmo
