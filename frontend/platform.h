#ifndef VELMO_FRONTEND_PLATFORM_H
#define VELMO_FRONTEND_PLATFORM_H

// The one thing a player host has to provide: a text area, a status line,
// message boxes, file dialogs, menus and an event loop. The game logic in
// frontend/ (opening stories, the turn cycle, text output, the input line,
// waits, undo) is written against this interface only, so the terminal
// player, the desktop window and the test host each implement it and
// nothing more.
//
// Conventions for every implementation:
// - All texts are Windows-1252 bytes; the host converts for its screen.
// - The text area is a list of display lines. A line break inside
//   appended text is one "\n" character; the host wraps lines that are
//   wider than its width by itself. Line indices count from 0; a host that
//   drops old text to bound its memory keeps the indices of later lines
//   unchanged (dropped lines read as empty). Text positions (for style
//   runs) count every character of the text and one per line break, from
//   the start of the text area, dropped text included.
// - The host never edits the text by itself: typing, deleting and caret
//   moves are done by the game logic in answer to the key events below.
// - The host delivers its events (keys, closing, dropped files) to the
//   event target, and only from inside `processEvents` or
//   `processEventsWhile`, or from its own top-level loop while no game
//   code runs.
//
// A ready-made text area for hosts that draw the text themselves is
// `tbufferedplatform` in frontend/bufferedplatform.h.

#include <cstdint>
#include <string>
#include <vector>

#include "frontend/picturedecoder.h"

namespace velmo {

class tinspector;

// Text styles of the style marks in story text.
enum class tstyle { bold, italic, underline, strike };

// Keys that the input line and the waits react to. Characters arrive
// separately through `keyPress`.
enum class tkey {
    none,
    enter,
    escape,
    backspace,
    del,
    left,
    right,
    up,
    down,
    home,
    end,
    pageUp,
    pageDown,
    insert,
    f1,
    f2,
    f3,
    f4,
    f5,
    f6,
    f7,
    f8,
    f9,
    f10,
    other,  // any other key (letters, digits, ...): its character follows
    f12     // the terminal player's menu
};

struct tmodifiers {
    bool shift = false;
    bool ctrl = false;
    bool alt = false;
};

// Menu entries whose state the game logic sets. The host maps them to its
// menu (or ignores those it does not have).
enum class tmenuaction {
    openStory,    // "&Neues Spiel öffnen"
    recentFiles,  // "Neu öffnen" (the submenu)
    recent1,      // the three recent-file entries under "Neu öffnen"
    recent2,
    recent3,
    saveGame,      // "&Spielstand &speichern"
    restoreGame,   // "Spielstand &laden"
    playScript,    // "Skript abspielen"
    compile,       // "&Quelltext compilieren"
    copyPictures,  // "&Grafik kopieren"
    display        // "&Darstellung": keep it last, kMenuActions counts up to it
};
constexpr int kMenuActions = static_cast<int>(tmenuaction::display) + 1;

// The help pages: the contents (F1 in the main window, "&Menüs und
// Kommandos") and the pages of the dialogs, by their help context.
enum class thelpcontext : int32_t {
    contents = 0,
    display = 300,       // display options
    transcript = 301,    // "Spielverlauf"
    functionKeys = 302,  // function-key texts
    autostart = 303      // autoload story
};

enum class tmessagekind { information, warning, error };
enum class tanswer { yes, no, cancel };

// What a nested wait is waiting for; a host that reads whole lines (the
// plain line mode) needs to know how to answer, and a host may treat the
// waits whose key the story never reads more kindly: `page` is the
// "[Leertaste]" pause and `box` the box of the "box" statement, where a
// typed letter may go on to the input line; `key` is a key the story
// asked for ("getKey", the questions of "ende" and the end of a game).
enum class twait { key, page, box, menu };

// A picture of the story's picture container: its JPEG bytes, checked,
// and its full size. Each host decodes it at the scale it shows.
struct tstorypicture {
    std::vector<unsigned char> jpeg;
    tpicturesize full;
};

// Receives the host's events. The game logic implements it.
class tplatformevents {
public:
    virtual ~tplatformevents() = default;
    // One key stroke arrives as keyDown, then (for keys that produce a
    // character) keyPress with that character, then keyUp. The host always
    // sends all three and does nothing else with the key: the game logic
    // decides what each key does. Ctrl+letter arrives as keyPress with the
    // control character 1-26; Backspace as keyPress 8 and Enter as 13 (or
    // without a keyPress; both are handled at keyDown).
    virtual void keyDown(tkey key, tmodifiers modifiers) = 0;
    virtual void keyPress(char character) = 0;
    virtual void keyUp(tkey key) = 0;
    // For hosts that choose a topic of an open topic menu by its number
    // (from 1); a number out of range leaves the menu as Esc would.
    virtual void chooseTopic(int32_t number) = 0;
    // The window is being closed: every running wait ends.
    virtual void closeRequested() = 0;
    // A file was dropped on the window.
    virtual void fileDropped(const std::string& path) = 0;
    // The player closed the picture window.
    virtual void pictureClosed() = 0;
};

class tplatform {
public:
    virtual ~tplatform() = default;

