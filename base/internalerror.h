#ifndef VELMO_BASE_INTERNALERROR_H
#define VELMO_BASE_INTERNALERROR_H

// Failures of the program itself, not of the story or the player's input:
// an exception of the standard library (out of memory, an index out of
// range, a file system error) that a boundary caught. The player still
// sees the text the failed step is specified to show; the detail goes to
// standard error, so a fault is never mistaken for a story error.

#include <exception>
#include <ostream>

namespace velmo {

// Writes "velmo: interner Fehler (<step>): <what>" as one line to `out`
// (standard error by default).
void reportInternalError(const char* step, const std::exception& failure);
void reportInternalError(const char* step, const std::exception& failure, std::ostream& out);

}  // namespace velmo

#endif
