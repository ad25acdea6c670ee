#include <gtest/gtest.h>

#include <array>
#include <climits>
#include <sstream>

#include "base/codedfile.h"
#include "model/time.h"

namespace velmo {
namespace {

TEST(ClockTick, PassingMidnightCountsADay) {
    tclock clock;
    clock.setClock(1430, 20);
    clock.tick();
    EXPECT_EQ(clock.minutes(), 10);
    EXPECT_EQ(clock.days(), 1);
}

TEST(ClockTick, StepZeroStandsStill) {
    tclock clock;
    clock.setClock(600, 0);
    for (int i = 0; i < 5; ++i) clock.tick();
    EXPECT_EQ(clock.minutes(), 600);
    EXPECT_EQ(clock.days(), 0);
}

TEST(ClockTick, NegativeStepAddsAMinuteEveryNTurnsAfterTheFirst) {
    tclock clock;
    clock.setClock(100, -3);
    std::vector<int32_t> seen;
    for (int i = 0; i < 10; ++i) {
        clock.tick();
        seen.push_back(clock.minutes());
    }
    // The counter counts three turns, the fourth adds the minute; from
    // then on every third turn does.
    EXPECT_EQ(seen, (std::vector<int32_t>{100, 100, 100, 101, 101, 101, 102, 102, 102, 103}));
}

TEST(ClockTick, HugeStepsWrapWithoutOverflow) {
    tclock clock;
    clock.setClock(1439, 2147483647);
    clock.tick();
    EXPECT_GE(clock.minutes(), 0);
    EXPECT_LT(clock.minutes(), kMinutesPerDay);
    clock.setClock(5, -2147483647 - 1);
    clock.tick();
    EXPECT_EQ(clock.minutes(), 5);
}

TEST(ClockTick, AShorterPeriodDoesNotStallTheClock) {
    tclock clock;
    clock.setClock(600, -5);
    for (int i = 0; i < 3; ++i) clock.tick();
    // The counter stands at 3, past the new period of 2.
    clock.setClock(600, -2);
    std::vector<int32_t> seen;
    for (int i = 0; i < 5; ++i) {
        clock.tick();
        seen.push_back(clock.minutes());
    }
    EXPECT_EQ(seen, (std::vector<int32_t>{601, 601, 602, 602, 603}));
}

// Counters restored from a saved game may stand anywhere; counting on
// wraps (a sanitizer build would report a signed overflow).
TEST(ClockTick, CountersAtTheirLimitWrapInsteadOfOverflowing) {
    std::stringstream record;
    for (int32_t v : {1439, 1, 0, INT32_MAX}) writeInt32(record, v);
    tclock clock;
    ASSERT_TRUE(clock.read(record));
    clock.tick();
    EXPECT_EQ(clock.minutes(), 0);
    EXPECT_EQ(clock.days(), INT32_MIN);

    std::stringstream slow;
    for (int32_t v : {600, INT32_MIN, INT32_MAX, 0}) writeInt32(slow, v);
    ASSERT_TRUE(clock.read(slow));
    clock.tick();
    EXPECT_EQ(clock.minutes(), 600);
}

TEST(ClockSet, KeepsCounterAndDayAndBringsTimeIntoTheDay) {
    tclock clock;
    clock.setClock(1439, 1);
    clock.tick();
    ASSERT_EQ(clock.days(), 1);
    clock.setClock(-30, 5);
    EXPECT_EQ(clock.minutes(), 1410);
    EXPECT_EQ(clock.days(), 1);
    clock.setClock(3000, 5);
    EXPECT_EQ(clock.minutes(), 120);
}

TEST(ClockFile, RoundTrip) {
    tclock clock;
    clock.setClock(700, -2);
    clock.tick();
    std::stringstream file;
    clock.save(file);
    EXPECT_EQ(file.str().size(), 16u);

    tclock other;
    ASSERT_TRUE(other.read(file));
    EXPECT_EQ(other.minutes(), 700);
    EXPECT_EQ(other.getStep(), -2);
    EXPECT_EQ(other.getTickCounter(), 1);
}

TEST(ClockFile, ShortOrDamagedRecordLeavesTheClockAlone) {
    tclock clock;
    clock.setClock(50, 1);
    std::stringstream file(std::string(10, '\x01'));
    EXPECT_FALSE(clock.read(file));
    EXPECT_EQ(clock.minutes(), 50);
    // A game never counts below zero: a negative tick counter or day is
    // damage.
    for (auto values :
         {std::array<int32_t, 4>{1, -1, -1, 0}, std::array<int32_t, 4>{1, 1, 0, -1}}) {
        std::stringstream record;
        for (int32_t v : values) writeInt32(record, v);
        EXPECT_FALSE(clock.read(record));
        EXPECT_EQ(clock.minutes(), 50);
    }
}

}  // namespace
}  // namespace velmo
