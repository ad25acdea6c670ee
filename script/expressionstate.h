#ifndef VELMO_SCRIPT_EXPRESSIONSTATE_H
#define VELMO_SCRIPT_EXPRESSIONSTATE_H

// The evaluator's inside: what one evaluation keeps while it walks its
// tokens. Only the evaluator's own files include this.

#include <string>
#include <string_view>

#include "model/parsetree.h"
#include "model/story.h"
#include "script/expression.h"

namespace velmo {

struct texpression::tstate {
    tstate(const tcompiled& compiled, int32_t sourceLine, tnode& owner)
        : form(compiled), line(sourceLine), node(&owner), story(owner.story()) {}

    const tcompiled& form;
    int32_t line;
    // The context. Once the assignment target is found, the rest of the
    // expression runs in the context of the node's caller, if it has one.
    tnode* node;
    tstory& story;

    // The assignment target: its name (in the form, or built here when
    // it carried an index), the node it was found in and where there.
    bool haveTarget = false;
    bool targetIndexed = false;
    std::string_view targetName;
    std::string targetBuilt;
    tnode* targetNode = nullptr;
    tvarhint targetHint;
    // A plain element taken at once: `targetName` is the array's name and
    // the target lies `targetOffset` records after it.
    bool targetElement = false;
    int32_t targetOffset = 0;

    // Where the last variable was found and the previous token: what the
    // increment operators work on.
    tnode* lastFound = nullptr;
    std::string_view previous;
    // The hint of the last name that found a variable: the increment
    // finds its variable through it instead of scanning the list (past
    // every element of an array declared before it).
    tvarhint* lastHint = nullptr;
    std::string builtPrevious;  // holds the previous token when it was built here
};

// The levels that a path's "super" parts lowered, raised again when the
// token is done (also when a call inside it unwinds with the abort).
class texpression::tlevels {
public:
    tlevels() = default;
    tlevels(const tlevels&) = delete;
    tlevels& operator=(const tlevels&) = delete;
    ~tlevels() {
        for (int i = 0; i < count; ++i) nodes[i]->setLevel(nodes[i]->getLevel() + 1);
    }
    // False when the path lowers more levels than a tree can have.
    bool lower(tnode& node) {
        if (count == kMax) return false;
        node.setLevel(node.getLevel() - 1);
        nodes[count++] = &node;
        return true;
    }

private:
    static constexpr int kMax = 4;
    tnode* nodes[kMax] = {};
    int count = 0;
};

// The node the token's last search for a child from `from` found (in
// `lookupFound`) is found again: nothing that search depends on has
// changed since.
inline bool lookupKept(const tctoken& token, const tnode& from) {
    return token.lookupFrom == &from && token.lookupCount == tnode::lookupChanges();
}

// The first record named exactly `name`; one scan (names are unique in a
// list, so it is the only one).
inline const tvar* scanFor(const std::vector<tvar>& records, std::string_view name) {
    for (const tvar& record : records)
        if (sameName(record.name, name)) return &record;
    return nullptr;
}

// The record the hint names in `vars`, when it is still there under
// `name`; null otherwise.
inline const tvar* hintedRecord(const tvarlist& vars, std::string_view name, const tvarhint& hint) {
    const std::vector<tvar>& records = vars.RecordsAsTheyAre();
    if (hint.list != &vars || hint.position >= records.size()) return nullptr;
    const tvar& record = records[hint.position];
    return sameName(record.name, name) ? &record : nullptr;
}

// The variable `name` (no index) where the long way finds it first, when
// that is in one of the first two lists it searches, each where the hint
// says: the context's own (a function's locals), else its owner's (the
// variables of the function's object). Null otherwise: the long way
// decides.
inline const tvar* nearVariable(tnode& context, std::string_view name, const tvarhint& hint,
                                tnode*& where) {
    where = &context;
    if (const tvar* found = hintedRecord(context.vars, name, hint)) return found;
    tnode* owner = context.owner;
    if (!owner || hint.list != &owner->vars || scanFor(context.vars.RecordsAsTheyAre(), name))
        return nullptr;
    where = owner;
    return hintedRecord(owner->vars, name, hint);
}

// The variable `name` (no index) in the node's own list: where the hint
// says, if the name is there, else by a scan that updates the hint.
inline const tvar* plainVariableIn(tnode& node, std::string_view name, tvarhint& hint) {
    if (const tvar* hinted = hintedRecord(node.vars, name, hint)) return hinted;
    const std::vector<tvar>& records = node.vars.RecordsAsTheyAre();
    const tvar* found = scanFor(records, name);
    if (found) hint = tvarhint{&node.vars, static_cast<std::size_t>(found - records.data())};
    return found;
}

// Pushes a variable found in `where`, and takes it as the assignment
// target when it qualifies (only the first that does).
inline void texpression::pushFound(tstate& s, const tctoken& token, const tvar& variable,
                                   tnode& where, std::string_view name) {
    toperand& slot = operands.PushSlot();
    // A plain name is the record's name; a name with an index may have
    // reached another record (an element, or the variable after an array).
    if (token.index) {
        slot.setVariableCopy(variable);
    } else {
        slot.setVariable(variable, name);
    }
    s.lastFound = &where;
    s.lastHint = &token.hint;
    if (token.targetCandidate && s.form.assigns && !s.haveTarget) takeTarget(s, token, where, name);
}

// The variable `name` (perhaps with an index) in the node's own list, or
// null, for reading. An index outside the list is reported by the list
// and sets `bad`. With a hint the name has no index, and the hint is
// tried first and kept up to date.
const tvar* variableIn(tnode& node, std::string_view name, int32_t line, bool& bad,
                       tvarhint* hint = nullptr);

}  // namespace velmo

#endif
