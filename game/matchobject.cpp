// Recognising one object name at the current word of a command.
//
// The candidates are the objects of the scope list, in its order. For each
// name variant of an object, the runs of words from the current word (one
// word, two words, ...) are compared with the variant's 24 search forms,
// so the shortest run that is a search form is found first. A run that is
// a form not yet seen for this object names the object: the story's
// "scope" function of the actor decides whether it can be meant now, and
// the element's kind test whether it fits the slot.

#include <algorithm>
#include <bitset>

#include "base/internalerror.h"
#include "game/parsestate.h"
#include "model/parsetree.h"
#include "model/story.h"
#include "model/verblist.h"

namespace velmo {

namespace {

constexpr auto kFormCount = static_cast<int32_t>(kSearchForms);  // search forms a variant

// The number of words from the current word that the form spells, joined
// by single blanks ("den roten apfel" is three words), or 0 when the form
// is no such run. The runs are never built: a long command costs no more
// than its words.
int32_t runLength(std::string_view form, const tparse& p) {
    std::size_t at = 0;
    for (int32_t i = p.word; i < p.wordCount(); ++i) {
        const std::string& word = p.words[static_cast<std::size_t>(i)];
        if (form.size() - at < word.size() || form.compare(at, word.size(), word) != 0) return 0;
        at += word.size();
        if (at == form.size()) return i - p.word + 1;
        if (form[at] != ' ') return 0;
        ++at;
    }
    return 0;
}

// The lengths in characters of the runs of words from the current word:
// a form can only spell a run of its own length, and most forms have
// none, so most are passed over after one look at their length.
// Runs of words this long or longer (in characters) are not told apart
// by their length; see trunlengths and tnamefilter.
constexpr std::size_t kRunLimit = 256;

class trunlengths {
public:
    explicit trunlengths(const tparse& p) {
        std::size_t length = 0;
        for (int32_t i = p.word; i < p.wordCount(); ++i) {
            if (i > p.word) ++length;  // the blank between two words
            length += p.words[static_cast<std::size_t>(i)].size();
            if (length >= kRunLimit) {
                longRuns = true;
                break;
            }
            lengths.set(length);
        }
    }
    bool mayBeARun(std::string_view form) const {
        return form.size() < kRunLimit ? lengths.test(form.size()) : longRuns;
    }

private:
    std::bitset<kRunLimit> lengths;
    bool longRuns = false;
};

// A search form that spells a run of words: the run's length in words and
// the form's index.
struct tformmatch {
    int32_t words;
    int32_t form;
    bool operator<(const tformmatch& other) const {
        return words != other.words ? words < other.words : form < other.form;
    }
};

// The forms of the variant that spell a run, in the order of comparison:
// shorter runs first, and for one run the forms in their order. Most
// names have none, and the story code of the comparison never runs for
// them.
std::vector<tformmatch> formMatches(const tshortNames& names, const tparse& p,
                                    const trunlengths& lengths) {
    std::vector<tformmatch> matches;
    for (int32_t f = 0; f < kFormCount; ++f) {
        const std::string_view form = names.searchForm(static_cast<std::size_t>(f));
        if (!lengths.mayBeARun(form)) continue;
        const int32_t words = runLength(form, p);
        if (words > 0) matches.push_back({words, f});
    }
    std::sort(matches.begin(), matches.end());
    return matches;
}

// The kind test of the slot; it sets the failure code that a rejection
// leaves behind.
bool passesKindTest(int32_t kind, tnode& object, tparse& p) {
    const tnode* actor = p.story.actor;
    switch (kind) {
    case kElementHeld: p.failureCode = 5; return object.location == actor || &object == actor;
    case kElementSingle: p.failureCode = 2; return true;
    case kElementMulti: p.failureCode = 3; return true;
    case kElementReachable: p.failureCode = 4; return object.location != actor;
    case kElementInside:
        if (p.listFlag) {
            // Checked against the container named later in the command.
            p.failureCode = 1;
            p.pendingInside = &object;
            return true;
        }
        p.failureCode = 6;
        return !p.story.firstObjects.empty() && object.location == p.story.firstObjects.front();
    case kElementFunction:
        p.failureCode = 7;
        return p.call(&p.story.root(), p.functionName, object.name) != "0";
    default: return true;
    }
}

// Takes the object into the current list. An object waiting for the
// container named now must lie in it.
bool accept(tnode* object, int32_t record, int32_t lastWord, tparse& p) {
    if (object == p.replaced && p.replacement) object = p.replacement;
    if (p.pendingInside && p.pendingInside != object) {
        tnode* inside = p.pendingInside;
        p.pendingInside = nullptr;
        if (inside->location != object) {
            p.failureCode = 6;
            p.lastNamed = inside;
            p.word = lastWord;
            return false;
        }
    }
    std::vector<tnode*>& list = p.listFlag ? p.story.firstObjects : p.story.secondObjects;
    if (std::find(list.begin(), list.end(), object) == list.end()) list.push_back(object);
    object->nameIndex = record;
    auto& renamed = p.story.namedByLaterVariant;
    if (record > 0 && std::find(renamed.begin(), renamed.end(), object) == renamed.end())
        renamed.push_back(object);
    p.word = lastWord;
    return true;
}

enum class tscan { noMatch, accepted, refused };

// Compares the runs of words with the search forms of one name variant,
// the shortest run first. `formLimit` receives the form at which an
// acceptance on a one-word run stopped (the forms after it were not
// looked at), else the number of forms.
tscan scanRecord(int32_t kind, tnode& object, int32_t record,
                 const std::vector<tformmatch>& matches, tparse& p, int32_t& formLimit) {
    formLimit = kFormCount;
    const auto r = static_cast<std::size_t>(record);
    for (const tformmatch& match : matches) {
        // Read afresh: story code called below may rename the object.
        if (r >= object.shortNames().size()) return tscan::noMatch;
        const std::string_view form =
            object.shortNames()[r].searchForm(static_cast<std::size_t>(match.form));
        if (runLength(form, p) != match.words) continue;
        if (std::find(p.candidates.begin(), p.candidates.end(), form) != p.candidates.end())
            continue;
        p.candidates.emplace_back(form);
        if (p.failureCode < 1) p.failureCode = 1;
        p.lastNamed = &object;
        if (p.call(p.story.actor, "scope", object.name) == "0") continue;
        object.mentioned = true;
        if (!passesKindTest(kind, object, p)) continue;
        if (match.words == 1) formLimit = match.form;
        const int32_t lastWord = p.word + match.words - 1;
        return accept(&object, record, lastWord, p) ? tscan::accepted : tscan::refused;
    }
    return tscan::noMatch;
}

// The positions of the scope list that one search visits, in order.
// The objects that can be named at the current word are those with a
// search form that ends in one of the words from there on (the story's
// name index knows them); the search also visits the objects whose
// `nameIndex` it must set back to 0. Every other object would be passed
// over without a look at its forms, so the walk skips it.
//
// Everything is visited when a word is empty or holds a blank (a quoted
// word), when names changed since the walk was planned (story code called
// during the search may rename objects), and when the words run on past
// the length that every short form stays under: only then can a very
// long form end in a later word. Stopping there keeps a long list
// ("nimm a und b und b und ...") linear.
class tscopewalk {
public:
    tscopewalk(const tparse& p, const tscopecopy& scope)
        : index(p.story.names), version(p.story.names.version()), size(scope.nodes->size()) {
        // The positions below are those of the live list, which the copy
        // equals only while its version does.
        everything = scope.version != p.story.scope.version() || mustVisitAll(p);
        if (everything) return;
        for (int32_t i = p.word; i < p.wordCount(); ++i)
            if (const auto* owners = index.find(p.words[static_cast<std::size_t>(i)]))
                for (const tnode* owner : *owners) stopAt(p.story.scope.positionOf(owner), true);
        auto& renamed = p.story.namedByLaterVariant;
        std::erase_if(renamed, [](const tnode* node) { return node->nameIndex == 0; });
        for (const tnode* node : renamed) stopAt(p.story.scope.positionOf(node), false);
        std::sort(stops.begin(), stops.end());
    }

