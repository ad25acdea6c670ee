// The output markup: the input is a text written with "write", resolved
// against a small story with a player, an object of each gender and a
// plural one.

#include "frontend/markup.h"
#include "harness.h"

namespace {

const char* const kStory = R"(
class raum { setShort("+Raum"); string StatusLine() { return("Raum"); } }
class spieler { setShort("+Spieler"); moveto(raum); int onAction(string v) { return(1); } }
class apfel { setShort("+rot* Apfel"); moveto(raum); }
class kiste { setShort("-Kiste"); moveto(raum); }
class buch { setShort("Buch"); moveto(raum); }
class leute { setShort("&Leute"); moveto(raum); }
void main() { setPlayer(spieler); }
)";

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    using namespace velmo::fuzz;
    static std::unique_ptr<tfuzzgame> g;
    if (!g) {
        const std::filesystem::path folder = freshFolder();
        g = std::make_unique<tfuzzgame>(folder);
        if (!g->game->openStory(writeFile(folder / "markup.velmo", kStory))) return 0;
    }
    const std::string text(reinterpret_cast<const char*>(data), size);
    (void)velmo::resolveMarkup(text, g->game->currentStory(), 70);
    return 0;
}
