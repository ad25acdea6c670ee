#include "term/interactive.h"

#include <algorithm>
#include <cstdio>
#include <vector>

#include "base/encoding.h"
#include "frontend/game.h"
#include "term/terminal.h"
#include "term/terminalplatform.h"

namespace velmo {

namespace {

constexpr int32_t kDefaultColumns = 70;

// The text area's size: what was asked for, but never more than the
// terminal shows, so that nothing scrolls away before the
// "[Leertaste]" pause.
void textAreaSize(const tterminal& terminal, const tinteractiveoptions& options, int32_t& columns,
                  int32_t& rows) {
    int32_t screenRows = 0;
    int32_t screenColumns = 0;
    terminal.size(screenRows, screenColumns);
    const int32_t fitColumns = std::max<int32_t>(screenColumns - 2, 8);
    const int32_t fitRows = std::max<int32_t>(screenRows - 1, 4);
    columns = std::min(options.columns > 0 ? options.columns : kDefaultColumns, fitColumns);
    rows = options.rows > 0 ? std::min(options.rows, fitRows) : fitRows;
}

// Ctrl+C: like closing the window. With moves made since the last save
// the player may save first; while story code runs the game just ends.
void quitGame(tgame& game, tterminalplatform& platform) {
    if (!platform.gameRunning() && game.storyOpen() && !game.saveDone &&
        game.inputHistory().size() >= 2) {
        const tanswer answer = platform.ask("Spielstand speichern?");
        if (answer == tanswer::cancel) return;
        if (answer == tanswer::yes) {
            game.saveGame();
            if (!game.saveDone) return;  // not saved after all: play on
        }
    }
    platform.quit();
}

// After leaving the full screen the last screenful of the game stays in
// the terminal, so that its last words (an error, the end) can be read.
void printLastLines(const tterminalplatform& platform, int32_t count) {
    std::vector<std::string> lines;
    for (int32_t i = platform.lineCount() - 1; i >= 0 && static_cast<int32_t>(lines.size()) < count;
         --i)
        lines.push_back(platform.line(i));
    while (!lines.empty() && lines.back().find_first_not_of(' ') == std::string::npos)
        lines.pop_back();
    while (!lines.empty() && lines.front().find_first_not_of(' ') == std::string::npos)
        lines.erase(lines.begin());
    for (auto it = lines.rbegin(); it != lines.rend(); ++it) {
        std::string text = *it;
        while (!text.empty() && text.back() == ' ') text.pop_back();
        std::string shown;
        for (char c : cp1252ToUtf8(text)) shown += static_cast<unsigned char>(c) < 0x20 ? ' ' : c;
        std::printf("%s\n", shown.c_str());
    }
    std::fflush(stdout);
}

}  // namespace

int runInteractive(const tinteractiveoptions& options) {
    tterminal terminal;
    if (!terminal.enter()) {
        const std::string message = cp1252ToUtf8("Das Terminal l\xE4sst sich nicht einrichten.");
        std::fprintf(stderr, "velmo-term: %s\n", message.c_str());
        return 1;
    }
    tgamesettings settings;
    textAreaSize(terminal, options, settings.columns, settings.rows);
    settings.seed = options.seed;
    settings.functionKeys = options.functionKeys;

    tterminalplatform platform(terminal, settings.columns + 2);
    platform.setCaption("Velmo");
    tgame game(platform, settings);
    platform.onQuitKey = [&game, &platform] { quitGame(game, platform); };

    std::string story = options.story;
    if (story.empty() &&
        !platform.chooseOpenFile("Datei oeffnen",
                                 "Velmodateien (*.velmo,*.data)|*.VELMO;*.DATA;*.VEL;*.DAT",
                                 std::string(), story)) {
        terminal.leave();
        return 0;
    }
    game.openStory(story);
    const bool opened = game.storyOpen();
    while (game.storyOpen() && !platform.finished()) platform.serve();

    int32_t screenRows = 0;
    int32_t screenColumns = 0;
    terminal.size(screenRows, screenColumns);
    terminal.leave();
    printLastLines(platform, std::max<int32_t>(screenRows - 2, 1));
    return opened ? 0 : 1;
}

}  // namespace velmo
