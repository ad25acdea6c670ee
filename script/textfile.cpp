#include "script/textfile.h"

#include <filesystem>
#include <fstream>
#include <iterator>

#include "base/codedfile.h"
#include "base/encoding.h"

namespace velmo {

namespace {

// The file as it stands, or beside the story when it is not found so.
std::string locate(const std::string& fileName, const std::string& storyFile) {
    namespace fs = std::filesystem;
    std::error_code ec;
    const fs::path path(fileName);
    if (fs::is_regular_file(path, ec) || path.is_absolute() || storyFile.empty()) return fileName;
    const fs::path beside = fs::path(storyFile).parent_path() / path;
    return fs::is_regular_file(beside, ec) ? beside.string() : fileName;
}

bool readWhole(const std::string& fileName, std::string& data) {
    std::error_code ec;
    if (!std::filesystem::is_regular_file(fileName, ec)) return false;
    std::ifstream in(fileName, std::ios::binary);
    if (!in) return false;
    data.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return !in.bad();
}

// Story text is Windows-1252 inside; a file written as UTF-8 is converted
// (a character without a Windows-1252 form becomes "?").
std::string storyText(const std::string& text) {
    return looksLikeUtf8(text) ? utf8ToCp1252Lossy(text) : text;
}

}  // namespace

bool readStoryTextFile(const std::string& fileName, const std::string& storyFile, bool coded,
                       std::vector<std::string>& lines) {
    const std::string path = locate(fileName, storyFile);
    if (coded) {
        if (!loadCodedLines(lines, path)) return false;
        for (std::string& line : lines) line = storyText(line);
        return true;
    }
    std::string data;
    if (!readWhole(path, data)) return false;
    data = storyText(data);
    std::size_t start = 0;
    while (start < data.size()) {
        std::size_t end = data.find('\n', start);
        if (end == std::string::npos) end = data.size();
        std::size_t stop = end;
        if (stop > start && data[stop - 1] == '\r') --stop;
        lines.push_back(data.substr(start, stop - start));
        start = end + 1;
    }
    return true;
}

}  // namespace velmo
