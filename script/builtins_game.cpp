// Built-ins that read the game: the clock, the counters of the front end,
// the player's input and chance.

#include "base/encoding.h"
#include "base/tokenizer.h"
#include "base/wstrlib.h"
#include "model/story.h"
#include "model/time.h"
#include "script/builtinsupport.h"

namespace velmo {

void builtinDay(tbuiltincall& call) { setNumber(call, storyOf(call).clock.days()); }

void builtinTime(tbuiltincall& call) { setNumber(call, storyOf(call).clock.minutes()); }

void builtinGetKey(tbuiltincall& call) {
    call.result.assign(1, storyOf(call).services.waitForKey());
}

void builtinGetWord(tbuiltincall& call) { call.result = storyOf(call).nextWord(); }

namespace {

// The typed word that folds to `folded`, with its quotes when `folded`
// has them, without when not; empty when the player typed none.
std::string typedFormOf(const std::vector<std::string>& typedWords, std::string_view folded) {
    for (const std::string& typed : typedWords) {
        const std::string form = foldUmlauts(lowerCase(typed));
        if (form == folded) return typed;
        const bool quoted = form.size() >= 2 && form.front() == '"' && form.back() == '"';
        if (quoted && std::string_view(form).substr(1, form.size() - 2) == folded)
            return typed.substr(1, typed.size() - 2);
    }
    return {};
}

}  // namespace

// Words of the parsed command (lower case, umlauts folded) as the player
// typed them, so that an answer can quote "Kellertür" rather than the
// folded "kellertuer". A text of several words (a topic) is looked up as
// a whole (a quoted text) and else word by word. A word the player did
// not type (a pronoun's stand-in, a word of a repeated or corrected
// command) stays as it is.
void builtinTypedWord(tbuiltincall& call) {
    const std::string& folded = call.args[0].value;
    const std::vector<std::string> typedWords =
        ttokenizer(storyOf(call).typedInput, tcharset(" ,"), tcharset("\""), false).Tokens();
    call.result = typedFormOf(typedWords, folded);
    if (!call.result.empty() || folded.empty()) return;
    std::string_view rest = folded;
    while (true) {
        const std::size_t blank = rest.find(' ');
        const std::string_view word = rest.substr(0, blank);
        const std::string typed = typedFormOf(typedWords, word);
        call.result += typed.empty() ? std::string(word) : typed;
        if (blank == std::string_view::npos) break;
        call.result += ' ';
        rest.remove_prefix(blank + 1);
    }
}

void builtinMenu(tbuiltincall& call) {
    int32_t withTitle = 0;
    integerArg(call.args[0], withTitle);
    std::string answer = storyOf(call).services.topicMenu(withTitle != 0, call.args[1].value);
    call.result = answer.empty() ? std::string(1, '0') : std::move(answer);
}

void builtinMoves(tbuiltincall& call) { setNumber(call, storyOf(call).moves); }

void builtinScores(tbuiltincall& call) { setNumber(call, storyOf(call).score); }

void builtinSerial(tbuiltincall& call) { call.result = storyOf(call).serial; }

void builtinRandom(tbuiltincall& call) {
    int32_t n = 0;
    if (!integerArg(call.args[0], n) || n < 1) {
        invalidCall(call);  // no number lies below it
        return;
    }
    setNumber(call, storyOf(call).random.below(n));
}

}  // namespace velmo
