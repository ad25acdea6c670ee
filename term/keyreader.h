#ifndef VELMO_TERM_KEYREADER_H
#define VELMO_TERM_KEYREADER_H

// Turns the bytes a terminal sends into key strokes: plain characters
// (UTF-8, handed on in Windows-1252), control characters, and the escape
// sequences of the cursor, editing and function keys in the forms that
// common terminals use ("ESC [ A", "ESC O P", "ESC [ 1 1 ~", "ESC [ 1 ; 5 C",
// the Linux console's "ESC [ [ A"). It does no terminal I/O, so it can be
// fed from a test.
//
// A lone ESC cannot be told from the start of a sequence until the bytes
// stop coming: the caller waits a short while when `pending` is true and
// calls `timeout` if nothing followed.

#include <cstddef>
#include <cstdint>
#include <deque>
#include <string>
#include <string_view>

#include "frontend/platform.h"

namespace velmo {

struct tkeyevent {
    tkey key = tkey::none;
    tmodifiers modifiers;
    // The Windows-1252 character the key types (Enter 13, Backspace 8,
    // Esc 27, Tab 9, Ctrl+letter 1-26); 0 for none.
    char character = 0;
    // A typed character as the terminal sent it (UTF-8), also when it has
    // no Windows-1252 form: file paths are taken as they are.
    std::string text;
    // The mouse wheel: -1 one notch up (away from the player), 1 down;
    // such an event has no key.
    int wheel = 0;
};

// Rows one notch of the mouse wheel scrolls, in the text and in a page.
constexpr int32_t kWheelRows = 3;

class tkeyreader {
public:
    // Adds bytes from the terminal; complete key strokes become available
    // through `next`.
    void feed(std::string_view bytes);
    // Takes the next decoded key stroke; false when there is none.
    bool next(tkeyevent& event);
    // True while the bytes seen so far may still be the start of a longer
    // sequence (an ESC, a half escape sequence, part of a UTF-8 character).
    bool pending() const { return !partial.empty(); }
    // Nothing followed the pending bytes: a lone ESC is the Esc key, and
    // anything else left unfinished is dropped.
    void timeout();

private:
    // Decodes from the start of `partial`; returns the bytes used, or 0
    // when more bytes are needed.
    std::size_t decode(std::string_view bytes);
    std::size_t decodeEscape(std::string_view bytes);
    std::size_t decodeCsi(std::string_view bytes);
    std::size_t decodeSs3(std::string_view bytes);
    std::size_t decodeMouse(std::string_view bytes);
    std::size_t decodeUtf8(std::string_view bytes);
    void decodeControl(unsigned char byte);
    void push(tkey key, tmodifiers modifiers = {}, char character = 0);

    std::string partial;
    std::deque<tkeyevent> events;
};

}  // namespace velmo

#endif
