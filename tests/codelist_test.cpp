#include <gtest/gtest.h>

#include <memory>

#include "model/codelist.h"

using namespace velmo;

namespace {

tcode record(int32_t opcode, const std::string& text) {
    tcode c;
    c.opcode = opcode;
    c.row = opcode;
    c.line = 7;
    c.paramText = text;
    c.params = {text};
    return c;
}

}  // namespace

TEST(CodeList, OutOfRangeIsReportedNotRead) {
    tcodelist list;
    EXPECT_EQ(list.At(0), nullptr);
    list.Add(record(1, ""));
    EXPECT_EQ(list.At(1), nullptr);
    EXPECT_EQ(list.At(-1), nullptr);
    EXPECT_EQ(list.MutableAt(2), nullptr);
    ASSERT_NE(list.At(0), nullptr);
    EXPECT_EQ(list.At(0)->opcode, 1);
}

TEST(CodeList, ShareIntoSharesRecordsThatOutliveTheirFirstList) {
    tcodelist inherited;
    inherited.Add(record(17, "g()"));
    {
        auto original = std::make_unique<tcodelist>();
        original->Add(record(1, ""));
        original->Add(record(12, "x 1 ="));
        original->ShareInto(inherited);
        EXPECT_EQ(inherited.Count(), 3);
        // The same record, not a copy: a change shows in both lists.
        original->MutableAt(1)->paramText = "x 2 =";
        EXPECT_EQ(inherited.At(2)->paramText, "x 2 =");
        EXPECT_EQ(inherited.At(2), original->At(1));
    }
    // The original list is gone; the shared records remain readable.
    ASSERT_NE(inherited.At(2), nullptr);
    EXPECT_EQ(inherited.At(2)->paramText, "x 2 =");
    EXPECT_EQ(inherited.At(0)->opcode, 17);
}

TEST(CodeList, SharingAnEmptyListOrIntoItselfIsSafe) {
    tcodelist empty, target;
    target.Add(record(1, ""));
    empty.ShareInto(target);
    EXPECT_EQ(target.Count(), 1);
    target.ShareInto(target);
    EXPECT_EQ(target.Count(), 2);
    EXPECT_EQ(target.At(0), target.At(1));
}
