// Built-ins that read the game: the clock, the counters of the front end,
// the player's input and chance.

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
