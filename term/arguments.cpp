#include "term/arguments.h"

#include <algorithm>
#include <cstdlib>

#include "base/wstrlib.h"
#include "frontend/options.h"

namespace velmo {

namespace {

// A decimal number of at most ten digits.
bool readNumber(const char* text, int64_t& value) {
    const std::string digits = text ? text : "";
    if (digits.empty() || digits.size() > 10 || !isNumber(digits)) return false;
    value = std::strtoll(digits.c_str(), nullptr, 10);
    return true;
}

}  // namespace

targresult takeSizeOption(int argc, char** argv, int& i, tsizeoptions& options,
                          std::string& error) {
    const std::string arg = argv[i];
    if (arg != "--cols" && arg != "--rows" && arg != "--seed") return targresult::notMine;
    int64_t number = 0;
    if (i + 1 >= argc || !readNumber(argv[i + 1], number)) {
        error = arg + " erwartet eine Zahl";
        return targresult::bad;
    }
    ++i;
    if (arg == "--cols") {
        options.columns =
            static_cast<int32_t>(std::clamp<int64_t>(number, kMinColumns, kMaxColumns));
    } else if (arg == "--rows") {
        options.rows = static_cast<int32_t>(std::clamp<int64_t>(number, kMinRows, kMaxRows));
    } else if (number > 0xFFFFFFFFLL) {
        error = "--seed erwartet eine Zahl bis 4294967295";
        return targresult::bad;
    } else {
        options.seed = static_cast<uint32_t>(number);
    }
    return targresult::taken;
}

}  // namespace velmo
