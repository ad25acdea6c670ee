#include "term/textview.h"

#include <algorithm>

namespace velmo {

namespace {

std::size_t visibleLength(const std::string& text) {
    const std::size_t last = text.find_last_not_of(' ');
    return last == std::string::npos ? 0 : last + 1;
}

// The rows of the paragraph made of display lines `first` to `last`,
// which begins at text position `start`.
std::vector<tviewrow> paragraphRows(const ttextbuffer& text, int32_t first, int32_t last,
                                    int64_t start, int32_t width) {
    std::vector<tviewrow> rows;
    bool fits = true;
    for (int32_t i = first; i <= last && fits; ++i)
        fits = visibleLength(text.line(i)) <= static_cast<std::size_t>(width);
    if (fits) {
        int64_t position = start;
        for (int32_t i = first; i <= last; ++i) {
            rows.push_back({text.line(i), i, 0, position});
            position += static_cast<int64_t>(text.line(i).size());
        }
        return rows;
    }
    // Wrapped lines join without a character between them, so offsets in
    // the joined text are text positions from the paragraph's start.
    std::string joined;
    std::vector<std::size_t> lineStarts;
    for (int32_t i = first; i <= last; ++i) {
        lineStarts.push_back(joined.size());
        joined += text.line(i);
    }
    const auto rowAt = [&](std::size_t from, std::size_t to) {
        std::size_t k = lineStarts.size() - 1;
        while (k > 0 && lineStarts[k] > from) --k;
        rows.push_back({joined.substr(from, to - from), first + static_cast<int32_t>(k),
                        static_cast<int32_t>(from - lineStarts[k]),
                        start + static_cast<int64_t>(from)});
    };
    const std::size_t w = static_cast<std::size_t>(width);
    std::size_t from = 0;
    // As the text buffer wraps: after the last blank that fits (blanks
    // hang over the edge), or hard at the width.
    while (joined.find_first_not_of(' ', from + w) != std::string::npos) {
        std::size_t cut = from + w;
        const std::size_t blank = joined.rfind(' ', from + w);
        if (blank != std::string::npos && blank > from) {
            cut = blank;
            while (cut < joined.size() && joined[cut] == ' ') ++cut;
        }
        rowAt(from, cut);
        from = cut;
    }
    rowAt(from, joined.size());
    return rows;
}

}  // namespace

std::vector<tviewrow> lastRows(const ttextbuffer& text, int32_t width, int32_t wanted,
                               int32_t reachLine) {
    width = std::max<int32_t>(width, 1);
    std::vector<std::vector<tviewrow>> paragraphs;  // from the end backwards
    std::size_t count = 0;
    int64_t end = text.textLength();
    const int32_t firstStored = text.firstStoredLine();
    for (int32_t last = text.lineCount() - 1;
         last >= firstStored &&
         (count < static_cast<std::size_t>(std::max(wanted, 0)) || last >= reachLine);) {
        int32_t first = last;
        while (first > firstStored && !text.endsParagraph(first - 1)) --first;
        int64_t start = end;
        for (int32_t i = first; i <= last; ++i)
            start -= static_cast<int64_t>(text.line(i).size()) + (text.endsParagraph(i) ? 1 : 0);
        paragraphs.push_back(paragraphRows(text, first, last, start, width));
        count += paragraphs.back().size();
        end = start;
        last = first - 1;
    }
    std::vector<tviewrow> rows;
    rows.reserve(count);
    for (auto it = paragraphs.rbegin(); it != paragraphs.rend(); ++it)
        for (tviewrow& row : *it) rows.push_back(std::move(row));
    return rows;
}

bool findCaret(const std::vector<tviewrow>& rows, int32_t line, int32_t column, int32_t& row,
               int32_t& rowColumn) {
    bool found = false;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        if (rows[i].line != line || rows[i].column > column) continue;
        row = static_cast<int32_t>(i);
        rowColumn = column - rows[i].column;
        found = true;
    }
    return found;
}

std::string fitStatusLine(const std::string& status, int32_t columns) {
    std::string text = status.substr(0, visibleLength(status));
    const std::size_t room = static_cast<std::size_t>(std::max(columns, 0));
    if (text.size() <= room) return text;
    // The gap between the parts: the longest run of blanks after the
    // first word.
    std::size_t gapStart = 0;
    std::size_t gapEnd = 0;
    std::size_t pos = text.find_first_not_of(' ');
    while (pos != std::string::npos) {
        const std::size_t blank = text.find(' ', pos);
        if (blank == std::string::npos) break;
        const std::size_t next = text.find_first_not_of(' ', blank);
        if (next - blank > gapEnd - gapStart) {
            gapStart = blank;
            gapEnd = next;
        }
        pos = next;
    }
    const std::string right = text.substr(gapEnd);
    if (gapEnd - gapStart < 2 || right.size() + 2 > room) return text.substr(0, room);
    // One blank at least stays between the parts; the left part gives
    // way last.
    std::string left = text.substr(0, gapStart);
    const std::size_t blanks =
        std::max<std::size_t>(1, room - std::min(room, left.size() + right.size()));
    if (left.size() + blanks + right.size() > room) left.resize(room - blanks - right.size());
    return left + std::string(blanks, ' ') + right;
}

}  // namespace velmo
