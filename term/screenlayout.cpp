#include "term/screenlayout.h"

#include <algorithm>

#include "base/encoding.h"
#include "term/textview.h"

namespace velmo {

namespace {

uint8_t attrOf(tstyle style) {
    switch (style) {
    case tstyle::bold: return kBold;
    case tstyle::italic: return kItalic;
    case tstyle::underline: return kUnderline;
    case tstyle::strike: return kStrike;
    }
    return 0;
}

// Marks the style runs of the text on one row.
void drawStyles(tframe& frame, int32_t screenRow, const tviewrow& row,
                const std::vector<tstylerun>& runs) {
    const int64_t start = row.position;
    const int64_t end = start + static_cast<int64_t>(row.text.size());
    for (const tstylerun& run : runs) {
        if (run.end <= start || run.start >= end) continue;
        frame.mark(screenRow, static_cast<int32_t>(std::max<int64_t>(run.start, start) - start),
                   static_cast<int32_t>(std::min<int64_t>(run.end, end) - start),
                   attrOf(run.style));
    }
}

// The text area from screen row `top` on, `height` rows: the last rows,
// `scroll` rows further back when the player scrolls, or from the caret
// when it stands higher (a long topic menu). Text kept from before the
// screen was cleared stands above the text area's own. Returns the
// scrolling actually shown (less at the start of the text).
int32_t drawText(tframe& frame, const tscreenstate& state, int32_t top, int32_t height) {
    const ttextbuffer& text = *state.text;
    const int32_t scroll = std::max(state.scroll, 0);
    const int32_t wanted = height + scroll;
    const int32_t reach = state.caretShown && scroll == 0 ? state.caretLine : text.lineCount();
    const std::vector<tviewrow> own = lastRows(text, frame.columns(), wanted, reach);
    std::vector<tviewrow> rows;
    if (state.kept && static_cast<int32_t>(own.size()) < wanted)
        rows = lastRows(*state.kept, frame.columns(), wanted - static_cast<int32_t>(own.size()),
                        state.kept->lineCount());
    const int32_t keptRows = static_cast<int32_t>(rows.size());
    rows.insert(rows.end(), own.begin(), own.end());

    const int32_t total = static_cast<int32_t>(rows.size());
    int32_t first = std::max(total - height - scroll, 0);
    int32_t caretRow = -1;
    int32_t caretColumn = 0;
    if (state.caretShown &&
        findCaret(own, state.caretLine, std::max(state.caretColumn, 0), caretRow, caretColumn)) {
        caretRow += keptRows;
        if (scroll == 0 && caretRow < first) first = caretRow;
    }
    const int32_t last = std::min(total, first + height);  // one past
    for (int32_t i = first; i < last; ++i) {
        const tviewrow& row = rows[static_cast<std::size_t>(i)];
        // Windows-1252 has one screen cell per byte, so columns are bytes.
        frame.put(top + (i - first), 0, cp1252ToUtf8(row.text));
        if (i >= keptRows) drawStyles(frame, top + (i - first), row, text.styles());
    }
    if (caretRow >= first && caretRow < last) {
        frame.cursorRow = top + (caretRow - first);
        frame.cursorColumn = caretColumn;
    }
    return std::max(total - height - first, 0);
}

// The box: centred over the text area, two rows below its top, in
// reverse video, with an empty row below its last line.
void drawBox(tframe& frame, const std::vector<std::string>& lines, const std::string& hint,
             int32_t top, int32_t areaWidth) {
    std::size_t longest = 0;
    for (const std::string& line : lines) longest = std::max(longest, line.size());
    const int32_t width = static_cast<int32_t>(std::min<std::size_t>(longest, 10000));
    const int32_t left = std::max<int32_t>((areaWidth - width) / 2, 0);
    int32_t row =
        std::min(top + 2, std::max(top, frame.rows() - static_cast<int32_t>(lines.size()) - 1));
    for (const std::string& line : lines) {
        frame.fill(row, left, left + width, kReverse);
        frame.put(row, left, cp1252ToUtf8(line), kReverse);
        ++row;
    }
    frame.fill(row, left, left + width, kReverse);
    // The hint at the right of the empty row: the box waits for a key.
    const int32_t hintWidth = static_cast<int32_t>(hint.size());
    if (!hint.empty() && hintWidth + 1 <= width)
        frame.put(row, left + width - hintWidth - 1, hint, kReverse);
}

}  // namespace

void drawPrompt(tframe& frame, const std::vector<std::string>& prompt, int32_t cursor) {
    const int32_t count = std::min<int32_t>(static_cast<int32_t>(prompt.size()), frame.rows());
    const int32_t top = frame.rows() - count;
    for (int32_t i = 0; i < count; ++i) {
        const int32_t row = top + i;
        frame.fill(row, 0, frame.columns(), kReverse);
        frame.put(row, 0, prompt[prompt.size() - static_cast<std::size_t>(count - i)], kReverse);
    }
    if (count > 0 && cursor >= 0) {
        frame.cursorRow = frame.rows() - 1;
        frame.cursorColumn = cursor;
    } else if (count > 0 && frame.cursorRow >= top) {
        frame.cursorRow = -1;
    }
}

tframe layoutScreen(const tscreenstate& state, int32_t rows, int32_t columns,
                    int32_t* shownScroll) {
    tframe frame(rows, columns);
    // With a single row there is room for the text only.
    const int32_t top = frame.rows() > 1 ? 1 : 0;
    if (top == 1) {
        frame.fill(0, 0, frame.columns(), kReverse);
        frame.put(0, 0, cp1252ToUtf8(fitStatusLine(state.status, frame.columns())), kReverse);
    }
    if (state.text) {
        const int32_t scrolled = drawText(frame, state, top, frame.rows() - top);
        if (shownScroll) *shownScroll = scrolled;
        if (!state.box.empty())
            drawBox(frame, state.box, state.boxHint, top,
                    std::min(frame.columns(), state.text->width()));
    }
    if (!state.prompt.empty()) drawPrompt(frame, state.prompt, state.promptCursor);
    return frame;
}

std::vector<std::string> wrapText(std::string_view text, int32_t width) {
    width = std::max<int32_t>(width, 1);
    std::vector<std::string> lines;
    std::size_t from = 0;
    while (true) {
        const std::size_t stop = text.find('\n', from);
        const std::string_view paragraph = text.substr(
            from, stop == std::string_view::npos ? std::string_view::npos : stop - from);
        std::vector<char32_t> glyphs;
        for (std::size_t pos = 0; pos < paragraph.size();) {
            char32_t glyph = 0;
            pos += nextGlyph(paragraph, pos, glyph);
            glyphs.push_back(glyph);
        }
        std::size_t start = 0;
        do {
            std::size_t end = std::min(glyphs.size(), start + static_cast<std::size_t>(width));
            std::size_t next = end;
            if (end < glyphs.size()) {
                // Break after the last blank that fits, if there is one.
                for (std::size_t i = end; i > start; --i) {
                    if (glyphs[i] == U' ') {
                        end = i;
                        next = i + 1;
                        break;
                    }
                }
            }
            std::string line;
            for (std::size_t i = start; i < end; ++i) appendUtf8(line, glyphs[i]);
            lines.push_back(std::move(line));
            start = next;
        } while (start < glyphs.size());
        if (stop == std::string_view::npos) break;
        from = stop + 1;
    }
    return lines;
}

}  // namespace velmo
