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
    c.setParams({text});
    return c;
}

}  // namespace

// The parameters live in the parameter text, each one found by where it
// ends: commas inside a parameter stay in it, empty ones count, and a
// copy keeps its own ends when the original is given new parameters.
TEST(CodeRecord, ParametersAreCutFromTheTextWhereTheyEnd) {
    tcode c;
    EXPECT_EQ(c.paramCount(), 0u);
    c.setParams({"\"a, b\"", "", "x 1 ="});
    EXPECT_EQ(c.paramText, "\"a, b\",,x 1 =");
    ASSERT_EQ(c.paramCount(), 3u);
    EXPECT_EQ(c.param(0), "\"a, b\"");
    EXPECT_EQ(c.param(1), "");
    EXPECT_EQ(c.param(2), "x 1 =");

    const tcode copy = c;
    c.setParams({"y"});
    EXPECT_EQ(c.paramList(), (TParameters{"y"}));
    EXPECT_EQ(copy.paramList(), (TParameters{"\"a, b\"", "", "x 1 ="}));
    c.setParams({});
    EXPECT_EQ(c.paramCount(), 0u);
    EXPECT_EQ(c.paramText, "");

    EXPECT_EQ(copy.receiver(), "");
    c.setReceiver("Tuer");
    const tcode other = c;
    c.setReceiver("");
    EXPECT_EQ(other.receiver(), "Tuer");
    EXPECT_EQ(c.receiver(), "");
}

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

// Records are made in blocks shared by every list: many records of
// several lists, some lists gone, the rest still read right.
TEST(CodeList, RecordsOfManyListsOutliveTheirNeighbours) {
    auto first = std::make_unique<tcodelist>();
    auto second = std::make_unique<tcodelist>();
    tcodelist heir;
    for (int32_t i = 0; i < 300; ++i) {
        (i % 2 ? *first : *second).Add(record(i, "wert " + std::to_string(i)));
        if (i % 7 == 0) {
            const tcode copy = record(-i, "kopie");
            first->Add(copy);
        }
    }
    first->ShareInto(heir);
    first.reset();
    for (int32_t i = 0; i < second->Count(); ++i)
        EXPECT_EQ(second->At(i)->paramText, "wert " + std::to_string(2 * i));
    second.reset();
    int32_t odd = 1;
    for (int32_t i = 0; i < heir.Count(); ++i) {
        const tcode* r = heir.At(i);
        if (r->paramText == "kopie") continue;
        EXPECT_EQ(r->opcode, odd);
        EXPECT_EQ(r->paramList(), TParameters{"wert " + std::to_string(odd)});
        odd += 2;
    }
    EXPECT_EQ(odd, 301);
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
