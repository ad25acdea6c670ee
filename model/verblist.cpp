#include "model/verblist.h"

#include <array>

#include "base/encoding.h"
#include "base/services.h"
#include "base/tokenizer.h"
#include "base/wstrlib.h"

namespace velmo {

namespace {

// The slot keywords; a token takes the kind of the first one it begins
// with, so "#noun" must come before any longer keyword sharing its start.
struct tslotKeyword {
    std::string_view keyword;
    int32_t kind;
};
constexpr std::array<tslotKeyword, 10> kSlotKeywords{{
    {"#noun", kElementNoun},
    {"#held", kElementHeld},
    {"#quote", kElementQuote},
    {"#single", kElementSingle},
    {"#multi", kElementMulti},
    {"#reachable", kElementReachable},
    {"#inside", kElementInside},
    {"#number", kElementNumber},
    {"#function", kElementFunction},
    {"#topic", kElementTopic},
}};

// The kind of a slot token, or -1 when it begins with no keyword.
int32_t slotKind(std::string_view token) {
    for (const tslotKeyword& slot : kSlotKeywords) {
        if (token.starts_with(slot.keyword)) return slot.kind;
    }
    return -1;
}

// The function name of a "#function" token: what lies between its first
// "=" and its last character (the closing character the author wrote).
// A token without "=" names no function.
std::string functionName(std::string_view token) {
    const std::size_t equals = token.find('=');
    if (equals == std::string_view::npos || equals + 2 > token.size()) return std::string();
    return std::string(token.substr(equals + 1, token.size() - equals - 2));
}

// Verbs whose first element is a topic or a function slot can start with
// any word; the parser only ever sees lower-case input.
tcharset anyWordStart() {
    tcharset set("\"");
    set.addRange('a', 'z');
    return set;
}

// Adds `token`, an alternative of element 0, to the verb's first-character
// set.
void noteFirstCharacter(tverb& verb, const std::string& token, bool firstAlternative) {
    const int32_t kind = verb.elements.front().kind;
    if (kind == kElementFunction || kind == kElementTopic) {
        verb.firstChars = anyWordStart();
        return;
    }
    if (firstAlternative) verb.firstChars = tcharset("\"");
    verb.firstChars.add(token.front());
}

}  // namespace

bool tverbelement::contains(std::string_view word) const {
    for (const std::string& alternative : alternatives) {
        if (sameText(alternative, word)) return true;
    }
    return false;
}

bool tverbelement::matchesTyped(std::string_view word) const {
    if (contains(word)) return true;
    std::string withE(word);
    withE += 'e';
    return contains(withE);
}

void tverblist::addVerb(tservices& services, int32_t line, bool& errorFlag,
                        const std::string& timeText, const std::string& identifier,
                        const std::string& pattern) {
    tverb verb;
    verb.elements.emplace_back();
    const ttokenizer tokens(foldUmlauts(pattern), tcharset(" |"), tcharset(), true);
    for (const std::string& token : tokens.Tokens()) {
        if (token == " ") {
            verb.elements.emplace_back();  // two blanks in a row leave an element empty
            continue;
        }
        if (token == "|") continue;  // the next token is another alternative
        tverbelement& element = verb.elements.back();
        const bool firstAlternative = element.alternatives.empty();
        std::string stored = token;
        if (firstAlternative && token.front() == '#') {
            const int32_t kind = slotKind(token);
            if (kind < 0) {
                services.showError(errorFlag, line, "unbekanntes Token: " + token);
                break;
            }
            element.kind = kind;
            if (kind == kElementFunction) stored = functionName(token);
        }
        if (verb.elements.size() == 1) noteFirstCharacter(verb, token, firstAlternative);
        element.alternatives.push_back(std::move(stored));
    }
    verb.identifier = identifier.substr(0, kMaxVerbIdentifier);
    verb.noTime = timeText != "0";
    verbs.push_back(std::move(verb));
}

}  // namespace velmo
