#include "term/interactive.h"

#include <algorithm>
#include <cstdio>
#include <vector>

#include "base/encoding.h"
#include "frontend/folders.h"
#include "frontend/game.h"
#include "frontend/optionsfile.h"
#include "frontend/plainmode.h"
#include "frontend/settings.h"
#include "term/arguments.h"
#include "term/plaincommand.h"
#include "term/playermenu.h"
#include "term/terminal.h"
#include "term/terminalplatform.h"

namespace velmo {

namespace {

// The status line while no story is open: how to go on.
const char* const kNoStoryHint = " Keine Geschichte offen   F12: Men\xFC   Strg+C: Beenden";

// Ctrl+C: like closing the window. With moves made since the last save
// the player may save first; while story code runs the game just ends.
void quitGame(tgame& game, tterminalplatform& platform) {
    if (!platform.gameRunning() && game.storyOpen() && !game.saveDone &&
        game.inputHistory().size() >= 2) {
        const tanswer answer = platform.ask("Spielstand speichern?");
        if (answer == tanswer::cancel) return;
        // Not saved after all (cancelled or failed): play on.
        if (answer == tanswer::yes && game.saveGame() != tsaveresult::saved) return;
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
    tsettings settings(optionsFolder());
    const bool readable = settings.load();
    const std::string story = storyToOpen(options.story, settings);
    if (story.empty()) return kPlainUsage;

    tterminal terminal;
    if (!terminal.enter()) {
        const std::string message = cp1252ToUtf8("Das Terminal l\xE4sst sich nicht einrichten.");
        std::fprintf(stderr, "velmo-term: %s\n", message.c_str());
        return 1;
    }
    tgamesettings gameSettings;
    gameSettings.seed = options.seed;
    tterminalplatform platform(terminal, settings.values.columns + 2);
    platform.setCaption("Velmo");
    tgame game(platform, gameSettings);
    game.useSettings(&settings);
    // The text area as large as asked for and as the terminal allows, at
    // the start and after every change of the terminal's size: new text
    // wraps at its width and pages at its height.
    const auto fitTextArea = [&] {
        game.setTextSize(options.columns.value_or(settings.values.columns),
                         options.rows.value_or(settings.values.rows));
    };
    fitTextArea();
    platform.onResize = fitTextArea;
    game.saveFolder = chooseSaveFolder();
    game.pictureFolder = choosePictureFolder(game.saveFolder);
    platform.onQuitKey = [&game, &platform] { quitGame(game, platform); };
    platform.onMenuKey = [&] { runPlayerMenu(game, platform, settings); };
    if (!readable) platform.showMessage(tmessagekind::warning, kOptionsUnreadable);

    game.openStartFile(story);
    const bool opened = game.storyOpen();
    // After the story ends the player stays, as the window does: another
    // story, the authoring commands and the options are in the menu.
    while (opened && !platform.finished()) {
        if (!game.storyOpen() && platform.statusText != kNoStoryHint)
            platform.setStatusText(kNoStoryHint);
        platform.serve();
    }

    int32_t screenRows = 0;
    int32_t screenColumns = 0;
    terminal.size(screenRows, screenColumns);
    terminal.leave();
    printLastLines(platform, std::max<int32_t>(screenRows - 2, 1));
    return opened ? 0 : 1;
}

int runInteractiveCommand(int argc, char** argv) {
    tinteractiveoptions options;
    tsizeoptions sizes;
    for (int i = 1; i < argc; ++i) {
        std::string error;
        const targresult taken = takeSizeOption(argc, argv, i, sizes, error);
        if (taken == targresult::bad) {
            std::fprintf(stderr, "velmo-term: %s\n", error.c_str());
            return kPlainUsage;
        }
        if (taken == targresult::taken) continue;
        if (argv[i][0] == '-' || !options.story.empty()) return kPlainUsage;
        options.story = argv[i];
    }
    // From a pipe or a file the input lines are played in the plain mode.
    if (!tterminal::interactive()) return runPlainCommand(argc, argv);
    options.columns = sizes.columns;
    options.rows = sizes.rows;
    options.seed = sizes.seed;
    return runInteractive(options);
}

}  // namespace velmo
