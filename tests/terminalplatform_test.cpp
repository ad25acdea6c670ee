// The terminal player's host fed through a pipe: how key strokes reach
// the game, how waits and dialogs end, and that the end of input never
// leaves a wait hanging.

#include "term/terminalplatform.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <unistd.h>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "frontend/inspector.h"
#include "model/story.h"
#include "support/game_fixture.h"

namespace velmo {
namespace {

// Records the key events; the character 'x' ends a wait.
class FakeGame : public tplatformevents {
public:
    void keyDown(tkey key, tmodifiers modifiers) override {
        log += "d" + std::to_string(static_cast<int>(key)) + (modifiers.ctrl ? "c " : " ");
    }
    void keyPress(char character) override {
        log += "p" + std::to_string(static_cast<unsigned char>(character)) + " ";
        if (character == 'x' && waiting) *waiting = false;
    }
    void keyUp(tkey key) override { log += "u" + std::to_string(static_cast<int>(key)) + " "; }
    void chooseTopic(int32_t) override {}
    void closeRequested() override {
        ++closes;
        if (waiting) *waiting = false;
    }
    void fileDropped(const std::string&) override {}
    void pictureClosed() override {}

    std::string log;
    int closes = 0;
    bool* waiting = nullptr;
};

class TerminalPlatformTest : public ::testing::Test {
protected:
    int input[2] = {-1, -1};
    int screen = -1;
    std::unique_ptr<tterminal> terminal;
    std::unique_ptr<tterminalplatform> platform;
    FakeGame game;

