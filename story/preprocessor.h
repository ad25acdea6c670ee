#ifndef VELMO_STORY_PREPROCESSOR_H
#define VELMO_STORY_PREPROCESSOR_H

// Reads a story's source files line by line into the program text, before
// the character pass: the directives "#define", "#include", "#ifdef",
// "#ifndef" and "#endif", "//" comments, and the includes, each included
// file's text standing in place of its include line.
//
// Every line read adds one line end (0xFE) to the text, so a line of the
// text is a line of some file; where each came from is noted in the file
// list. Each file has one conditional flag of its own, set at its start:
// "#ifdef" and "#ifndef" set or clear it, "#endif" sets it again (there is
// no nesting), and while it is clear only the line ends are kept.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace velmo {

class tscanner;
class tsourcefile;

class tpreprocessor {
public:
    // Appends to `output`; reports through the scanner's error flag and
    // counts lines in its lineCount.
    tpreprocessor(tscanner& scanner, std::string& output);

    // Reads the main file (its name already has its extension).
    void readMain(const std::string& fileName);

private:
    struct tfilestate {
        std::string currentName;  // includes without folder resolve here
        const tsourcefile& source;
        int32_t sourceNumber;  // in the file list's line origins
        int32_t line = 0;
        bool active = true;  // the conditional flag
    };

    void readFile(const std::string& path, int32_t sourceNumber);
    void readLine(std::string_view raw, tfilestate& file);
    bool directive(std::string_view line, tfilestate& file);
    void define(std::string_view rest, const tfilestate& file);
    void include(std::string_view name, tfilestate& file);
    std::string locate(const std::string& path, std::string_view includeName) const;
    void endLine(const tfilestate& file);
    void fail(const std::string& message);

    tscanner& scanner;
    std::string& output;
    std::string mainFolder;
    std::vector<std::string> openFiles;  // files being read, outermost first
    std::size_t openBytes = 0;           // their sizes together
    int32_t filesRead = 0;
    int32_t outputLines = 0;
};

}  // namespace velmo

#endif
