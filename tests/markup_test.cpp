#include "frontend/markup.h"

#include <gtest/gtest.h>

#include "model/story.h"
#include "support/recording_services.h"

namespace velmo {
namespace {

// A story with a few named objects, built directly in the tree.
class Markup : public ::testing::Test {
protected:
    void SetUp() override {
        apfel = add("apfel", "+rot* Apfel");
        kisten = add("kisten", "&gro\xDF* Kisten");
        hans = add("hans", "$Hans");
        anna = add("anna", "$Anna");
        spieler = add("spieler", "+Spieler");
        namenlos = add("namenlos", "");
        story.player = spieler;
        story.actor = spieler;
    }
    tnode* add(const std::string& name, const std::string& shortName) {
        bool error = false;
        tnode* node = tnode::create(story, &story.root(), &error, 0, 3, "", name, kKindObject);
        if (node && !shortName.empty()) node->setShortName(shortName);
        return node;
    }
    std::string out(const std::string& text) { return resolveMarkup(text, &story, 70).text; }

    test::RecordingServices services;
    tstory story{services};
    tnode* apfel = nullptr;
    tnode* kisten = nullptr;
    tnode* hans = nullptr;
    tnode* anna = nullptr;
    tnode* spieler = nullptr;
    tnode* namenlos = nullptr;
};

TEST_F(Markup, LineBreaksQuotesAndTheBlankAtFullWidth) {
    EXPECT_EQ(out("a\\b"), "a\"b");
    EXPECT_EQ(out("x^y"), "x\ny");
    EXPECT_EQ(resolveMarkup(std::string(70, 'x'), &story, 70).text, std::string(70, 'x') + " ");
    EXPECT_EQ(resolveMarkup(std::string(69, 'x'), &story, 70).text, std::string(69, 'x'));
    // Ending in a line break, the blank would start the next line.
    EXPECT_EQ(resolveMarkup(std::string(69, 'x') + "^", &story, 70).text,
              std::string(69, 'x') + "\n");
}

TEST_F(Markup, ObjectReferencesDeclineWithTheirArticle) {
    EXPECT_EQ(out("<Der apfel ist sind>."), "Der rote Apfel ist.");
    EXPECT_EQ(out("Du nimmst <den apfel>."), "Du nimmst den roten Apfel.");
    EXPECT_EQ(out("<!ein apfel>"), "kein roter Apfel");
    EXPECT_EQ(out("<~ein apfel>"), "roter Apfel");
    // "~" with "der" takes the indefinite form, so the adjective is strong.
    EXPECT_EQ(out("<~der apfel>"), "roter Apfel");
    EXPECT_EQ(out("<~den apfel>"), "roten Apfel");
    EXPECT_EQ(out("mit <einem apfel>"), "mit einem roten Apfel");
    EXPECT_EQ(out("<Einen apfel>"), "Einen roten Apfel");
}

TEST_F(Markup, ThePlayerIsAddressedInTheSecondPerson) {
    EXPECT_EQ(out("<Der spieler>"), "Du");
    EXPECT_EQ(out("<Den spieler>"), "Dich");
    EXPECT_EQ(out("[<des spieler>]"), "[]");
    EXPECT_EQ(out("<dem spieler>"), "dir");
    // Signs and verb forms do not apply to the player.
    EXPECT_EQ(out("<!der spieler ist sind>"), "du");
}

TEST_F(Markup, PluralObjectsTakeThePluralArticleAndVerb) {
    EXPECT_EQ(out("<ein kisten ist sind>"),
              "die gro\xDF"
              "en Kisten sind");
    EXPECT_EQ(out("<Den kisten>"),
              "Die gro\xDF"
              "en Kisten");
    EXPECT_EQ(out("<!dem kisten>"),
              "keinen gro\xDF"
              "en Kisten");
}

TEST_F(Markup, ProperNamesAndTheirNegation) {
    EXPECT_EQ(out("<der hans geht gehen>"), "Hans geht");
    EXPECT_EQ(out("<Der hans>"), "Hans");  // proper names are never capitalised by the tag
    EXPECT_EQ(out("<!der hans>"), "kein Hans");
    EXPECT_EQ(out("<!dem anna>"), "keiner Anna");
}

TEST_F(Markup, PersonAlternativesFollowTheActor) {
    EXPECT_EQ(out("Du <bist ist> hier."), "Du bist hier.");
    story.actor = hans;
    EXPECT_EQ(out("Er <bist ist> hier."), "Er ist hier.");
}

TEST_F(Markup, TagsResolveLeftToRightAndReplacementsAreNotScannedAgain) {
    apfel->setShortName("+<apfel>");
    // The name holds a tag of itself: written as it is, no endless loop.
    EXPECT_EQ(out("<der apfel> und <der hans>"), "der <apfel> und Hans");
}

TEST_F(Markup, StyleMarksBecomeRunsOverTheMarkedText) {
    tresolvedtext r = resolveMarkup("ein <b>fettes</> Wort", &story, 70);
    EXPECT_EQ(r.text, "ein fettes Wort");
    ASSERT_EQ(r.runs.size(), 1u);
    EXPECT_EQ(r.text.substr(r.runs[0].start, r.runs[0].end - r.runs[0].start), "fettes");
    EXPECT_EQ(r.runs[0].style, tstyle::bold);

    // Runs do not nest: a second end mark moves the end of the last run.
    r = resolveMarkup("<i>a</>b</>c", &story, 70);
    EXPECT_EQ(r.text, "abc");
    ASSERT_EQ(r.runs.size(), 1u);
    EXPECT_EQ(r.runs[0].start, 0);
    EXPECT_EQ(r.runs[0].end, 2);

    // Unknown one-character marks vanish; a run never ended reaches the end.
    r = resolveMarkup("<x><>a<u>bc", &story, 70);
    EXPECT_EQ(r.text, "abc");
    ASSERT_EQ(r.runs.size(), 1u);
    EXPECT_EQ(r.runs[0].style, tstyle::underline);
    EXPECT_EQ(r.runs[0].start, 1);
    EXPECT_EQ(r.runs[0].end, 3);
}

TEST_F(Markup, AnOpenBracketWithoutItsCloseStaysText) {
    EXPECT_EQ(out("a < b"), "a < b");
    EXPECT_EQ(out("<" + std::string(300, 'x') + ">"), "<" + std::string(300, 'x') + ">");
    // The first ">" closes the tag, whatever stands between.
    EXPECT_EQ(out("3 < 4 und <der apfel>"), "3 ");
}

TEST_F(Markup, FailuresKeepTheTextAndNameWhatWasResolved) {
    tresolvedtext r = resolveMarkup("<Der apfel> und <der namenlos> und <der hans>", &story, 70);
    EXPECT_TRUE(r.failed);
    EXPECT_EQ(r.resolvedPart, "Der rote Apfel und ");
    EXPECT_EQ(r.text, "Der rote Apfel und <der namenlos> und <der hans>");
    // An object tag without an article word is a story error as well.
    EXPECT_TRUE(resolveMarkup("<apfel>", &story, 70).failed);
}

TEST_F(Markup, WithoutAStoryTagsAreMarksOrAlternatives) {
    EXPECT_EQ(resolveMarkup("<b>x</> <bist ist>", nullptr, 70).text, "x bist");
}

}  // namespace
}  // namespace velmo
