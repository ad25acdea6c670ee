#ifndef VELMO_FRONTEND_STORYCHECK_H
#define VELMO_FRONTEND_STORYCHECK_H

// Checking a story for authors ("velmo-term --check"): the story is loaded
// as opening it would load it, nothing of it runs, and each error comes
// back in the form editors and build scripts read: "file:line: message".

#include <cstdint>
#include <string>
#include <vector>

namespace velmo {

struct tstoryerror {
    std::string file;     // the path the file was read from
    int32_t line = 0;     // in that file; 0 when the error has no line
    std::string message;  // UTF-8
};

// Loads the story; the errors it reported, none when it loads. Includes
// that are found nowhere else are looked for in `libraryFolder`.
std::vector<tstoryerror> checkStory(const std::string& path, const std::string& libraryFolder);

// "file:line: message", or "file: message" for an error without a line.
std::string formatStoryError(const tstoryerror& error);

}  // namespace velmo

#endif
