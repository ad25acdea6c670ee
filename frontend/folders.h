#ifndef VELMO_FRONTEND_FOLDERS_H
#define VELMO_FRONTEND_FOLDERS_H

// The player's folders on Linux, after the XDG base directories: options
// in $XDG_CONFIG_HOME (default ~/.config), data the player writes when
// the current folder cannot take it in $XDG_DATA_HOME (default
// ~/.local/share), the temporary picture file in $XDG_CACHE_HOME (default
// ~/.cache); each followed by "VelmoInterpreter/". Every folder name ends
// with "/"; an empty name means that no such folder can be named (neither
// the variable nor HOME is set).

#include <string>

namespace velmo {

std::string optionsFolder();
std::string dataFolder();
std::string cacheFolder();

// Creates the folder with its missing parents; true when it exists after.
bool makeFolder(const std::string& folder);

// The folder for saved games, extracted text and picture containers: the
// current folder (the empty name) when it can be written, else the data
// folder, created when missing; the current folder again when that fails
// too, so that a failed write is reported where it happens.
std::string chooseSaveFolder();

// The folder of the temporary picture file: the cache folder, or the
// save folder when the cache folder cannot be created.
std::string choosePictureFolder(const std::string& saveFolder);

}  // namespace velmo

#endif
