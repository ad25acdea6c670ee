// The evaluator's quick run: an expression made of plain names, numbers
// and operators on integers runs on a small array of integers, without
// operands, texts or the name lookup, when every name is a variable of
// the context's own list or of its owner's (a function's object) where
// its token found it last, and holds an integer. The plan (made once,
// when the expression is compiled) checks the shape of the stack; the run
// checks the names first and gives up before it changes anything, so the
// long way can then run the whole expression as if nothing had been
// tried.

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
    if (isArithmetic(op)) {
        kind = tkind::kBinary;
        return true;
    }
    switch (op) {
    case '<':
    case '>':
    case kOpLessEq:
    case kOpGreaterEq:
    case kOpEqual:
    case kOpNotEqual:
    case kOpAnd:
    case kOpOr: kind = tkind::kBinary; return true;
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
bool binary(unsigned char op, int32_t x, int32_t y, int32_t& out) {
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

// An element "name[index]" that the long way takes straight from its array
// when the index is an integer, with an index that is a number or a plain
// name.
bool simpleElement(const tctoken& token) {
    if (!token.plainElement || token.index->index->tokens.size() != 1) return false;
    const tctoken& index = token.index->index->tokens.front();
    if (index.kind == ttokenkind::kNumber) return true;
    return index.kind == ttokenkind::kName && !index.index && index.path.empty() &&
           !index.builtin;
}

// "object.name" with a path of one part that is neither "actor",
// "player" nor "super", and a name that may be a variable.
bool simplePath(const tctoken& token) {
    if (token.path.size() != 1 || token.builtin) return false;
    const std::string& part = token.path.front();
    return part != "actor" && part != "player" && part != "super";
}

}  // namespace

// Walks the stack the tokens would build, with a mark on the slot that
// holds the assignment target's own value: that value must be an integer
// when anything but the assignment reads it.
void planQuickRun(tcompiled& form) {
    std::vector<tquickstep> steps;
    std::vector<uint32_t> names;
    bool marks[kQuickDepth] = {};
    std::size_t top = 0;
    int32_t target = -1;
    bool targetRead = false;
    bool hasElements = false;
    const auto pop = [&](std::size_t n, bool readsTarget) {
        for (std::size_t k = 0; k < n; ++k)
            if (marks[--top] && readsTarget) targetRead = true;
    };
    for (std::size_t i = 0; i < form.tokens.size(); ++i) {
        const tctoken& token = form.tokens[i];
        if (top == kQuickDepth) return;
        tkind kind = tkind::kNumber;
        switch (token.kind) {
        case ttokenkind::kNumber:
            steps.push_back({tkind::kNumber, 0, token.number});
            marks[top++] = false;
            continue;
        case ttokenkind::kName: {
            if (token.index) {
                if (!simpleElement(token)) return;
                hasElements = true;
            } else if (!token.path.empty()) {
                if (!simplePath(token)) return;
                hasElements = true;  // its object is found before the run, as an element
            } else if (token.builtin) {
                return;
            }
            if (names.size() == kQuickNames) return;
            const bool isTarget = form.assigns && token.targetCandidate && target < 0;
            if (isTarget) target = static_cast<int32_t>(names.size());
            steps.push_back({tkind::kName, 0, static_cast<int32_t>(names.size())});
            names.push_back(static_cast<uint32_t>(i));
            marks[top++] = isTarget;
            continue;
        }
        case ttokenkind::kOperator:
            if (!operatorKind(token.op, kind)) return;
            break;
        default: return;
        }
        steps.push_back({kind, token.op, 0});
        switch (kind) {
        case tkind::kBinary:
        case tkind::kUnary: {
            const std::size_t n = kind == tkind::kBinary ? 2 : 1;
            if (top < n) return;
            pop(n, true);
            marks[top++] = false;
            break;
        }
        case tkind::kAssign:
            if (top < 2 || target < 0) return;
            pop(1, true);   // the value assigned
            pop(1, false);  // whatever stands below it is not read
            break;
        case tkind::kCompound:
            if (top < 2 || target < 0) return;
            pop(2, true);
            break;
        case tkind::kIncrement:
            // It changes the variable that the name right before it found;
            // the long way finds the name after a path again on its own.
            if (i == 0 || form.tokens[i - 1].kind != ttokenkind::kName ||
                !form.tokens[i - 1].path.empty())
                return;
            if (static_cast<int32_t>(names.size()) - 1 == target) targetRead = true;
            if (token.op == kOpPreInc || token.op == kOpPreDec) marks[top++] = false;
            break;
        default: break;
        }
    }
    if (top == 0 && target < 0) return;  // nothing to give: the long way reports it
    if (hasElements && changesBeforeTheEnd(steps)) return;
    if (top > 0 && marks[top - 1]) targetRead = true;
    const bool copy = steps.size() == 3 && steps[0].kind == tkind::kName &&
                      steps[1].kind == tkind::kName && steps[2].kind == tkind::kAssign &&
                      target == 0;
    form.quick = !copy;
    form.quickCopy = copy;
    form.quickSteps = std::move(steps);
    form.quickNames = std::move(names);
    form.quickTarget = target;
    form.quickTargetRead = targetRead;
}

// One name of a quick run: the list it was found in and the record.
struct texpression::tquickname {
    tvarlist* list;
    const tvar* record;
    tvar& assign() const {
        return list->Assign(static_cast<std::size_t>(record - list->RecordsAsTheyAre().data()));
    }
    void write(int32_t n) const { assign().setInteger(n); }
};

// Finds every name as the long way would find it first. False when one
// is not found so or holds no integer (the target alone may hold anything
// while only the assignment reads it).
bool texpression::quickNames(const tcompiled& form, tnode& node, tquickname* names) {
    tnode* context = &node;
    const int32_t count = static_cast<int32_t>(form.quickNames.size());
    for (int32_t i = 0; i < count; ++i) {
        const tctoken& token = form.tokens[form.quickNames[static_cast<std::size_t>(i)]];
        tnode* where = context;
        const tvar* found = token.farName ? quickFarName(*context, token, where)
                                : nearVariable(*context, token.text, token.hint, where);
        if (!found) return false;
        const tvar& variable = *found;
        if (i == form.quickTarget) {
            if (form.quickTargetRead && !holdsInteger(variable)) return false;
            // The rest runs in the context of the node's caller, as the
            // long way's target does.
            if (context->caller) context = context->caller;
        } else if (!holdsInteger(variable)) {
            return false;
        }
        names[i] = tquickname{&where->vars, &variable};
    }
    return true;
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
        object = root.findChild(holder->text());
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
    const int64_t position = (first - records.data()) + int64_t{element};
    if (position < 0 || position >= static_cast<int64_t>(records.size())) return nullptr;
    return &records[static_cast<std::size_t>(position)];
}

// The name token `place` among the form's quick names, found as the long
// way finds it first (see quickNames), with the list it lies in.
bool texpression::quickName(const tcompiled& form, std::size_t place, tnode& context,
                            tquickname& name) {
    const tctoken& token = form.tokens[form.quickNames[place]];
    tnode* where = &context;
    name.record = token.farName ? quickFarName(context, token, where)
                                : nearVariable(context, token.text, token.hint, where);
    name.list = &where->vars;
    return name.record != nullptr;
}

// "a = b": a gets b's integer or a copy of b's text, as the long way's
// assignment gives it. Only for a statement of its own: a text value
// would have to be given back.
bool texpression::quickCopy(tnode& node, const tcompiled& form) {
    if (form.quickMisses >= kQuickMissLimit) return false;
    tquickname target{};
    tquickname source{};
    tnode* context = node.caller ? node.caller : &node;  // after the target, as the long way
    if (!quickName(form, 0, node, target) || !quickName(form, 1, *context, source)) {
        ++form.quickMisses;
        return false;
    }
    int32_t n = 0;
    if (source.record->exactNumber(n))
        target.write(n);
    else
        target.assign().setText(std::string(source.record->value));
    return true;
}

bool texpression::quickRun(int32_t line, tnode& node, const tcompiled& form, twant want,
                           std::string* text, bool& truth) {
    if (form.quickMisses >= kQuickMissLimit) return false;
    tquickname names[kQuickNames];
    if (!quickNames(form, node, names)) {
        ++form.quickMisses;
        return false;
    }
    int32_t stack[kQuickDepth];
    std::size_t top = 0;
    const tquickname* last = nullptr;
    for (const tquickstep& step : form.quickSteps) {
        int32_t result = 0;
        switch (step.kind) {
        case tkind::kNumber: stack[top++] = step.value; break;
        case tkind::kName:
            last = &names[step.value];
            stack[top++] = last->record->number;  // valid for every integer read
            break;
        case tkind::kBinary:
            --top;
            if (!binary(step.op, stack[top - 1], stack[top], result))
                return quickFailed(line, node, form, text, truth);
            stack[top - 1] = result;
            break;
        case tkind::kUnary:
            stack[top - 1] = step.op == '!' ? stack[top - 1] == 0 : ~stack[top - 1];
            break;
        case tkind::kAssign:
            top -= 2;
            names[form.quickTarget].write(stack[top + 1]);
            break;
        case tkind::kCompound:
            top -= 2;
            if (!integerResult(step.op, stack[top], stack[top + 1], result))
                return quickFailed(line, node, form, text, truth);
            names[form.quickTarget].write(result);
            break;
        case tkind::kIncrement: {
            const bool up = step.op == kOpPostInc || step.op == kOpPreInc;
            result = wrapInt(intBits(last->record->number) + (up ? 1u : ~0u));
            last->write(result);
            if (step.op == kOpPreInc || step.op == kOpPreDec) stack[top++] = result;
            break;
        }
        }
    }
    // With an empty stack the target's new value is the result.
    const int32_t value = top > 0 ? stack[top - 1] : names[form.quickTarget].record->number;
    truth = value != 0;
    if (want == twant::kText) {
        char digits[kMaxIntDigits];
        text->assign(digits, decimalText(value, digits));
        lastInteger = true;
        lastNumber = value;
    }
    return true;
}

// A division or remainder by zero: reported as the long way reports it,
// after the changes the tokens before it made, as there.
bool texpression::quickFailed(int32_t line, tnode& node, const tcompiled& form, std::string* text,
                              bool& truth) {
    tstate s(form, line, node);
    invalid(s);
    if (text) text->assign(1, '0');
    truth = false;
    return true;
}

}  // namespace velmo