    void setEventTarget(tplatformevents* target) { events = target; }
    tplatformevents* eventTarget() const { return events; }

    // --- The text area -------------------------------------------------
    virtual int32_t lineCount() const = 0;
    virtual std::string line(int32_t index) const = 0;
    // Replaces the text of one display line (its line break stays).
    virtual void replaceLine(int32_t index, const std::string& text) = 0;
    // Appends text at the end; "\n" starts a new line.
    virtual void append(const std::string& text) = 0;
    // Empties the text area.
    virtual void clearText() = 0;
    // Length of the whole text in positions (see the conventions above).
    virtual int32_t textLength() const = 0;
    // The whole text with "\n" at its line breaks only, not where the host
    // wraps a line (what a printout re-wraps). By default every display
    // line ends with "\n" but the last.
    virtual std::string wholeText() const;
    // Gives the text from position `start` up to (not including) `end` a
    // style.
    virtual void applyStyle(int32_t start, int32_t end, tstyle style) = 0;
    // Puts the block caret on a character of a line (column from 0).
    virtual void setCaret(int32_t lineIndex, int32_t column) = 0;
    // Whether the text area takes input (a story is open).
    virtual void setInputEnabled(bool enabled) = 0;
    // Screen updates: between suspend and resume the host need not
    // repaint. Calls nest.
    virtual void suspendUpdates() {}
    virtual void resumeUpdates() {}
    // The text area's width in characters changes (the columns plus two);
    // text appended from now on wraps at it.
    virtual void setTextWidth(int32_t /*width*/) {}
    // A host that cannot show a text area of this size (a terminal smaller
    // than the options ask for) makes it smaller.
    virtual void fitTextArea(int32_t& /*columns*/, int32_t& /*rows*/) const {}
    // True when the host shows a screen that can scroll away unseen, so
    // that long output must pause with "[Leertaste]". A host that prints
    // a stream (plain line mode) answers false.
    virtual bool pagesOutput() const { return true; }

    // --- Status line, box, caption, menus, help ------------------------
    virtual void setStatusText(const std::string& text) = 0;
    // A box over the text area with these lines (already padded), shown
    // until hideBox.
    virtual void showBox(const std::vector<std::string>& lines) = 0;
    virtual void hideBox() = 0;
    // Window caption and application title.
    virtual void setCaption(const std::string& caption) = 0;
    virtual void enableMenu(tmenuaction action, bool enabled) = 0;
    // Caption of a menu entry (the recent files); hidden when `visible`
    // is false.
    virtual void setMenuCaption(tmenuaction action, const std::string& caption, bool visible) = 0;
    // Shows a help page (frontend/help.h finds and renders the pages).
    virtual void showHelp(thelpcontext /*context*/ = thelpcontext::contents) {}

    // --- Events --------------------------------------------------------
    // Handles the events that are pending now, without waiting.
    virtual void processEvents() = 0;
    // Handles events, waiting for them, as long as `running` is true. The
    // event handlers clear it (an allowed key, a topic chosen, the window
    // closing). A host that can deliver no more events (end of input)
    // must call closeRequested on the event target, which clears it.
    virtual void processEventsWhile(const bool& running, twait kind) = 0;

    // --- Dialogs -------------------------------------------------------
    virtual void showMessage(tmessagekind kind, const std::string& text) = 0;
    // A question with the buttons Yes, No and Cancel.
    virtual tanswer ask(const std::string& text) = 0;
    // File dialogs. `filter` is "Description|*.A;*.B"; false when cancelled.
    // The save dialog adds `defaultExtension` (without dot) to a name that
    // has none.
    virtual bool chooseOpenFile(const std::string& title, const std::string& filter,
                                const std::string& folder, std::string& path) = 0;
    virtual bool chooseSaveFile(const std::string& title, const std::string& filter,
                                const std::string& defaultExtension, const std::string& folder,
                                const std::string& proposedName, std::string& path) = 0;

    // --- Inspector -----------------------------------------------------
    // The inspector of the "inspect" statement: shows its position line
    // and evaluates what the user types (`tinspector::evaluate`) until it
    // is closed. True for OK (the story goes on), false for Cancel (the
    // game ends). A host without an inspector answers OK.
    virtual bool runInspector(tinspector& /*inspector*/) { return true; }

    // --- Pictures ------------------------------------------------------
    // Shows a picture of the story in the picture window under a caption,
    // replacing the one shown. The game has checked it and written its
    // JPEG bytes to `file` (the temporary picture file); the host decodes
    // the bytes at the scale it shows (frontend/picturedecoder.h). A host
    // without a picture window names the picture and the file instead.
    virtual void showPicture(const std::string& caption, const tstorypicture& picture,
                             const std::string& file) = 0;
    virtual void closePicture() {}

protected:
    tplatformevents* events = nullptr;
};

}  // namespace velmo

#endif
