#include "term/terminalplatform.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>

#include "base/encoding.h"
#include "frontend/help.h"
#include "frontend/inspector.h"
#include "term/lineeditor.h"
#include "term/pathcompletion.h"
#include "term/screenlayout.h"

namespace velmo {

namespace {

using std::chrono::milliseconds;
using std::chrono::steady_clock;

// How long the rest of an escape sequence may take to arrive before a
// lone ESC counts as the Esc key.
constexpr int kEscapeTimeoutMs = 40;
// Long outputs and story loops repaint and look for keys at most this often.
constexpr milliseconds kPaintInterval{30};
constexpr milliseconds kPollInterval{20};

constexpr char kCtrlC = 3;

const char* const kHelpText =
    "Tasten\n"
    "  Eingabe: Buchstaben, Ziffern, Leertaste, R\xFC"
    "cktaste, Entf, Pfeile, Pos1, Ende\n"
    "  Pfeil hoch/runter: fr\xFC"
    "here Eingaben   Esc: Eingabe l\xF6"
    "schen\n"
    "  F2 bis F10: Texte der Funktionstasten\n"
    "  Strg+S: Spielstand speichern   Strg+L: Spielstand laden\n"
    "  F12: Men\xFC   Strg+C: Velmo beenden\n"
    "  Bild auf/ab, Mausrad: fr\xFC"
    "heren Text lesen   Enter: weiter an [Leertaste]\n"
    "Befehle: speichern, laden, neustart, zur\xFC"
    "ck, huch, pronomen, ende";
// Help pages are rendered no wider than this, so lines stay readable.
constexpr int32_t kHelpWidth = 78;
const char* const kContinue = "  [Enter]";
const char* const kMenuHint =
    "   (Pfeile: w\xC3\xA4hlen, Enter: ausf\xC3\xBChren, Esc: zur\xC3\xBC"
    "ck)";
const char* const kYesNo = " (j/n/Esc) ";
// While the player looks back (UTF-8).
const char* const kScrollHint =
    " Zur\xC3\xBC"
    "ckgebl\xC3\xA4ttert: Bild\xE2\x86\x91/Bild\xE2\x86\x93 bl\xC3\xA4ttern, jede andere "
    "Taste: zur\xC3\xBC"
    "ck";
// Beside an input line that takes no more characters (UTF-8).
const char* const kLineFull = " Zeile voll ";

bool isQuitKey(const tkeyevent& event) { return event.modifiers.ctrl && event.character == kCtrlC; }

// Esc, or Ctrl+C, which in a dialog only closes the dialog.
bool isCancel(const tkeyevent& event) { return event.key == tkey::escape || isQuitKey(event); }

// A message as dialog lines: wrapped to the screen, the hint at its end.
void messageLines(const std::string& utf8, int32_t columns, std::vector<std::string>& lines,
                  int32_t& cursor) {
    lines = wrapText(utf8, columns);
    cursor = -1;
}

// The glyph count of UTF-8 text.
int32_t glyphCount(std::string_view text) {
    int32_t count = 0;
    for (char c : text)
        if ((static_cast<unsigned char>(c) & 0xC0) != 0x80) ++count;
    return count;
}

// "~/" at the start of a typed path means the home folder.
std::string expandHome(const std::string& path) {
    if (path.size() >= 2 && path[0] == '~' && path[1] == '/') {
        if (const char* home = std::getenv("HOME")) return home + path.substr(1);
    }
    return path;
}

bool hasExtension(const std::string& path) {
    const std::string name = std::filesystem::path(path).filename().string();
    const std::size_t dot = name.rfind('.');
    return dot != std::string::npos && dot > 0;
}

// The label and the edited text as one dialog line, the cursor's column
// in `cursor`. The text scrolls sideways so that the cursor stays in view.
std::string editorLine(const std::string& label, const tlineeditor& editor, int32_t columns,
                       int32_t& cursor) {
    const int32_t room = std::max<int32_t>(columns - glyphCount(label) - 1, 1);
    const int32_t skip = std::max<int32_t>(editor.cursor() - room, 0);
    std::string tail;
    int32_t index = 0;
    const std::string text = editor.text();
    for (std::size_t pos = 0; pos < text.size(); ++index) {
        char32_t glyph = 0;
        const std::size_t length = nextGlyph(text, pos, glyph);
        if (index >= skip) tail.append(text, pos, length);
        pos += length;
    }
    cursor = std::min(glyphCount(label) + editor.cursor() - skip, columns - 1);
    return label + tail;
}

}  // namespace

tterminalplatform::tterminalplatform(tterminal& screen, int32_t width)
    : tbufferedplatform(width), terminal(screen) {}

void tterminalplatform::resumeUpdates() {
    if (suspended > 0) --suspended;
    if (suspended == 0) refresh(false);
}

void tterminalplatform::setCaption(const std::string& text) {
    tbufferedplatform::setCaption(text);
    terminal.setTitle(cp1252ToUtf8(text));
}

// --- Painting --------------------------------------------------------------

void tterminalplatform::refresh(bool force) {
    if (!force && suspended > 0) return;
    if (!force && steady_clock::now() - lastPaint < kPaintInterval) return;
    paint();
}

void tterminalplatform::redraw() {
    shown.reset();
    paint();
}

void tterminalplatform::paint() {
    int32_t rows = 0;
    int32_t columns = 0;
    terminal.size(rows, columns);
    if (page) {
        tframe frame = page->draw(rows, columns);
        std::vector<std::string> lines;
        int32_t cursor = -1;
        if (prompt) prompt(columns, lines, cursor);
        drawPrompt(frame, lines, cursor);
        terminal.write(encodeFrame(shown ? &*shown : nullptr, frame));
        shown = frame;
        lastPaint = steady_clock::now();
        return;
    }
    tscreenstate state;
    state.text = &buffer;
    state.status = statusText;
    state.caretLine = caretLine;
    state.caretColumn = caretColumn;
    // The caret shows where typing goes: on the input line, and at a key
    // wait also after the story has closed (the end-of-game question).
    state.caretShown = inputEnabled || waits > 0;
    state.box = boxLines;
    if (!waitKinds.empty() && waitKinds.back() == twait::box) state.boxHint = "[Taste]";
    // Text kept from a cleared screen shows once the game is back at the
    // input line, or when the player scrolls back to it.
    state.kept = !keptHidden || scroll > 0 ? &kept : nullptr;
    state.scroll = scroll;
    if (prompt) prompt(columns, state.prompt, state.promptCursor);
    tframe frame = layoutScreen(state, rows, columns, &scroll);
    if (picture) drawPicture(frame);
    if (scroll > 0 && !prompt) {
        drawPrompt(frame, {kScrollHint}, -1);
    } else if (inputEnabled && waits == 0 && !prompt && frame.cursorRow >= 0 &&
               caretLine == buffer.lineCount() - 1 &&
               static_cast<int32_t>(buffer.line(caretLine).size()) >= buffer.width() - 2) {
        // Typing more does nothing now: the player sees why, beside the
        // caret or, without room there, at the right of the status line.
        const int32_t length = glyphCount(kLineFull);
        if (frame.cursorColumn + 1 + length <= frame.columns())
            frame.put(frame.cursorRow, frame.cursorColumn + 1, kLineFull, kReverse);
        else
            frame.put(0, std::max(frame.columns() - length, 0), kLineFull, kBold);
    }
    terminal.write(encodeFrame(shown ? &*shown : nullptr, frame));
    shown = frame;
    lastPaint = steady_clock::now();
}

// The picture over the text area, under a bar that names it; without a
// decoder, or for a picture it refuses, only the bar shows.
void tterminalplatform::drawPicture(tframe& frame) {
    const int32_t top = frame.rows() > 1 ? 1 : 0;
    const int32_t height = frame.rows() - top - 1;
    tshownpicture& shownPicture = *picture;
    if (height > 0 && decodePicture &&
        (shownPicture.fittedWidth != frame.columns() || shownPicture.fittedHeight != 2 * height)) {
        shownPicture.fittedWidth = frame.columns();
        shownPicture.fittedHeight = 2 * height;
        shownPicture.pixels = {};
        shownPicture.fitted = decodePicture(shownPicture.jpeg, shownPicture.fittedWidth,
                                            shownPicture.fittedHeight, shownPicture.pixels);
    }
    if (height > 0 && decodePicture && shownPicture.fitted)
        drawHalfBlocks(frame, top + 1, height, shownPicture.pixels);
    const std::string title = cp1252ToUtf8(picture->caption);
    const std::string bar = title.empty() ? " Grafik " : " Grafik: " + title + " ";
    const int32_t width = std::min(glyphCount(bar), frame.columns());
    const int32_t left = std::max((frame.columns() - width) / 2, 0);
    frame.fill(top, left, left + width, kReverse);
    frame.put(top, left, bar, kReverse);
}

void tterminalplatform::showPicture(const std::string& title, const tstorypicture& storyPicture,
                                    const std::string& /*file*/) {
    picture = tshownpicture{title, storyPicture.jpeg, -1, -1, false, {}};
    refresh(false);
}

void tterminalplatform::clearText() {
    // Only the first clear since the input line keeps its text: the
    // screens a topic menu clears after it (the menu, its topics) are
    // passing views, not the story's text.
    if (!keptHidden) {
        std::string text = buffer.wholeText();
        while (!text.empty() && (text.back() == '\n' || text.back() == ' ')) text.pop_back();
        const std::size_t first = text.find_first_not_of('\n');
        if (first != std::string::npos) {
            if (kept.textLength() > 0) kept.append("\n");
            kept.append(text.substr(first));
        }
    }
    keptHidden = true;
    scroll = 0;
    tbufferedplatform::clearText();
}

void tterminalplatform::scrollBy(int32_t rows) {
    scroll = std::max(scroll + rows, 0);
    paint();
}

bool tterminalplatform::takeScrollKey(const tkeyevent& event) {
    if (page) return false;
    int32_t rows = 0;
    int32_t columns = 0;
    terminal.size(rows, columns);
    const int32_t pageRows = std::max(rows - 2, 1);
    if (event.wheel != 0) {
        scrollBy(-event.wheel * kWheelRows);
        return true;
    }
    if (event.key == tkey::pageUp || event.key == tkey::pageDown) {
        scrollBy(event.key == tkey::pageUp ? pageRows : -pageRows);
        return true;
    }
    // Any other key goes back to the end of the text and still works.
    if (event.key != tkey::none) scroll = 0;
    return false;
}

void tterminalplatform::pressBlank() {
    events->keyDown(tkey::other, {});
    events->keyPress(' ');
    events->keyUp(tkey::other);
}

// Enter ends every key wait, as a blank does. At a pause or a box, whose
// key the story never reads, a typed character ends the wait too and is
// kept for the input line, so a command typed on is not lost ("q" at a
// pause still skips the rest of the line).
bool tterminalplatform::takeWaitKey(const tkeyevent& event) {
    if (waitKinds.empty() || waitKinds.back() == twait::menu) return false;
    const bool storyReads = waitKinds.back() == twait::key;
    const bool typed = static_cast<unsigned char>(event.character) > ' ' &&
                       event.character != '\x7F' && !event.modifiers.ctrl && !event.modifiers.alt;
    const bool skips = waitKinds.back() == twait::page && typedAhead.empty() &&
                       (event.character == 'q' || event.character == 'Q');
    // Enter after characters typed at a pause belongs to them.
    const bool typedOn = (typed && !skips) || (event.key == tkey::enter && !typedAhead.empty());
    if (!storyReads && typedOn)
        typedAhead.push_back(event);
    else if (event.key != tkey::enter)
        return false;
    pressBlank();
    return true;
}

// --- Events ----------------------------------------------------------------

bool tterminalplatform::readInput(int timeoutMs) {
    std::string bytes;
    // An unfinished escape sequence gets a moment to complete; a look
    // without waiting (timeout 0) leaves it for the next read.
    int timeout = timeoutMs;
    if (reader.pending() && (timeoutMs < 0 || timeoutMs > kEscapeTimeoutMs))
        timeout = kEscapeTimeoutMs;
    bool open = true;
    switch (terminal.wait(timeout, bytes)) {
    case tterminal::tinput::bytes: reader.feed(bytes); break;
    case tterminal::tinput::timeout:
        if (reader.pending() && timeout == kEscapeTimeoutMs) reader.timeout();
        break;
    case tterminal::tinput::resized:
        if (onResize) onResize();
        redraw();
        break;
    case tterminal::tinput::closed:
        reader.timeout();
        inputEnded = true;
        open = false;
        break;
    }
    tkeyevent event;
    while (reader.next(event)) queue.push_back(std::move(event));
    return open;
}

bool tterminalplatform::deliverOne() {
    if (queue.empty()) return false;
    const tkeyevent event = std::move(queue.front());
    queue.pop_front();
    deliver(event);
    return true;
}

// One key stroke as the game logic takes it: down, the character, up.
void tterminalplatform::deliver(const tkeyevent& event) {
    if (takeScrollKey(event)) return;
    if (event.key == tkey::none) return;
    // The next key puts the picture away and still does its work.
    picture.reset();
    if (event.key == tkey::f12) {
        // The menu starts game actions, so it opens only between inputs.
        if (onMenuKey && nesting == 0) onMenuKey();
        return;
    }
    if (isQuitKey(event)) {
        if (onQuitKey)
            onQuitKey();
        else
            quit();
        return;
    }
    if (!events || takeWaitKey(event)) return;
    events->keyDown(event.key, event.modifiers);
    if (event.character != 0) events->keyPress(event.character);
    events->keyUp(event.key);
    // Handed on between inputs, the key has done all its work (a whole
    // command, a topic menu): the game is back at the input line.
    if (nesting == 0) keptHidden = false;
}

void tterminalplatform::quit() {
    quitting = true;
    if (events) events->closeRequested();
}

void tterminalplatform::takeQuitKey() {
    const auto it = std::find_if(queue.begin(), queue.end(), isQuitKey);
    if (it == queue.end()) return;
    const tkeyevent event = *it;
    queue.erase(it);
    deliver(event);
}

// Story loops call this after every pass. Keys typed meanwhile stay
// queued for the input line (the game could do nothing with them while
// its code runs); only Ctrl+C and the end of input are acted on now.
void tterminalplatform::processEvents() {
    const auto now = steady_clock::now();
    if (now - lastPoll < kPollInterval) return;
    lastPoll = now;
    ++nesting;
    if (!inputEnded) readInput(0);
    takeQuitKey();
    if (finished() && events) events->closeRequested();
    refresh(false);
    --nesting;
}

void tterminalplatform::processEventsWhile(const bool& running, twait kind) {
    // The counts come back also when story code run from a key throws.
    struct tcount {
        tterminalplatform& host;
        explicit tcount(tterminalplatform& counted, twait waitKind) : host(counted) {
            ++host.nesting;
            ++host.waits;
            host.waitKinds.push_back(waitKind);
        }
        ~tcount() {
            host.waitKinds.pop_back();
            --host.waits;
            --host.nesting;
        }
    } counted(*this, kind);
    while (running) {
        if (!quitting && deliverOne()) continue;
        if (finished()) {
            // No key can come any more: the wait ends as if the window
            // closed, and never hangs.
            if (events) events->closeRequested();
            break;
        }
        refresh(true);
        readInput(-1);
    }
}

void tterminalplatform::serve() {
    if (finished()) return;
    // The game is at the input line: what was typed at a pause is typed
    // now.
    while (!typedAhead.empty()) {
        queue.push_front(std::move(typedAhead.back()));
        typedAhead.pop_back();
    }
    if (deliverOne()) return;
    refresh(true);
    if (!readInput(-1) && finished() && events) events->closeRequested();
}

// --- Dialogs ---------------------------------------------------------------

bool tterminalplatform::runKeys(const std::function<bool(const tkeyevent&)>& handle) {
    bool done = false;
    while (!done) {
        if (!queue.empty()) {
            const tkeyevent event = std::move(queue.front());
            queue.pop_front();
            done = handle(event);
            continue;
        }
        if (inputEnded) break;
        paint();
        readInput(-1);
    }
    return done;
}

bool tterminalplatform::runDialog(const tpromptbuilder& build,
                                  const std::function<bool(const tkeyevent&)>& handle) {
    // A dialog may open over another, and the handler may throw (the
    // inspector's expression may end the game): the outer one comes back.
    struct trestore {
        tterminalplatform& host;
        tpromptbuilder outer;
        ~trestore() {
            host.prompt = outer;
            host.paint();
        }
    } restore{*this, prompt};
    prompt = build;
    return runKeys(handle);
}

void tterminalplatform::showPage(tpager& pager,
                                 const std::function<void(const tkeyevent&)>& onKey) {
    struct trestore {
        tterminalplatform& host;
        tpager* outer;
        ~trestore() {
            host.page = outer;
            host.redraw();
        }
    } restore{*this, page};
    page = &pager;
    shown.reset();
    runKeys([&](const tkeyevent& event) {
        if (tpager::leaves(event) || isQuitKey(event)) return true;
        if (!pager.scroll(event) && onKey) onKey(event);
        return false;
    });
}

void tterminalplatform::showMessage(tmessagekind /*kind*/, const std::string& text) {
    const std::string shownText = cp1252ToUtf8(text) + kContinue;
    runDialog([&](int32_t columns, std::vector<std::string>& lines,
                  int32_t& cursor) { messageLines(shownText, columns, lines, cursor); },
              [](const tkeyevent& event) {
                  return event.key == tkey::enter || isCancel(event) || event.character == ' ';
              });
}

tanswer tterminalplatform::ask(const std::string& text) {
    const std::string shownText = cp1252ToUtf8(text) + kYesNo;
    tanswer answer = tanswer::cancel;
    runDialog(
        [&](int32_t columns, std::vector<std::string>& lines, int32_t& cursor) {
            lines = wrapText(shownText, columns);
            cursor = std::min(glyphCount(lines.back()), columns - 1);
        },
        [&](const tkeyevent& event) {
            if (isCancel(event)) return true;
            if (event.character == 'j' || event.character == 'J')
                answer = tanswer::yes;
            else if (event.character == 'n' || event.character == 'N')
                answer = tanswer::no;
            else
                return false;
            return true;
        });
    return answer;
}

void tterminalplatform::fitTextArea(int32_t& columns, int32_t& rows) const {
    int32_t screenRows = 0;
    int32_t screenColumns = 0;
    terminal.size(screenRows, screenColumns);
    columns = std::min(columns, std::max<int32_t>(screenColumns - 2, 8));
    rows = std::min(rows, std::max<int32_t>(screenRows - 1, 4));
}

void tterminalplatform::showHelp(thelpcontext context) {
    int32_t rows = 0;
    int32_t columns = 0;
    terminal.size(rows, columns);
    std::vector<std::string> lines;
    if (!loadHelpPage(context, std::min<int32_t>(columns, kHelpWidth), lines)) {
        // Without the pages the keys are still explained.
        lines.push_back("");
        for (const std::string& line : wrapText(cp1252ToUtf8(kHelpText), columns))
            lines.push_back(line);
    }
    tpager pager("Hilfe", std::move(lines));
    showPage(pager);
}

bool tterminalplatform::runInspector(tinspector& inspector) {
    const std::string position = "Inspect: " + cp1252ToUtf8(inspector.position());
    const std::string label = "Ausdruck: ";
    tlineeditor editor;
    std::string value;
    // The text was just evaluated and stands selected: typing replaces
    // it, deleting removes it.
    bool fresh = false;
    std::size_t browsed = inspector.history().size();
    bool accepted = false;
    const auto build = [&](int32_t columns, std::vector<std::string>& lines, int32_t& cursor) {
        lines = wrapText(position, columns);
        for (const std::string& line : wrapText("Wert: " + value, columns)) lines.push_back(line);
        lines.push_back("Enter: auswerten   Enter auf leerer Zeile: OK   Esc: Abbrechen");
        lines.push_back(editorLine(label, editor, columns, cursor));
    };
    const auto handle = [&](const tkeyevent& event) {
        if (isCancel(event)) return true;
        const std::vector<std::string>& history = inspector.history();
        if (event.key == tkey::enter) {
            if (editor.length() == 0) {
                accepted = true;
                return true;
            }
            value = cp1252ToUtf8(inspector.evaluate(utf8ToCp1252Lossy(editor.text())));
            fresh = true;
            browsed = history.size();
        } else if ((event.key == tkey::up && browsed > 0) ||
                   (event.key == tkey::down && browsed < history.size())) {
            browsed = event.key == tkey::up ? browsed - 1 : browsed + 1;
            editor.setText(browsed < history.size() ? cp1252ToUtf8(history[browsed]) : "");
            fresh = false;
        } else if (fresh && (event.key == tkey::backspace || event.key == tkey::del)) {
            editor.setText("");  // the evaluated text is selected: deleting takes it all
            fresh = false;
        } else {
            if (fresh && !event.text.empty()) editor.setText("");
            fresh = false;
            editor.apply(event);
        }
        return false;
    };
    runDialog(build, handle);
    return accepted;
}

// A file name typed at the bottom line, with Tab completing names of
// files and folders. Paths are the system's bytes and stay as typed.
bool tterminalplatform::askPath(const std::string& title, const std::string& initial,
                                std::string& path, bool forSaving,
                                const std::string& defaultExtension, bool isPath) {
    const std::string label = cp1252ToUtf8(title) + ": ";
    tlineeditor editor(initial);
    std::vector<std::string> choices;
    bool accepted = false;
    const auto build = [&](int32_t columns, std::vector<std::string>& lines, int32_t& cursor) {
        lines.clear();
        if (!choices.empty()) {
            std::string list;
            for (const std::string& choice : choices) list += choice + "  ";
            lines.push_back(list);
        }
        lines.push_back(editorLine(label, editor, columns, cursor));
    };
    const auto handle = [&](const tkeyevent& event) {
        if (isCancel(event)) return true;
        if (event.key == tkey::other && event.character == '\t') {
            if (isPath) editor.setText(completePath(editor.text(), choices));
            return false;
        }
        if (event.key == tkey::enter && !isPath) {
            path = editor.text();
            accepted = true;
            return true;
        }
        if (event.key == tkey::enter) {
            std::string chosen = expandHome(editor.text());
            if (chosen.empty()) return true;  // an empty name cancels
            if (forSaving && !defaultExtension.empty() && !hasExtension(chosen))
                chosen += "." + defaultExtension;
            std::error_code error;
            if (forSaving && std::filesystem::exists(chosen, error)) {
                const std::string question =
                    std::filesystem::path(chosen).filename().string() + " gibt es schon. Ersetzen?";
                const tanswer answer = ask(utf8ToCp1252Lossy(question));
                if (answer == tanswer::cancel) return true;
                if (answer == tanswer::no) return false;
            }
            path = chosen;
            accepted = true;
            return true;
        }
        choices.clear();
        editor.apply(event);
        return false;
    };
    runDialog(build, handle);
    return accepted;
}

bool tterminalplatform::askText(const std::string& title, std::string& text) {
    std::string typed;
    if (!askPath(title, cp1252ToUtf8(text), typed, false, std::string(), false)) return false;
    text = utf8ToCp1252Lossy(typed);
    return true;
}

bool tterminalplatform::chooseEntry(const std::string& title,
                                    const std::vector<tmenuentry>& entries, int32_t& chosen) {
    const auto enabled = [&entries](int32_t i) {
        return i >= 0 && i < static_cast<int32_t>(entries.size()) &&
               entries[static_cast<std::size_t>(i)].enabled;
    };
    // The selection starts on the first entry that can be chosen and
    // skips those that cannot.
    int32_t selected = 0;
    while (selected < static_cast<int32_t>(entries.size()) && !enabled(selected)) ++selected;
    if (!enabled(selected)) return false;
    const auto step = [&](int32_t direction) {
        int32_t next = selected;
        do
            next = (next + direction + static_cast<int32_t>(entries.size())) %
                   static_cast<int32_t>(entries.size());
        while (!enabled(next));
        selected = next;
    };
    const std::string heading = cp1252ToUtf8(title) + kMenuHint;
    bool accepted = false;
    const auto build = [&](int32_t, std::vector<std::string>& lines, int32_t& cursor) {
        lines = {heading};
        for (std::size_t i = 0; i < entries.size(); ++i) {
            const std::string mark = static_cast<int32_t>(i) == selected ? " > " : "   ";
            const std::string entry = cp1252ToUtf8(entries[i].caption);
            lines.push_back(mark + (entries[i].enabled ? entry : "(" + entry + ")"));
        }
        cursor = -1;
    };
    const auto handle = [&](const tkeyevent& event) {
        if (isCancel(event) || event.key == tkey::f12) return true;
        if (event.key == tkey::up) step(-1);
        if (event.key == tkey::down) step(1);
        if (event.key != tkey::enter) return false;
        chosen = selected;
        accepted = true;
        return true;
    };
    runDialog(build, handle);
    return accepted;
}

bool tterminalplatform::chooseOpenFile(const std::string& title, const std::string& /*filter*/,
                                       const std::string& folder, std::string& path) {
    std::string initial = folder;
    if (!initial.empty() && initial.back() != '/') initial += '/';
    return askPath(title, initial, path, false, std::string());
}

bool tterminalplatform::chooseSaveFile(const std::string& title, const std::string& /*filter*/,
                                       const std::string& defaultExtension,
                                       const std::string& folder, const std::string& proposedName,
                                       std::string& path) {
    std::string initial = folder;
    if (!initial.empty() && initial.back() != '/') initial += '/';
    return askPath(title, initial + proposedName, path, true, defaultExtension);
}

}  // namespace velmo
