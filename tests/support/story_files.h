#ifndef VELMO_TESTS_STORY_FILES_H
#define VELMO_TESTS_STORY_FILES_H

// A fresh folder for the source files of one test, removed afterwards,
// and a scanner wired to a recording front end.

#include <unistd.h>
#include <atomic>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "story/scanner.h"
#include "support/recording_services.h"

namespace velmo::test {

class StoryFiles {
public:
    StoryFiles() {
        namespace fs = std::filesystem;
        const char* env = std::getenv("VELMO_TEST_TMP");
        fs::path base = env && *env ? fs::path(env) : fs::temp_directory_path();
        static std::atomic<int> counter{0};
        auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
        root = base / ("velmo-story-" + std::to_string(::getpid()) + "-" + std::to_string(stamp) +
                       "-" + std::to_string(counter++));
        fs::create_directories(root);
    }
    ~StoryFiles() {
        std::error_code ec;
        std::filesystem::remove_all(root, ec);
    }
    StoryFiles(const StoryFiles&) = delete;
    StoryFiles& operator=(const StoryFiles&) = delete;

    std::string path(const std::string& name) const { return (root / name).string(); }

    // Writes the bytes as they are (line ends included); creates folders.
    std::string write(const std::string& name, const std::string& content) const {
        std::filesystem::path file = root / name;
        std::filesystem::create_directories(file.parent_path());
        std::ofstream(file, std::ios::binary) << content;
        return file.string();
    }

    std::filesystem::path root;
};

// The story-wide lists, a recording front end and a scanner using them.
struct ScannerHarness {
    explicit ScannerHarness(bool forPlaying = true) : definitions(forPlaying) {}

    bool read(const std::string& fileName, bool forPlaying = true) {
        return scanner.readProgram(fileName, forPlaying);
    }
    // Program-text line L as "file:line".
    std::string where(int32_t line) const {
        std::string name = files.mapLine(line);
        return name + ":" + std::to_string(line);
    }

    RecordingServices services;
    tfilelist files;
    tdeflist definitions;
    tscanner scanner{services, files, definitions};
};

// Program text is easier to read with "\n" for its line ends (0xFE).
inline std::string lines(std::string text) {
    for (char& c : text)
        if (c == '\n') c = '\xFE';
    return text;
}

}  // namespace velmo::test

#endif
