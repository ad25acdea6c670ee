#ifndef VELMO_BASE_WSTRLIB_H
#define VELMO_BASE_WSTRLIB_H

// The small string helpers every layer uses: umlaut folding, file names,
// identifier and number checks.

#include <cstdint>
#include <string>
#include <string_view>

namespace velmo {

// "ä" to "ae", "ü" to "ue", "ö" to "oe", "ß" to "ss" (Windows-1252 bytes).
std::string foldUmlauts(std::string_view text);
// The lower-cased path after the last "\", "/" or ":", at most 255 bytes.
std::string baseFileName(std::string_view path);
// Non-empty text, first not a digit, every character A-Z a-z 0-9 _ [ ].
bool isIdentifier(std::string_view text);
// Non-empty text of digits 0-9 only.
bool isNumber(std::string_view text);
// Decimal value; a first character whose code is not above that of "-"
// makes it negative and is skipped. No validation: every further byte
// counts as (code - 48), with 32-bit wrap-around on overflow.
int32_t toNumber(std::string_view text);

}  // namespace velmo

#endif
