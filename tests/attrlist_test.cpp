#include <gtest/gtest.h>

#include <sstream>

#include "base/codedfile.h"
#include "model/attrlist.h"
#include "support/recording_services.h"

using namespace velmo;
using velmo::test::RecordingServices;

namespace {

using Names = std::vector<std::string>;

class AttrList : public ::testing::Test {
protected:
    void apply(const std::string& text) { attrs.withAttr(text, 0, flag); }
    std::stringstream file{std::ios::in | std::ios::out | std::ios::binary};

    RecordingServices services;
    TAttrList attrs{services};
    bool flag = false;
};

}  // namespace

TEST_F(AttrList, AddsOnceInOrderAndRemovesWithTilde) {
    apply("offen,~offen");
    apply("~offen");
    EXPECT_EQ(attrs.Count(), 0);
    apply("offen,essbar,offen");
    apply("~offen,warm,~fehlt");
    EXPECT_EQ(attrs.Names(), (Names{"essbar", "warm"}));
    EXPECT_FALSE(flag);
    EXPECT_EQ(services.written, "");
}

TEST_F(AttrList, ComparesNamesWithoutRegardToCase) {
    apply(
        "offen,Offen,ge\xF6"
        "ffnet");
    EXPECT_EQ(attrs.Names(), (Names{"offen",
                                    "ge\xF6"
                                    "ffnet"}));
    EXPECT_TRUE(attrs.hasAttr("OFFEN"));
    EXPECT_FALSE(attrs.hasAttr("offe"));
    // The code page's umlauts have case too.
    apply(
        "~GE\xD6"
        "FFNET");
    EXPECT_EQ(attrs.Names(), (Names{"offen"}));
}

TEST_F(AttrList, InvalidNameReportsWholeTextAndStops) {
    apply("offen,~,essbar");
    EXPECT_TRUE(flag);
    EXPECT_EQ(services.written, "Fehler: ung\xFCltiges Attribut offen,~,essbar^");
    EXPECT_EQ(attrs.Names(), (Names{"offen"}));

    for (const char* text : {"~~zu", "\"zu\"",
                             "a\x01"
                             "b",
                             "a\xFE", "a b,c"}) {
        flag = false;
        apply(text);
        EXPECT_TRUE(flag) << text;
    }
    EXPECT_EQ(attrs.Names(), (Names{"offen"}));
}

TEST_F(AttrList, BlankQuotesACommaInsteadOfSplitting) {
    apply("x y z,w");
    EXPECT_EQ(attrs.Names(), (Names{"x y z", "w"}));
}

TEST_F(AttrList, CopylistAppendsWithoutCheckingDuplicates) {
    apply("offen,essbar");
    TAttrList target(services);
    target.withAttr("offen", 0, flag);
    attrs.copylist(target);
    EXPECT_EQ(target.Names(), (Names{"offen", "offen", "essbar"}));
}

TEST_F(AttrList, SaveAndReadRoundTrip) {
    attrs.save(file);
    EXPECT_EQ(file.str(), std::string(4, '\0'));  // empty list: the count only

    apply(
        "offen,ge\xF6"
        "ffnet");
    file.str("");
    attrs.save(file);
    TAttrList restored(services);
    restored.withAttr("alt", 0, flag);
    ASSERT_TRUE(restored.read(file));
    EXPECT_EQ(restored.Names(), attrs.Names());
}

TEST_F(AttrList, ReadAppliesEachStoredTextAsAnAttributeText) {
    writeInt32(file, 2);
    writeStr(file, "a,b");
    writeStr(file, "~a");
    ASSERT_TRUE(attrs.read(file));
    EXPECT_EQ(attrs.Names(), (Names{"b"}));
}

TEST_F(AttrList, ReadRejectsBadCountsAndShortFiles) {
    writeInt32(file, -5);
    EXPECT_FALSE(attrs.read(file));

    // A huge count fails at the end of the file, keeping what was read.
    std::stringstream huge(std::ios::in | std::ios::out | std::ios::binary);
    writeInt32(huge, 0x7FFFFFFF);
    writeStr(huge, "offen");
    EXPECT_FALSE(attrs.read(huge));
    EXPECT_EQ(attrs.Names(), (Names{"offen"}));

    std::stringstream cut(std::ios::in | std::ios::out | std::ios::binary);
    cut.write("\x01\x00", 2);
    EXPECT_FALSE(attrs.read(cut));
    EXPECT_EQ(attrs.Count(), 0);
}
