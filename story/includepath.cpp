#include "story/includepath.h"

#include <filesystem>
#include <system_error>
#include <vector>

#include "base/encoding.h"
#include "story/sourcefile.h"

namespace velmo {

namespace fs = std::filesystem;

std::string withSourceExtension(std::string name) {
    if (name.find('.') == std::string::npos) name += ".velmo";
    return name;
}

bool hasFolder(std::string_view name) {
    return name.find_first_of("/\\") != std::string_view::npos;
}

std::string folderOf(std::string_view path) {
    std::size_t cut = path.rfind('/');
    return cut == std::string_view::npos ? std::string() : std::string(path.substr(0, cut + 1));
}

std::string includePath(std::string_view currentFile, std::string_view includeName) {
    std::string name(includeName);
    if (hasFolder(name)) {
        for (char& c : name)
            if (c == '\\') c = '/';
        return name;
    }
    return folderOf(currentFile) + name;
}

bool sameFileName(std::string_view a, std::string_view b) {
    return sameText(nameAsText(a), nameAsText(b));
}

namespace {

bool isRegularFile(const std::string& path) {
    std::error_code ec;
    return fs::is_regular_file(path, ec);
}

bool exists(const std::string& path) {
    std::error_code ec;
    return fs::exists(path, ec);
}

// The first entry of the folder (sorted, so the choice does not depend on
// the order the file system lists them) whose name matches in any case.
std::string findInFolder(const std::string& folder, std::string_view name) {
    std::error_code ec;
    fs::directory_iterator it(folder.empty() ? std::string(".") : folder, ec);
    std::string best;
    for (; !ec && it != fs::directory_iterator(); it.increment(ec)) {
        std::string entry = it->path().filename().string();
        if (sameFileName(entry, name) && (best.empty() || entry < best)) best = entry;
    }
    return best;
}

std::vector<std::string_view> components(std::string_view path) {
    std::vector<std::string_view> parts;
    std::size_t start = 0;
    while (start <= path.size()) {
        std::size_t end = path.find('/', start);
        if (end == std::string_view::npos) end = path.size();
        if (end > start) parts.push_back(path.substr(start, end - start));
        start = end + 1;
    }
    return parts;
}

}  // namespace

std::string findSourceFile(const std::string& path) {
    if (path.empty()) return {};
    if (isRegularFile(path)) return path;

    std::string found = path.front() == '/' ? "/" : "";
    std::vector<std::string_view> parts = components(path);
    for (std::size_t i = 0; i < parts.size(); ++i) {
        std::string candidate = found + std::string(parts[i]);
        if (!exists(candidate)) {
            if (parts[i] == "." || parts[i] == "..") return {};
            std::string match = findInFolder(found, parts[i]);
            if (match.empty()) return {};
            candidate = found + match;
        }
        found = candidate;
        if (i + 1 < parts.size()) found += '/';
    }
    return isRegularFile(found) ? found : std::string();
}

}  // namespace velmo
