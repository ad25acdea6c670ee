#ifndef VELMO_STORY_SOURCEFILE_H
#define VELMO_STORY_SOURCEFILE_H

// One story source file in memory, handed out line by line.
//
// Files come from Windows editors (Windows-1252, CR LF) as well as from
// modern ones (UTF-8, LF, sometimes a byte-order mark). The whole file is
// read at once; lines are split at LF, CR LF and a lone CR. A file that is
// valid UTF-8 and holds multi-byte characters is UTF-8, any other file is
// Windows-1252. Lines are handed out as raw bytes, so that directives and
// include names keep the bytes that were written; toText() turns what goes
// into the program text into Windows-1252.

#include <cstddef>
#include <string>
#include <string_view>

namespace velmo {

// Stands in the program text for a UTF-8 character that has no
// Windows-1252 form. The character pass rejects it wherever it stands
// outside a comment, string literals included.
constexpr char kUnconvertible = '\0';

class tsourcefile {
public:
    enum class tstatus { ok, cannotOpen, tooBig };

    // Reads the file. Only regular files are read (a folder, a device or a
    // pipe cannot be opened), and none larger than maxBytes.
    tstatus open(const std::string& path, std::size_t maxBytes);

    // Takes the file from memory instead (tests and benchmarks).
    void assign(std::string content);

    // The next line without its line end; false after the last line. A
    // line end at the very end of the file does not start another line.
    bool nextLine(std::string_view& line);

    bool isUtf8() const { return utf8; }
    std::size_t size() const { return data.size(); }

    // Raw bytes of this file as Windows-1252 text.
    std::string toText(std::string_view raw) const;
    void appendText(std::string& out, std::string_view raw) const;

private:
    std::string data;
    std::size_t pos = 0;
    bool utf8 = false;
};

// UTF-8 to Windows-1252, appended to `out`; each character without a
// Windows-1252 form becomes kUnconvertible. The text must be valid UTF-8.
void appendUtf8AsProgramText(std::string& out, std::string_view text);

// A file name or include name as text of the core: names written in UTF-8
// are converted when every character has a Windows-1252 form, any other
// name is taken as Windows-1252 already.
std::string nameAsText(std::string_view name);

}  // namespace velmo

#endif
