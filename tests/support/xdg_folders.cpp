// The player's per-user folders point into the test folder before any
// test runs, so that no test reads or writes the options, data or cache
// of the user who runs them.

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string>

namespace {

struct XdgFolders {
    XdgFolders() {
        const char* env = std::getenv("VELMO_TEST_TMP");
        const std::filesystem::path base =
            (env && *env ? std::filesystem::path(env) : std::filesystem::temp_directory_path()) /
            ("xdg-" + std::to_string(::getpid()));
        ::setenv("XDG_CONFIG_HOME", (base / "config").c_str(), 1);
        ::setenv("XDG_DATA_HOME", (base / "data").c_str(), 1);
        ::setenv("XDG_CACHE_HOME", (base / "cache").c_str(), 1);
    }
};

const XdgFolders folders;

}  // namespace
