#include "model/time.h"

#include <array>

#include "base/codedfile.h"
#include "base/wrapping.h"

namespace velmo {

namespace {

// The minute of the day of any count of minutes (never negative).
int32_t minuteOfDay(int64_t minutes) {
    int64_t m = minutes % kMinutesPerDay;
    return static_cast<int32_t>(m < 0 ? m + kMinutesPerDay : m);
}

}  // namespace

void tclock::setClock(int32_t newTime, int32_t newStep) {
    time = minuteOfDay(newTime);
    step = newStep;
}

void tclock::tick() {
    const int32_t before = time;
    int64_t next = time;
    if (step >= 0) {
        next += step;
    } else if (static_cast<int64_t>(tickCounter) >= -static_cast<int64_t>(step)) {
        // The n-th counted turn has passed: one minute, and this turn
        // already counts towards the next one, so a step of -n keeps
        // adding a minute every n turns. A counter already past n (the
        // story shortened the period) also ends the wait, or the clock
        // would never move again.
        next += 1;
        tickCounter = 1;
    } else {
        tickCounter = wrappingAdd(tickCounter, 1);
    }
    time = minuteOfDay(next);
    if (time < before) day = wrappingAdd(day, 1);
}

void tclock::save(std::ostream& out) const {
    writeInt32(out, time);
    writeInt32(out, step);
    writeInt32(out, tickCounter);
    writeInt32(out, day);
}

bool tclock::read(std::istream& in) {
    std::array<int32_t, 4> values{};
    for (int32_t& v : values)
        if (!readInt32(in, v)) return false;
    // A game only ever counts these up from 0; a negative one comes from a
    // damaged file.
    if (values[2] < 0 || values[3] < 0) return false;
    time = minuteOfDay(values[0]);
    step = values[1];
    tickCounter = values[2];
    day = values[3];
    return true;
}

}  // namespace velmo
