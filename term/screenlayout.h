#ifndef VELMO_TERM_SCREENLAYOUT_H
#define VELMO_TERM_SCREENLAYOUT_H

// Where things stand on the terminal: the status line in reverse video on
// the top row, below it the text area (its last lines that fit, wrapped
// anew when the terminal is narrower, with their styles and the caret), the box of the "box" statement centred over
// the text, and the terminal player's own dialogs as lines at the bottom.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "frontend/textbuffer.h"
#include "term/screenframe.h"

namespace velmo {

struct tscreenstate {
    const ttextbuffer* text = nullptr;
    std::string status;  // Windows-1252
    int32_t caretLine = 0;
    int32_t caretColumn = 0;
    bool caretShown = false;
    std::vector<std::string> box;  // Windows-1252, lines already padded
    std::string boxHint;           // ASCII, in the box's last row
    // A dialog at the bottom of the screen (UTF-8 lines) and the column
    // of the cursor in its last line (-1: no cursor).
    std::vector<std::string> prompt;
    int32_t promptCursor = -1;
    // Text kept from before the text area was last cleared (null: none
    // shown); it stands above the text area's own text.
    const ttextbuffer* kept = nullptr;
    // How many rows the player has scrolled back from the end.
    int32_t scroll = 0;
};

// The screen; `shownScroll` receives the scrolling shown, which is less
// than asked for at the start of the text.
tframe layoutScreen(const tscreenstate& state, int32_t rows, int32_t columns,
                    int32_t* shownScroll = nullptr);
// Draws dialog lines (UTF-8) over the bottom rows of a frame, in reverse
// video, with the cursor in the last one at `cursor` (-1: none).
void drawPrompt(tframe& frame, const std::vector<std::string>& prompt, int32_t cursor);

// Breaks UTF-8 text into lines of at most `width` characters, at blanks
// where it can, and at every "\n".
std::vector<std::string> wrapText(std::string_view text, int32_t width);

}  // namespace velmo

#endif
