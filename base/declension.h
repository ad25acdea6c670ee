#ifndef VELMO_BASE_DECLENSION_H
#define VELMO_BASE_DECLENSION_H

// German word forms of object names: articles, adjective endings and the
// inflected forms of a name, with and without article and adjectives.
//
// A name text is written in a compact notation: an optional kind prefix
// ("+" masculine, "-" feminine, none neuter, "$" proper name, "&" plural),
// adjectives as stem + "*" + one blank, then the noun.

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
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

// The forms of one name variant: 24 display forms, then 24 search forms
// (lower case, umlauts folded). The index of a display form is
// case * 6 + adjectives * 3 + article kind: every six forms are one case,
// the first three without adjectives and the second three with them,
// each three without article, definite, indefinite. The search form of
// the same value lies kSearchForms places further.
constexpr std::size_t kSearchForms = 24;
constexpr std::size_t kNameForms = 2 * kSearchForms;
// Whether the form at `index` (display or search) is one with adjectives.
constexpr bool isAdjectiveForm(std::size_t index) { return index % 6 >= 3; }

// A name has many equal forms (without adjectives the forms with and
// without them agree; many nouns do not change with the case), so the
// forms share one text in which each distinct form is kept once: one
// allocation a variant instead of one a form.
class tshortNames {
public:
    std::string_view form(std::size_t index) const {
        const tspan span = spanAt(index);
        return std::string_view(text).substr(span.start, span.length);
    }
    std::string_view searchForm(std::size_t index) const { return form(kSearchForms + index); }
    // The bytes of the shared text (what the forms cost besides the record).
    std::size_t textBytes() const { return text.size(); }

    bool plural = false;

private:
    friend tshortNames buildShortNames(std::string_view variant);
    // Stores the form at `index`; the forms below it are stored already.
    // Returns the index of the earlier form whose text it shares, or
    // `index` itself when its text is new.
    std::size_t put(std::size_t index, std::string_view form);

    struct tspan {
        uint32_t start = 0;
        uint32_t length = 0;
    };
    // A story keeps thousands of variants, and nearly every one has under
    // 64 KB of forms: their places take two bytes each. A longer text
    // keeps full places beside (`wide`, shared by copies, never changed
    // once the forms are made).
    struct tshortspan {
        uint16_t start = 0;
        uint16_t length = 0;
    };
    tspan spanAt(std::size_t index) const {
        if (wide) return (*wide)[index];
        return {spans[index].start, spans[index].length};
    }
    void setSpan(std::size_t index, tspan span) {
        if (!wide && span.start <= 0xFFFF && span.length <= 0xFFFF)
            spans[index] = {static_cast<uint16_t>(span.start), static_cast<uint16_t>(span.length)};
        else
            setWideSpan(index, span);
    }
    void setWideSpan(std::size_t index, tspan span);

    std::string text;
    std::array<tshortspan, kNameForms> spans{};
    std::shared_ptr<std::array<tspan, kNameForms>> wide;
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
