#ifndef VELMO_BASE_ENCODING_H
#define VELMO_BASE_ENCODING_H

// Story text inside the core is Windows-1252 bytes in a std::string.
// These helpers are the only place where text changes encoding: at the
// edges, where source files are read and where text reaches a screen.

#include <cstddef>
#include <string>
#include <string_view>

namespace velmo {

// Windows-1252 bytes to UTF-8. The five bytes the code page leaves
// undefined (0x81, 0x8D, 0x8F, 0x90, 0x9D) pass through as the C1
// control characters of the same value, so no byte is ever lost.
std::string cp1252ToUtf8(std::string_view text);

// Appends the UTF-8 form of one Unicode code point.
void appendUtf8(std::string& out, char32_t cp);

// Converts valid UTF-8 into Windows-1252. On a character with no
// Windows-1252 form, or on invalid UTF-8, it returns false and sets
// badOffset to the byte offset of that character in the input; `out`
// then holds the text converted so far.
bool utf8ToCp1252(std::string_view text, std::string& out, std::size_t& badOffset);

// True when the text is well-formed UTF-8 and holds at least one
// multi-byte sequence: such a source file is read as UTF-8, any other
// as Windows-1252.
bool looksLikeUtf8(std::string_view text);

// Input typed on a UTF-8 keyboard or terminal: characters without a
// Windows-1252 form become "?" so that nothing unsafe reaches the core.
std::string utf8ToCp1252Lossy(std::string_view text);

// Case mapping of the Windows-1252 letters (A-Z, the accented capitals
// and small letters, Š/š, Œ/œ, Ž/ž, Ÿ/ÿ). "ß" has no single-byte capital
// and stays as it is.
char cpLower(char c);
char cpUpper(char c);
std::string lowerCase(std::string_view text);
std::string upperCase(std::string_view text);

// Compares two texts without regard to case (Windows-1252 letters).
bool sameText(std::string_view a, std::string_view b);

}  // namespace velmo

#endif
