#ifndef VELMO_TERM_ARGUMENTS_H
#define VELMO_TERM_ARGUMENTS_H

// The options that both ways of playing take on the command line:
// --cols N, --rows N and --seed N.

#include <cstdint>
#include <optional>
#include <string>

namespace velmo {

struct tsizeoptions {
    std::optional<int32_t> columns;  // brought into 30-200
    std::optional<int32_t> rows;     // brought into 15-99
    std::optional<uint32_t> seed;
};

enum class targresult { notMine, taken, bad };

// Takes argv[i] (and its value, advancing i) when it is one of the three
// options; `error` names what is wrong for `bad`.
targresult takeSizeOption(int argc, char** argv, int& i, tsizeoptions& options, std::string& error);

}  // namespace velmo

#endif
