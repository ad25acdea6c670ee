#ifndef VELMO_STORY_FILELIST_H
#define VELMO_STORY_FILELIST_H

// The files a story was read from, kept after loading so that a line of
// the program text can be turned back into a file name and a line of that
// file (the error report and the inspector show those).
//
// Besides the list of included files, the reader notes where each line of
// the program text came from, as runs of consecutive lines of one file.
// That makes the mapping exact for every layout: nested includes, includes
// anywhere in a file, the main file's lines before and after them.

#include <cstdint>
#include <string>
#include <vector>

#include "base/services.h"

namespace velmo {

// One included file, listed once it has been read completely, so a nested
// include comes before the file that includes it.
struct tfileentry {
    std::string name;       // the include name as written in the directive
    int32_t startLine = 0;  // line counter at the include directive
    int32_t endLine = 0;    // line counter after the file's last line
};

class tfilelist : public tlinemapper {
public:
    // Starts a new story: its name, no files, no line origins.
    void clear(const std::string& newStoryName);

    // The main file's name, lower-cased, without folder.
    std::string storyName;

    void add(tfileentry entry) { files.push_back(std::move(entry)); }
    const std::vector<tfileentry>& entries() const { return files; }
    std::size_t size() const { return files.size(); }
    bool empty() const { return files.empty(); }

    // Origins of program-text lines. Source 0 is the main file (shown as
    // storyName); every included file gets its own source number. `path`
    // is the file as the reader opened it.
    int32_t addSource(const std::string& name, const std::string& path = std::string());
    void setMainPath(const std::string& path) { paths.front() = path; }
    // Program-text line `programLine` is line `fileLine` of the source.
    // Lines must be noted in increasing order.
    void noteLine(int32_t programLine, int32_t source, int32_t fileLine);

    // Program-text line to file name; `line` becomes the line in that file.
    std::string mapLine(int32_t& line) const override;
    // The same, but to the path the file was read from (relative when the
    // main file was named relative), for tools that open the file.
    std::string mapLineToPath(int32_t& line) const;

private:
    struct trun {
        int32_t programLine;  // first program-text line of the run
        int32_t fileLine;     // its line in the source file
        int32_t source;
    };

    std::string sourceName(int32_t source) const;
    // The source of a program-text line, which `line` becomes the line of
    // in that source; -1 when no line origins are noted (compiled story).
    int32_t sourceOf(int32_t& line) const;

    std::vector<tfileentry> files;
    std::vector<std::string> sources;
    std::vector<std::string> paths{std::string()};  // beside `sources`
    std::vector<trun> runs;
};

}  // namespace velmo

#endif
