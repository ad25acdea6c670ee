#include "term/pathcompletion.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>

namespace velmo {

namespace {

constexpr std::size_t kMaxChoices = 64;
// A folder with a huge number of entries is not read to its end.
constexpr std::size_t kMaxEntries = 20000;

std::size_t commonLength(const std::string& a, const std::string& b) {
    std::size_t n = 0;
    while (n < a.size() && n < b.size() && a[n] == b[n]) ++n;
    return n;
}

}  // namespace

std::string completePath(const std::string& typed, std::vector<std::string>& choices) {
    namespace fs = std::filesystem;
    choices.clear();
    const std::size_t slash = typed.rfind('/');
    const std::string folderPart =
        slash == std::string::npos ? std::string() : typed.substr(0, slash + 1);
    const std::string namePart = slash == std::string::npos ? typed : typed.substr(slash + 1);
    std::string folder = folderPart.empty() ? std::string(".") : folderPart;
    if (folder.size() >= 2 && folder[0] == '~' && folder[1] == '/') {
        if (const char* home = std::getenv("HOME")) folder = home + folder.substr(1);
    }

    std::vector<std::string> matches;
    std::error_code error;
    fs::directory_iterator it(folder, fs::directory_options::skip_permission_denied, error);
    std::size_t seen = 0;
    for (; !error && it != fs::directory_iterator() && seen < kMaxEntries;
         it.increment(error), ++seen) {
        std::string name = it->path().filename().string();
        if (!name.starts_with(namePart)) continue;
        // Hidden entries only when asked for with a leading dot.
        if (name[0] == '.' && !namePart.starts_with(".")) continue;
        std::error_code kindError;
        if (it->is_directory(kindError)) name += '/';
        matches.push_back(std::move(name));
    }
    if (matches.empty()) return typed;
    std::sort(matches.begin(), matches.end());
    if (matches.size() == 1) return folderPart + matches.front();

    std::size_t common = matches.front().size();
    for (const std::string& match : matches)
        common = std::min(common, commonLength(matches.front(), match));
    // Never stop inside a UTF-8 character ("ä" and "ö" share their first byte).
    const std::string& first = matches.front();
    while (common > 0 && common < first.size() &&
           (static_cast<unsigned char>(first[common]) & 0xC0) == 0x80)
        --common;
    for (std::size_t i = 0; i < matches.size() && i < kMaxChoices; ++i)
        choices.push_back(matches[i]);
    return folderPart + matches.front().substr(0, std::max(common, namePart.size()));
}

}  // namespace velmo
