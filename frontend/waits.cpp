// The two waits that run inside story code: one key (paging, "getKey",
// "box", "ende", the end-of-game question) and the topic menu ("menu").
// Both let the host deliver events until a key handler ends them.

#include <array>
#include <iterator>

#include "base/abort.h"
#include "base/encoding.h"
#include "base/internalerror.h"
#include "frontend/game.h"

namespace velmo {

namespace {

const char* const kMenuHint = " Cursor:Thema ausw\xE4hlen   Enter:Thema lesen   Esc:Weiter";

std::vector<std::string> splitAtCaret(const std::string& text) {
    std::vector<std::string> parts;
    std::size_t from = 0;
    while (true) {
        std::size_t mark = text.find('^', from);
        parts.push_back(
            text.substr(from, mark == std::string::npos ? std::string::npos : mark - from));
        if (mark == std::string::npos) break;
        from = mark + 1;
    }
    return parts;
}

}  // namespace

char tgame::waitForKey() { return awaitKey(twait::key); }

char tgame::awaitKey(twait kind) {
    if (windowClosing) return 0;
    const bool restoreWasEnabled = menuState[static_cast<std::size_t>(tmenuaction::restoreGame)];
    waitingForKey = true;
    lastKey = 0;
    enableMenu(tmenuaction::restoreGame, false);
    enableMenu(tmenuaction::display, false);
    try {
        platform.processEventsWhile(waitingForKey, kind);
    } catch (const std::exception& failure) {
        reportInternalError("Tastenwarten", failure);
        bool failed = false;
        showError(failed, 0, "Taste?");
        lastKey = 0;
    }
    waitingForKey = false;
    pageStart = platform.lineCount();
    enableMenu(tmenuaction::display, true);
    enableMenu(tmenuaction::restoreGame, restoreWasEnabled);
    const char key = lastKey;
    lastKey = 0;
    // "q" at a pause cancels the rest of a long input line.
    if ((key == 'q' || key == 'Q') && commandSplitter) commandSplitter->clear();
    return cpLower(key);
}

std::string tgame::topicMenu(bool withTitle, const std::string& topics) {
    if (windowClosing) return "0";
    const tmenuaction blocked[] = {tmenuaction::openStory, tmenuaction::restoreGame,
                                   tmenuaction::recentFiles, tmenuaction::playScript};
    std::array<bool, std::size(blocked)> before{};
    for (std::size_t i = 0; i < before.size(); ++i) {
        before[i] = menuState[static_cast<std::size_t>(blocked[i])];
        enableMenu(blocked[i], false);
    }
    // Leaving the menu either way gives the entries back as they were:
    // a topic chosen with Enter must not leave opening a story disabled.
    const auto restoreMenus = [&] {
        for (std::size_t i = 0; i < before.size(); ++i) enableMenu(blocked[i], before[i]);
    };
    try {
        const std::string kept = statusText;
        setStatus(kMenuHint);
        const std::vector<std::string> parts = splitAtCaret(topics);
        clearTextArea();
        std::size_t first = 0;
        if (withTitle) {
            writeText(" " + parts[0] + "^^");
            first = 1;
        }
        menuLines.clear();
        for (std::size_t i = first; i < parts.size(); ++i) {
            menuLines.push_back(platform.lineCount() - 1);
            writeText("   " + parts[i] + "^");
        }
        std::string result = "0";
        if (menuLines.empty()) {
            // A title without topics: nothing to choose.
            menuCancelled = true;
        } else {
            menuLast = static_cast<int32_t>(menuLines.size()) - 1;
            menuSelected = 0;
            menuMarked = 0;
            menuCancelled = false;
            drawMarker();
            if (menuLast > 0) {
                menuOpen = true;
                platform.processEventsWhile(menuOpen, twait::menu);
                menuOpen = false;
            }
        }
        restoreMenus();
        if (menuCancelled) {
            setStatus(kept);
        } else {
            const std::string chosen =
                platform.line(menuLines[static_cast<std::size_t>(menuSelected)]);
            const std::size_t marker = chosen.find('>');
            setStatus(marker == std::string::npos ? std::string() : chosen.substr(marker + 1));
            result = std::to_string(menuSelected + 1);
        }
        menuLast = 0;
        clearTextArea();
        return result;
    } catch (const tabort&) {
        menuOpen = false;
        menuLast = 0;
        restoreMenus();
        throw;
    } catch (const std::exception& failure) {
        reportInternalError("Men\xFC", failure);
        menuOpen = false;
        menuLast = 0;
        restoreMenus();
        bool failed = false;
        showError(failed, 0, "Menue?");
        return "0";
    }
}

// The menu starts and ends on an empty screen. Paging counts from there:
// the player has seen all of it.
void tgame::clearTextArea() {
    platform.clearText();
    pageStart = platform.lineCount();
    writeText("^");
}

// The marker: the topic that bore it gets its blank back, the selected one
// gets ">" as its second character.
void tgame::drawMarker() {
    auto mark = [this](int32_t topic, char c) {
        const int32_t index = menuLines[static_cast<std::size_t>(topic)];
        std::string text = platform.line(index);
        if (text.size() < 2) return;
        text[1] = c;
        platform.replaceLine(index, text);
    };
    mark(menuMarked, ' ');
    mark(menuSelected, '>');
    platform.setCaret(menuLines[static_cast<std::size_t>(menuSelected)], 2);
    menuMarked = menuSelected;
}

void tgame::menuKey(tkey key) {
    if (key == tkey::enter || key == tkey::escape) {
        closeMenu(key == tkey::escape);
        return;
    }
    if (key == tkey::up)
        menuSelected = menuSelected == 0 ? menuLast : menuSelected - 1;
    else if (key == tkey::down)
        menuSelected = menuSelected == menuLast ? 0 : menuSelected + 1;
    drawMarker();
}

void tgame::closeMenu(bool cancelled) {
    menuOpen = false;
    menuCancelled = cancelled;
}

void tgame::chooseTopic(int32_t number) {
    if (!menuOpen) return;
    if (number >= 1 && number <= menuLast + 1) {
        menuSelected = number - 1;
        drawMarker();
        closeMenu(false);
    } else {
        closeMenu(true);
    }
}

}  // namespace velmo
