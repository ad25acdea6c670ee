#ifndef VELMO_FUZZ_HARNESS_H
#define VELMO_FUZZ_HARNESS_H

// What every fuzz target shares: a player host that answers every wait
// from a script and closes the window when the script runs out or story
// code runs too long, a private folder for the files a target writes,
// and the paths of the repository's stories.
//
// Each target defines LLVMFuzzerTestOneInput. Built with libFuzzer it is
// a fuzzer; built with replay.cpp it runs saved inputs once, which is how
// the test suite replays the corpora.

#include <unistd.h>

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <deque>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>
#include <vector>

#include "frontend/bufferedplatform.h"
#include "frontend/game.h"

namespace velmo::fuzz {

// The repository, for the demo story and its library.
inline std::string sourcePath(const std::string& relative) {
    return std::string(VELMO_SOURCE_DIR) + "/" + relative;
}

// A folder of this process's own, emptied on every call.
inline std::filesystem::path freshFolder() {
    namespace fs = std::filesystem;
    static const fs::path folder =
        fs::temp_directory_path() / ("velmo-fuzz-" + std::to_string(::getpid()));
    std::error_code ec;
    fs::remove_all(folder, ec);
    fs::create_directories(folder);
    return folder;
}

inline std::string writeFile(const std::filesystem::path& path, std::string_view bytes) {
    std::ofstream(path, std::ios::binary)
        .write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return path.string();
}

// The input split at every "\n" into lines (a last line without "\n"
// counts too).
inline std::vector<std::string> splitLines(std::string_view bytes) {
    std::vector<std::string> lines;
    while (!bytes.empty()) {
        const std::size_t end = bytes.find('\n');
        lines.emplace_back(bytes.substr(0, end));
        if (end == std::string_view::npos) break;
        bytes.remove_prefix(end + 1);
    }
    return lines;
}

// The host. Key waits take the first character of the next script line,
// topic menus its number, file dialogs a file name in the work folder,
// questions "j"/"n". Story code is stopped by closing the window after
// `kMaxEventPasses` passes of the message loop or two seconds, as a
// player would close a window that hangs.
class tfuzzhost : public tbufferedplatform {
public:
    static constexpr int kMaxEventPasses = 2000;

    explicit tfuzzhost(std::filesystem::path workFolder)
        : tbufferedplatform(72), folder(std::move(workFolder)) {}

    std::deque<std::string> script;
    std::vector<std::string> messages;

    bool pagesOutput() const override { return false; }
    void processEvents() override {
        const bool tooLong = std::chrono::steady_clock::now() - started > std::chrono::seconds(2);
        if ((++passes >= kMaxEventPasses || tooLong) && events && !closed) {
            closed = true;
            events->closeRequested();
        }
    }
    void processEventsWhile(const bool& running, twait kind) override {
        while (running) {
            if (script.empty() || ++passes > kMaxEventPasses) {
                if (events) events->closeRequested();
                return;
            }
            std::string line = script.front();
            script.pop_front();
            if (!events) continue;
            if (kind == twait::menu) {
                events->chooseTopic(line.empty() ? 0 : static_cast<unsigned char>(line[0]) % 10);
            } else {
                events->keyDown(tkey::other, {});
                events->keyPress(line.empty() ? ' ' : line[0]);
                events->keyUp(tkey::other);
            }
        }
    }
    void showMessage(tmessagekind, const std::string& text) override { messages.push_back(text); }
    tanswer ask(const std::string&) override {
        const std::string line = next();
        return line == "j" ? tanswer::yes : line == "n" ? tanswer::no : tanswer::cancel;
    }
    bool chooseOpenFile(const std::string&, const std::string&, const std::string&,
                        std::string& path) override {
        return fileIn(path);
    }
    bool chooseSaveFile(const std::string&, const std::string&, const std::string&,
                        const std::string&, const std::string&, std::string& path) override {
        return fileIn(path);
    }

private:
    std::string next() {
        if (script.empty()) return {};
        std::string line = script.front();
        script.pop_front();
        return line;
    }
    // Only plain names inside the work folder: a fuzzer must never write
    // anywhere else.
    bool fileIn(std::string& path) {
        std::string name = next();
        if (name.empty() || name.find_first_of("/\\") != std::string::npos || name[0] == '.')
            return false;
        path = (folder / name).string();
        return true;
    }

    std::filesystem::path folder;
    int passes = 0;
    bool closed = false;
    std::chrono::steady_clock::time_point started = std::chrono::steady_clock::now();
};

// A game on the host with a fixed seed, so every run of an input is the
// same run.
struct tfuzzgame {
    explicit tfuzzgame(const std::filesystem::path& folder) : host(folder) {
        tgamesettings settings;
        settings.seed = 1;
        game = std::make_unique<tgame>(host, settings);
    }
    // With VELMO_FUZZ_VERBOSE set, the screen and the messages of every
    // input go to standard error: how to see what a target really did.
    ~tfuzzgame() {
        if (std::getenv("VELMO_FUZZ_VERBOSE")) {
            for (int32_t i = host.buffer.firstStoredLine(); i < host.buffer.lineCount(); ++i)
                std::fprintf(stderr, "%s\n", host.buffer.line(i).c_str());
            for (const std::string& m : host.messages) std::fprintf(stderr, "[%s]\n", m.c_str());
        }
        game.reset();
    }
    tfuzzhost host;
    std::unique_ptr<tgame> game;
};

}  // namespace velmo::fuzz

#endif
