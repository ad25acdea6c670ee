#ifndef VELMO_FRONTEND_DATAFOLDER_H
#define VELMO_FRONTEND_DATAFOLDER_H

// The programs' shared data: the help pages (help/), the demo story and
// the authors' library (stories/, stories/bibliothek/) and the editor
// files (editors/). An installed program finds them in "../share/velmo"
// beside its own folder, so a prefix moved elsewhere keeps working; a
// program run from the build folder reads them from the source tree,
// which has the same subfolders.

#include <string>

namespace velmo {

// The folder of the running program (empty when it cannot be told).
std::string programFolder();

// The data folder that holds `probe` (a path inside the data folder) for
// a program in `programFolder`: the installed "../share/velmo", else the
// source tree when the program lies in the build folder. Empty when
// neither holds it.
std::string findDataFolder(const std::string& programFolder, const std::string& probe);

// The running program's folder of shared stories (the one that holds the
// library "bibliothek/"): where an include that is found neither as
// written nor beside the main file is looked for. Empty when not found.
std::string sharedStoriesFolder();

}  // namespace velmo

#endif