    // The first position from `from` on that the search must visit; the
    // list's size when there is none.
    std::size_t next(std::size_t from) {
        if (visitsAll()) return from;
        while (cursor < stops.size() && stops[cursor].position < from) ++cursor;
        return cursor < stops.size() ? stops[cursor].position : size;
    }
    // Whether the object at `position` (the last one `next` gave) may be
    // named at the current word.
    bool mayName(std::size_t position) const {
        if (visitsAll()) return true;
        // A position may stand twice, once to be named.
        for (std::size_t s = cursor; s < stops.size() && stops[s].position == position; ++s)
            if (stops[s].named) return true;
        return false;
    }

private:
    struct tstop {
        std::size_t position;
        bool named;
        bool operator<(const tstop& other) const { return position < other.position; }
    };

    static bool mustVisitAll(const tparse& p) {
        std::size_t length = 0;
        for (int32_t i = p.word; i < p.wordCount(); ++i) {
            const std::string& word = p.words[static_cast<std::size_t>(i)];
            if (i > p.word) ++length;  // the blank between two words
            length += word.size();
            if (length >= kRunLimit || word.empty() || word.find(' ') != std::string::npos)
                return true;
        }
        return false;
    }
    void stopAt(std::size_t position, bool named) {
        if (position != tscopelist::npos) stops.push_back({position, named});
    }
    bool visitsAll() const { return everything || index.version() != version; }