    void SetUp() override {
        ASSERT_EQ(pipe(input), 0);
        screen = open("/dev/null", O_WRONLY);
        terminal = std::make_unique<tterminal>(input[0], screen);
        platform = std::make_unique<tterminalplatform>(*terminal, 72);
        platform->setEventTarget(&game);
        platform->append("\n>");
        platform->setInputEnabled(true);
    }
    void TearDown() override {
        platform.reset();
        terminal.reset();
        endInput();
        close(input[0]);
        close(screen);
    }
    void type(const std::string& bytes) {
        ASSERT_EQ(write(input[1], bytes.data(), bytes.size()), static_cast<ssize_t>(bytes.size()));
    }
    void endInput() {
        if (input[1] >= 0) close(input[1]);
        input[1] = -1;
    }
    void waitForX() {
        bool running = true;
        game.waiting = &running;
        platform->processEventsWhile(running, twait::key);
        game.waiting = nullptr;
    }
};

TEST_F(TerminalPlatformTest, EachKeyArrivesAsDownPressUp) {
    type("a\x1b[A\x13x");
    waitForX();
    // a: other with its character; Up: no character; Ctrl+S: 19 with Ctrl.
    EXPECT_EQ(game.log, "d24 p97 u24 d7 u7 d24c p19 u24 d24 p120 u24 ");
    EXPECT_EQ(game.closes, 0);
    EXPECT_FALSE(platform->finished());
}

TEST_F(TerminalPlatformTest, KeysTypedAheadWaitForTheNextReader) {
    int quits = 0;
    platform->onQuitKey = [&quits] { ++quits; };
    type("xab\x03");
    waitForX();
    EXPECT_EQ(game.log, "d24 p120 u24 ");
    // Story code running: the keys stay queued for the input line, but
    // Ctrl+C is acted on at once.
    platform->processEvents();
    EXPECT_EQ(game.log, "d24 p120 u24 ");
    EXPECT_EQ(quits, 1);
    platform->serve();
    platform->serve();
    EXPECT_EQ(game.log, "d24 p120 u24 d24 p97 u24 d24 p98 u24 ");
}

TEST_F(TerminalPlatformTest, EndOfInputEndsEveryWait) {
    type("a");
    endInput();
    waitForX();
    EXPECT_EQ(game.log, "d24 p97 u24 ");
    EXPECT_EQ(game.closes, 1);
    EXPECT_TRUE(platform->finished());
    // A later wait ends at once instead of hanging.
    waitForX();
    EXPECT_EQ(game.closes, 2);
    EXPECT_EQ(platform->ask("Wirklich?"), tanswer::cancel);
    std::string path;
    EXPECT_FALSE(platform->chooseOpenFile("Datei oeffnen", "", "", path));
}

TEST_F(TerminalPlatformTest, CtrlCAsksTheQuitHandlerOrQuits) {
    int asked = 0;
    platform->onQuitKey = [&asked] { ++asked; };
    type("\x03x");
    waitForX();
    EXPECT_EQ(asked, 1);
    EXPECT_EQ(game.log, "d24 p120 u24 ");  // Ctrl+C itself is no key of the game

    platform->onQuitKey = nullptr;
    type("\x03");
    waitForX();
    EXPECT_EQ(game.closes, 1);
    EXPECT_TRUE(platform->finished());
}

TEST_F(TerminalPlatformTest, QuestionsTakeOnlyJNOrEsc) {
    type("xJ");
    EXPECT_EQ(platform->ask("Spielstand speichern?"), tanswer::yes);
    type("n");
    EXPECT_EQ(platform->ask("Spielstand speichern?"), tanswer::no);
    type("\x1b");  // a lone Esc, known as such once nothing follows
    EXPECT_EQ(platform->ask("Spielstand speichern?"), tanswer::cancel);
    type("\x03");
    EXPECT_EQ(platform->ask("Spielstand speichern?"), tanswer::cancel);
    EXPECT_FALSE(platform->finished());
    EXPECT_EQ(game.log, "");  // the dialog's keys never reach the game
}

TEST_F(TerminalPlatformTest, MessageEndsWithEnterAndLeavesLaterKeys) {
    type("ab\rx");
    platform->showMessage(tmessagekind::error, "Fehler");
    waitForX();
    EXPECT_EQ(game.log, "d24 p120 u24 ");
}

TEST_F(TerminalPlatformTest, MenuListSkipsDisabledEntriesAndEscLeavesIt) {
    const std::vector<tterminalplatform::tmenuentry> entries = {
        {"Aus", false}, {"Eins", true}, {"Zwei", false}, {"Drei", true}};
    int32_t chosen = -1;
    type("\x1b[B\r");  // from "Eins" down over "Zwei" to "Drei"
    EXPECT_TRUE(platform->chooseEntry("Men\xFC", entries, chosen));
    EXPECT_EQ(chosen, 3);
    type("\x1b[A\x1b[A\r");  // up from "Eins" round to "Drei", then "Eins"
    EXPECT_TRUE(platform->chooseEntry("Men\xFC", entries, chosen));
    EXPECT_EQ(chosen, 1);
    type("\x1b");
    EXPECT_FALSE(platform->chooseEntry("Men\xFC", entries, chosen));
    EXPECT_FALSE(platform->chooseEntry("Leer", {{"Aus", false}}, chosen));
    EXPECT_EQ(game.log, "");
}

TEST_F(TerminalPlatformTest, TextPromptEditsTheTextAndTakesAnEmptyOne) {
    std::string text = "alt";
    type("\x7f\x7f\x7f\xC3\x9C\tber\r");  // "Über": UTF-8 in, Windows-1252 out
    EXPECT_TRUE(platform->askText("F3", text));
    EXPECT_EQ(text,
              "\xDC"
              "ber");
    type("\x7f\x7f\x7f\x7f\r");
    EXPECT_TRUE(platform->askText("F3", text));
    EXPECT_EQ(text, "");
    type("neu\x1b");
    EXPECT_FALSE(platform->askText("F3", text));
    EXPECT_EQ(text, "");
}

TEST_F(TerminalPlatformTest, F12OpensTheMenuOnlyBetweenInputs) {
    int menus = 0;
    platform->onMenuKey = [&menus] { ++menus; };
    type("\x1b[24~");
    platform->serve();  // reads the key
    platform->serve();  // hands it on
    EXPECT_EQ(menus, 1);
    type("\x1b[24~x");  // inside a wait story code runs: no menu
    waitForX();
    EXPECT_EQ(menus, 1);
    EXPECT_EQ(game.log, "d24 p120 u24 ");
}

class TerminalFileDialogTest : public TerminalPlatformTest {
protected:
    std::filesystem::path folder;
    void SetUp() override {
        TerminalPlatformTest::SetUp();
        const char* base = std::getenv("VELMO_TEST_TMP");
        folder = base ? std::filesystem::path(base) : std::filesystem::temp_directory_path();
        folder /= "termdialog_" +
                  std::to_string(std::chrono::steady_clock::now().time_since_epoch().count());
        std::filesystem::create_directories(folder);
    }
    void TearDown() override {
        std::error_code ignored;
        std::filesystem::remove_all(folder, ignored);
        TerminalPlatformTest::TearDown();
    }
    bool save(const std::string& proposed, std::string& path) {
        return platform->chooseSaveFile("Spielstand speichern", "Spielst\xE4nde|*.memo", "memo",
                                        folder.string(), proposed, path);
    }
};

TEST_F(TerminalFileDialogTest, SaveAddsTheExtensionToANameWithout) {
    std::string path;
    type("\r");
    ASSERT_TRUE(save("spiel", path));
    EXPECT_EQ(path, (folder / "spiel.memo").string());
    // The proposal can be edited: two characters off, another name typed.
    type(
        "\x7F\x7F\x7F\x7F\x7F"
        "bc.sav\r");
    ASSERT_TRUE(save("spiel", path));
    EXPECT_EQ(path, (folder / "bc.sav").string());
}

TEST_F(TerminalFileDialogTest, ExistingFileIsReplacedOnlyWhenConfirmed) {
    std::ofstream(folder / "alt.memo") << "x";
    std::string path;
    // "n": back to the name, which becomes another one.
    type(
        "\rn\x7F\x7F\x7F\x7F\x7F\x7F\x7F\x7F"
        "neu\r");
    ASSERT_TRUE(save("alt.memo", path));
    EXPECT_EQ(path, (folder / "neu.memo").string());
    type("\rj");
    ASSERT_TRUE(save("alt.memo", path));
    EXPECT_EQ(path, (folder / "alt.memo").string());
    path.clear();
    type("\r\x1b");
    EXPECT_FALSE(save("alt.memo", path));
    EXPECT_EQ(path, "");
}

TEST_F(TerminalFileDialogTest, EmptyNameOrEscCancels) {
    std::string path;
    type("\x15\r");  // Ctrl+U types nothing
    EXPECT_TRUE(platform->chooseOpenFile("Datei oeffnen", "", folder.string(), path));
    EXPECT_EQ(path, folder.string() + "/");
    type("\x1b[H\x1b[3~");  // Home, then Delete the whole folder name
    for (std::size_t i = 0; i < folder.string().size(); ++i) type("\x1b[3~");
    type("\r");
    path.clear();
    EXPECT_FALSE(platform->chooseOpenFile("Datei oeffnen", "", folder.string(), path));
    type("abc\x1b");
    EXPECT_FALSE(platform->chooseOpenFile("Datei oeffnen", "", "", path));
    EXPECT_EQ(path, "");
}

TEST_F(TerminalPlatformTest, TheInspectorEvaluatesUntilAnEmptyEnterOrEsc) {
    test::GameFixture story;
    ASSERT_TRUE(story.open());
    std::vector<std::string> history;
    tinspector inspector(*story.game->currentStory(), nullptr, 1,
                         story.game->currentStory()->root(), history);
    // "2*3" evaluated; typing replaces it ("x", then Backspace leaves
    // the line empty) and so does one Backspace; Enter on the empty line
    // closes with OK.
    type("2*3\rx\x7F\r");
    EXPECT_TRUE(platform->runInspector(inspector));
    type("4*5\r\x7F\r");
    EXPECT_TRUE(platform->runInspector(inspector));
    EXPECT_EQ(history, (std::vector<std::string>{"2*3", "4*5"}));
    // Up brings the last expression back; Esc cancels.
    type("\x1b[A\r\x1b");
    EXPECT_FALSE(platform->runInspector(inspector));
    EXPECT_EQ(history, (std::vector<std::string>{"2*3", "4*5", "4*5"}));
    EXPECT_EQ(game.log, "");
}

TEST_F(TerminalPlatformTest, APageScrollsAndHandsOtherKeysOn) {
    tpager pager("Hilfe", std::vector<std::string>(100, "Zeile"));
    std::string others;
    type("\x1b[6~sl\x1b[Fq");  // Bild ab, s, l, Ende, q
    platform->showPage(pager, [&](const tkeyevent& event) { others += event.character; });
    EXPECT_EQ(others, "sl");
    EXPECT_GT(pager.top(), 0);
    EXPECT_EQ(game.log, "");
}

TEST_F(TerminalPlatformTest, TheMouseWheelScrollsAPageAsTheKeysDo) {
    tpager pager("Hilfe", std::vector<std::string>(100, "Zeile"));
    // Two notches down, one up: one notch of rows further on. A notch up
    // at the top stays there.
    type("\x1b[<65;1;1M\x1b[<65;1;1M\x1b[<64;1;1Mq");
    platform->showPage(pager, [](const tkeyevent&) {});
    EXPECT_EQ(pager.top(), kWheelRows);
    type("\x1b[<64;1;1M\x1b[<64;1;1Mq");
    platform->showPage(pager, [](const tkeyevent&) {});
    EXPECT_EQ(pager.top(), 0);
    EXPECT_EQ(game.log, "");
}

// Every paint draws the picture, but decoding it is slow: only a paint for
// a room of another size decodes it again.
TEST_F(TerminalPlatformTest, APictureIsDecodedOnceForEachRoomItIsDrawnIn) {
    int decodes = 0;
    platform->decodePicture = [&decodes](const std::vector<unsigned char>&, int32_t width,
                                         int32_t height, tpixels& pixels) {
        ++decodes;
        pixels = {width, height, std::vector<uint32_t>(static_cast<std::size_t>(width) * height)};
        return true;
    };
    platform->showPicture("Turm", tstorypicture{{0xFF, 0xD8}, {}}, "");
    platform->refresh(true);
    platform->redraw();
    platform->refresh(true);
    EXPECT_EQ(decodes, 1);
    platform->closePicture();
    platform->showPicture("Turm", tstorypicture{{0xFF, 0xD8}, {}}, "");
    platform->refresh(true);
    EXPECT_EQ(decodes, 2);
}

}  // namespace
}  // namespace velmo
