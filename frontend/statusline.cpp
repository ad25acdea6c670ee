// The status line above the text area: the story's "StatusLine" text of
// the player's location on the left (or centred), and on the right the
// score and moves, the clock or the story's own message, by format.

#include <cstdio>

#include "frontend/game.h"
#include "frontend/statusline.h"
#include "model/story.h"
#include "model/time.h"
#include "script/interpreter.h"

namespace velmo {

namespace {

const std::string kBlanks(200, ' ');

// Inserts `part` at `position` (clamped to the text), as a text insert
// that shifts what follows.
void insertAt(std::string& text, int64_t position, const std::string& part) {
    if (position < 0) position = 0;
    if (position > static_cast<int64_t>(text.size())) position = static_cast<int64_t>(text.size());
    text.insert(static_cast<std::size_t>(position), part);
}

}  // namespace

std::string clockText(int32_t minutes) {
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%d:%02d", minutes / 60, minutes % 60);
    return buffer;
}

std::string composeStatusLine(const std::string& storyText, const tstatusvalues& values,
                              int32_t width) {
    std::string line;
    const int64_t w = width;
    const int64_t length = static_cast<int64_t>(storyText.size());
    if (values.format >= 4) {
        line = kBlanks;
        // Positions count from 1, as for the right part below: the text
        // starts at index W div 2 - length div 2 - 1.
        insertAt(line, w / 2 - length / 2 - 1, storyText);
    } else {
        line = " " + storyText + kBlanks;
        std::string right;
        switch (values.format) {
        case 0: right = std::to_string(values.score) + "/" + std::to_string(values.moves); break;
        case 1:
            right = "Punkte:" + std::to_string(values.score) +
                    "  Z\xFCge:" + std::to_string(values.moves);
            break;
        case 2: right = clockText(values.minutes); break;
        case 3: right = values.message; break;
        default: break;
        }
        // The right part ends two columns before the right edge.
        if (!right.empty()) insertAt(line, w - static_cast<int64_t>(right.size()) - 2, right);
    }
    if (static_cast<int64_t>(line.size()) > w)
        line.resize(static_cast<std::size_t>(std::max<int64_t>(w, 0)));
    return line;
}

void tgame::updateStatusLine() {
    if (!story) return;
    std::string storyText;
    tnode* player = story->player;
    if (player && player->location) {
        // A temporary interpreter, so that a status line built in the
        // middle of a command leaves the running one untouched.
        tinterpreter temporary(*story);
        temporary.Run(0, player->location, storyText, "", "StatusLine");
    }
    tstatusvalues values;
    values.format = story->statusFormat;
    values.score = story->score;
    values.moves = story->moves;
    values.minutes = story->clock.minutes();
    if (values.format == 3) story->root().vars.getValue("stlmessage", values.message);
    setStatus(composeStatusLine(storyText, values, settings.columns + 2));
}

}  // namespace velmo
