// The source loader: the input is a story of one or several files. A line
// "====" starts the next file; the files are named main.velmo, a.velmo,
// b.velmo, ..., so `#include "a.velmo"` reaches the second. The story is
// opened as a player opens it (load, every init, main, the status line)
// and one command follows.

#include "harness.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    using namespace velmo::fuzz;
    const std::filesystem::path folder = freshFolder();
    std::string_view rest(reinterpret_cast<const char*>(data), size);
    std::string main;
    for (char name = 0; name < 8; ++name) {
        const std::size_t cut = rest.find("\n====\n");
        const std::string file =
            name == 0 ? "main.velmo" : std::string(1, char('a' + name - 1)) + ".velmo";
        const std::string path = writeFile(folder / file, rest.substr(0, cut));
        if (name == 0) main = path;
        if (cut == std::string_view::npos) break;
        rest.remove_prefix(cut + 6);
    }
    tfuzzgame g(folder);
    if (g.game->openStory(main)) g.game->typeLine("schau");
    return 0;
}
