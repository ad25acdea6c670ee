// Built-ins that work on texts: pronouns and the string functions.

#include <array>
#include <string_view>

#include "base/declension.h"
#include "base/encoding.h"
#include "model/parsetree.h"
#include "script/builtinsupport.h"

namespace velmo {

namespace {

// Pronouns by gender group (masculine, feminine, neuter, plural) and case
// (nominative, accusative, possessive, dative).
constexpr std::array<std::array<std::string_view, 4>, 4> kPronouns{{
    {"er", "ihn", "seine", "ihm"},
    {"sie", "sie", "ihre", "ihr"},
    {"es", "es", "seine", "ihm"},
    {"sie", "sie", "ihre", "ihnen"},
}};

// The gender group of an object for its pronouns. A proper name counts as
// feminine when it ends in "a", "e" or "i" (Anna, Marie, Heidi).
int32_t pronounGroup(const tnode& object) {
    const std::string& shortName = object.getShortName();
    switch (shortName.empty() ? '\0' : shortName.front()) {
    case '$': {
        const std::string name = object.nameForm(0, false, 0);
        const char last = name.empty() ? '\0' : name.back();
        return last == 'a' || last == 'e' || last == 'i' ? 1 : 0;
    }
    case '&': return 3;
    case '+': return 0;
    case '-': return 1;
    default: return 2;
    }
}

}  // namespace

void builtinPnoun(tbuiltincall& call) {
    call.result.clear();
    int32_t grammaticalCase = 0;
    if (!integerArg(call.args[0], grammaticalCase) || grammaticalCase < 0 || grammaticalCase > 3)
        return;  // no pronoun for that: the empty text
    call.result = kPronouns[static_cast<std::size_t>(pronounGroup(subjectOf(call)))]
                           [static_cast<std::size_t>(grammaticalCase)];
    if (call.args[1].value != "0")
        call.result.front() = upperCase(call.result.substr(0, 1)).front();
}

void builtinStrstr(tbuiltincall& call) {
    // The empty text occurs nowhere.
    const std::string& needle = call.args[0].value;
    const std::size_t at = needle.empty() ? std::string::npos : call.args[1].value.find(needle);
    setNumber(call, at == std::string::npos ? -1 : static_cast<int64_t>(at));
}

void builtinStrrstr(tbuiltincall& call) {
    const std::string& c = call.args[0].value;
    const std::size_t at = c.empty() ? std::string::npos : call.args[1].value.rfind(c.front());
    setNumber(call, at == std::string::npos ? -1 : static_cast<int64_t>(at));
}

void builtinStrlen(tbuiltincall& call) {
    setNumber(call, static_cast<int64_t>(call.args[0].value.size()));
}

void builtinSubstr(tbuiltincall& call) {
    const std::string& text = call.args[0].value;
    int32_t start = 0;
    int32_t length = 0;
    if (!integerArg(call.args[1], start) || !integerArg(call.args[2], length)) {
        invalidCall(call);
        return;
    }
    // A start before the text counts from its first character; a negative
    // length takes nothing.
    const std::size_t from = start < 0 ? 0 : static_cast<std::size_t>(start);
    if (from >= text.size() || length <= 0) {
        call.result.clear();
        return;
    }
    call.result = text.substr(from, static_cast<std::size_t>(length));
}

}  // namespace velmo
