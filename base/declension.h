#ifndef VELMO_BASE_DECLENSION_H
#define VELMO_BASE_DECLENSION_H

// German word forms of object names: articles, adjective endings and the
// inflected forms of a name, with and without article and adjectives.
//
// A name text is written in a compact notation: an optional kind prefix
// ("+" masculine, "-" feminine, none neuter, "$" proper name, "&" plural),
// adjectives as stem + "*" + one blank, then the noun.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace velmo {

// Cases, in the numbering every caller uses.
enum : int32_t { kNominative = 0, kAccusative = 1, kGenitive = 2, kDative = 3 };
// Article kinds: 0 none, 1 definite, 2 (and above) indefinite.
enum : int32_t { kNoArticle = 0, kDefinite = 1, kIndefinite = 2 };
// Genders, as the article table orders them.
enum : int32_t { kMasculine = 0, kFeminine = 1, kNeuter = 2 };
// A case outside 0-3 (story code may pass any number) counts as the
// nominative, a gender outside 0-2 as neuter; article kinds below 0 mean
// none, above 2 indefinite.

// The article of a case (0-3), gender (0 masculine, 1 feminine, 2 neuter)
// and kind (1 definite, 2 indefinite), with its trailing blank; the empty
// text for kind 0.
const std::string& article(int32_t grammaticalCase, int32_t gender, int32_t kind);

// Replaces the first "*" of the name text by the adjective ending.
std::string adjectiveEnding(std::string_view name, int32_t grammaticalCase, bool definite);
// One inflected form of a name text, article included.
std::string declineName(std::string_view name, int32_t grammaticalCase, bool withAdjectives,
                        int32_t articleKind);

// The 24 display forms and 24 search forms of one name variant.
// Index of a form: case * 6 + adjectives * 3 + article kind; the search
// form of the same value lies 24 places further.
struct tshortNames {
    std::array<std::string, 48> forms;
    bool plural = false;
};
tshortNames buildShortNames(std::string_view variant);
// Index of a display form (0-23); arguments out of range are brought into
// range as described above, so the index is always valid.
int32_t formIndex(int32_t grammaticalCase, bool withAdjectives, int32_t articleKind);
// The display form of a record (an object's first name variant); the
// empty text when there is no record.
std::string nameForm(const tshortNames* names, int32_t grammaticalCase, bool withAdjectives,
                     int32_t articleKind);

}  // namespace velmo

#endif
