#include "frontend/folders.h"

#include <unistd.h>

#include <cstdlib>
#include <filesystem>

namespace velmo {

namespace {

constexpr const char* kFolderName = "VelmoInterpreter/";

// $variable when it holds an absolute path (relative ones are to be
// ignored), else HOME followed by `fallback`.
std::string baseFolder(const char* variable, const char* fallback) {
    const char* value = std::getenv(variable);
    std::string base;
    if (value && value[0] == '/') {
        base = value;
    } else {
        const char* home = std::getenv("HOME");
        if (!home || !*home) return std::string();
        base = std::string(home) + fallback;
    }
    if (base.back() != '/') base += '/';
    return base + kFolderName;
}

}  // namespace

std::string optionsFolder() { return baseFolder("XDG_CONFIG_HOME", "/.config"); }
std::string dataFolder() { return baseFolder("XDG_DATA_HOME", "/.local/share"); }
std::string cacheFolder() { return baseFolder("XDG_CACHE_HOME", "/.cache"); }

bool makeFolder(const std::string& folder) {
    if (folder.empty()) return false;
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    return std::filesystem::is_directory(folder, error);
}

std::string chooseSaveFolder() {
    if (::access(".", W_OK | X_OK) == 0) return std::string();
    const std::string data = dataFolder();
    return makeFolder(data) ? data : std::string();
}

std::string choosePictureFolder(const std::string& saveFolder) {
    const std::string cache = cacheFolder();
    return makeFolder(cache) ? cache : saveFolder;
}

}  // namespace velmo
