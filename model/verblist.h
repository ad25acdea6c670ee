#ifndef VELMO_MODEL_VERBLIST_H
#define VELMO_MODEL_VERBLIST_H

// The story's verbs: the commands it understands. A verb is a pattern of
// elements separated by single blanks; an element is a set of alternative
// words separated by "|" (nimm|nehme) or one slot token (#multi). The
// command parser tries the verbs in the order they were declared.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "base/charset.h"

namespace velmo {

class tservices;

// Element kinds. A plain word is 0; the slot tokens follow in the order
// in which a token is tested against them.
enum : int32_t {
    kElementWord = 0,
    kElementNoun = 1,       // #noun: objects in scope
    kElementHeld = 2,       // #held: objects the actor holds, or the actor
    kElementQuote = 3,      // #quote: one word in double quotes
    kElementSingle = 4,     // #single: exactly one object
    kElementMulti = 5,      // #multi: two or more objects
    kElementReachable = 6,  // #reachable: objects the actor does not hold
    kElementInside = 7,     // #inside: objects related by containment
    kElementNumber = 8,     // #number: digits or a number word
    kElementFunction =
        9,  // #function=name plus a closing character: objects a story function accepts
    kElementTopic = 10,  // #topic: the words up to the next element
};

// One element of a verb's pattern.
struct tverbelement {
    int32_t kind = kElementWord;
    // The words of a plain element; for a slot its token, for "#function"
    // the name of the function.
    std::vector<std::string> alternatives;

    // True when one of the alternatives equals `word` without regard to
    // letter case.
    bool contains(std::string_view word) const;
    // The typed word matches when it, or it followed by "e", is an
    // alternative: typed "geh" matches "gehe", typed "gehe" not "geh".
    bool matchesTyped(std::string_view word) const;
};

// One declared verb.
struct tverb {
    std::vector<tverbelement> elements;
    std::string identifier;  // at most 4 characters, handed to the action functions
    bool noTime = false;     // the command takes no game time
    // The characters the first word of a command may begin with for this
    // verb to be tried at all.
    tcharset firstChars;
};

class tverblist {
public:
    // Parses the pattern and appends one verb. An unknown slot token is
    // reported ("unbekanntes Token: " + token) with `line` and `errorFlag`;
    // the verb is still appended with the elements read before it.
    void addVerb(tservices& services, int32_t line, bool& errorFlag, const std::string& timeText,
                 const std::string& identifier, const std::string& pattern);

    int32_t Count() const { return static_cast<int32_t>(verbs.size()); }
    bool IsEmpty() const { return verbs.empty(); }
    // The verb at `index`, or null when out of range.
    const tverb* At(int32_t index) const {
        return index >= 0 && static_cast<std::size_t>(index) < verbs.size()
                   ? &verbs[static_cast<std::size_t>(index)]
                   : nullptr;
    }
    const std::vector<tverb>& Verbs() const { return verbs; }
    void Clear() { verbs.clear(); }

private:
    std::vector<tverb> verbs;
};

// The longest verb identifier kept; longer ones are cut.
constexpr std::size_t kMaxVerbIdentifier = 4;

}  // namespace velmo

#endif
