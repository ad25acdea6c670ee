#include <gtest/gtest.h>

#include <memory>
#include <set>

#include "base/declension.h"
#include "base/encoding.h"
#include "base/wstrlib.h"

using namespace velmo;

namespace {

struct Form {
    const char* name;
    int32_t grammaticalCase;
    bool withAdjectives;
    int32_t article;
    const char* expected;
};

void expectForms(const std::vector<Form>& rows) {
    for (const Form& row : rows)
        EXPECT_EQ(declineName(row.name, row.grammaticalCase, row.withAdjectives, row.article),
                  row.expected)
            << row.name << " case " << row.grammaticalCase << " adjectives " << row.withAdjectives
            << " article " << row.article;
}

constexpr int32_t N = kNominative, A = kAccusative, G = kGenitive, D = kDative;

}  // namespace

TEST(Declension, DocumentedForms) {
    expectForms({
        {"+rot* Apfel", N, true, kDefinite, "der rote Apfel"},
        {"+rot* Apfel", A, true, kIndefinite, "einen roten Apfel"},
        {"+rot* Apfel", N, false, kNoArticle, "Apfel"},
        {"-leise* Glocke", D, true, kDefinite, "der leisen Glocke"},
        {"+Junge", A, false, kDefinite, "den Jungen"},
        {"+Stein", G, false, kDefinite, "des Steines"},
        {"Buch", G, false, kDefinite, "des Buchs"},
        {"Haus", G, false, kDefinite, "des Hauses"},
        {"+Mensch", A, false, kNoArticle, "Menschen"},
        {"+Mensch", G, false, kNoArticle, "Menschen"},
        {"+Mensch", D, false, kNoArticle, "Menschen"},
        {"+Tisch", A, false, kNoArticle, "Tisch"},
        {"+Tisch", G, false, kNoArticle, "Tischen"},
        {"+Tisch", D, false, kNoArticle, "Tisch"},
        {"$Klaus", G, false, kDefinite, "Klaus'"},
        {"$Anna", G, false, kDefinite, "Annas"},
        {"&\xC4pfel", D, false, kDefinite, "den \xC4pfeln"},
        {"&\xC4pfel", N, false, kIndefinite, "die \xC4pfel"},
    });
}

TEST(Declension, MasculineNounEndings) {
    expectForms({
        // -e: "n" in every case but the nominative, except after "i".
        {"+Hase", N, false, kDefinite, "der Hase"},
        {"+Hase", G, false, kDefinite, "des Hasen"},
        {"+Hase", D, false, kIndefinite, "einem Hasen"},
        {"+Genie", A, false, kDefinite, "den Genie"},
        {"+Genie", G, false, kDefinite, "des Genies"},
        // -er: "en" unless "e" or "o" comes before; genitive "s" then.
        {"+Eimer", A, false, kDefinite, "den Eimer"},
        {"+Eimer", G, false, kDefinite, "des Eimers"},
        {"+Motor", G, false, kDefinite, "des Motors"},
        {"+Bauer", D, false, kDefinite, "dem Bauer"},
        {"+Narr", A, false, kDefinite, "den Narren"},
        {"+Narr", G, false, kDefinite, "des Narren"},
        // -en and -b: genitive "s" after "e" or "o", else "es".
        {"+Ofen", G, false, kDefinite, "des Ofens"},
        {"+Lohn", G, false, kDefinite, "des Lohnes"},
        {"+Stab", G, false, kDefinite, "des Stabes"},
        {"+Ofen", D, false, kDefinite, "dem Ofen"},
        // -t: "en" unless "i" comes before.
        {"+Soldat", A, false, kDefinite, "den Soldaten"},
        {"+Soldat", G, false, kDefinite, "des Soldaten"},
        {"+Soldat", D, false, kDefinite, "dem Soldaten"},
        {"+Kredit", A, false, kDefinite, "den Kredit"},
        {"+Kredit", G, false, kDefinite, "des Kredits"},
        // Anything else: genitive "s" only.
        {"+Hund", G, false, kDefinite, "des Hunds"},
        {"+Hund", D, false, kDefinite, "dem Hund"},
    });
}

TEST(Declension, FeminineAndNeuterNouns) {
    expectForms({
        {"-Kiste", G, false, kDefinite, "der Kiste"},
        {"-Kiste", D, false, kIndefinite, "einer Kiste"},
        {"-Kiste", A, false, kIndefinite, "eine Kiste"},
        {"Schwert", G, false, kIndefinite, "eines Schwerts"},
        {"Lamm", G, false, kDefinite, "des Lammes"},
        {"Schwert", D, false, kDefinite, "dem Schwert"},
        {"Schwert", A, false, kIndefinite, "ein Schwert"},
    });
}

