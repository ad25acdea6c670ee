#include "model/nameindex.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "model/parsetree.h"
#include "model/story.h"
#include "support/recording_services.h"

namespace velmo {
namespace {

class NameIndex : public ::testing::Test {
protected:
    tnode* object(const std::string& name, const std::string& shortName) {
        bool failed = false;
        tnode* node = story.root().addChild(kKindObject, name, &failed, 1, 3);
        node->setShortName(shortName);
        return node;
    }
    // How often the node is listed for the word.
    long listed(const std::string& word, const tnode* node) const {
        const auto* owners = story.names.find(word);
        return owners ? std::count(owners->begin(), owners->end(), node) : 0;
    }

    test::RecordingServices services;
    tstory story{services};
};

TEST_F(NameIndex, EveryLastWordOfEveryVariantListsTheNodeOnce) {
    tnode* apfel = object("Apfel", "+rot* Apfel, +Obst");
    // "apfel", "apfels" (genitive) and "obst" end search forms; the forms
    // with article and adjective end in the same words.
    EXPECT_EQ(listed("apfel", apfel), 1);
    EXPECT_EQ(listed("apfels", apfel), 1);
    EXPECT_EQ(listed("obst", apfel), 1);
    EXPECT_EQ(listed("rote", apfel), 0);
    EXPECT_EQ(story.names.find("birne"), nullptr);
}

TEST_F(NameIndex, ANewNameReplacesTheOldEntries) {
    tnode* frosch = object("Frosch", "+Frosch");
    tnode* teich = object("Teich", "+Frosch");
    const uint64_t before = story.names.version();
    frosch->setShortName("+Prinz");
    EXPECT_NE(story.names.version(), before);
    EXPECT_EQ(listed("frosch", frosch), 0);
    EXPECT_EQ(listed("prinz", frosch), 1);
    EXPECT_EQ(listed("frosch", teich), 1);
    teich->setShortName("+Teich");
    EXPECT_EQ(story.names.find("frosch"), nullptr);
}

// Forms that keep one text for several cases ("-alt* Kiste" does not
// change) are taken in once and taken out whole, adjective words too.
TEST_F(NameIndex, FormsSharedBetweenCasesAreListedAndRemovedWhole) {
    tnode* kiste = object("Kiste", "-alt* Kiste, &Bretter");
    EXPECT_EQ(listed("kiste", kiste), 1);
    EXPECT_EQ(listed("brettern", kiste), 1);  // the plural's dative
    for (const char* adjective : {"alte", "alten"}) {
        const auto* owners = story.names.findAdjective(adjective);
        ASSERT_NE(owners, nullptr) << adjective;
        EXPECT_EQ(std::count(owners->begin(), owners->end(), kiste), 1) << adjective;
    }
    kiste->setShortName("+Sack");
    EXPECT_EQ(story.names.find("kiste"), nullptr);
    EXPECT_EQ(story.names.find("bretter"), nullptr);
    EXPECT_EQ(story.names.findAdjective("alte"), nullptr);
    EXPECT_EQ(story.names.findAdjective("alten"), nullptr);
    EXPECT_EQ(listed("sack", kiste), 1);
}

// Names are declined when first asked for: a node renamed several times
// before that is listed once, under its last name only, and taking in
// the queued names is no change a planned walk must notice.
TEST_F(NameIndex, NamesSetBeforeTheFirstQuestionCountOnlyAsTheyStandThen) {
    tnode* ding = object("Ding", "+Stein");
    ding->setShortName("-Muschel");
    ding->setShortName("+rund* Kiesel");
    const uint64_t before = story.names.version();
    EXPECT_EQ(listed("kiesel", ding), 1);
    EXPECT_EQ(story.names.version(), before);
    EXPECT_EQ(story.names.find("stein"), nullptr);
    EXPECT_EQ(story.names.find("muschel"), nullptr);
    ASSERT_NE(story.names.findAdjective("runden"), nullptr);

    // Forms asked for by a text before the index is asked are the ones it
    // then lists; a rename after that takes exactly them out again.
    tnode* haus = object("Haus", "Haus");
    EXPECT_EQ(haus->nameForm(kGenitive, false, kDefinite), "des Hauses");
    EXPECT_EQ(listed("hauses", haus), 1);
    haus->setShortName("Laub");
    EXPECT_EQ(haus->nameForm(kGenitive, false, kDefinite), "des Laubs");
    EXPECT_EQ(story.names.find("hauses"), nullptr);
    EXPECT_EQ(listed("laubs", haus), 1);
}

}  // namespace
}  // namespace velmo
