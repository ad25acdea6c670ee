#ifndef VELMO_TERM_INTERACTIVE_H
#define VELMO_TERM_INTERACTIVE_H

// Playing a story in a terminal, full screen: the velmo-term default when
// standard input and output are both terminals.
//   velmo-term [--cols N] [--rows N] [--seed N] [GESCHICHTE]

#include <cstdint>
#include <optional>
#include <string>

namespace velmo {

struct tinteractiveoptions {
    std::string story;  // empty: the autoload story of the options
    // The text area's size for this run, not saved; unset: the options'.
    // Never more than the terminal shows.
    std::optional<int32_t> columns;
    std::optional<int32_t> rows;
    std::optional<uint32_t> seed;
};

// Runs the game until the player quits; returns the program's exit code:
// 1 when the story could not be opened, 2 when no story is named and the
// options name none to load (the caller shows the usage).
int runInteractive(const tinteractiveoptions& options);

// The command line of the full-screen player (the arguments after the
// program's name); from a pipe or a file it runs the plain line mode.
int runInteractiveCommand(int argc, char** argv);

}  // namespace velmo

#endif
