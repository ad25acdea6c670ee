#ifndef VELMO_FRONTEND_SCRIPTREPLAY_H
#define VELMO_FRONTEND_SCRIPTREPLAY_H

// "Skript abspielen": a text file of commands, one or more a line, played
// as if typed. The game joins the lines into one input line (see
// tgame::playScriptFile); this file reads and prepares them.

#include <cstddef>
#include <string>

namespace velmo {

// A script is a file of typed commands; a bigger file is refused rather
// than read into memory.
constexpr std::size_t kMaxScriptSize = 1 << 20;

// The script file for a name chosen in the open dialog: ".txt" is appended
// when the file name has no ".".
std::string scriptFileName(const std::string& chosen);

// Reads the script into one input line: its lines (UTF-8 or Windows-1252,
// any line ends) joined with ".", lower-cased, umlauts folded, control
// characters as blanks. False when the file is missing, is no regular
// file, cannot be read or is too big.
bool readScript(const std::string& path, std::string& line);

}  // namespace velmo

#endif
