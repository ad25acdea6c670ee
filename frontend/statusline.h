#ifndef VELMO_FRONTEND_STATUSLINE_H
#define VELMO_FRONTEND_STATUSLINE_H

// Building the status line text. The front end fills in the values; the
// composition is kept apart so that every format can be checked alone.

#include <cstdint>
#include <string>

namespace velmo {

struct tstatusvalues {
    int32_t format =
        0;  // 0 score/moves, 1 "Punkte:... Zuege:...", 2 clock, 3 message, 4+ centred, <0 none
    int32_t score = 0;
    int32_t moves = 0;
    int32_t minutes = 0;  // the game clock
    std::string message;  // the root's variable "stlmessage"
};

// The status line of `width` characters: the story's text on the left
// (centred for format 4 and above) and the format's right part ending two
// columns before the right edge.
std::string composeStatusLine(const std::string& storyText, const tstatusvalues& values,
                              int32_t width);

// Minutes of the day as hours and two-digit minutes: 545 gives "9:05".
std::string clockText(int32_t minutes);

}  // namespace velmo

#endif
