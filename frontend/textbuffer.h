#ifndef VELMO_FRONTEND_TEXTBUFFER_H
#define VELMO_FRONTEND_TEXTBUFFER_H

// A text area held in memory as display lines, for hosts that draw the
// text themselves (the terminal, the plain line mode, the test host).
//
// Appended text wraps at the width the way a word-wrapping text control
// does: a line that would run past the width breaks after its last blank
// (blanks may hang over the edge), or hard at the width when it holds no
// blank. Wrapping adds no characters, so text positions (every character
// plus one per line break) stay what the writer counted.
//
// To bound memory, the oldest lines are dropped once the text exceeds its
// limit; line indices and positions keep counting the dropped text, so a
// line number handed out earlier never points at another line.

#include <cstdint>
#include <deque>
#include <string>
#include <vector>

#include "frontend/platform.h"

namespace velmo {

struct tstylerun {
    int32_t start = 0;
    int32_t end = 0;
    tstyle style = tstyle::bold;
};

class ttextbuffer {
public:
    explicit ttextbuffer(int32_t width = 72, int64_t maxLength = 524288);

    void setWidth(int32_t columns);
    int32_t width() const { return width_; }

    int32_t lineCount() const { return dropped + static_cast<int32_t>(lines.size()); }
    // The text of a line; empty for a dropped line or an index out of range.
    std::string line(int32_t index) const;
    // Whether a line ended by a line break of the text (not by wrapping).
    bool endsParagraph(int32_t index) const;
    // Replaces a stored line's text; other indices are ignored.
    void replaceLine(int32_t index, const std::string& text);
    void append(const std::string& text);
    void clear();
    int32_t textLength() const { return static_cast<int32_t>(droppedLength + storedLength); }
    // The stored text: the lines joined by the line breaks of the text;
    // wrapped lines join without one (wrapping added no character).
    std::string wholeText() const;
    // The line and column of a text position; false when the position
    // lies in dropped text or past the end.
    bool locate(int32_t position, int32_t& lineIndex, int32_t& column) const;

    // Style runs, for hosts that draw styles (positions as above).
    void addStyle(int32_t start, int32_t end, tstyle style);
    const std::vector<tstylerun>& styles() const { return runs; }
    // The index of the first line still stored.
    int32_t firstStoredLine() const { return dropped; }

private:
    struct tline {
        std::string text;
        bool paragraphEnd = false;  // a line break of the text follows
    };
    void wrapLast();
    void dropOldLines();
    const tline* stored(int32_t index) const;

    int32_t width_;
    int64_t maxLength;
    std::deque<tline> lines;  // never empty: the last line is open
    int32_t dropped = 0;
    int64_t droppedLength = 0;
    int64_t storedLength = 0;
    std::vector<tstylerun> runs;
};

}  // namespace velmo

#endif
