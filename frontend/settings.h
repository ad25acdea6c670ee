#ifndef VELMO_FRONTEND_SETTINGS_H
#define VELMO_FRONTEND_SETTINGS_H

// The player's options and where they are kept. The game takes them at
// start and again after OK in an options dialog; the recent files and
// the autoload story are read from here when a story is opened.

#include <string>

#include "frontend/options.h"

namespace velmo {

class tsettings {
public:
    // Options for this run only: nothing is read or written (the plain
    // line mode without --options, the tests).
    tsettings() = default;
    // Options kept in `optionsFolder` + "velmo.ini" (the folder's name ends with
    // "/"; an empty name is a folder that cannot be found).
    explicit tsettings(const std::string& optionsFolder) : folder(optionsFolder), stored(true) {}

    // Start-up: a missing folder is created, a missing file gets the
    // default file, then the file is read. False when it could not be
    // read; the options not read keep their defaults.
    bool load();
    // Writes every option anew; false when the file could not be written
    // (the old one stays). Always true for options of one run.
    bool save() const;
    bool isStored() const { return stored; }
    std::string file() const;

    // A story chosen in the open dialog: a path equal to none of the three
    // recent files (compared exactly) takes the ring's next slot. True
    // when the list changed. A path with a "," is not kept: the file
    // could not give it back.
    bool rememberRecent(const std::string& path);
    bool hasRecent() const;

    toptions values;

private:
    std::string folder;
    bool stored = false;
};

// The story a player opens at start: the one named on its command line,
// else the autoload story of the options; empty when there is neither.
std::string storyToOpen(const std::string& argument, const tsettings& settings);

}  // namespace velmo

#endif
