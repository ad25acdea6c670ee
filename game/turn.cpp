#include "game/turn.h"

#include <algorithm>
#include <limits>
#include <string>
#include <vector>

#include "base/wrapping.h"
#include "model/parsetree.h"
#include "model/story.h"
#include "script/interpreter.h"

namespace velmo {

namespace {

// Runs the "daemon" of every object that was running when the turn end
// began, in order, unless it has been stopped meanwhile; a daemon started
// now runs from the next turn on. Walking a copy keeps the order right
// when a daemon stops itself or another one. False when an object's
// error flag stopped the turn end.
bool runDaemons(tstory& story, tinterpreter& interpreter) {
    const std::vector<tnode*> running = story.root().daemons;
    std::string result;
    for (tnode* object : running) {
        const auto& live = story.root().daemons;
        if (std::find(live.begin(), live.end(), object) == live.end()) continue;
        interpreter.Run(0, object, result, std::string(), "daemon");
        if (object->error) return false;
    }
    return true;
}

// Where the records of `before` stand in `after`, the list after story
// code ran: it can only have removed records (every one of an object) and
// appended new ones, so the records that are left keep their order and
// come first. `marks` holds indexes into `before`; each becomes the number
// of records before it that are still there.
void followRecords(const std::vector<tnode*>& before, const std::vector<ttimer>& after,
                   std::vector<std::size_t*> marks) {
    std::size_t kept = 0;
    std::vector<std::size_t> keptBefore(before.size() + 1, 0);
    for (std::size_t k = 0; k < before.size(); ++k) {
        keptBefore[k] = kept;
        if (kept < after.size() && after[kept].object == before[k]) ++kept;
    }
    keptBefore[before.size()] = kept;
    for (std::size_t* mark : marks) *mark = keptBefore[std::min(*mark, before.size())];
}

// Counts every timer that was running when the turn end began down by
// one; one at 0 fires instead: its record is removed and its object's
// "timeout" runs. Timers started by a timeout count from the next turn
// end on, so a timeout that starts its own timer again cannot keep this
// turn end going. The count before the tick is kept for undo.
void runTimers(tstory& story, tinterpreter& interpreter) {
    std::vector<ttimer>& timers = story.root().timers;
    std::size_t i = 0;
    std::size_t end = timers.size();  // the records running at the start end here
    std::string result;
    while (i < end && i < timers.size()) {
        ttimer& timer = timers[i];
        timer.beforeTick = timer.remaining;
        if (timer.remaining != 0) {
            // A negative count never fires; at the lowest count it stays.
            if (timer.remaining != std::numeric_limits<int32_t>::min()) --timer.remaining;
            ++i;
            continue;
        }
        tnode* object = timer.object;
        timers.erase(timers.begin() + static_cast<std::ptrdiff_t>(i));
        --end;
        std::vector<tnode*> before;
        before.reserve(timers.size());
        for (const ttimer& t : timers) before.push_back(t.object);
        if (object) interpreter.Run(0, object, result, std::string(), "timeout");
        followRecords(before, timers, {&i, &end});
        if (object && object->error) return;
    }
}

}  // namespace

void endTurn(tstory& story, tinterpreter& interpreter) {
    story.moves = wrappingAdd(story.moves, 1);
    story.clock.tick();
    if (runDaemons(story, interpreter)) runTimers(story, interpreter);
}

}  // namespace velmo
