// The compiled-story reader: the input is the decoded text of a compiled
// story (its lines: version, literals, program text). The target codes it
// with the file's byte table, which is its own inverse, so mutations and
// the dictionary work on plain text, then opens it as a player would.

#include "base/codedfile.h"
#include "harness.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    using namespace velmo::fuzz;
    const std::filesystem::path folder = freshFolder();
    std::string coded(reinterpret_cast<const char*>(data), size);
    for (char& c : coded) c = static_cast<char>(velmo::codeByte(static_cast<unsigned char>(c)));
    const std::string path = writeFile(folder / "main.data", coded);
    tfuzzgame g(folder);
    if (g.game->openStory(path)) g.game->typeLine("schau");
    return 0;
}
