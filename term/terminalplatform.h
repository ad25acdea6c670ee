#ifndef VELMO_TERM_TERMINALPLATFORM_H
#define VELMO_TERM_TERMINALPLATFORM_H

// The player's screen in a terminal: the status line on top in reverse
// video, the text area below it with styles and the block caret, the box
// over the text, and the dialogs (messages, questions, file names) as
// lines at the bottom. Keys are read from the terminal and handed to the
// game logic one key stroke at a time.

#include <chrono>
#include <cstdint>
#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "frontend/bufferedplatform.h"
#include "term/keyreader.h"
#include "term/pager.h"
#include "term/picture.h"
#include "term/screenframe.h"
#include "term/terminal.h"

namespace velmo {

class tterminalplatform : public tbufferedplatform {
public:
    // `width` is the text area's width in characters (columns plus two).
    tterminalplatform(tterminal& terminal, int32_t width);

    void suspendUpdates() override { ++suspended; }
    void resumeUpdates() override;
    void setCaption(const std::string& text) override;
    // F1 and the menu's help: the help page of the context in the pager.
    void showHelp(thelpcontext context = thelpcontext::contents) override;
    // The inspector as a dialog at the bottom: Enter evaluates the typed
    // expression, Enter on an empty line closes it with OK, Esc with
    // Cancel; the arrow keys browse the accepted expressions.
    bool runInspector(tinspector& inspector) override;
    void fitTextArea(int32_t& columns, int32_t& rows) const override;

    void processEvents() override;
    void processEventsWhile(const bool& running, twait kind) override;
    // The text of a cleared screen is kept for scrolling back, and given
    // back above the new text once the game is at the input line again
    // (after a topic menu).
    void clearText() override;
    // A picture never holds the game up: it is shown over the text until
    // the next key, which still does its work.
    void showPicture(const std::string& title, const tstorypicture& storyPicture,
                     const std::string& file) override;
    void closePicture() override { picture.reset(); }

    void showMessage(tmessagekind kind, const std::string& text) override;
    tanswer ask(const std::string& text) override;
    bool chooseOpenFile(const std::string& title, const std::string& filter,
                        const std::string& folder, std::string& path) override;
    bool chooseSaveFile(const std::string& title, const std::string& filter,
                        const std::string& defaultExtension, const std::string& folder,
                        const std::string& proposedName, std::string& path) override;

    // The top-level loop's step while no game code runs: waits for the
    // next key stroke and hands it to the game.
    void serve();
    // The player asked to quit, or the terminal has closed and every key
    // typed before has been handed on.
    bool finished() const { return quitting || (inputEnded && queue.empty()); }
    // Ends the program: every wait ends and the top-level loop stops.
    void quit();
    // Ctrl+C: what the player's request to quit does (by default `quit`).
    std::function<void()> onQuitKey;
    // F12 between inputs: the player's menu.
    std::function<void()> onMenuKey;
    // The terminal changed its size: the game fits its text area anew.
    std::function<void()> onResize;
    // Decodes a picture so that it can be drawn with half blocks; when
    // unset, the picture is only named.
    tpicturedecoder decodePicture = fitPicture;

    // A list of entries at the bottom, chosen with the arrows and Enter;
    // entries that are not enabled are shown in parentheses and skipped.
    // False when left with Esc.
    struct tmenuentry {
        std::string caption;  // Windows-1252
        bool enabled = true;
    };
    bool chooseEntry(const std::string& title, const std::vector<tmenuentry>& entries,
                     int32_t& chosen);
    // A line of text typed at the bottom, starting from `text` (Windows-1252
    // both ways); false when left with Esc.
    bool askText(const std::string& title, std::string& text);
    // True while game code runs (inside processEvents or a wait).
    bool gameRunning() const { return nesting > 0; }

    // Shows a page full screen until Esc or "q"; the scrolling keys move
    // it, every other key goes to `onKey` (which may change the page).
    void showPage(tpager& pager, const std::function<void(const tkeyevent&)>& onKey = {});

    // Paints what changed; `force` paints also while updates are
    // suspended or a paint was done a moment ago.
    void refresh(bool force);
    // Paints the whole screen anew (after a resize).
    void redraw();
    // What the terminal shows now (null before the first paint).
    const tframe* shownFrame() const { return shown ? &*shown : nullptr; }

private:
    // A dialog line's contents for a screen of `columns` columns: the lines
    // and the cursor column in the last one (-1: none).
    using tpromptbuilder =
        std::function<void(int32_t columns, std::vector<std::string>& lines, int32_t& cursor)>;

    void paint();
    // Draws the picture (or its name) over the text area of `frame`.
    void drawPicture(tframe& frame);
    // Scrolls the text back (positive) or forward by `rows`.
    void scrollBy(int32_t rows);
    // Keys of the scrollback and of key waits that the host answers
    // itself; true when the key needs no more handling.
    bool takeScrollKey(const tkeyevent& event);
    bool takeWaitKey(const tkeyevent& event);
    // Hands a blank to the game: it ends a key wait.
    void pressBlank();
    // Waits for input and queues its key strokes; false when the terminal
    // has closed.
    bool readInput(int timeoutMs);
    // Ctrl+C typed while story code runs is acted on at once.
    void takeQuitKey();
    // Hands one queued key stroke to the game; false when none is queued.
    bool deliverOne();
    void deliver(const tkeyevent& event);
    // Runs a dialog at the bottom of the screen: key strokes go to `handle`
    // until it returns true. False when the terminal closed first.
    bool runDialog(const tpromptbuilder& build,
                   const std::function<bool(const tkeyevent&)>& handle);
    // Hands queued and new key strokes to `handle` until it returns true;
    // false when the terminal closed first.
    bool runKeys(const std::function<bool(const tkeyevent&)>& handle);
    bool askPath(const std::string& title, const std::string& initial, std::string& path,
                 bool forSaving, const std::string& defaultExtension, bool isPath = true);

    tterminal& terminal;
    tkeyreader reader;
    std::deque<tkeyevent> queue;  // key strokes not yet handed on
    std::optional<tframe> shown;  // what the terminal shows now
    std::chrono::steady_clock::time_point lastPaint;
    std::chrono::steady_clock::time_point lastPoll;
    tpromptbuilder prompt;
    tpager* page = nullptr;  // a page shown full screen, under any dialog
    int32_t suspended = 0;
    int32_t nesting = 0;
    int32_t waits = 0;
    std::vector<twait> waitKinds;  // the waits running, innermost last
    // Keys that ended a pause or a box and belong to the input line: they
    // are handed on once the game is back there.
    std::deque<tkeyevent> typedAhead;
    ttextbuffer kept{1 << 20, 1 << 18};  // text of cleared screens
    bool keptHidden = false;             // cleared since the last input: not shown
    int32_t scroll = 0;                  // rows scrolled back from the end
    struct tshownpicture {
        std::string caption;  // Windows-1252
        std::vector<unsigned char> jpeg;
        // The pixels fitted to the room they were decoded for: every
        // paint draws the picture, but only a new room decodes it again.
        int32_t fittedWidth = -1;
        int32_t fittedHeight = -1;
        bool fitted = false;  // false: the decoder refused the picture
        tpixels pixels;
    };
    std::optional<tshownpicture> picture;
    bool inputEnded = false;
    bool quitting = false;
};

}  // namespace velmo

#endif
