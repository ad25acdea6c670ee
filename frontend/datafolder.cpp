#include "frontend/datafolder.h"

#include <filesystem>
#include <system_error>
#include <vector>

namespace velmo {

namespace fs = std::filesystem;

namespace {

// True when `folder` is `ancestor` or lies below it.
bool liesIn(const fs::path& folder, const fs::path& ancestor) {
    std::error_code error;
    const fs::path inner = fs::weakly_canonical(folder, error);
    if (error) return false;
    const fs::path outer = fs::weakly_canonical(ancestor, error);
    if (error) return false;
    const fs::path relative = inner.lexically_relative(outer);
    return !relative.empty() && *relative.begin() != "..";
}

}  // namespace

std::string programFolder() {
    std::error_code error;
    const fs::path self = fs::read_symlink("/proc/self/exe", error);
    return error ? std::string() : self.parent_path().string();
}

std::string findDataFolder(const std::string& programFolder, const std::string& probe) {
    if (programFolder.empty()) return std::string();
    std::vector<fs::path> candidates{fs::path(programFolder) / ".." / "share" / "velmo"};
    // The source tree only for the programs and tests of this build, never
    // for an installed copy: a broken installation must show as broken.
#if defined(VELMO_SOURCE_DIR) && defined(VELMO_BUILD_DIR)
    if (liesIn(programFolder, VELMO_BUILD_DIR)) candidates.emplace_back(VELMO_SOURCE_DIR);
#endif
    for (const fs::path& folder : candidates) {
        std::error_code error;
        if (fs::is_regular_file(folder / probe, error)) return folder.lexically_normal().string();
    }
    return std::string();
}

std::string sharedStoriesFolder() {
    const std::string data = findDataFolder(programFolder(), "stories/bibliothek/bibliothek.velmo");
    return data.empty() ? data : (fs::path(data) / "stories").string();
}

}  // namespace velmo
