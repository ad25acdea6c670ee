// Text output: writing story text with its markup resolved, paging with
// "[Leertaste]", the box of the "box" statement, and clearing the screen.

#include <string_view>

#include "frontend/game.h"
#include "frontend/markup.h"

namespace velmo {

void tgame::writeText(const std::string& text) {
    tresolvedtext resolved = resolveMarkup(text, story.get(), settings.columns);
    if (resolved.failed) {
        bool failed = false;
        showError(failed, 0, "Fehler bei Ausgabe von Klassennamen: " + resolved.resolvedPart);
    }
    display(resolved.text, resolved.runs);
}

// Appends the resolved text in slices of one line's width, each slice
// piece by piece up to its line breaks, and pauses when a screen's worth
// of new lines has gone by since the player last looked.
void tgame::display(const std::string& text, const std::vector<tstylerun>& runs) {
    transcript.addText(text);
    const int32_t base = platform.textLength();
    platform.suspendUpdates();
    const std::size_t width = static_cast<std::size_t>(settings.columns);
    for (std::size_t slice = 0; slice < text.size(); slice += width) {
        const std::size_t sliceEnd = std::min(text.size(), slice + width);
        // Line breaks are looked for within the slice only: a long text
        // without one is not searched to its end for every slice.
        const std::string_view sliceText = std::string_view(text).substr(0, sliceEnd);
        std::size_t from = slice;
        while (from < sliceEnd) {
            const std::size_t breakAt = sliceText.find('\n', from);
            const std::size_t end = breakAt == std::string_view::npos ? sliceEnd : breakAt + 1;
            platform.append(text.substr(from, end - from));
            from = end;
            if (platform.pagesOutput() && !windowClosing &&
                platform.lineCount() - pageStart >= settings.rows - 1)
                pause();
        }
    }
    for (const tstylerun& run : runs)
        platform.applyStyle(base + run.start, base + run.end, run.style);
    placeCaretAtEnd();
    platform.resumeUpdates();
}

// A sentence of the player program's own (a game saved). While a command
// runs it is written like the command's answer. At the prompt (a menu
// entry or a shortcut) it goes above the input line, which keeps what
// the player has typed so far. It is plain text, never markup, so a file
// name in it shows as it is.
void tgame::tellPlayer(const std::string& sentence) {
    if (commandSplitter || !storyOpen()) {
        display(sentence + "\n", {});
        return;
    }
    const int32_t last = platform.lineCount() - 1;
    const std::string typed = platform.line(last);
    const int32_t typedCaret = caret;
    platform.replaceLine(last, "");
    display(sentence + "\n\n", {});
    platform.append(typed);
    caret = typedCaret;
    platform.setCaret(platform.lineCount() - 1, caret);
}

// The "[Leertaste]" pause: the last line shows the mark until a key comes,
// then gets its text back.
void tgame::pause() {
    const int32_t last = platform.lineCount() - 1;
    const std::string saved = platform.line(last);
    platform.replaceLine(last, "[Leertaste]");
    platform.resumeUpdates();
    awaitKey(twait::page);
    platform.replaceLine(last, saved);
    pageStart = platform.lineCount();
    platform.suspendUpdates();
}

void tgame::placeCaretAtEnd() {
    const int32_t last = platform.lineCount() - 1;
    caret = static_cast<int32_t>(platform.line(last).size());
    platform.setCaret(last, caret);
}

// New text starts at the bottom of the screen: a screen of empty lines
// pushes what was there up.
void tgame::clearScreen() {
    platform.append(std::string(static_cast<std::size_t>(settings.rows), '\n'));
    placeCaretAtEnd();
    pageStart = platform.lineCount();
}

void tgame::showBox(const std::string& text) {
    std::string prepared;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '^' && i + 1 < text.size() && text[i + 1] == '^') {
            prepared += "^ ^";
            ++i;
        } else {
            prepared += text[i] == '\\' ? '"' : text[i];
        }
    }
    std::vector<std::string> lines{""};
    std::size_t from = 0;
    while (true) {
        std::size_t caretMark = prepared.find('^', from);
        lines.push_back(" " + prepared.substr(from, caretMark - from) + " ");
        if (caretMark == std::string::npos) break;
        from = caretMark + 1;
    }
    platform.showBox(lines);
    awaitKey(twait::box);
    platform.hideBox();
}

}  // namespace velmo
