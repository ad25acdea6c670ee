// The evaluator's quick run: an expression made of plain names, numbers
// and operators on integers runs on a small array of integers, without
// operands, texts or the name lookup, when every name is a variable of
// the context's own list or of its owner's (a function's object) where
// its token found it last, and holds an integer. The plan (made once,
// when the expression is compiled) checks the shape of the stack; the run
// checks the names first and gives up before it changes anything, so the
// long way can then run the whole expression as if nothing had been
// tried. A form without paths keeps the records it found while the lists
// they lie in keep their arrangement (an element as its array's place and
// its index), so a loop's rounds find no name again.

#include <algorithm>
#include <string_view>

#include "script/expressionstate.h"
#include "script/intops.h"
#include "script/postfix.h"

namespace velmo {

namespace {

// The deepest stack and the most names a quick run handles.
constexpr std::size_t kQuickDepth = 16;
constexpr std::size_t kQuickNames = 16;

// After this many runs that had to give up (a name that is a function, a
// variable of the owner, a text), an expression is not tried again.
constexpr uint16_t kQuickMissLimit = 64;

using tkind = tquickstep::tkind;

// The step an operator becomes; false for an operator the quick run
// leaves to the long way.
bool operatorKind(unsigned char op, tkind& kind) {
    if (takesTwoGivesOne(op)) {
        kind = tkind::kBinary;
        return true;
    }
    switch (op) {
    case '!':
    case '~': kind = tkind::kUnary; return true;
    case '=': kind = tkind::kAssign; return true;
    case kOpAddTo:
    case kOpSubFrom:
    case kOpMulBy:
    case kOpDivBy:
    case kOpModBy: kind = tkind::kCompound; return true;
    case kOpPostInc:
    case kOpPostDec:
    case kOpPreInc:
    case kOpPreDec: kind = tkind::kIncrement; return true;
    default: return false;
    }
}

// A binary operator on two integers, as the long way computes it; false
// for a division or remainder by zero.
[[gnu::always_inline]] inline bool binary(unsigned char op, int32_t x, int32_t y, int32_t& out) {
    switch (op) {
    case '<': out = x < y; return true;
    case '>': out = x > y; return true;
    case kOpLessEq: out = x <= y; return true;
    case kOpGreaterEq: out = x >= y; return true;
    case kOpEqual: out = x == y; return true;  // integers spell equal texts exactly when equal
    case kOpNotEqual: out = x != y; return true;
    case kOpAnd: out = x != 0 && y != 0; return true;
    case kOpOr: out = x != 0 || y != 0; return true;
    default: return integerResult(op, x, y, out);
    }
}

// The record `offset` places after the one at `first`, as an element's
// index counts in the whole list; null outside the list.
const tvar* recordAt(const std::vector<tvar>& records, int64_t first, int32_t offset) {
    const int64_t position = first + offset;
    if (position < 0 || position >= static_cast<int64_t>(records.size())) return nullptr;
    return &records[static_cast<std::size_t>(position)];
}

bool holdsInteger(const tvar& variable) {
    int32_t n = 0;
    return variable.type == kTypeInt && variable.exactNumber(n);
}

// Elements are found before the run, with the values their indexes have
// then: a form with elements may change a variable only in its last step.
bool changesBeforeTheEnd(const std::vector<tquickstep>& steps) {
    for (std::size_t k = 0; k < steps.size(); ++k) {
        const tkind kind = steps[k].kind;
        if (kind == tkind::kIncrement) return true;
        if ((kind == tkind::kAssign || kind == tkind::kCompound) && k + 1 != steps.size())
            return true;
    }
    return false;
}

// Joins the steps that come together most often into one step each: a
// name with the number and the operator after it, a name with the
// increment after it, a name with the string literal and the comparison
// after it. A joined step does what its parts did in turn.
std::vector<tquickstep> joinSteps(const std::vector<tquickstep>& steps) {
    std::vector<tquickstep> joined;
    joined.reserve(steps.size());
    for (std::size_t k = 0; k < steps.size(); ++k) {
        const tquickstep& step = steps[k];
        const auto next = [&](std::size_t n, tkind kind) {
            return k + n < steps.size() && steps[k + n].kind == kind;
        };
        if (step.kind != tkind::kName) {
            joined.push_back(step);
        } else if (next(1, tkind::kNumber) && next(2, tkind::kBinary)) {
            joined.push_back({tkind::kNameNumber, steps[k + 2].op,
                              static_cast<uint16_t>(step.value), steps[k + 1].value});
            k += 2;
        } else if (next(1, tkind::kText) && next(2, tkind::kBinary) &&
                   isComparison(steps[k + 2].op)) {
            joined.push_back({tkind::kNameText, steps[k + 2].op, static_cast<uint16_t>(step.value),
                              steps[k + 1].value});
            k += 2;
        } else if (next(1, tkind::kIncrement)) {
            joined.push_back(
                {tkind::kNameIncrement, steps[k + 1].op, static_cast<uint16_t>(step.value), 0});
            k += 1;
        } else {
            joined.push_back(step);
        }
    }
    return joined;
}

// An element "name[index]" that the long way takes straight from its array
// when the index is an integer, with an index that is a number or a plain
// name.
bool simpleElement(const tctoken& token) {
    if (!token.plainElement || token.index->index->tokens.size() != 1) return false;
    const tctoken& index = token.index->index->tokens.front();
    if (index.kind == ttokenkind::kNumber) return true;
    return index.kind == ttokenkind::kName && !index.index && index.path.empty() && !index.builtin;
}

// "object.name" with a path of one part that is neither "actor",
// "player" nor "super", and a name that may be a variable.
bool simplePath(const tctoken& token) {
    if (token.path.size() != 1 || token.builtin) return false;
    const std::string& part = token.path.front();
    return part != "actor" && part != "player" && part != "super";
}

// A comparison with a text on at least one side, as the long way makes
// it: "==" and "!=" compare the texts (an integer's text is its digits);
// an order compares bytes when its left side is a text. False for an
// order with an integer on the left: the long way reads the text on the
// right as a number.
bool compareTexts(unsigned char op, const std::string* a, int32_t x, const std::string* b,
                  int32_t y, int32_t& out) {
    char leftDigits[kMaxIntDigits];
    char rightDigits[kMaxIntDigits];
    const std::string_view left =
        a ? std::string_view(*a) : std::string_view(leftDigits, decimalText(x, leftDigits));
    const std::string_view right =
        b ? std::string_view(*b) : std::string_view(rightDigits, decimalText(y, rightDigits));
    if (op == kOpEqual || op == kOpNotEqual) {
        out = (left == right) == (op == kOpEqual);
        return true;
    }
    if (!a) return false;
    const int order = left.compare(right);  // bytes compared unsigned
    switch (op) {
    case '<': out = order < 0; return true;
    case '>': out = order > 0; return true;
    case kOpLessEq: out = order <= 0; return true;
    case kOpGreaterEq: out = order >= 0; return true;
    default: return false;
    }
}

// What a slot of the stack the plan walks holds.
struct tslot {
    bool target = false;   // the assignment target's own value
    bool literal = false;  // a string literal
    int32_t name = -1;     // the name it was read from, else -1
};

}  // namespace

// Walks the stack the tokens would build. The slot that holds the
// assignment target's own value must be an integer when anything but the
// assignment reads it. A string literal, and a name that only a
// comparison reads, may be texts; a comparison of texts may find at run
// time that it must leave the form to the long way, so no step before it
// may change a variable.
void planQuickRun(tcompiled& form) {
    std::vector<tquickstep> steps;
    std::vector<uint32_t> names;
    tslot slots[kQuickDepth];
    std::size_t top = 0;
    int32_t target = -1;
    bool targetRead = false;
    bool hasElements = false;
    bool hasPaths = false;
    bool changed = false;    // a step so far changes a variable
    uint32_t textNames = 0;  // the names that may hold texts, one bit each
    const auto pop = [&](bool readsTarget) {
        const tslot slot = slots[--top];
        if (slot.target && readsTarget) targetRead = true;
        return slot;
    };
    // A name read by a comparison alone may hold a text (not the target's
    // own value, which is read as an integer).
    const auto mayBeText = [&](const tslot& slot) {
        if (slot.literal) return true;
        if (slot.name < 0 || slot.target) return false;
        textNames |= uint32_t{1} << slot.name;
        return true;
    };
    for (std::size_t i = 0; i < form.tokens.size(); ++i) {
        const tctoken& token = form.tokens[i];
        if (top == kQuickDepth) return;
        tkind kind = tkind::kNumber;
        switch (token.kind) {
        case ttokenkind::kNumber:
            steps.push_back({tkind::kNumber, 0, 0, token.number});
            slots[top++] = {};
            continue;
        case ttokenkind::kText:
            if (token.tags) return;  // its variables are filled in: the long way
            steps.push_back({tkind::kText, 0, 0, static_cast<int32_t>(i)});
            slots[top++] = {false, true, -1};
            continue;
        case ttokenkind::kName: {
            if (token.index) {
                if (!simpleElement(token)) return;
                hasElements = true;
            } else if (!token.path.empty()) {
                if (!simplePath(token)) return;
                hasElements = true;  // its object is found before the run, as an element
                hasPaths = true;
            } else if (token.builtin) {
                return;
            }
            if (names.size() == kQuickNames) return;
            const bool isTarget = form.assigns && token.targetCandidate && target < 0;
            if (isTarget) target = static_cast<int32_t>(names.size());
            steps.push_back({tkind::kName, 0, 0, static_cast<int32_t>(names.size())});
            slots[top++] = {isTarget, false, static_cast<int32_t>(names.size())};
            names.push_back(static_cast<uint32_t>(i));
            continue;
        }
        case ttokenkind::kOperator:
            if (!operatorKind(token.op, kind)) return;
            break;
        default: return;
        }
        steps.push_back({kind, token.op, 0, 0});
        switch (kind) {
        case tkind::kBinary: {
            if (top < 2) return;
            const tslot right = pop(true);
            const tslot left = pop(true);
            if (isComparison(token.op)) {
                const bool texts = mayBeText(left) | mayBeText(right);
                if (texts && changed) return;
            } else if (left.literal || right.literal) {
                return;
            }
            slots[top++] = {};
            break;
        }
        case tkind::kUnary:
            if (top < 1 || pop(true).literal) return;
            slots[top++] = {};
            break;
        case tkind::kAssign:
            if (top < 2 || target < 0) return;
            if (pop(true).literal) return;  // the value assigned
            pop(false);                     // whatever stands below it is not read
            changed = true;
            break;
        case tkind::kCompound:
            if (top < 2 || target < 0 || pop(true).literal || pop(true).literal) return;
            changed = true;
            break;
        case tkind::kIncrement:
            // It changes the variable that the name right before it found;
            // the long way finds the name after a path again on its own.
            if (i == 0 || form.tokens[i - 1].kind != ttokenkind::kName ||
                !form.tokens[i - 1].path.empty())
                return;
            if (static_cast<int32_t>(names.size()) - 1 == target) targetRead = true;
            if (token.op == kOpPreInc || token.op == kOpPreDec) slots[top++] = {};
            changed = true;
            break;
        default: break;
        }
    }
    if (top == 0 && target < 0) return;             // nothing to give: the long way reports it
    if (top > 0 && slots[top - 1].literal) return;  // a text for a result
    if (hasElements && changesBeforeTheEnd(steps)) return;
    if (top > 0 && slots[top - 1].target) targetRead = true;
    const bool copy = steps.size() == 3 && steps[0].kind == tkind::kName &&
                      steps[1].kind == tkind::kName && steps[2].kind == tkind::kAssign &&
                      target == 0;
    // One name alone takes its own, shorter way (see quickSingle).
    const bool single = steps.size() == 1 && steps[0].kind == tkind::kName;
    form.quick = !copy && !single;
    form.quickCopy = copy;
    form.quickSingle = single;
    form.quickLiterals = std::any_of(steps.begin(), steps.end(), [](const tquickstep& step) {
        return step.kind == tkind::kText;
    });
    form.quickTextNames = textNames;
    form.quickSteps = joinSteps(steps);
    form.quickNames = std::move(names);
    form.quickTarget = target;
    form.quickTargetRead = targetRead;
    form.quickKeeps = !hasPaths;
}

namespace {

// A quick name's record for writing, counted as a change of its list.
tvar& assignSlot(const tquickslot& name) { return name.list->Assign(*name.record); }
void writeSlot(const tquickslot& name, int32_t n) { assignSlot(name).setInteger(n); }

// The element that a kept element stands for now, with the value its
// index has now; null when the index is no integer or the element lies
// outside the list.
const tvar* keptElement(const tkeptelement& element, const tvarlist& vars) {
    int32_t n = element.constant;
    if (element.index && !element.index->exactNumber(n)) return nullptr;
    return recordAt(vars.RecordsAsTheyAre(), static_cast<int64_t>(element.first), n);
}

// Whether the node's owner still has the arrangement the kept names
// were found in (when one lay in the owner's list).
inline bool ownerKept(const tcompiled& form, const tnode& node) {
    return form.quickKeptOwnerShape == 0 ||
           (node.owner && node.owner->vars.shape() == form.quickKeptOwnerShape);
}

// The names as found last, while the lists they were found in keep their
// arrangement; null otherwise. A node whose caller is set would look for
// the names after the target in the caller's lists: those are not kept.
[[gnu::always_inline]] inline const tquickslot* keptNames(const tcompiled& form,
                                                          const tnode& node) {
    if (form.quickKeptShape != node.vars.shape() || node.caller || !ownerKept(form, node))
        return nullptr;
    return form.quickKept.data();
}

// The same for a form with elements (kept under their own stamp, so that
// the other forms check nothing more): the elements are found again, with
// the values their indexes have now, into `found`; null when one is not
// found so.
[[gnu::noinline]] const tquickslot* keptWithElements(const tcompiled& form, const tnode& node,
                                                     tquickslot* found) {
    if (form.quickKeptElementsShape != node.vars.shape() || node.caller || !ownerKept(form, node))
        return nullptr;
    std::copy(form.quickKept.begin(), form.quickKept.end(), found);
    for (const tkeptelement& element : form.quickKeptElements) {
        const tvar* record = keptElement(element, node.vars);
        if (!record) return nullptr;
        found[element.name].record = record;
    }
    return found;
}

// What the run found for the element `name` (its record in the node's
// own list), kept as the array's first record and the index's record or
// number; false when the index lies elsewhere than the names may.
[[gnu::noinline]] bool keepElement(const tcompiled& form, tnode& node, uint32_t name,
                                   const tvar* owned, uint64_t& ownerShape) {
    const tctoken& token = form.tokens[form.quickNames[name]];
    const tctoken& index = token.index->index->tokens.front();
    const std::vector<tvar>& records = node.vars.RecordsAsTheyAre();
    const tvar* first = hintedRecord(node.vars, token.index->array, token.hint);
    if (!first) return false;
    tkeptelement element{name, nullptr, index.number,
                         static_cast<std::size_t>(first - records.data())};
    if (index.kind == ttokenkind::kName) {
        tnode* where = nullptr;
        element.index = nearVariable(node, index.text, index.hint, where);
        if (!element.index) return false;
        if (where != &node) ownerShape = node.owner->vars.shape();
    }
    if (keptElement(element, node.vars) != owned) return false;
    form.quickKeptElements.push_back(element);
    return true;
}

// Keeps the names found for the next runs, when every one lay in the
// node's own list or its owner's, the search stayed in the node, and the
// last run met the same list.
[[gnu::always_inline]] inline void keepNames(const tcompiled& form, tnode& node,
                                             const tquickslot* names) {
    if (!form.quickKeeps || node.caller) return;
    const uint64_t shape = node.vars.shape();
    if (form.quickSeenShape != shape) {
        form.quickSeenShape = shape;
        return;
    }
    const std::size_t count = form.quickNames.size();
    uint64_t ownerShape = 0;
    form.quickKeptShape = 0;
    form.quickKeptElementsShape = 0;
    form.quickKeptElements.clear();
    for (std::size_t i = 0; i < count; ++i) {
        if (form.tokens[form.quickNames[i]].index) {
            if (!keepElement(form, node, static_cast<uint32_t>(i), names[i].record, ownerShape))
                return;
            continue;
        }
        if (names[i].list == &node.vars) continue;
        if (!node.owner || names[i].list != &node.owner->vars) return;
        ownerShape = node.owner->vars.shape();
    }
    form.quickKept.assign(names, names + count);
    (form.quickKeptElements.empty() ? form.quickKeptShape : form.quickKeptElementsShape) = shape;
    form.quickKeptOwnerShape = ownerShape;
}

}  // namespace

// A quick name's record where the long way finds it first: a plain name
// through its hint, an element or a path on the slower way below.
inline const tvar* texpression::quickFind(tnode& context, const tctoken& token, tnode*& where) {
    return token.farName ? quickFarName(context, token, where)
                         : nearVariable(context, token.text, token.hint, where);
}

// Finds every name as the long way would find it first; false when one is
// not found so. Names kept from the last run are taken as they are.
inline bool texpression::quickNames(const tcompiled& form, tnode& node, tquickslot* found,
                                    const tquickslot*& names) {
    names = keptNames(form, node);
    if (names) return true;
    if (form.quickKeptElementsShape != 0) {
        names = keptWithElements(form, node, found);
        if (names) return true;
    }
    tnode* context = &node;
    const int32_t count = static_cast<int32_t>(form.quickNames.size());
    for (int32_t i = 0; i < count; ++i) {
        const tctoken& token = form.tokens[form.quickNames[static_cast<std::size_t>(i)]];
        tnode* where = context;
        const tvar* record = quickFind(*context, token, where);
        if (!record) return false;
        // The rest runs in the context of the node's caller, as the long
        // way's target does.
        if (i == form.quickTarget && context->caller) context = context->caller;
        found[i] = tquickslot{&where->vars, record};
    }
    keepNames(form, node, found);
    names = found;
    return true;
}

// Whether the names' values suit the run: kMissing when one holds no
// integer (the target alone may hold anything while only the assignment
// reads it, and a name that only a comparison reads may hold a text,
// which makes it kTexts). The usual case, integers alone, is decided at
// once.
inline texpression::tquickfound texpression::quickValues(const tcompiled& form,
                                                         const tquickslot* names) {
    const tquickslot* end = names + form.quickNames.size();
    for (const tquickslot* name = names; name != end; ++name) {
        const tvar& variable = *name->record;
        if (variable.type != kTypeInt || !variable.exact) return quickOtherValues(form, names);
    }
    return tquickfound::kIntegers;
}

texpression::tquickfound texpression::quickOtherValues(const tcompiled& form,
                                                       const tquickslot* names) {
    tquickfound found = tquickfound::kIntegers;
    const int32_t count = static_cast<int32_t>(form.quickNames.size());
    for (int32_t i = 0; i < count; ++i) {
        const tvar& variable = *names[i].record;
        if (i == form.quickTarget) {
            if (form.quickTargetRead && !holdsInteger(variable)) return tquickfound::kMissing;
        } else if (!holdsInteger(variable)) {
            // A name that only a comparison reads may hold a text.
            if (variable.type == kTypeInt || !((form.quickTextNames >> i) & 1u))
                return tquickfound::kMissing;
            found = tquickfound::kTexts;
        }
    }
    return found;
}

// An element or a variable on a path, found as the long way finds it
// first; null when the long way must decide.
const tvar* texpression::quickFarName(tnode& context, const tctoken& token, tnode*& where) {
    where = &context;
    return token.index ? quickRunElement(context, token) : quickPathVariable(context, token, where);
}

// "part.name": the part is the object of that name, else a variable of the
// context's own list that names an object; the name is a variable of that
// object's own list.
const tvar* texpression::quickPathVariable(tnode& context, const tctoken& token, tnode*& where) {
    tstory& story = context.story();
    tnode& root = story.root();
    const std::string& part = token.path.front();
    tnode* object = nullptr;
    if (story.nodeNames.mayHoldHashed(token.pathHash)) object = root.findChild(part);
    if (!object) {
        const tvar* holder = plainVariableIn(context, part, token.pathHint);
        if (!holder) return nullptr;  // in an owner or the caller, or not there at all
        // A fetch names its object: the search is done already.
        tnode* fetched = story.fetchedObject;
        object =
            fetched && holder->text() == fetched->name ? fetched : root.findChild(holder->text());
        if (!object) return nullptr;  // the long way reports it
    }
    where = object;
    return plainVariableIn(*object, token.text, token.hint);
}

// The element where the long way takes it at once: the array in the
// context's own list, the index an integer, the element inside the list.
const tvar* texpression::quickRunElement(tnode& context, const tctoken& token) {
    const tctoken& index = token.index->index->tokens.front();
    int32_t element = index.number;
    if (index.kind == ttokenkind::kName) {
        tnode* where = nullptr;
        const tvar* variable = nearVariable(context, index.text, index.hint, where);
        if (!variable || !variable->exactNumber(element)) return nullptr;
    }
    const tvar* first = hintedRecord(context.vars, token.index->array, token.hint);
    if (!first) return nullptr;
    const std::vector<tvar>& records = context.vars.RecordsAsTheyAre();
    return recordAt(records, first - records.data(), element);
}

// "a = b": a gets b's integer or a copy of b's text, as the long way's
// assignment gives it. Only for a statement of its own: a text value
// would have to be given back.
bool texpression::quickCopy(tnode& node, const tcompiled& form) {
    if (form.quickMisses >= kQuickMissLimit) return false;
    tquickslot slots[2];
    const tquickslot* names = nullptr;
    if (!quickNames(form, node, slots, names)) {
        ++form.quickMisses;
        return false;
    }
    const tvar& source = *names[1].record;
    int32_t n = 0;
    if (source.exactNumber(n))
        writeSlot(names[0], n);
    else
        assignSlot(names[0]).copyText(source);
    return true;
}

namespace {

// An increment of the name; the value it gives is pushed (with "++i" the
// old value stays below it, as on the long way's stack).
inline int32_t incremented(const tquickslot& name, unsigned char op) {
    const bool up = op == kOpPostInc || op == kOpPreInc;
    const int32_t result = wrapInt(intBits(name.record->number) + (up ? 1u : ~0u));
    writeSlot(name, result);
    return result;
}

bool isPrefix(unsigned char op) { return op == kOpPreInc || op == kOpPreDec; }

}  // namespace

// The steps on a stack of integers; with kTexts a slot may hold a text
// instead (a string literal, a name that a comparison reads), which only
// a comparison takes. `value` receives the result.
template <bool kTexts>
inline texpression::tquickend texpression::quickSteps(const tcompiled& form,
                                                      const tquickslot* names, int32_t& value) {
    int32_t stack[kQuickDepth];
    [[maybe_unused]] const std::string* texts[kQuickDepth];
    std::size_t top = 0;
    for (const tquickstep& step : form.quickSteps) {
        int32_t result = 0;
        switch (step.kind) {
        case tkind::kNumber:
            if constexpr (kTexts) texts[top] = nullptr;
            stack[top++] = step.value;
            break;
        case tkind::kName: {
            const tvar& record = *names[step.value].record;
            if constexpr (kTexts) texts[top] = record.type != kTypeInt ? &record.text() : nullptr;
            stack[top++] = record.number;  // valid for every integer read
            break;
        }
        case tkind::kText:
            if constexpr (kTexts) {
                texts[top] = &form.tokens[static_cast<std::size_t>(step.value)].value;
                stack[top++] = 0;
            }
            break;
        case tkind::kNameNumber: {
            const tvar& record = *names[step.name].record;
            if constexpr (kTexts) {
                if (record.type != kTypeInt) {
                    if (!compareTexts(step.op, &record.text(), 0, nullptr, step.value, result))
                        return tquickend::kGaveUp;
                    texts[top] = nullptr;
                    stack[top++] = result;
                    break;
                }
            }
            if (!binary(step.op, record.number, step.value, result)) return tquickend::kFailed;
            if constexpr (kTexts) texts[top] = nullptr;
            stack[top++] = result;
            break;
        }
        case tkind::kNameText:
            if constexpr (kTexts) {
                const tvar& record = *names[step.name].record;
                const std::string& literal =
                    form.tokens[static_cast<std::size_t>(step.value)].value;
                const std::string* text = record.type != kTypeInt ? &record.text() : nullptr;
                if (!compareTexts(step.op, text, record.number, &literal, 0, result))
                    return tquickend::kGaveUp;
                texts[top] = nullptr;
                stack[top++] = result;
            }
            break;
        case tkind::kBinary:
            --top;
            if constexpr (kTexts) {
                if (texts[top - 1] || texts[top]) {
                    // Only comparisons meet texts, and nothing has changed
                    // before one: giving up here leaves the form untouched.
                    if (!compareTexts(step.op, texts[top - 1], stack[top - 1], texts[top],
                                      stack[top], result))
                        return tquickend::kGaveUp;
                    stack[top - 1] = result;
                    texts[top - 1] = nullptr;
                    break;
                }
            }
            if (!binary(step.op, stack[top - 1], stack[top], result)) return tquickend::kFailed;
            stack[top - 1] = result;
            break;
        case tkind::kUnary:
            stack[top - 1] = step.op == '!' ? stack[top - 1] == 0 : ~stack[top - 1];
            break;
        case tkind::kAssign:
            top -= 2;
            writeSlot(names[form.quickTarget], stack[top + 1]);
            break;
        case tkind::kCompound:
            top -= 2;
            if (!integerResult(step.op, stack[top], stack[top + 1], result))
                return tquickend::kFailed;
            writeSlot(names[form.quickTarget], result);
            break;
        case tkind::kNameIncrement: {
            const tquickslot& name = names[step.name];
            if constexpr (kTexts) texts[top] = nullptr;
            stack[top++] = name.record->number;
            result = incremented(name, step.op);
            if (isPrefix(step.op)) {
                if constexpr (kTexts) texts[top] = nullptr;
                stack[top++] = result;
            }
            break;
        }
        case tkind::kIncrement: break;  // always joined with the name before it
        }
    }
    // With an empty stack the target's new value is the result.
    value = top > 0 ? stack[top - 1] : names[form.quickTarget].record->number;
    return tquickend::kRan;
}

// What a quick run gives for its integer `value`: the integer, its digits
// when a text is wanted, and whether it holds.
inline texpression::tquickrun texpression::quickGives(int32_t value, twant want,
                                                      std::string* text) {
    lastInteger = want <= twant::kNumber;
    if (lastInteger) {
        lastNumber = value;
        if (want == twant::kText) assignDecimal(*text, value);
    }
    return value != 0 ? tquickrun::kTrue : tquickrun::kFalse;
}

texpression::tquickrun texpression::quickRun(int32_t line, tnode& node, const tcompiled& form,
                                             twant want, std::string* text) {
    if (form.quickMisses >= kQuickMissLimit) return tquickrun::kNotRun;
    tquickslot slots[kQuickNames];
    const tquickslot* names = nullptr;
    const tquickfound found =
        quickNames(form, node, slots, names) ? quickValues(form, names) : tquickfound::kMissing;
    if (found == tquickfound::kMissing) {
        ++form.quickMisses;
        return tquickrun::kNotRun;
    }
    int32_t value = 0;
    const tquickend end = form.quickLiterals || found == tquickfound::kTexts
                              ? quickTextSteps(form, names, value)
                              : quickSteps<false>(form, names, value);
    if (end == tquickend::kFailed) {
        quickFailed(line, node, form, text);
        return tquickrun::kFalse;
    }
    if (end == tquickend::kGaveUp) {
        ++form.quickMisses;
        return tquickrun::kNotRun;
    }
    return quickGives(value, want, text);
}

// A form that is one name, as most results and many conditions are: the
// name is found as the quick run finds it, but not kept (for one name
// that would cost as much as finding it), and no step runs.
texpression::tquickrun texpression::quickSingle(tnode& node, const tcompiled& form, twant want,
                                                std::string* text) {
    if (form.quickMisses >= kQuickMissLimit) return tquickrun::kNotRun;
    const tctoken& token = form.tokens[form.quickNames.front()];
    tnode* where = &node;
    const tvar* record = quickFind(node, token, where);
    int32_t value = 0;
    if (!record || record->type != kTypeInt || !record->exactNumber(value)) {
        ++form.quickMisses;
        return tquickrun::kNotRun;
    }
    return quickGives(value, want, text);
}

texpression::tquickend texpression::quickTextSteps(const tcompiled& form, const tquickslot* names,
                                                   int32_t& value) {
    return quickSteps<true>(form, names, value);
}

// A division or remainder by zero: reported as the long way reports it,
// after the changes the tokens before it made, as there.
void texpression::quickFailed(int32_t line, tnode& node, const tcompiled& form, std::string* text) {
    tstate s(form, line, node);
    invalid(s);
    lastInteger = false;
    if (text) text->assign(1, '0');
}

}  // namespace velmo
