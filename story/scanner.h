#ifndef VELMO_STORY_SCANNER_H
#define VELMO_STORY_SCANNER_H

// The source reader that loader and compiler share. It reads a story's
// source: the main file and its includes become one program text, every
// source line ended by the byte 0xFE, with directives, comments and
// blanks outside string literals removed, definitions substituted and
// two-character operators folded into single bytes.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "base/services.h"
#include "story/deflist.h"
#include "story/filelist.h"

namespace velmo {

// Upper bound of a program text. The text grows as needed up to here; the
// bound only stops a story whose includes or definitions multiply the
// text without end.
constexpr std::size_t kMaxProgramText = std::size_t(64) << 20;
// Included files are nested at most this deep.
constexpr int32_t kMaxIncludeDepth = 64;
// At most this many files are read for one story.
constexpr int32_t kMaxSourceFiles = 10000;

class tscanner {
public:
    // The file and definition lists outlive the scanner: the error report
    // maps lines through the file list while the story is played.
    tscanner(tservices& services, tfilelist& files, tdeflist& definitions);

    int32_t lineCount = 0;  // physical lines read, all files
    std::string programText;
    std::vector<std::string> stringTable;  // compiled stories only
    bool isCompiled = false;
    std::string serial = "000000";  // a compiled story's serial, from its first line
    bool error = false;             // set by the error report

    // Reads a story into programText, ready for the structure parser:
    // new file list (storyName from the file name) and definition list
    // ("SYSTEM" defined when playing), readSource, then checkCharacters
    // for a source story. False when an error was reported.
    bool readProgram(const std::string& fileName, bool forPlaying);

    // The file and, recursively, its includes, before the character pass.
    // A name with no "." gets ".velmo"; a name containing ".dat" is a
    // compiled story, read by readCompiled.
    std::string readSource(const std::string& fileName);

    // Substitutes the definitions, applies the character rules and folds
    // the operators, in place on programText.
    void checkCharacters();

    // Reads a compiled story file: fills stringTable and returns the
    // program text.
    std::string readCompiled(const std::string& fileName);

    tservices& services;
    tfilelist& files;
    tdeflist& definitions;
};

// "Datei x kann nicht geöffnet werden" for a path.
std::string cannotOpenMessage(const std::string& path);

}  // namespace velmo

#endif
