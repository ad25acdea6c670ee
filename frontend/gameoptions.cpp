// The options as the running game uses them, the open dialog of "&Neues
// Spiel öffnen" and the recent files under "Neu öffnen".

#include <algorithm>

#include "base/encoding.h"
#include "base/wstrlib.h"
#include "frontend/game.h"
#include "frontend/settings.h"

namespace velmo {

namespace {

constexpr const char* kOpenTitle =
    "Datei \xF6"
    "ffnen";
constexpr const char* kStoryFilter = "Velmodateien (*.velmo,*.data)|*.VELMO;*.DATA;*.VEL;*.DAT";
constexpr const char* kOptionsUnwritable = "velmo.ini kann nicht geschrieben werden";

constexpr tmenuaction kRecentEntries[] = {tmenuaction::recent1, tmenuaction::recent2,
                                          tmenuaction::recent3};

}  // namespace

void tgame::useSettings(tsettings* chosen) {
    options = chosen;
    if (!options) return;
    settings.functionKeys = options->values.functionKeys;
    setTextSize(options->values.columns, options->values.rows);
    updateRecentFilesMenu();
}

void tgame::setTextSize(int32_t columns, int32_t rows) {
    platform.fitTextArea(columns, rows);
    settings.columns = std::max<int32_t>(columns, 8);
    settings.rows = std::max<int32_t>(rows, 4);
    platform.setTextWidth(settings.columns + 2);
}

void tgame::applySettings() {
    if (!options) return;
    useSettings(options);
    // The status line takes the new width; a story that has stopped has
    // nothing to show there.
    if (storyOpen() && !stopped && busy == 0) {
        try {
            updateStatusLine();
        } catch (const std::exception&) { stopped = true; }
    }
    if (!options->save()) platform.showMessage(tmessagekind::warning, kOptionsUnwritable);
}

// Opening, restoring and the like wait while story code runs or a wait
// is open: the window's menus are disabled then.
bool tgame::actionsFree() const { return busy == 0 && !waiting(); }

void tgame::openNewStory() {
    if (!actionsFree()) return;
    std::string path;
    if (!platform.chooseOpenFile(kOpenTitle, kStoryFilter, std::string(), path)) return;
    if (options && options->rememberRecent(path)) {
        updateRecentFilesMenu();
        if (!options->save()) platform.showMessage(tmessagekind::warning, kOptionsUnwritable);
    }
    openStory(path);
}

bool tgame::openStartFile(const std::string& path) {
    const std::size_t dot = path.rfind('.');
    const bool savedGame = dot != std::string::npos && sameText(path.substr(dot), ".memo");
    if (!savedGame) return openStory(path);
    restoreGameFile(path);
    return storyOpen();
}

void tgame::openRecent(int32_t slot) {
    if (!options || !actionsFree() || slot < 0 || slot >= 3) return;
    const std::string path = options->values.lastFiles[static_cast<std::size_t>(slot)];
    if (!path.empty()) openStory(path);
}

// The entries under "Neu öffnen" show the recent stories' names without
// folder; empty slots are hidden, and the submenu needs one filled slot.
void tgame::updateRecentFilesMenu() {
    for (std::size_t i = 0; i < 3; ++i) {
        const std::string path = options ? options->values.lastFiles[i] : std::string();
        platform.setMenuCaption(kRecentEntries[i], baseFileName(path), !path.empty());
    }
    enableMenu(tmenuaction::recentFiles, options && options->hasRecent());
}

// After a shown error the player may start another game at once, also
// when a topic menu had disabled the entries.
void tgame::errorShown() {
    enableMenu(tmenuaction::openStory, true);
    enableMenu(tmenuaction::restoreGame, true);
    enableMenu(tmenuaction::recentFiles, options && options->hasRecent());
    enableMenu(tmenuaction::playScript, storyOpen());
}

}  // namespace velmo