TEST(Declension, AdjectiveEndings) {
    expectForms({
        // Strong endings without a definite article, weak ones with it.
        {"+alt* Hut", N, true, kIndefinite, "ein alter Hut"},
        {"+alt* Hut", N, true, kNoArticle, "alter Hut"},
        {"-rot* Kiste", N, true, kIndefinite, "eine rote Kiste"},
        {"klein* Buch", N, true, kIndefinite, "ein kleines Buch"},
        {"klein* Buch", A, true, kDefinite, "das kleine Buch"},
        {"klein* Buch", G, true, kIndefinite, "eines kleinen Buchs"},
        // Several adjectives each get their ending.
        {"+gro\xDF* alt* Hund", D, true, kDefinite,
         "dem gro\xDF"
         "en alten Hund"},
        // A stem ending in "e" swallows the ending's first "e".
        {"+leise* Ton", N, true, kDefinite, "der leise Ton"},
        {"+leise* Ton", N, true, kIndefinite, "ein leiser Ton"},
        {"-m\xFC"
         "de* Katze",
         A, true, kDefinite,
         "die m\xFC"
         "de Katze"},
        // Plurals and proper names have their own endings.
        {"&rot* \xC4pfel", N, true, kDefinite, "die roten \xC4pfel"},
        {"&rot* \xC4pfel", D, true, kNoArticle, "rote \xC4pfeln"},
        {"&rot* \xC4pfel", N, true, kNoArticle, "rote \xC4pfel"},
        {"$klein* Hans", N, true, kNoArticle, "kleiner Hans"},
        {"$klein* Hans", D, true, kNoArticle, "kleinen Hans"},
        {"$klein* Anna", D, true, kNoArticle, "kleinen Anna"},
        {"$klein* Anna", D, true, kDefinite, "kleine Anna"},
        {"$klein* Anna", A, true, kNoArticle, "kleine Anna"},
    });
    EXPECT_EQ(adjectiveEnding("+rot* Apfel", A, false), "+roten Apfel");
    EXPECT_EQ(adjectiveEnding("+rot* alt* Apfel", N, true), "+rote alt* Apfel");
    EXPECT_EQ(adjectiveEnding("Buch", N, true), "Buch");
}

TEST(Declension, AdjectivesAreRemovedWithTheirBlank) {
    expectForms({
        {"+gro\xDF* alt* Hut", N, false, kDefinite, "der Hut"},
        {"klein* rot* Buch", D, false, kIndefinite, "einem Buch"},
        {"&rot* \xC4pfel", D, false, kDefinite, "den \xC4pfeln"},
        {"$klein* Klaus", G, false, kNoArticle, "Klaus'"},
    });
}

TEST(Declension, ProperNamesAndPlurals) {
    expectForms({
        {"$Hans", N, false, kDefinite, "Hans"},
        {"$Hans", D, false, kIndefinite, "Hans"},
        {"$Max", G, false, kNoArticle, "Max'"},
        {"$Strau\xDF", G, false, kNoArticle, "Strau\xDF'"},
        {"$Otto", G, false, kNoArticle, "Ottos"},
        {"&Kerzen", D, false, kDefinite, "den Kerzen"},
        {"&Kerzen", G, false, kIndefinite, "der Kerzen"},
        {"&Kerzen", A, false, kNoArticle, "Kerzen"},
    });
}

TEST(Declension, ValuesOutOfRangeStayInTheTables) {
    // Story code may pass any number: such cases count as the nominative,
    // article kinds above 2 as indefinite, below 0 as none.
    EXPECT_EQ(declineName("+rot* Apfel", 7, true, kDefinite), "der rote Apfel");
    EXPECT_EQ(declineName("+rot* Apfel", -1, true, 9), "ein roter Apfel");
    EXPECT_EQ(declineName("+Apfel", D, false, -5), "Apfel");
    EXPECT_EQ(article(99, 99, 99), "ein ");
    EXPECT_EQ(formIndex(-3, true, 50), 5);
    EXPECT_EQ(formIndex(D, true, kIndefinite), 23);
}

TEST(Declension, OddNameTextsDoNotBreak) {
    for (const char* odd : {"", "+", "-", "$", "&", "*", "+*", "**", "+rot*", "$a*", "&*x"})
        for (int32_t c = N; c <= D; ++c)
            for (int32_t k = kNoArticle; k <= kIndefinite; ++k) {
                (void)declineName(odd, c, true, k);
                (void)declineName(odd, c, false, k);
            }
    EXPECT_EQ(declineName("", N, false, kDefinite), "das ");
    EXPECT_EQ(declineName("+rot*", N, false, kNoArticle), "");
}

