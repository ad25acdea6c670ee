#ifndef VELMO_FRONTEND_TRANSCRIPTFILE_H
#define VELMO_FRONTEND_TRANSCRIPTFILE_H

// The plain mode's transcript file: every piece of the transcript as it
// is added, in UTF-8. The file is written beside its target and put in
// its place when the game ends, so a failure anywhere (the folder refuses
// the file, the disk fills up) leaves an earlier transcript as it was.
// The first failure shows "Datei kann nicht geschrieben werden" and the
// game goes on without the file.

#include <string>

#include "base/atomicfile.h"

namespace velmo {

class tplatform;

class ttranscriptfile {
public:
    ttranscriptfile(const std::string& path, tplatform& host);

    // Appends a piece of the transcript (Windows-1252); after `finish`
    // nothing more is taken.
    void add(const std::string& text);
    // Puts the file in place; false when it was not written.
    bool finish();

private:
    void fail();

    tatomicfile file;
    tplatform& platform;
    bool failed = false;
    bool finished = false;
};

}  // namespace velmo

#endif
