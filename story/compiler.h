#ifndef VELMO_STORY_COMPILER_H
#define VELMO_STORY_COMPILER_H

// The compiler: reads a story's source (includes, definitions, comments,
// character pass, operator folding), moves the string literals into a
// string table and writes the version, the table and the program text as
// the coded lines of one compiled story file (".data"). Text files that
// the story shows with "file(...)" get coded companion files. The report
// goes to the story window through writeText.

#include <cstdint>
#include <string>

#include "story/authoring.h"

namespace velmo {

class tservices;
struct tstorysource;

// The date and the time of day of the compile; tests give their own.
class tcompileclock {
public:
    virtual ~tcompileclock() = default;
    // Today's local date: four-digit year, month 1-12, day 1-31.
    virtual void today(int& year, int& month, int& day) const;
    // Milliseconds since local midnight.
    virtual int64_t millisecondsOfDay() const;
};

// The version of a compile: two-digit year, month and day ("250317").
std::string compileVersion(int year, int month, int day);

// The compiled file of a source path: the path up to its first "."
// followed by ".data", or the path + ".data" when it has none. The dots
// of "." and ".." folder names do not count; a dot in any other folder
// name cuts the path there.
std::string compiledFileName(const std::string& sourceFile);

// Whole seconds from `start` to `end` (milliseconds of the day), rounded;
// a compile that runs across midnight ends on the next day.
int64_t elapsedSeconds(int64_t start, int64_t end);

// Compiles the story source `sourceFile`. `lists` receives the file and
// definition lists of the read (the error report maps lines through
// them, so they must outlive any report of this compile). Errors of the
// reader are reported through services.showError; the result's notice is
// the warning box to show when the compile was refused or failed.
tnotice compileStory(const std::string& sourceFile, tservices& services, tstorysource& lists);
tnotice compileStory(const std::string& sourceFile, tservices& services, tstorysource& lists,
                     const tcompileclock& clock);

}  // namespace velmo

#endif
