// Player input: the input's lines are typed into the demo story, one
// command line after another; key waits, menus, questions and file
// dialogs take the next line, as the plain line mode does. At most 64
// lines, so that one input stays one short game.

#include "harness.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    using namespace velmo::fuzz;
    const std::filesystem::path folder = freshFolder();
    std::vector<std::string> lines = splitLines({reinterpret_cast<const char*>(data), size});
    if (lines.size() > 64) lines.resize(64);
    tfuzzgame g(folder);
    if (!g.game->openStory(sourcePath("stories/uhrmacher.velmo"))) return 0;
    g.host.script.assign(lines.begin(), lines.end());
    while (!g.host.script.empty() && g.game->storyOpen() && !g.game->closing()) {
        const std::string line = g.host.script.front();
        g.host.script.pop_front();
        g.game->typeLine(line);
    }
    return 0;
}
