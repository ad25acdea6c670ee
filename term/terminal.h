#ifndef VELMO_TERM_TERMINAL_H
#define VELMO_TERM_TERMINAL_H

// The terminal itself: raw keyboard input, the alternate screen, the
// window size, and putting everything back the way it was, also when the
// program is killed or crashes.

#include <cstdint>
#include <string>
#include <string_view>

namespace velmo {

class tterminal {
public:
    // Standard input and output by default; a test hands in pipes.
    explicit tterminal(int input = 0, int output = 1) : in(input), out(output) {}
    ~tterminal() { leave(); }
    tterminal(const tterminal&) = delete;
    tterminal& operator=(const tterminal&) = delete;

    // True when standard input and standard output are both terminals.
    static bool interactive();

    // Raw mode (every key at once, no echo, no signals from Ctrl+C, no
    // flow control, so Ctrl+S reaches the game), the alternate screen and
    // the signal handlers. False when the terminal refuses raw mode.
    bool enter();
    // Restores the terminal; safe to call twice.
    void leave();
    bool active() const { return entered; }

    // The window size in character cells (24 x 80 when it cannot be read).
    void size(int32_t& rows, int32_t& columns) const;

    enum class tinput { bytes, timeout, resized, closed };
    // Waits up to `timeoutMs` milliseconds (-1: without end) for input and
    // appends what arrived to `bytes`. `closed` means the terminal has
    // gone (end of input, hang-up, an output error).
    tinput wait(int timeoutMs, std::string& bytes);

    void write(std::string_view text);
    // The window title (UTF-8); the previous title comes back on leave.
    void setTitle(const std::string& title);

private:
    int in;
    int out;
    bool entered = false;
    bool broken = false;
};

}  // namespace velmo

#endif
