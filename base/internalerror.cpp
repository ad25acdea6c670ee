#include "base/internalerror.h"

#include <iostream>

namespace velmo {

void reportInternalError(const char* step, const std::exception& failure) {
    reportInternalError(step, failure, std::cerr);
}

void reportInternalError(const char* step, const std::exception& failure, std::ostream& out) {
    out << "velmo: interner Fehler (" << step << "): " << failure.what() << '\n' << std::flush;
}

}  // namespace velmo
