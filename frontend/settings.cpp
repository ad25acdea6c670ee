#include "frontend/settings.h"

#include <filesystem>

#include "frontend/folders.h"
#include "frontend/optionsfile.h"

namespace velmo {

std::string tsettings::file() const {
    return folder.empty() ? std::string() : folder + kOptionsFileName;
}

bool tsettings::load() {
    if (!stored) return true;
    if (folder.empty() || !makeFolder(folder)) return false;
    std::error_code error;
    // A default file that cannot be written shows up as a file that
    // cannot be read, right below.
    if (!std::filesystem::exists(file(), error)) writeDefaultOptions(file());
    return readOptions(file(), values);
}

bool tsettings::save() const {
    if (!stored) return true;
    return !folder.empty() && saveOptions(file(), values);
}

bool tsettings::rememberRecent(const std::string& path) {
    if (!fitsInList(path)) return false;
    for (const std::string& recent : values.lastFiles)
        if (recent == path) return false;
    const std::size_t slots = values.lastFiles.size();
    values.lastFiles[static_cast<std::size_t>(values.recentNext) % slots] = path;
    values.recentNext =
        static_cast<int32_t>((static_cast<std::size_t>(values.recentNext) + 1) % slots);
    return true;
}

bool tsettings::hasRecent() const {
    for (const std::string& recent : values.lastFiles)
        if (!recent.empty()) return true;
    return false;
}

std::string storyToOpen(const std::string& argument, const tsettings& settings) {
    return argument.empty() ? settings.values.autoload : argument;
}

}  // namespace velmo
