#ifndef VELMO_SCRIPT_TEXTFILE_H
#define VELMO_SCRIPT_TEXTFILE_H

// The text files that a story writes with its "file" statement.

#include <string>
#include <vector>

namespace velmo {

// Reads the lines of a story's text file. A relative name that is not
// found as it stands is looked up in the folder of `storyFile`. A coded
// file (the companion of a compiled story) is decoded; text after its
// last line end is not part of it. A plain file may be Windows-1252 or
// UTF-8. False when the file cannot be read.
bool readStoryTextFile(const std::string& fileName, const std::string& storyFile, bool coded,
                       std::vector<std::string>& lines);

}  // namespace velmo

#endif
