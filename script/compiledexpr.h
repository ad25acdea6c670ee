#ifndef VELMO_SCRIPT_COMPILEDEXPR_H
#define VELMO_SCRIPT_COMPILEDEXPR_H

// The compiled form of a postfix text. Expressions are converted once,
// when the story is loaded; evaluating one must not split its text again.
// So beside each postfix text we keep its tokens already split and
// classified: number literals with their value, string literals without
// their quotes (and, when they hold "<" markup, already cut into pieces),
// names with their path parts, the built-in they may stand for and the
// facts the assignment-target and "has" rules need, operator bytes, and
// index expressions converted and compiled themselves. Evaluating the
// compiled form behaves exactly as evaluating the text.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "model/codelist.h"

namespace velmo {

struct tafunction;
class tnode;
struct tcompiled;
struct tvar;
class tvarlist;

// Where a name was last found: a variable list and the record's position.
// Only a hint, checked by name before it is used (names are unique within
// a list), so a list that changed in between costs one scan again.
struct tvarhint {
    const tvarlist* list = nullptr;
    std::size_t position = 0;
};

enum class ttokenkind : uint8_t {
    kNumber,    // starts with a digit
    kText,      // starts with a double quote
    kName,      // starts with a letter or "_"
    kOperator,  // an operator character or code
    kSkip,      // anything else ("(", "?", ...): only becomes the previous token
};

// A name whose first bracket pair is evaluated before it is looked up:
// the token is `before` + value + `after`.
struct tindexpart {
    std::string before;                      // the token up to and including the first "["
    std::string after;                       // from the matching "]" to the end
    std::shared_ptr<const tcompiled> index;  // null when the index cannot be converted
    // The array's name when the token is nothing but "name[index]": no
    // path before it, nothing after the "]". Empty otherwise.
    std::string array;
};

// A string literal with "<": its pieces split at blank, ">" and "^" (the
// delimiters are pieces too), and the pieces that stand two after a piece
// beginning with "<", which a variable of that name replaces.
struct ttagpart {
    std::vector<std::string> pieces;
    std::vector<std::size_t> candidates;
};

struct tctoken {
    ttokenkind kind = ttokenkind::kSkip;
    unsigned char op = 0;  // operator
    int32_t number = 0;    // number
    // The token as the increment operators see it when it is the previous
    // token; for a name the part after its path.
    std::string text;
    // Number: the decimal text of its value. Text: the literal without
    // its double quotes. Name: the whole token, path included.
    std::string value;
    // Names: the path parts before the name, the built-in of that name,
    // and the two rules that depend on the whole postfix text.
    std::vector<std::string> path;
    const tafunction* builtin = nullptr;
    bool targetCandidate = false;  // may be the assignment target
    bool hasFollows = false;       // "has" follows the name's first occurrence
    std::size_t textHash = 0;      // names without an index: nameHash(text), made once
    // An element "name[index]" that no increment operator follows: read
    // straight from the array when the index is an integer.
    bool plainElement = false;
    bool farName = false;  // a name with an index or a path: not in the context's lists alone
    std::shared_ptr<const tindexpart> index;  // names with an index
    std::shared_ptr<const ttagpart> tags;     // texts with "<"
    mutable tvarhint hint;  // names without an index: where the variable was found last
    // Names with a path of one part: that part's nameHash, and where the
    // quick run found the variable of that name last.
    std::size_t pathHash = 0;
    mutable tvarhint pathHint;
    // Names without an index: the node that the search for a child of
    // that name found last from `lookupFrom` (null for none), while
    // tnode::lookupChanges() stood at `lookupCount`.
    mutable const tnode* lookupFrom = nullptr;
    mutable tnode* lookupFound = nullptr;
    mutable uint64_t lookupCount = 0;
};

// One step of the quick run: its tokens in a compact form. The three last
// kinds each stand for a name with the tokens after it: "name number
// operator", "name increment" and "name literal comparison".
struct tquickstep {
    enum tkind : uint8_t {
        kNumber,
        kName,
        kText,
        kBinary,
        kUnary,
        kAssign,
        kCompound,
        kIncrement,
        kNameNumber,
        kNameIncrement,
        kNameText,
    };
    tkind kind;
    unsigned char op;   // operators
    uint16_t name = 0;  // the joined kinds: the name's place among the names
    int32_t value;      // a number's value; a name's place among the names; a text's token
};

// A name of the quick run as found: the list it lies in and its record.
struct tquickslot {
    tvarlist* list;
    const tvar* record;
};

// An element of a quick run's form, kept: it lies `first` records plus
// its index into the context's own list; the index is the integer in
// `index` (a record of the kept lists), or `constant` when that is null.
struct tkeptelement {
    uint32_t name;  // its place among the names
    const tvar* index;
    int32_t constant;
    std::size_t first;
};

struct tcompiled {
    std::string text;  // the postfix text
    std::vector<tctoken> tokens;
    bool assigns = false;  // ends with "=" or a compound assignment
    // Begins with a plain name that is the assignment target and ends
    // with "=": the target's value may never be read. Counted in
    // targetMisses when it was read after all (a name that was a call).
    bool targetFirst = false;
    mutable uint16_t targetMisses = 0;
    // The evaluator's quick run (script/exprquick.cpp) may take it: only
    // plain names, numbers and operators on integers, in a shape it knows.
    bool quick = false;
    // "a = b" with plain names or elements: the quick copy may take it,
    // whatever b holds (the steps and names are planned as for the quick
    // run, which does not take it).
    bool quickCopy = false;
    // "target = piece + piece + ...", a string literal the first or the
    // second piece: every "+" appends, so the quick join writes the
    // pieces (literals, numbers, plain names; their places among the
    // tokens) one after the other into the target.
    bool quickJoin = false;
    std::vector<uint32_t> joinPieces;
    // One plain name, an element or a path, and nothing else: quickSingle
    // may take it where a value or a truth is wanted.
    bool quickSingle = false;
    std::vector<tquickstep> quickSteps;
    std::vector<uint32_t> quickNames;  // the name tokens' places among the tokens
    int32_t quickTarget = -1;          // the name that becomes the assignment target
    bool quickTargetRead = false;      // its value is read, so it must be an integer
    // Comparisons may meet texts: string literals (quickLiterals), and
    // the names whose bit is set in quickTextNames (their places among the
    // names) when they hold texts.
    bool quickLiterals = false;
    uint32_t quickTextNames = 0;
    mutable uint16_t quickMisses = 0;  // quick runs that had to leave it to the long way
    // Plain names and elements (no path): the quick run may keep where
    // it found them (an element as its array and its index). They are kept while the context's own list
    // has the arrangement stamp `quickKeptShape` (0: nothing kept) and,
    // when one lay in the owner's list, that list has `quickKeptOwnerShape`.
    // Only a list met in two runs in a row is worth keeping for (a loop's,
    // not the fresh list of every call): `quickSeenShape` is the last one.
    bool quickKeeps = false;
    mutable uint64_t quickSeenShape = 0;
    mutable uint64_t quickKeptShape = 0;
    mutable uint64_t quickKeptOwnerShape = 0;
    mutable std::vector<tquickslot> quickKept;
    // A form with elements keeps them under this stamp instead of
    // quickKeptShape.
    mutable uint64_t quickKeptElementsShape = 0;
    mutable std::vector<tkeptelement> quickKeptElements;
};

// Decides whether the quick run may take the form, and how.
void planQuickRun(tcompiled& form);

// Decides whether the quick join may take the form (script/exprjoin.cpp).
void planQuickJoin(tcompiled& form);

// Index expressions nested deeper than this are not compiled; evaluating
// such a name reports an invalid operation instead of recursing on.
constexpr int32_t kMaxIndexNesting = 64;

// Compiles a postfix text.
std::shared_ptr<const tcompiled> compileExpression(std::string_view postfix);

// Fills `code.compiled` with the compiled form of each parameter of `code`.
// Run it after the parameters have their final text (after restoring the
// strings of a compiled story).
void compileParams(const tcode& code);
// compiledParam's first call for a record.
const tcompiled* compileOnFirstRun(const tcode& code, std::size_t i);

// The compiled form of parameter `i` of a record, or null when it has no
// such parameter. The first call compiles all of the record's parameters;
// later calls (through any list that shares the record) find them.
inline const tcompiled* compiledParam(const tcode& code, std::size_t i) {
    const tcompiledparams* forms = code.compiled.get();
    if (forms && i < forms->size()) return (*forms)[i].get();
    return compileOnFirstRun(code, i);
}

// Helpers shared with the evaluator.
bool isNameStart(char c);
// The operators the evaluator applies: the conversion's operators except
// the blank and "?" (whose work ":" does alone).
bool isEvalOperator(char c);
// Splits a literal at blank, ">" and "^", keeping the delimiters.
std::vector<std::string> splitTagPieces(std::string_view text);
// The indexes of the pieces a variable may replace.
std::vector<std::size_t> tagCandidates(const std::vector<std::string>& pieces);
// True if the postfix text from the first occurrence of `name` on (at most
// 255 characters) contains "has": the name is then an attribute name.
bool hasFollowsName(std::string_view postfix, std::string_view name);
// The position of the "]" that closes the "[" at `open`, or npos.
std::size_t matchingBracket(std::string_view text, std::size_t open);

}  // namespace velmo

#endif
