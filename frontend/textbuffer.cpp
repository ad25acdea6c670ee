#include "frontend/textbuffer.h"

#include <algorithm>

namespace velmo {

ttextbuffer::ttextbuffer(int32_t width, int64_t lengthLimit)
    : width_(std::max<int32_t>(width, 2)), maxLength(std::max<int64_t>(lengthLimit, 1024)) {
    lines.emplace_back();
}

void ttextbuffer::setWidth(int32_t columns) { width_ = std::max<int32_t>(columns, 2); }

const ttextbuffer::tline* ttextbuffer::stored(int32_t index) const {
    if (index < dropped || index >= lineCount()) return nullptr;
    return &lines[static_cast<std::size_t>(index - dropped)];
}

std::string ttextbuffer::line(int32_t index) const {
    const tline* l = stored(index);
    return l ? l->text : std::string();
}

bool ttextbuffer::endsParagraph(int32_t index) const {
    const tline* l = stored(index);
    return l && l->paragraphEnd;
}

std::string ttextbuffer::wholeText() const {
    std::string text;
    text.reserve(static_cast<std::size_t>(storedLength));
    for (const tline& l : lines) {
        text += l.text;
        if (l.paragraphEnd) text += '\n';
    }
    return text;
}

void ttextbuffer::replaceLine(int32_t index, const std::string& text) {
    if (!stored(index)) return;
    tline& l = lines[static_cast<std::size_t>(index - dropped)];
    storedLength += static_cast<int64_t>(text.size()) - static_cast<int64_t>(l.text.size());
    l.text = text;
}

void ttextbuffer::append(const std::string& text) {
    std::size_t from = 0;
    while (from <= text.size()) {
        std::size_t stop = text.find('\n', from);
        std::size_t end = stop == std::string::npos ? text.size() : stop;
        lines.back().text.append(text, from, end - from);
        storedLength += static_cast<int64_t>(end - from);
        wrapLast();
        if (stop == std::string::npos) break;
        lines.back().paragraphEnd = true;
        ++storedLength;
        lines.emplace_back();
        from = stop + 1;
    }
    if (storedLength > maxLength) dropOldLines();
}

// Breaks the last line while a character that is not a blank stands at or
// past the width. Blanks may hang over the edge, as in a text control.
void ttextbuffer::wrapLast() {
    const std::size_t w = static_cast<std::size_t>(width_);
    while (lines.back().text.find_first_not_of(' ', w) != std::string::npos) {
        std::string& text = lines.back().text;
        std::size_t cut = w;
        std::size_t blank = text.rfind(' ', w);
        if (blank != std::string::npos && blank >= 1) {
            cut = blank;
            while (cut < text.size() && text[cut] == ' ') ++cut;
        }
        std::string rest = text.substr(cut);
        text.resize(cut);
        lines.emplace_back();
        lines.back().text = std::move(rest);
    }
}

void ttextbuffer::dropOldLines() {
    // Drop down to three quarters of the limit, so that dropping happens
    // seldom; the open last line always stays.
    const int64_t target = maxLength / 4 * 3;
    while (storedLength > target && lines.size() > 1) {
        const tline& first = lines.front();
        const int64_t length =
            static_cast<int64_t>(first.text.size()) + (first.paragraphEnd ? 1 : 0);
        storedLength -= length;
        droppedLength += length;
        ++dropped;
        lines.pop_front();
    }
    const int64_t firstKept = droppedLength;
    std::erase_if(runs, [firstKept](const tstylerun& r) { return r.end <= firstKept; });
}

void ttextbuffer::clear() {
    lines.clear();
    lines.emplace_back();
    dropped = 0;
    droppedLength = 0;
    storedLength = 0;
    runs.clear();
}

bool ttextbuffer::locate(int32_t position, int32_t& lineIndex, int32_t& column) const {
    int64_t lineStart = textLength();
    // Style runs and the caret lie near the end: search from there.
    for (int32_t i = lineCount() - 1; i >= dropped; --i) {
        const tline& l = lines[static_cast<std::size_t>(i - dropped)];
        lineStart -= static_cast<int64_t>(l.text.size()) + (l.paragraphEnd ? 1 : 0);
        if (position >= lineStart) {
            const int64_t offset = position - lineStart;
            if (offset > static_cast<int64_t>(l.text.size())) return false;
            lineIndex = i;
            column = static_cast<int32_t>(offset);
            return true;
        }
    }
    return false;
}

void ttextbuffer::addStyle(int32_t start, int32_t end, tstyle style) {
    if (end <= start) return;
    runs.push_back({start, end, style});
}

}  // namespace velmo
