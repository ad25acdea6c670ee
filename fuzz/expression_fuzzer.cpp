// Expressions as the inspector evaluates them: the input's first byte
// chooses the context (the root, an object or one of its functions), the
// rest is an expression as typed, with its two-character operators
// encoded and converted to postfix, then evaluated twice on one
// evaluator against a small story whose functions run for real.

#include "harness.h"
#include "model/story.h"
#include "script/interpreter.h"
#include "script/postfix.h"

namespace {

const char* const kStory = R"(
class raum { setShort("+Raum"); string StatusLine() { return("Raum"); } }
class spieler { setShort("+Spieler"); moveto(raum); int onAction(string v) { return(1); } }
class kiste {
  setShort("-rot* Kiste"); moveto(raum);
  int n = 3; string t = "Text"; int a[10];
  int doppelt(int x) { return(x * 2); }
  int rekursiv(int x) { if (x > 0) { return(rekursiv(x - 1) + 1); } return(0); }
}
int zahl = 7;
string wort = "Wort";
void main() { setPlayer(spieler); }
)";

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    using namespace velmo;
    using namespace velmo::fuzz;
    if (size == 0) return 0;
    const std::filesystem::path folder = freshFolder();
    tfuzzgame g(folder);
    if (!g.game->openStory(writeFile(folder / "ausdruck.velmo", kStory))) return 0;
    tstory& story = *g.game->currentStory();
    tnode* context = &story.root();
    tnode* box = story.root().findChild("kiste");
    if (box && data[0] % 3 == 1) context = box;
    if (box && data[0] % 3 == 2 && box->findChild("doppelt")) context = box->findChild("doppelt");

    std::string postfix;
    const std::string typed(reinterpret_cast<const char*>(data + 1), size - 1);
    if (!ToPostfix(EncodeOperators(typed), postfix)) return 0;
    tinterpreter interpreter(story);
    texpression evaluator(&interpreter);
    std::string result;
    try {
        evaluator.Evaluate(0, *context, result, postfix);
        evaluator.Evaluate(0, *context, result, postfix);
    } catch (const std::exception&) {
        // The story's abort ("quit" in a called function) ends the run.
    }
    return 0;
}
