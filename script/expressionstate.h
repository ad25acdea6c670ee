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
    tstate(const tcompiled& form, int32_t line, tnode& node)
        : form(form), line(line), node(&node), story(node.story()) {}

    const tcompiled& form;
    int32_t line;
    // The context. Once the assignment target is found, the rest of the
    // expression runs in the context of the node's caller, if it has one.
    tnode* node;
    tstory& story;

    bool haveTarget = false;
    std::string targetName;
    tnode* targetNode = nullptr;
    tvarhint targetHint;  // where its record was found

    // Where the last variable was found and the previous token: what the
    // increment operators work on.
    tnode* lastFound = nullptr;
    std::string_view previous;
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
        for (int i = 0; i < count; ++i) ++nodes[i]->level;
    }
    // False when the path lowers more levels than a tree can have.
    bool lower(tnode& node) {
        if (count == kMax) return false;
        --node.level;
        nodes[count++] = &node;
        return true;
    }

private:
    static constexpr int kMax = 4;
    tnode* nodes[kMax] = {};
    int count = 0;
};

// The variable `name` (perhaps with an index) in the node's own list, or
// null, for reading. An index outside the list is reported by the list
// and sets `bad`. With a hint the name has no index, and the hint is
// tried first and kept up to date.
const tvar* variableIn(tnode& node, std::string_view name, int32_t line, bool& bad,
                       tvarhint* hint = nullptr);

} // namespace velmo

#endif
