#ifndef VELMO_TERM_INTERACTIVE_H
#define VELMO_TERM_INTERACTIVE_H

// Playing a story in a terminal, full screen: the velmo-term default when
// standard input and output are both terminals.

#include <array>
#include <cstdint>
#include <optional>
#include <string>

namespace velmo {

struct tinteractiveoptions {
    std::string story;  // empty: the player is asked for a file
    // The text area's size; 0 takes it from the terminal (at most 70
    // columns, and every row below the status line).
    int32_t columns = 0;
    int32_t rows = 0;
    std::optional<uint32_t> seed;
    // Texts of F2 ... F10 (from the options file).
    std::array<std::string, 9> functionKeys;
};

// Runs the game until the player quits or the story ends; returns the
// program's exit code (1 when the story could not be opened).
int runInteractive(const tinteractiveoptions& options);

}  // namespace velmo

#endif
