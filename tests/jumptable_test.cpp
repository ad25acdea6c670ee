#include <gtest/gtest.h>

#include <initializer_list>
#include <random>
#include <utility>

#include "model/codelist.h"
#include "script/jumptable.h"
#include "script/keywords.h"

using namespace velmo;

namespace {

// The walk of a "break", brace by brace.
int32_t walked(const tcodelist& code, int32_t index, int32_t gap) {
    const int32_t count = code.Count();
    int32_t counter = 0;
    while (counter != -gap) {
        if (++index >= count) return count;
        const int32_t row = code.At(index)->row;
        if (row == kRowOpen)
            ++counter;
        else if (row == kRowClose)
            --counter;
    }
    return index;
}

void add(tcodelist& code, int32_t row, const std::string& text = "") {
    tcode record;
    record.row = row;
    record.paramText = text;
    code.Add(std::move(record));
}

// Kept ends must follow a different gap from the same record and a list
// that grew.
TEST(JumpTable, BlockEndsAreTheWalksEnds) {
    std::mt19937 random(11);
    const int32_t rows[] = {kRowOpen, kRowClose, kRowClose, kRowBreak, kRowPlain};
    for (int round = 0; round < 100; ++round) {
        tcodelist code;
        const int length = 1 + static_cast<int>(random() % 30);
        for (int i = 0; i < length; ++i) add(code, rows[random() % 5]);
        for (int pass = 0; pass < 2; ++pass) {
            for (int32_t index = 0; index < code.Count(); ++index)
                for (int32_t gap : {1, 2, 1, 3})
                    ASSERT_EQ(blockEnd(code, index, gap), walked(code, index, gap))
                        << "round " << round << " at " << index << " gap " << gap;
            add(code, kRowClose);
        }
    }
}

// A list of records, each a row with its parameter text.
tcodelist records(std::initializer_list<std::pair<int32_t, const char*>> rows) {
    tcodelist code;
    for (const auto& [row, text] : rows) add(code, row, text);
    return code;
}

// switch { case(1) ... case(zwei) { } default }
tcodelist plainSwitch() {
    return records({{kRowSwitch, ""},
                    {kRowOpen, ""},
                    {kRowCase, "1"},
                    {kRowPlain, ""},
                    {kRowCase, "zwei"},
                    {kRowOpen, ""},
                    {kRowClose, ""},
                    {kRowDefault, ""},
                    {kRowClose, ""}});
}

TEST(SwitchPlans, ListsTheCasesAndWhereAMissEnds) {
    const tcodelist code = plainSwitch();
    const tswitchplan* plan = switchPlan(code, 0);
    ASSERT_TRUE(plan);
    ASSERT_EQ(plan->cases.size(), 2u);
    EXPECT_EQ(plan->cases[0].index, 2);
    EXPECT_TRUE(plan->cases[0].isInteger);
    EXPECT_EQ(plan->cases[0].number, 1);
    EXPECT_EQ(plan->cases[1].label, "zwei");
    EXPECT_FALSE(plan->cases[1].isInteger);
    EXPECT_EQ(plan->missIndex, 7);
    EXPECT_FALSE(plan->missAtEnd);
}

TEST(SwitchPlans, WithoutDefaultAMissEndsAtTheClosingBrace) {
    // "01" is not an integer's text.
    const tcodelist code =
        records({{kRowSwitch, ""}, {kRowOpen, ""}, {kRowCase, "01"}, {kRowClose, ""}});
    const tswitchplan* plan = switchPlan(code, 0);
    ASSERT_TRUE(plan);
    EXPECT_FALSE(plan->cases[0].isInteger);
    EXPECT_EQ(plan->missIndex, 3);
    EXPECT_TRUE(plan->missAtEnd);
}

// A case inside a block of a branch (the walk stops there), a statement
// before the first case, no closing brace, a case with a receiver.
TEST(SwitchPlans, OtherShapesHaveNoPlan) {
    const tcodelist nested = records({{kRowSwitch, ""},
                                      {kRowOpen, ""},
                                      {kRowCase, "1"},
                                      {kRowOpen, ""},
                                      {kRowCase, "2"},
                                      {kRowClose, ""},
                                      {kRowClose, ""}});
    EXPECT_EQ(switchPlan(nested, 0), nullptr);
    const tcodelist before =
        records({{kRowSwitch, ""}, {kRowOpen, ""}, {kRowPlain, ""}, {kRowCase, "1"}});
    EXPECT_EQ(switchPlan(before, 0), nullptr);
    const tcodelist unclosed = records({{kRowSwitch, ""}, {kRowOpen, ""}, {kRowCase, "1"}});
    EXPECT_EQ(switchPlan(unclosed, 0), nullptr);
    tcodelist received = plainSwitch();
    received.MutableAt(4)->setReceiver("Ding");
    EXPECT_EQ(switchPlan(received, 0), nullptr);
}

// The plan is made on the first run and must follow a change of the list.
TEST(SwitchPlans, ARecordAddedLaterIsSeen) {
    tcodelist code = records({{kRowSwitch, ""}, {kRowOpen, ""}, {kRowCase, "1"}});
    EXPECT_EQ(switchPlan(code, 0), nullptr);
    add(code, kRowClose);
    const tswitchplan* plan = switchPlan(code, 0);
    ASSERT_TRUE(plan);
    EXPECT_EQ(plan->missIndex, 3);
}

}  // namespace
