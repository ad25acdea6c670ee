#include "base/atomicfile.h"

#include <atomic>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <system_error>

#if defined(__unix__) || defined(__APPLE__)
#include <fcntl.h>
#include <unistd.h>
#endif

namespace velmo {

namespace fs = std::filesystem;

namespace {

// A name beside the target that no other file uses. The clock and a
// counter keep two writers (or two writes in a row) apart.
fs::path temporaryName(const fs::path& target) {
    static std::atomic<unsigned> counter{0};
    auto stamp = static_cast<unsigned long long>(
        std::chrono::steady_clock::now().time_since_epoch().count());
    for (;;) {
        fs::path candidate = target;
        candidate += ".tmp" + std::to_string(stamp % 1000000007ULL) + "-" +
                     std::to_string(counter.fetch_add(1));
        std::error_code ec;
        if (!fs::exists(candidate, ec) && !ec) return candidate;
        if (ec) return candidate;  // the open below will tell
    }
}

// Pushes the written data from the system's cache to the disk, so that a
// crash right after the rename cannot leave an empty file behind.
bool syncToDisk(const fs::path& file) {
#if defined(__unix__) || defined(__APPLE__)
    int fd = ::open(file.c_str(), O_RDONLY);
    if (fd < 0) return false;
    bool ok = ::fsync(fd) == 0;
    ::close(fd);
    return ok;
#else
    (void)file;
    return true;
#endif
}

// A replaced file keeps its permissions.
void copyPermissions(const fs::path& from, const fs::path& to) {
    std::error_code ec;
    auto status = fs::status(from, ec);
    if (!ec && fs::exists(status))
        fs::permissions(to, status.permissions(), fs::perm_options::replace, ec);
}

bool writeAndClose(const fs::path& temp, const std::function<bool(std::ostream&)>& write) {
    std::ofstream out(temp, std::ios::binary | std::ios::trunc);
    if (!out.is_open()) return false;
    bool ok = write(out);
    out.flush();
    ok = ok && out.good();
    out.close();
    return ok && !out.fail();
}

}  // namespace

bool writeFileAtomically(const std::string& path, const std::function<bool(std::ostream&)>& write) {
    const fs::path target(path);
    const fs::path temp = temporaryName(target);
    std::error_code ec;
    bool ok = false;
    try {
        ok = writeAndClose(temp, write);
    } catch (...) {
        fs::remove(temp, ec);
        throw;
    }
    if (ok) ok = syncToDisk(temp);
    if (ok) {
        copyPermissions(target, temp);
        fs::rename(temp, target, ec);
        ok = !ec;
    }
    if (!ok) fs::remove(temp, ec);
    return ok;
}

}  // namespace velmo
