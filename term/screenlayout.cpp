#include "term/screenlayout.h"

#include <algorithm>

#include "base/encoding.h"

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

// The text area from screen row `top` on, `height` rows.
void drawText(tframe& frame, const tscreenstate& state, int32_t top, int32_t height) {
    const ttextbuffer& text = *state.text;
    const int32_t first = firstVisibleLine(text, height, state.caretLine, state.caretShown);
    const int32_t last = std::min(text.lineCount(), first + height);  // one past

    // Text positions of the shown lines, counted back from the end, for
    // the style runs.
    std::vector<int32_t> starts(static_cast<std::size_t>(std::max(last - first, 0)));
    int64_t position = text.textLength();
    for (int32_t i = text.lineCount() - 1; i >= first; --i) {
        position -= static_cast<int64_t>(text.line(i).size()) + (text.endsParagraph(i) ? 1 : 0);
        if (i < last) starts[static_cast<std::size_t>(i - first)] = static_cast<int32_t>(position);
    }

    for (int32_t i = first; i < last; ++i) {
        const int32_t row = top + (i - first);
        const std::string line = text.line(i);
        // Windows-1252 has one screen cell per byte, so columns are bytes.
        frame.put(row, 0, cp1252ToUtf8(line));
        const int32_t start = starts[static_cast<std::size_t>(i - first)];
        const int32_t end = start + static_cast<int32_t>(line.size());
        for (const tstylerun& run : text.styles()) {
            if (run.end <= start || run.start >= end) continue;
            frame.mark(row, std::max(run.start, start) - start, std::min(run.end, end) - start,
                       attrOf(run.style));
        }
    }
    if (state.caretShown && state.caretLine >= first && state.caretLine < last) {
        frame.cursorRow = top + (state.caretLine - first);
        frame.cursorColumn = std::max<int32_t>(state.caretColumn, 0);
    }
}

// The box: centred over the text area, two rows below its top, in
// reverse video, with an empty row below its last line.
void drawBox(tframe& frame, const std::vector<std::string>& lines, int32_t top, int32_t areaWidth) {
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

int32_t firstVisibleLine(const ttextbuffer& text, int32_t height, int32_t caretLine,
                         bool caretShown) {
    int32_t first = std::max(text.firstStoredLine(), text.lineCount() - std::max(height, 1));
    if (caretShown && caretLine < first && caretLine >= text.firstStoredLine()) first = caretLine;
    return first;
}

tframe layoutScreen(const tscreenstate& state, int32_t rows, int32_t columns) {
    tframe frame(rows, columns);
    // With a single row there is room for the text only.
    const int32_t top = frame.rows() > 1 ? 1 : 0;
    if (top == 1) {
        frame.fill(0, 0, frame.columns(), kReverse);
        frame.put(0, 0, cp1252ToUtf8(state.status), kReverse);
    }
    if (state.text) {
        drawText(frame, state, top, frame.rows() - top);
        if (!state.box.empty())
            drawBox(frame, state.box, top, std::min(frame.columns(), state.text->width()));
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
