#ifndef VELMO_BASE_CODEDFILE_H
#define VELMO_BASE_CODEDFILE_H

// Coded strings and coded text files, as saved games and compiled stories
// store every text: each byte passes through one fixed self-inverse table.

#include <cstdint>
#include <istream>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

namespace velmo {

// The code table: self-inverse, so the same call codes and decodes.
unsigned char codeByte(unsigned char b);

// Coded strings: a signed 32-bit little-endian length, then the bytes
// passed through the code table. Numbers beside them are plain 32-bit
// little-endian integers.
// A text too long for the length field sets the stream's fail bit and
// writes nothing.
void writeStr(std::ostream& out, std::string_view text);
// Reads one coded string. A length of 0 or less gives the empty text and
// reads nothing more. Returns false, with `text` empty, when the stream
// ends before the stored length: the length is never trusted for an
// allocation.
bool readStr(std::istream& in, std::string& text);
void writeInt32(std::ostream& out, int32_t value);
bool readInt32(std::istream& in, int32_t& value);

// Writes the lines, each ended by CR LF, with every byte coded. False when
// the file cannot be written completely (the old file then stays).
bool saveCodedList(const std::vector<std::string>& lines, const std::string& fileName);
// Reads the whole file, decodes it and appends one line per decoded LF;
// other control bytes are dropped, text after the last LF is not added.
// False when the file cannot be read.
bool loadCodedLines(std::vector<std::string>& lines, const std::string& fileName);
// The companion name of a text file: up to and including the first "."
// of the file name followed by "text", or the name + ".text" when it has
// no ".". Dots in folder names do not count ("../a.txt" -> "../a.text").
std::string codedTextFileName(const std::string& fileName);
// Codes a text file into its companion file; a file that cannot be read
// is skipped silently (true). False when the companion could not be
// written (an earlier companion then stays as it was).
bool codeTextFile(const std::string& fileName);

}  // namespace velmo

#endif
