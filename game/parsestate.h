#ifndef VELMO_GAME_PARSESTATE_H
#define VELMO_GAME_PARSESTATE_H

// The state of one command parse, shared by the parser's files: the
// current word, the list that receives matched objects, the failure code
// of the current attempt, the best partial match so far, and what the
// choice of the unrecognised word needs. Only the parser includes this.

#include <cstdint>
#include <memory>
#include <string>
#include <unordered_set>
#include <vector>

#include "model/nameindex.h"

namespace velmo {

class tinterpreter;
class tnode;
class tstory;
struct tverbelement;

// Raised when the parse meets a state in which it cannot go on (a
// command with no actor to call); the parse ends with failure code 11.
// Like the abort it is no std::exception, so it is never taken for an
// internal error.
struct tparsefailure {};

// A copy of the story's scope list and the list's version when it was
// taken. Shared, so that the searches of one parse and the names they
// looked at hold one copy while the list does not change.
struct tscopecopy {
    std::shared_ptr<const std::vector<tnode*>> nodes;
    uint64_t version = 0;
};

// The verb attempt that came furthest.
struct tbestmatch {
    int32_t matched = 0;     // pattern elements matched
    int32_t wordIndex = 0;   // where it failed (or the first word left over)
    int32_t code = 0;        // its failure code
    tnode* named = nullptr;  // the last object whose name was recognised
};

// The objects whose names one parse has looked at, for the adjective
// words: the first words of their multi-word search forms with
// adjectives. They matter only when the parse fails, so they are worked
// out then, from the objects, instead of being collected at every look.
class texaminednames {
public:
    // One object search: the scope list it walked, how many objects it
    // examined in full, and, when it accepted an object by a one-word
    // name, that object with the record and the form it stopped at.
    void noteSearch(const tscopecopy& scope, std::size_t fullCount);
    void notePartial(tnode* object, int32_t record, int32_t formLimit);
    // True when `word` is the first word of a multi-word search form with
    // adjectives of a name that was looked at.
    // The story's name index gives the few objects that can have it.
    bool isAdjectiveWord(const std::string& word, const tstory& story) const;

private:
    bool examinedInFull(const tnode* object, const tstory& story) const;

    tscopecopy scope;                    // the list of the latest searches
    std::size_t count = 0;               // its objects examined in full
    std::unordered_set<tnode*> earlier;  // objects of earlier scope lists
    struct tpartial {
        tnode* object;
        int32_t record;
        int32_t formLimit;
    };
    std::vector<tpartial> partials;
};

struct tparse {
    tparse(tstory& story, tinterpreter& interpreter, tnode* replaced, tnode* replacement);

    // Calls the story function `name` from `node` with the argument text
    // and returns its result. No node to call it on ends the parse.
    std::string call(tnode* node, const std::string& name, const std::string& args);

    // The word at `index`, or the empty text outside the list.
    const std::string& wordAt(int32_t index) const;
    int32_t wordCount() const { return static_cast<int32_t>(words.size()); }

    // The story's scope list as it stands now, copied only when it changed
    // since the last call: a search walks this copy, since story code it
    // calls may move objects.
    const tscopecopy& scopeNow();

    tstory& story;
    tinterpreter& interpreter;
    std::vector<std::string>& words;  // the story's word list
    tnode* replaced;
    tnode* replacement;

    int32_t word = 0;      // the current word
    bool listFlag = true;  // matched objects go to the first list while set
    tnode* pendingInside = nullptr;
    std::string functionName;             // the story test of the "#function" element being matched
    std::vector<std::string> candidates;  // search forms accepted for the object being examined
    texaminednames examined;

    int32_t failureCode = 0;
    tnode* lastNamed = nullptr;
    tbestmatch best;
    int32_t furthestFailure = 0;
    bool firstWordIsVerb = false;

private:
    tscopecopy scopeCopy;
};

// Tries to recognise one object name at the current word for an element
// of `kind`. On success the object is in its list and the current word is
// the last word of its name.
bool matchObject(int32_t kind, tparse& p);

}  // namespace velmo

#endif