    const tnameindex& index;
    uint64_t version;
    std::size_t size;
    bool everything = false;
    std::vector<tstop> stops;
    std::size_t cursor = 0;
};

bool inLists(const tnode& object, const tparse& p) {
    const auto& first = p.story.firstObjects;
    const auto& second = p.story.secondObjects;
    return std::find(first.begin(), first.end(), &object) != first.end() ||
           std::find(second.begin(), second.end(), &object) != second.end();
}

bool searchScope(int32_t kind, tparse& p) {
    const trunlengths lengths(p);
    // The list as it stands now: story code called during the search may
    // move objects, which changes the live list.
    const tscopecopy scope = p.scopeNow();
    const std::vector<tnode*>& list = *scope.nodes;
    tscopewalk walk(p, scope);
    for (std::size_t i = walk.next(0); i < list.size(); i = walk.next(i + 1)) {
        tnode& object = *list[i];
        // An object this command has already taken keeps the variant it
        // was named by, also when a later slot looks at it again.
        if (!inLists(object, p)) object.nameIndex = 0;
        p.candidates.clear();
        if (!walk.mayName(i)) continue;
        for (std::size_t r = 0; r < object.shortNames().size(); ++r) {
            const std::vector<tformmatch> matches = formMatches(object.shortNames()[r], p, lengths);
            if (matches.empty()) continue;
            int32_t formLimit = kFormCount;
            const tscan result =
                scanRecord(kind, object, static_cast<int32_t>(r), matches, p, formLimit);
            if (result == tscan::noMatch) continue;
            p.examined.noteSearch(scope, i);
            p.examined.notePartial(&object, static_cast<int32_t>(r), formLimit);
            return result == tscan::accepted;
        }
    }
    p.examined.noteSearch(scope, list.size());
    return false;
}

}  // namespace

bool matchObject(int32_t kind, tparse& p) {
    if (p.word < 0 || p.word >= p.wordCount()) return false;
    try {
        return searchScope(kind, p);
    } catch (const tparsefailure&) {
        return false;  // no actor to ask: nothing in scope
    } catch (const std::exception& failure) {
        reportInternalError("Objektsuche", failure);
        return false;  // the player sees that nothing was found
    }
}

// ------------------------------------------------------------ adjective words

namespace {

// True when `word` is the first word of a multi-word search form with
// adjectives among the first `formLimit` forms of the variant.
bool hasAdjectiveWord(const tshortNames& names, int32_t formLimit, const std::string& word) {
    for (int32_t f = 0; f < formLimit; ++f) {
        if (!isAdjectiveForm(static_cast<std::size_t>(f))) continue;
        const std::string_view form = names.searchForm(static_cast<std::size_t>(f));
        // The word, then the form's first blank.
        if (form.size() > word.size() && form[word.size()] == ' ' &&
            form.compare(0, word.size(), word) == 0 && form.find(' ') == word.size())
            return true;
    }
    return false;
}

bool objectHasAdjectiveWord(const tnode& object, const std::string& word) {
    for (const tshortNames& names : object.shortNames())
        if (hasAdjectiveWord(names, kFormCount, word)) return true;
    return false;
}

}  // namespace

void texaminednames::noteSearch(const tscopecopy& searched, std::size_t fullCount) {
    if (searched.nodes == scope.nodes) {
        count = std::max(count, fullCount);
        return;
    }
    if (scope.nodes)
        earlier.insert(scope.nodes->begin(),
                       scope.nodes->begin() + static_cast<std::ptrdiff_t>(count));
    scope = searched;
    count = fullCount;
}

void texaminednames::notePartial(tnode* object, int32_t record, int32_t formLimit) {
    partials.push_back({object, record, formLimit});
}

bool texaminednames::examinedInFull(const tnode* object, const tstory& story) const {
    if (earlier.count(const_cast<tnode*>(object)) > 0) return true;
    if (!scope.nodes) return false;
    // While the live list is the one searched, it knows the position.
    if (scope.version == story.scope.version()) {
        const std::size_t position = story.scope.positionOf(object);
        return position != tscopelist::npos && position < count;
    }
    const auto end = scope.nodes->begin() + static_cast<std::ptrdiff_t>(count);
    return std::find(scope.nodes->begin(), end, object) != end;
}

bool texaminednames::isAdjectiveWord(const std::string& word, const tstory& story) const {
    if (word.empty()) return false;
    // A word few names begin with: only those objects can have it. (A
    // word that many begin with is found soon in the walk below.)
    constexpr std::size_t kFew = 16;
    const auto* owners = story.names.findAdjective(word);
    if (owners && owners->size() <= kFew) {
        for (const tnode* object : *owners)
            if (examinedInFull(object, story) && objectHasAdjectiveWord(*object, word)) return true;
    } else if (owners) {
        for (std::size_t i = 0; i < count; ++i)
            if (objectHasAdjectiveWord(*(*scope.nodes)[i], word)) return true;
        for (const tnode* object : earlier)
            if (objectHasAdjectiveWord(*object, word)) return true;
    }
    for (const tpartial& partial : partials) {
        const auto& variants = partial.object->shortNames();
        for (int32_t r = 0; r <= partial.record && static_cast<std::size_t>(r) < variants.size();
             ++r) {
            const int32_t limit = r < partial.record ? kFormCount : partial.formLimit;
            if (hasAdjectiveWord(variants[static_cast<std::size_t>(r)], limit, word)) return true;
        }
    }
    return false;
}

}  // namespace velmo
