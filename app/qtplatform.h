#ifndef VELMO_APP_QTPLATFORM_H
#define VELMO_APP_QTPLATFORM_H

// The desktop window as the game logic's platform. The display lines live
// in the line buffer it derives from (wrapping, positions and the memory
// bound are the same as in every other host); each change is mirrored
// into the text view. Keys from the view go to the game one stroke at a
// time; waits and topic menus run a nested event loop; dialogs are Qt's
// message boxes and file dialogs.

#include <chrono>
#include <cstdint>
#include <deque>

#include "app/keymap.h"
#include "frontend/bufferedplatform.h"

class QKeyEvent;

namespace velmo {

class tmainwindow;

class tqtplatform : public tbufferedplatform {
public:
    // `width` is the text area's width in characters (columns plus two).
    tqtplatform(tmainwindow& window, int32_t width);

    void replaceLine(int32_t index, const std::string& text) override;
    void append(const std::string& text) override;
    void clearText() override;
    void applyStyle(int32_t start, int32_t end, tstyle style) override;
    void setCaret(int32_t lineIndex, int32_t column) override;
    void setInputEnabled(bool enabled) override;
    // While the game writes, changes to the text are collected and shown
    // at once when it is done, so that a screen reader hears whole
    // sentences instead of the slices the text is written in.
    void suspendUpdates() override { ++suspended; }
    void resumeUpdates() override;

    void setStatusText(const std::string& text) override;
    void showBox(const std::vector<std::string>& lines) override;
    void hideBox() override;
    void setCaption(const std::string& text) override;
    void enableMenu(tmenuaction action, bool enabled) override;
    void setMenuCaption(tmenuaction action, const std::string& text, bool visible) override;
    void showHelp(thelpcontext context) override;
    // The inspector dialog, a nested wait of its own.
    bool runInspector(tinspector& inspector) override;
    // The picture window (the main window keeps one).
    void showPicture(const std::string& caption, const tstorypicture& picture,
                     const std::string& file) override;
    void closePicture() override;
    // The player closed the picture window.
    void pictureClosed();

    void processEvents() override;
    void processEventsWhile(const bool& running, twait kind) override;

    void showMessage(tmessagekind kind, const std::string& text) override;
    tanswer ask(const std::string& text) override;
    bool chooseOpenFile(const std::string& title, const std::string& filter,
                        const std::string& folder, std::string& path) override;
    bool chooseSaveFile(const std::string& title, const std::string& filter,
                        const std::string& defaultExtension, const std::string& folder,
                        const std::string& proposedName, std::string& path) override;

    // A key stroke in the text view.
    void takeKey(const QKeyEvent& event);
    // Story code is running (it let the window's events through, or it
    // waits for a key or a topic): nothing may start another game action.
    bool gameRunning() const { return checking > 0 || waits > 0; }
    // A key wait or topic menu is running.
    bool waiting() const { return waits > 0; }
    // The state the game logic gave a menu entry.
    bool menuState(tmenuaction action) const {
        return menuEnabled[static_cast<std::size_t>(action)];
    }

private:
    void deliver(const tkeystroke& stroke);
    // Shows the collected changes of the text in the view.
    void flush();
    void changed(int32_t fromLine);

    tmainwindow& window;
    // Keys typed while story code runs wait here for the input line.
    std::deque<tkeystroke> queue;
    int32_t checking = 0;
    int32_t waits = 0;
    std::chrono::steady_clock::time_point lastCheck;
    int32_t suspended = 0;
    int32_t dirtyFrom = -1;  // first line not yet shown; -1: none
    std::vector<tstylerun> pendingStyles;
    bool caretPending = false;
};

}  // namespace velmo

#endif