TEST(Declension, ShortNamesHoldEveryFormAndItsSearchForm) {
    tshortNames names = buildShortNames("+gro\xDF* Schl\xFCssel");
    EXPECT_FALSE(names.plural);
    EXPECT_EQ(names.form(formIndex(N, true, kDefinite)),
              "der gro\xDF"
              "e Schl\xFCssel");
    EXPECT_EQ(names.searchForm(formIndex(N, true, kDefinite)), "der grosse schluessel");
    EXPECT_EQ(names.form(formIndex(G, false, kNoArticle)), "Schl\xFCssels");
    EXPECT_EQ(names.searchForm(formIndex(G, false, kNoArticle)), "schluessels");
    for (int32_t c = N; c <= D; ++c)
        for (bool a : {false, true})
            for (int32_t k = kNoArticle; k <= kIndefinite; ++k)
                EXPECT_EQ(names.form(formIndex(c, a, k)),
                          declineName("+gro\xDF* Schl\xFCssel", c, a, k));

    // Capital umlauts are lower-cased before folding.
    tshortNames apples = buildShortNames("&\xC4pfel");
    EXPECT_TRUE(apples.plural);
    EXPECT_EQ(apples.searchForm(formIndex(D, false, kDefinite)), "den aepfeln");

    EXPECT_EQ(nameForm(&apples, D, false, kDefinite), "den \xC4pfeln");
    EXPECT_EQ(nameForm(nullptr, D, false, kDefinite), "");
}

// Every form of a variant is the form declineName gives, and its search
// form that form lower-cased with its umlauts folded, for names of every
// kind, odd ones included (the forms with the indefinite article are made
// from those without one).
TEST(Declension, ShortNamesAgreeWithDeclineNameForEveryKind) {
    for (const char* name :
         {"+gro\xDF* Schl\xFCssel", "-alt* Kiste", "blau* Klotz", "$Anna", "$Max", "&\xC4pfel",
          "&rot* Beeren", "+leise* Mensch", "blau* +Klotz", "*Ding", "", "+", "$", "&", "*", "+rot*",
          "&*x", "$a*", "+rund* gro\xDF* Tisch"}) {
        const tshortNames names = buildShortNames(name);
        for (std::size_t f = 0; f < kSearchForms; ++f) {
            const auto c = static_cast<int32_t>(f / 6);
            const auto kind = static_cast<int32_t>(f % 3);
            const std::string expected = declineName(name, c, isAdjectiveForm(f), kind);
            EXPECT_EQ(names.form(f), expected) << name << " form " << f;
            std::string lower;
            for (char ch : expected) lower += cpLower(ch);
            EXPECT_EQ(names.searchForm(f), foldUmlauts(lower)) << name << " form " << f;
        }
    }
}

// A variant whose forms need more than 64 KB of text still gives every
// form, also in a copy that outlives the original.
TEST(Declension, VeryLongNamesKeepEveryForm) {
    const std::string name = "+gr\xFCn* " + std::string(9000, 'k') + "\xE4sten";
    auto box = std::make_unique<tshortNames>(buildShortNames(name));
    EXPECT_GT(box->textBytes(), std::size_t{0xFFFF});
    const tshortNames copy = *box;
    box.reset();
    for (std::size_t f = 0; f < kSearchForms; ++f) {
        const std::string expected = declineName(name, static_cast<int32_t>(f / 6),
                                                 isAdjectiveForm(f), static_cast<int32_t>(f % 3));
        EXPECT_EQ(copy.form(f), expected) << f;
        std::string lower;
        for (char ch : expected) lower += cpLower(ch);
        EXPECT_EQ(copy.searchForm(f), foldUmlauts(lower)) << f;
    }
}

// Equal forms share their text, so a variant costs its distinct forms;
// every form still reads as before, also in a copy that outlives the
// original.
TEST(Declension, EqualFormsAreKeptOnce) {
    std::unique_ptr<tshortNames> box = std::make_unique<tshortNames>(buildShortNames("-Kiste"));
    const tshortNames copy = *box;
    std::set<std::string> distinct;
    for (std::size_t f = 0; f < kNameForms; ++f) {
        distinct.emplace(box->form(f));
        if (f < kSearchForms) {
            EXPECT_EQ(box->form(f), declineName("-Kiste", static_cast<int32_t>(f / 6),
                                                isAdjectiveForm(f), static_cast<int32_t>(f % 3)));
        }
    }
    std::size_t distinctBytes = 0;
    for (const std::string& form : distinct) distinctBytes += form.size();
    EXPECT_EQ(box->textBytes(), distinctBytes);
    // Without adjectives the forms with and without them agree.
    EXPECT_EQ(box->form(formIndex(D, true, kDefinite)), "der Kiste");
    box.reset();
    EXPECT_EQ(copy.searchForm(formIndex(D, true, kDefinite)), "der kiste");
    EXPECT_EQ(copy.form(formIndex(N, false, kIndefinite)), "eine Kiste");
}
