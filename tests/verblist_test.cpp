#include <gtest/gtest.h>

#include "model/verblist.h"
#include "support/recording_services.h"

using namespace velmo;
using velmo::test::RecordingServices;

namespace {

// Declares one verb and returns it.
const tverb& declare(tverblist& list, RecordingServices& services, const std::string& pattern,
                     const std::string& identifier = "nimm", const std::string& time = "0") {
    bool error = false;
    list.addVerb(services, 3, error, time, identifier, pattern);
    EXPECT_FALSE(error) << pattern;
    return *list.At(list.Count() - 1);
}

}  // namespace

TEST(VerbList, ReadsAlternativesAndSlots) {
    RecordingServices s;
    tverblist list;
    const tverb& verb = declare(list, s, "nimm|nehme #multi");
    ASSERT_EQ(verb.elements.size(), 2u);
    EXPECT_EQ(verb.elements[0].kind, kElementWord);
    EXPECT_EQ(verb.elements[0].alternatives, (std::vector<std::string>{"nimm", "nehme"}));
    EXPECT_EQ(verb.elements[1].kind, kElementMulti);
    EXPECT_EQ(verb.elements[1].alternatives, (std::vector<std::string>{"#multi"}));
    EXPECT_FALSE(verb.noTime);
    // A "#" word as a later alternative is a plain word, not an error.
    const tverb& later = declare(list, s, "gib #noun|#wort");
    EXPECT_EQ(later.elements[1].kind, kElementNoun);
    EXPECT_TRUE(s.written.empty());
}

TEST(VerbList, RecognisesEverySlotKeywordByItsStart) {
    RecordingServices s;
    tverblist list;
    const tverb& verb = declare(
        list, s, "x #noun #held #quote #single #multi #reachable #inside #number #topic #nouns");
    const std::vector<int32_t> expected{kElementWord,      kElementNoun,   kElementHeld,
                                        kElementQuote,     kElementSingle, kElementMulti,
                                        kElementReachable, kElementInside, kElementNumber,
                                        kElementTopic,     kElementNoun};
    ASSERT_EQ(verb.elements.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i)
        EXPECT_EQ(verb.elements[i].kind, expected[i]) << i;
}

TEST(VerbList, FunctionSlotStoresTheFunctionName) {
    RecordingServices s;
    tverblist list;
    const tverb& verb = declare(list, s, "oeffne #function=isOpenable)");
    EXPECT_EQ(verb.elements[1].kind, kElementFunction);
    EXPECT_EQ(verb.elements[1].alternatives[0], "isOpenable");
    // Without "=" or without anything between "=" and the closing
    // character there is no name.
    EXPECT_EQ(declare(list, s, "a #function").elements[1].alternatives[0], "");
    EXPECT_EQ(declare(list, s, "a #function=").elements[1].alternatives[0], "");
    EXPECT_EQ(declare(list, s, "a #function=x").elements[1].alternatives[0], "");
}

TEST(VerbList, FirstCharacterSetFollowsTheFirstElement) {
    RecordingServices s;
    tverblist list;
    const tverb& words = declare(list, s, "nimm|hole #noun");
    EXPECT_TRUE(words.firstChars.has('n'));
    EXPECT_TRUE(words.firstChars.has('h'));
    EXPECT_TRUE(words.firstChars.has('"'));
    EXPECT_FALSE(words.firstChars.has('a'));

    const tverb& slot = declare(list, s, "#noun nehmen");
    EXPECT_TRUE(slot.firstChars.has('#'));
    EXPECT_TRUE(slot.firstChars.has('"'));
    EXPECT_FALSE(slot.firstChars.has('n'));

    for (const char* pattern : {"#topic", "#function=wer) geh|gehe"}) {
        const tverb& any = declare(list, s, pattern);
        EXPECT_TRUE(any.firstChars.has('a')) << pattern;
        EXPECT_TRUE(any.firstChars.has('z')) << pattern;
        EXPECT_TRUE(any.firstChars.has('"')) << pattern;
        EXPECT_FALSE(any.firstChars.has('#')) << pattern;
        EXPECT_FALSE(any.firstChars.has('1')) << pattern;
    }
}

TEST(VerbList, EmptyElementsFromExtraBlanks) {
    RecordingServices s;
    tverblist list;
    const tverb& trailing = declare(list, s, "schau ");
    ASSERT_EQ(trailing.elements.size(), 2u);
    EXPECT_TRUE(trailing.elements[1].alternatives.empty());
    const tverb& doubled = declare(list, s, "a  b");
    ASSERT_EQ(doubled.elements.size(), 3u);
    EXPECT_TRUE(doubled.elements[1].alternatives.empty());
    const tverb& leading = declare(list, s, " a");
    ASSERT_EQ(leading.elements.size(), 2u);
    EXPECT_TRUE(leading.elements[0].alternatives.empty());
    EXPECT_FALSE(leading.firstChars.has('a'));  // never tried
}

TEST(VerbList, IdentifierIsCutAndTimeFlagRead) {
    RecordingServices s;
    tverblist list;
    EXPECT_EQ(declare(list, s, "untersuche #noun", "untersuche").identifier, "unte");
    EXPECT_TRUE(declare(list, s, "i", "inv", "1").noTime);
    EXPECT_TRUE(declare(list, s, "i", "inv", "").noTime);
    EXPECT_FALSE(declare(list, s, "i", "inv", "0").noTime);
}

TEST(VerbList, FoldsUmlautsInThePattern) {
    RecordingServices s;
    tverblist list;
    const tverb& verb = declare(list, s,
                                "\xF6"
                                "ffne|schlie\xDF"
                                "e #noun");
    EXPECT_EQ(verb.elements[0].alternatives, (std::vector<std::string>{"oeffne", "schliesse"}));
    EXPECT_TRUE(verb.firstChars.has('o'));
}

TEST(VerbList, UnknownTokenIsReportedAndTheVerbKept) {
    RecordingServices s;
    tverblist list;
    bool error = false;
    list.addVerb(s, 0, error, "0", "leg", "lege #noun #auf #held");
    EXPECT_TRUE(error);
    EXPECT_EQ(s.written, "Fehler: unbekanntes Token: #auf^");
    ASSERT_EQ(list.Count(), 1);
    const tverb& verb = *list.At(0);
    // The element that held the bad token stays, empty, so the verb never
    // matches a shortened command.
    ASSERT_EQ(verb.elements.size(), 3u);
    EXPECT_TRUE(verb.elements[2].alternatives.empty());
    EXPECT_EQ(verb.identifier, "leg");
}

TEST(VerbList, MatchesTypedWordsWithoutRegardToCase) {
    RecordingServices s;
    tverblist list;
    const tverbelement& element = declare(list, s, "gehe|Lauf").elements[0];
    EXPECT_TRUE(element.matchesTyped("gehe"));
    EXPECT_TRUE(element.matchesTyped("geh"));
    EXPECT_TRUE(element.matchesTyped("lauf"));
    EXPECT_FALSE(element.matchesTyped("geh\xE4"));
    EXPECT_FALSE(declare(list, s, "geh").elements[0].matchesTyped("gehe"));
}
