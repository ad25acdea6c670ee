#ifndef VELMO_TERM_PATHCOMPLETION_H
#define VELMO_TERM_PATHCOMPLETION_H

// Tab completion of a file name typed at a prompt: the typed text is
// extended as far as the names in its folder that begin with it agree.

#include <string>
#include <vector>

namespace velmo {

// Returns the completed text. A single match is completed whole (a folder
// with "/" behind it); with several, `choices` receives their names
// (sorted, at most a screenful) and the text grows by their common part.
std::string completePath(const std::string& typed, std::vector<std::string>& choices);

}  // namespace velmo

#endif
