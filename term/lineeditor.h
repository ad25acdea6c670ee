#ifndef VELMO_TERM_LINEEDITOR_H
#define VELMO_TERM_LINEEDITOR_H

// The one-line editor of the terminal player's file prompts. It edits
// UTF-8 text by whole characters, since a path is taken as the terminal
// sends it and may hold characters of any script.

#include <cstdint>
#include <string>
#include <vector>

#include "term/keyreader.h"

namespace velmo {

class tlineeditor {
public:
    explicit tlineeditor(const std::string& text = std::string());

    // Applies a key stroke; true when it changed the text or the cursor.
    // Enter, Esc and Tab are left to the caller.
    bool apply(const tkeyevent& event);

    void setText(const std::string& text);
    std::string text() const;
    // The cursor as a character index (0 = before the first character).
    int32_t cursor() const { return cursor_; }
    int32_t length() const { return static_cast<int32_t>(glyphs.size()); }

private:
    std::vector<std::string> glyphs;  // one UTF-8 character each
    int32_t cursor_ = 0;
};

}  // namespace velmo

#endif
