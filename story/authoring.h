#ifndef VELMO_STORY_AUTHORING_H
#define VELMO_STORY_AUTHORING_H

// What the authoring tools (compiler, text extraction, picture container)
// hand back to the front end: a message for a message box. The tools
// themselves never show a box; the front end does.

#include <string>

namespace velmo {

enum class tnoticekind { none, information, warning };

struct tnotice {
    tnoticekind kind = tnoticekind::none;
    std::string text;  // Windows-1252
    bool ok = false;   // the tool did its work
};

// A file in the front end's save folder: the folder as it is given (with
// or without its final separator), the current folder when it is empty.
inline std::string fileInFolder(const std::string& folder, const std::string& name) {
    if (folder.empty()) return name;
    const char last = folder.back();
    return last == '/' || last == '\\' ? folder + name : folder + "/" + name;
}

}  // namespace velmo

#endif
