#include <gtest/gtest.h>

#include <random>

#include "model/codelist.h"
#include "script/keywords.h"
#include "script/skiptable.h"

using namespace velmo;

namespace {

// The plain walk brace by brace, as stepping over a statement is meant.
int32_t walked(const tcodelist& code, int32_t index) {
    const int32_t count = code.Count();
    int32_t counter = 0;
    do {
        if (++index >= count) return count;
        const int32_t row = code.At(index)->row;
        if (row == kRowOpen)
            ++counter;
        else if (row == kRowClose)
            --counter;
    } while (counter != 0);
    return index;
}

void add(tcodelist& code, int32_t row) {
    tcode record;
    record.row = row;
    code.Add(std::move(record));
}

}  // namespace

// Balanced blocks, stray and missing braces: the table's answer is the
// walk's for every start.
TEST(SkipTable, EveryStepEndsWhereTheWalkEnds) {
    std::mt19937 random(7);
    const int32_t rows[] = {kRowOpen, kRowClose, kRowIf, kRowElse, kRowPlain};
    for (int round = 0; round < 200; ++round) {
        tcodelist code;
        const int length = static_cast<int>(random() % 40);
        for (int i = 0; i < length; ++i) add(code, rows[random() % 5]);
        for (int32_t index = -1; index <= code.Count(); ++index)
            ASSERT_EQ(skipFrom(code, index), walked(code, index)) << "round " << round << " at " << index;
    }
}

// The table is made on the first step and must follow later changes.
TEST(SkipTable, ARecordAddedAfterAStepIsSeen) {
    tcodelist code;
    add(code, kRowIf);
    add(code, kRowOpen);
    add(code, kRowPlain);
    EXPECT_EQ(skipFrom(code, 0), 3);  // no closing brace: past the end
    add(code, kRowClose);
    EXPECT_EQ(skipFrom(code, 0), 3);

    tcodelist shared;
    code.ShareInto(shared);
    EXPECT_EQ(skipFrom(shared, 0), 3);
    code.ShareInto(shared);
    EXPECT_EQ(skipFrom(shared, 4), 7);
    shared.Clear();
    EXPECT_EQ(skipFrom(shared, 0), 0);
}
