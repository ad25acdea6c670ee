// Restoring a saved game: the input is a ".memo" file, restored at the
// program's start, so the story it names is loaded first. The saved games
// of the corpus name the demo story as "uhrmacher.velmo" in the current
// folder; the target runs in a folder where that name leads to the demo.
// When a game is open afterwards, two commands follow.

#include "harness.h"

namespace {

void enterDemoFolder() {
    namespace fs = std::filesystem;
    static bool entered = false;
    if (entered) return;
    entered = true;
    const fs::path folder =
        fs::temp_directory_path() / ("velmo-fuzz-demo-" + std::to_string(::getpid()));
    std::error_code ec;
    fs::create_directories(folder, ec);
    fs::create_symlink(velmo::fuzz::sourcePath("stories/uhrmacher.velmo"),
                       folder / "uhrmacher.velmo", ec);
    fs::create_directory_symlink(velmo::fuzz::sourcePath("stories/bibliothek"),
                                 folder / "bibliothek", ec);
    fs::current_path(folder, ec);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    using namespace velmo::fuzz;
    enterDemoFolder();
    const std::filesystem::path folder = freshFolder();
    writeFile(folder / "spiel.memo", {reinterpret_cast<const char*>(data), size});
    tfuzzgame g(folder);
    g.host.script.push_back("spiel.memo");
    g.game->restoreGame();
    if (g.game->storyOpen()) {
        g.game->typeLine("schau");
        g.game->typeLine("i");
    }
    return 0;
}
