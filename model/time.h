#ifndef VELMO_MODEL_TIME_H
#define VELMO_MODEL_TIME_H

// The game clock: minutes of the game day, the minutes one turn takes, a
// counter of turns for clocks slower than a minute per turn, and the
// number of day changes. One clock belongs to each open story; it moves
// only at a turn end, by the story's "setTime", by undo (the story's
// snapshots hold a copy) and by restoring a saved game.

#include <cstdint>
#include <istream>
#include <ostream>

namespace velmo {

constexpr int32_t kMinutesPerDay = 1440;

class tclock {
public:
    // Sets time and step; the tick counter and the day stay as they are.
    // A time outside the day is brought into it (a negative time counts
    // back from midnight), so `minutes` always lies in 0-1439.
    void setClock(int32_t newTime, int32_t newStep);

    // One turn. A step of n >= 0 adds n minutes; a step of -n adds one
    // minute every n turns. Passing midnight counts a day.
    void tick();

    int32_t minutes() const { return time; }
    int32_t days() const { return day; }
    int32_t getStep() const { return step; }
    int32_t getTickCounter() const { return tickCounter; }

    // Saved games: time, step, tick counter and day as plain 32-bit
    // integers. `read` returns false when the record is cut short or holds
    // a negative tick counter or day (the clock is then left unchanged).
    void save(std::ostream& out) const;
    bool read(std::istream& in);

private:
    int32_t time = 0;
    int32_t step = 0;
    int32_t tickCounter = 0;
    int32_t day = 0;
};

}  // namespace velmo

#endif
