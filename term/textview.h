#ifndef VELMO_TERM_TEXTVIEW_H
#define VELMO_TERM_TEXTVIEW_H

// The text area as a terminal of any width shows it. The game wraps its
// lines at the story's columns; a terminal that is narrower (it was made
// smaller during the game) would cut them off, so every paragraph with a
// line too wide for the screen is wrapped anew, the same way the text
// buffer wraps. Narrower lines stay exactly as they are, so the topic
// menu's marker and the input line keep their places.
//
// Rows are built from the end of the text backwards, only as many as the
// screen (and the scrolling back) needs: a long game costs no more to
// paint than a short one.

#include <cstdint>
#include <string>
#include <vector>

#include "frontend/textbuffer.h"

namespace velmo {

struct tviewrow {
    std::string text;      // Windows-1252
    int32_t line = 0;      // the display line of the buffer it shows
    int32_t column = 0;    // where in that line the row begins
    int64_t position = 0;  // the text position of its first character
};

// The last rows of `text` wrapped at `width`: at least `wanted` rows
// (fewer when the text has no more), and back to the display line
// `reachLine` at least. Rows are in reading order.
std::vector<tviewrow> lastRows(const ttextbuffer& text, int32_t width, int32_t wanted,
                               int32_t reachLine);

// The row and column where a caret on display line `line`, column
// `column` stands among `rows`; false when none of them shows it.
bool findCaret(const std::vector<tviewrow>& rows, int32_t line, int32_t column, int32_t& row,
               int32_t& rowColumn);

// A status line ("left part   right part") made to fit `columns`: the
// blanks between its parts shrink first, so the clock stays in view.
std::string fitStatusLine(const std::string& status, int32_t columns);

}  // namespace velmo

#endif
