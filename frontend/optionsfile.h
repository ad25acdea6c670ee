#ifndef VELMO_FRONTEND_OPTIONSFILE_H
#define VELMO_FRONTEND_OPTIONSFILE_H

// Reading and writing the options file "velmo.ini": nine lines
// "name=value" in a fixed order. Values come back lower-cased (the
// function-key texts too), paths as they were written.

#include <string>

#include "frontend/options.h"

namespace velmo {

inline constexpr const char* kOptionsFileName = "velmo.ini";
inline constexpr const char* kOptionsUnreadable = "velmo.ini kann nicht gelesen werden";

// Whether the file can hold this F-key text or recent path: a "," would
// split it, since it separates the entries of their lines.
bool fitsInList(const std::string& text);

// The text of the default file, byte for byte.
std::string defaultOptionsText();
// Writes the default file; false when it cannot be written.
bool writeDefaultOptions(const std::string& file);

// Reads the options in the file's order. The first value that is missing
// or cannot be read stops the reading: the options read so far are kept,
// the rest keep what they held, and the result is false.
bool readOptions(const std::string& file, toptions& options);
// Writes all options anew; false when the file could not be written (the
// old file then stays as it was).
bool saveOptions(const std::string& file, const toptions& options);

}  // namespace velmo

#endif
