#ifndef VELMO_STORY_LOADER_H
#define VELMO_STORY_LOADER_H

// Opening a story: the source reader turns the story's files into one
// program text, the statement splitter cuts it into statements, and the
// analyser builds the story tree from them. A compiled story delivers the
// program text and its string table instead; its literals are put back
// into the tree after the parse.

#include <string>

#include "story/deflist.h"
#include "story/filelist.h"

namespace velmo {

class tscanner;
class tstory;

// What a load leaves besides the tree: the file list, through which the
// error report maps program-text lines back to files while the story is
// played, and the definitions. The loader hands the file list to the
// front end's error report, so this object must outlive the play (or the
// report's line mapper must be reset first).
struct tstorysource {
    tfilelist files;
    tdeflist definitions;
};

// Loads the story file into `story` (a fresh story whose root has no
// children yet). False when an error was reported; the tree is then
// incomplete and is not played.
bool loadStory(const std::string& fileName, tstory& story, tstorysource& source);

// Parses the scanner's program text into the tree under `story`'s root:
// declares "actor" and "player" on the root, then analyses statement by
// statement. False when an error stopped it.
bool parseProgram(tscanner& scanner, tstory& story);

}  // namespace velmo

#endif
