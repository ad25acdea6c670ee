// German word forms of object names: the article table, adjective endings
// and the case endings of nouns, driven by the compact name notation
// ("+" masculine, "-" feminine, none neuter, "$" proper name, "&" plural;
// adjectives as stem + "*" + blank before the noun).
//
// The noun rules look only at the last two letters of the whole text, so
// they are a fair approximation, not a grammar: "+Tisch" in the genitive
// without article gives "Tischen". Stories rely on these exact forms.

#include "base/declension.h"

#include "base/encoding.h"
#include "base/wstrlib.h"

namespace velmo {

namespace {

const std::string kArticles[4][2][3] = {
    // definite m / f / n            indefinite m / f / n
    {{"der ", "die ", "das "}, {"ein ", "eine ", "ein "}},       // nominative
    {{"den ", "die ", "das "}, {"einen ", "eine ", "ein "}},     // accusative
    {{"des ", "der ", "des "}, {"eines ", "einer ", "eines "}},  // genitive
    {{"dem ", "der ", "dem "}, {"einem ", "einer ", "einem "}},  // dative
};
const std::string kPluralArticles[4] = {"die ", "die ", "der ", "den "};

// Adjective endings after a definite article, and after an indefinite
// one or none, by case and gender.
const char* const kEndings[4][2][3] = {
    {{"e", "e", "e"}, {"er", "e", "es"}},
    {{"en", "e", "e"}, {"en", "e", "es"}},
    {{"en", "en", "en"}, {"en", "en", "en"}},
    {{"en", "en", "en"}, {"en", "en", "en"}},
};

int32_t normalCase(int32_t c) { return c >= kNominative && c <= kDative ? c : kNominative; }

int32_t normalKind(int32_t kind) {
    return kind <= kNoArticle ? kNoArticle : kind >= kIndefinite ? kIndefinite : kDefinite;
}

int32_t genderOf(char prefix) {
    return prefix == '+' ? kMasculine : prefix == '-' ? kFeminine : kNeuter;
}

bool isPrefix(char c) { return c == '$' || c == '&' || c == '+' || c == '-'; }

// Missing characters read as NUL, which matches none of the rules.
char lastOf(std::string_view s) { return s.empty() ? '\0' : s.back(); }
char penultimateOf(std::string_view s) { return s.size() < 2 ? '\0' : s[s.size() - 2]; }
bool isEorO(char c) { return c == 'e' || c == 'o'; }

std::string_view chooseEnding(std::string_view s, int32_t c, bool definite) {
    char prefix = s.front();
    if (prefix == '$') {
        char last = s.back();
        if (last == 'a' || last == 'e' || last == 'i')
            return (c == kNominative || c == kAccusative || definite) ? "e" : "en";
        return c == kNominative ? "er" : "en";
    }
    if (prefix == '&') return definite ? "en" : "e";
    return kEndings[c][definite ? 0 : 1][genderOf(prefix)];
}

// Drops the first adjective with its "*" and the blank after it.
void removeFirstAdjective(std::string& s, std::size_t star) {
    if (isPrefix(s.front()))
        s.erase(1, star + 1);
    else
        s.erase(0, star + 2);
}

// Replaces the "*" at `star` by the adjective ending.
void putAdjectiveEnding(std::string& s, std::size_t star, int32_t c, bool definite) {
    std::string_view ending = chooseEnding(s, c, definite);
    s.erase(star, 1);
    // "leise" + "en" gives "leisen", not "leiseen".
    if (star > 0 && s[star - 1] == 'e' && ending.front() == 'e') ending.remove_prefix(1);
    s.insert(star, ending);
}

void properName(std::string& s, int32_t c, char last) {
    if (c == kGenitive) s += (last == 's' || last == 'x' || last == '\xDF') ? "'" : "s";
}

void plural(std::string& s, int32_t c, int32_t kind, char last) {
    if (c == kDative && last != 'n') s += 'n';
    // There is no indefinite plural article: both kinds take the definite.
    if (kind != kNoArticle) s.insert(0, kPluralArticles[c]);
}

const char* masculineAccusative(std::string_view s, char last, char pen) {
    if (last == 'e' && pen != 'i') return "n";
    if (last == 'h' && s.ends_with("nsch")) return "en";
    if (last == 'r' && !isEorO(pen)) return "en";
    if (last == 't' && pen != 'i') return "en";
    return "";
}

const char* masculineGenitive(char last, char pen) {
    switch (last) {
    case 'b':
    case 'n': return isEorO(pen) ? "s" : "es";
    case 'e': return pen != 'i' ? "n" : "s";
    case 'h': return "en";
    case 'r': return isEorO(pen) ? "s" : "en";
    case 't': return pen == 'i' ? "s" : "en";
    default: return "s";
    }
}

const char* masculineDative(std::string_view s, char last, char pen) {
    if (last == 'e' && pen != 'i') return "n";
    if (last == 'h' && s.find("isch") == std::string_view::npos) return "en";
    if (last == 'r' && !isEorO(pen)) return "en";
    if (last == 't' && pen != 'i') return "en";
    return "";
}

const char* nounEnding(std::string_view s, int32_t c, int32_t gender, char last) {
    char pen = penultimateOf(s);
    if (c == kGenitive && gender == kNeuter) return (last == 'm' || last == 's') ? "es" : "s";
    if (gender != kMasculine) return "";
    switch (c) {
    case kAccusative: return masculineAccusative(s, last, pen);
    case kGenitive: return masculineGenitive(last, pen);
    case kDative: return masculineDative(s, last, pen);
    default: return "";
    }
}

}  // namespace

const std::string& article(int32_t grammaticalCase, int32_t gender, int32_t kind) {
    static const std::string none;
    int32_t k = normalKind(kind);
    if (k == kNoArticle) return none;
    if (gender != kMasculine && gender != kFeminine) gender = kNeuter;
    return kArticles[normalCase(grammaticalCase)][k - 1][gender];
}

std::string adjectiveEnding(std::string_view name, int32_t grammaticalCase, bool definite) {
    std::string s(name);
    const std::size_t star = s.find('*');
    if (star != std::string::npos) putAdjectiveEnding(s, star, normalCase(grammaticalCase), definite);
    return s;
}

namespace {

// The text that goes before the form without article to make the form
// with the indefinite article: both take the same adjective and noun
// endings, so only the article differs. `first` is the name's first
// character once its adjectives are dealt with, which says its kind.
std::string_view indefinitePrefix(char first, int32_t c) {
    if (first == '$') return {};                      // proper names take no article
    if (first == '&') return kPluralArticles[c];      // plurals take the definite one
    return article(c, genderOf(first), kIndefinite);
}

// declineName into `s`, which the caller may reuse for the next form.
// `first` receives the character that indefinitePrefix needs.
void declineInto(std::string& s, std::string_view name, int32_t grammaticalCase,
                 bool withAdjectives, int32_t articleKind, char* firstOut = nullptr) {
    const int32_t c = normalCase(grammaticalCase);
    const int32_t kind = normalKind(articleKind);
    s.assign(name);
    for (std::size_t star; (star = s.find('*')) != std::string::npos;) {
        if (withAdjectives)
            putAdjectiveEnding(s, star, c, kind == kDefinite);
        else
            removeFirstAdjective(s, star);
    }
    const char first = s.empty() ? '\0' : s.front();
    if (firstOut) *firstOut = first;
    const char last = lastOf(s);
    if (first == '$' || first == '&') {
        s.erase(0, 1);
        if (first == '$')
            properName(s, c, last);
        else
            plural(s, c, kind, last);
        return;
    }
    const int32_t gender = genderOf(first);
    if (first == '+' || first == '-') s.erase(0, 1);
    s += nounEnding(s, c, gender, last);
    s.insert(0, article(c, gender, kind));
}

// The search form of a display form: lower case, umlauts folded.
void searchFormInto(std::string& out, std::string_view display) {
    // Each byte's lower case in the code page, and whether that is an
    // umlaut that folds into two letters; made once.
    struct tlowerbyte {
        char lower;
        bool folds;
    };
    static const std::array<tlowerbyte, 256> table = [] {
        std::array<tlowerbyte, 256> bytes{};
        for (std::size_t b = 0; b < bytes.size(); ++b) {
            const char lower = cpLower(static_cast<char>(b));
            bytes[b] = {lower, foldUmlauts(std::string(1, lower)).size() > 1};
        }
        return bytes;
    }();
    out.assign(display);
    bool umlaut = false;
    for (char& c : out) {
        const tlowerbyte& entry = table[static_cast<unsigned char>(c)];
        c = entry.lower;
        umlaut = umlaut || entry.folds;
    }
    // Few names hold an umlaut: only for those is a second text made.
    if (umlaut) out = foldUmlauts(out);
}

}  // namespace

std::string declineName(std::string_view name, int32_t grammaticalCase, bool withAdjectives,
                        int32_t articleKind) {
    std::string s;
    declineInto(s, name, grammaticalCase, withAdjectives, articleKind);
    return s;
}

int32_t formIndex(int32_t grammaticalCase, bool withAdjectives, int32_t articleKind) {
    return normalCase(grammaticalCase) * 6 + (withAdjectives ? 3 : 0) + normalKind(articleKind);
}

void tshortNames::setWideSpan(std::size_t index, tspan span) {
    if (!wide) {
        // The first place that does not fit: every place moves to full size.
        wide = std::make_shared<std::array<tspan, kNameForms>>();
        for (std::size_t i = 0; i < kNameForms; ++i) (*wide)[i] = {spans[i].start, spans[i].length};
    }
    (*wide)[index] = span;
}

std::size_t tshortNames::put(std::size_t index, std::string_view form) {
    // Equal forms are found where they occur: the same form without
    // adjectives (a name without any), and the same form of an earlier
    // case (a noun whose ending does not change).
    const std::size_t inHalf = index % kSearchForms;
    const std::size_t half = index - inHalf;
    std::array<std::size_t, 4> earlier{};
    std::size_t count = 0;
    if (isAdjectiveForm(inHalf)) earlier[count++] = index - 3;
    for (std::size_t back = 6; back <= inHalf; back += 6) earlier[count++] = half + inHalf - back;
    for (std::size_t k = 0; k < count; ++k) {
        const tspan span = spanAt(earlier[k]);
        if (span.length == form.size() && this->form(earlier[k]) == form) {
            setSpan(index, span);
            return earlier[k];
        }
    }
    setSpan(index, {static_cast<uint32_t>(text.size()), static_cast<uint32_t>(form.size())});
    text += form;
    return index;
}

tshortNames buildShortNames(std::string_view variant) {
    tshortNames names;
    // Room for the distinct forms of a usual name, so that the text
    // rarely grows while they are stored (it is trimmed at the end).
    names.text.reserve(16 * (variant.size() + 8));
    std::string form;  // one buffer for every form
    // For each display form, the earlier form whose text it shares (itself
    // when none): that form's search form is already made when it is needed.
    std::array<std::size_t, kSearchForms> sharedWith{};
    char first = '\0';
    for (std::size_t i = 0; i < kSearchForms; ++i) {
        const auto c = static_cast<int32_t>(i / 6);
        const auto kind = static_cast<int32_t>(i % 3);
        if (kind == kIndefinite) {
            // The form without article two places before, behind its article.
            form.assign(indefinitePrefix(first, c));
            form += names.form(i - 2);
        } else {
            declineInto(form, variant, c, isAdjectiveForm(i), kind,
                        kind == kNoArticle ? &first : nullptr);
        }
        sharedWith[i] = names.put(i, form);
    }
    for (std::size_t i = 0; i < kSearchForms; ++i) {
        // A display form that shares an earlier one's text shares its
        // search form too.
        if (sharedWith[i] < i) {
            names.setSpan(kSearchForms + i, names.spanAt(kSearchForms + sharedWith[i]));
            continue;
        }
        // Made in the buffer first: storing a form may move the text it lies in.
        searchFormInto(form, names.form(i));
        names.put(kSearchForms + i, form);
    }
    names.plural = !variant.empty() && variant.front() == '&';
    // The text grew by doubling; a story keeps thousands of these.
    names.text.shrink_to_fit();
    return names;
}

std::string nameForm(const tshortNames* names, int32_t grammaticalCase, bool withAdjectives,
                     int32_t articleKind) {
    if (names == nullptr) return {};
    return std::string(
        names->form(static_cast<std::size_t>(formIndex(grammaticalCase, withAdjectives, articleKind))));
}

}  // namespace velmo
