// The evaluator's token loop and its quick paths: a plain name whose
// token knows where its variable is or that can only call a story
// function or built-in, a string literal appended by the "+" after it,
// an operator on two integers and an assignment's target that nothing
// reads are handled here at once; everything else takes the long way
// through the other evaluator files, which decide every case.

#include "script/expressionstate.h"
#include "script/intops.h"

namespace velmo {

// Every token in order, until one fails. Calls of story functions recurse
// through here, so the functions on that path keep their frames small:
// what needs temporaries lives in helpers that have returned before the
// call is made.
void texpression::run(tstate& s) {
    const tctoken* at = s.form.tokens.data();
    const tctoken* const end = at + s.form.tokens.size();
    if (s.form.targetFirst) at = runAssignment(s);
    for (; at != end; ++at) {
        if (failed) return;
        const tctoken& token = *at;
        switch (token.kind) {
        case ttokenkind::kName:
            if (token.index || !token.path.empty()) {
                token.index ? evalIndexedName(s, token) : evalName(s, token);
            } else if (!quickVariable(s, token) && !quickCall(s, token)) {
                // A name that no variable list has ever held is no
                // variable: the search for a node of that name decides.
                if (tvarlist::heldNames().mayHoldHashed(token.textHash)) {
                    evalName(s, token);
                } else {
                    resolveNode(s, token, *s.node, false, token.text);
                    s.previous = token.text;
                }
            }
            continue;  // the name itself has become the previous token
        case ttokenkind::kNumber: operands.PushSlot().setInteger(token.number); break;
        case ttokenkind::kOperator:
            if (!quickOperator(token.op)) applyOperator(s, token.op);
            break;
        case ttokenkind::kText: at = literal(s, at, end); break;
        case ttokenkind::kSkip: break;
        }
        s.previous = at->text;
    }
}

// A string literal: pushed, or appended at once by the "+" after it (the
// token returned is the last one done).
const tctoken* texpression::literal(tstate& s, const tctoken* at, const tctoken* end) {
    if (at + 1 != end && appendLiteral(s, *at, at[1])) return at + 1;
    pushLiteral(s, *s.node, at->value, at->tags.get());
    return at;
}

// A form "target ... =" whose target the context's own lists hold: the
// target's operand is pushed without its value, which "=" does not read.
// The tokens in between run here as long as each only reads (numbers,
// literals, variables found at once, operators on two operands) and
// leaves that operand alone; at the first that might do more, the
// operand gets the value the variable still has and the token loop takes
// over from that token.
const tctoken* texpression::runAssignment(tstate& s) {
    // A form whose target was read again and again (its tokens call a
    // story function) is left to the token loop.
    static constexpr uint16_t kMissLimit = 64;
    const tctoken* at = s.form.tokens.data();
    const tctoken* const last = at + s.form.tokens.size() - 1;
    tnode* where = nullptr;
    const tvar* target = s.form.targetMisses < kMissLimit
                             ? nearVariable(*s.node, at->text, at->hint, where)
                             : nullptr;
    if (!target) return at;
    const std::size_t below = operands.Count();  // operands beneath the target's
    operands.PushSlot();
    s.lastFound = where;
    s.lastHint = &at->hint;
    takeTarget(s, *at, *where, at->text);
    s.previous = at->text;
    for (++at; at != last && !failed; ++at)
        if (!readingStep(s, at, operands.Count() - below - 1)) break;
    if (failed) return at;  // the token loop stops at once
    if (at == last && operands.Count() == below + 2) {
        applyOperator(s, '=');
        return last + 1;
    }
    // Nothing has changed the variable since.
    operands.Peek(operands.Count() - below - 1)->setVariable(*target, s.targetName);
    ++s.form.targetMisses;
    return at;
}

// One token of the tokens between a target and its "=", when it only
// reads and takes no more than the `above` operands above the target's;
// false, having done nothing, for any other.
bool texpression::readingStep(tstate& s, const tctoken*& at, std::size_t above) {
    const tctoken& token = *at;
    switch (token.kind) {
    case ttokenkind::kName: return !token.index && token.path.empty() && quickVariable(s, token);
    case ttokenkind::kNumber: operands.PushSlot().setInteger(token.number); break;
    case ttokenkind::kOperator:
        if (above < 2 || !takesTwoGivesOne(token.op)) return false;
        if (!quickOperator(token.op)) applyOperator(s, token.op);
        break;
    case ttokenkind::kText:
        // (The "+" after the literal takes the operand below it.)
        if (above >= 1 && appendLiteral(s, token, at[1])) {
            ++at;
        } else {
            pushLiteral(s, *s.node, token.value, token.tags.get());
        }
        break;
    case ttokenkind::kSkip: break;
    }
    s.previous = at->text;
    return true;
}

// A variable found where the long way looks first (the context's own
// list, then its owner's) through the token's hint is the one the long
// way would find.
inline bool texpression::quickVariable(tstate& s, const tctoken& token) {
    tnode* where = nullptr;
    const tvar* variable = nearVariable(*s.node, token.text, token.hint, where);
    if (!variable) return false;
    pushFound(s, token, *variable, *where, token.text);
    s.previous = token.text;
    return true;
}

// A name that is certainly no variable (no list has ever held it) and
// whose token's last search for a child found a story function or none,
// nothing that search depends on having changed since: the long way would
// call that function, or the built-in of that name, so it is called at
// once.
inline bool texpression::quickCall(tstate& s, const tctoken& token) {
    if (!lookupKept(token, *s.node) || tvarlist::heldNames().mayHoldHashed(token.textHash))
        return false;
    if (tnode* found = token.lookupFound) {
        if (found->getKind() != kKindFunction) return false;
        callFunction(s, *found);
    } else if (token.builtin) {
        callBuiltin(s, *token.builtin, *s.node);
    } else {
        return false;
    }
    s.previous = token.text;
    return true;
}

// A string literal without markup that a "+" follows: the "+" appends
// any operand it meets to a text, so the literal goes straight behind
// the text of the operand below it, as the "+" would put it. False when
// there is no such operand or the literal needs the long way.
inline bool texpression::appendLiteral(tstate& s, const tctoken& literal, const tctoken& next) {
    if (literal.tags || next.kind != ttokenkind::kOperator || next.op != '+') return false;
    toperand* a = operands.Peek();
    if (!a) return false;
    if (appendText(s, *a, literal.value)) a->becomeText();
    return true;
}

// Integers compare as integers; "==" and "!=" compare texts, which for two
// integers not yet written out is the same.
inline bool texpression::quickOperator(unsigned char op) {
    toperand* b = operands.Peek(0);
    toperand* a = operands.Peek(1);
    if (!a || !b || !a->hasNumber || !b->hasNumber || a->type != kTypeInt || b->type != kTypeInt)
        return false;
    const int32_t x = a->number;
    const int32_t y = b->number;
    int32_t result = 0;
    switch (op) {
    case '<': result = x < y; break;
    case '>': result = x > y; break;
    case kOpLessEq: result = x <= y; break;
    case kOpGreaterEq: result = x >= y; break;
    case kOpEqual:
    case kOpNotEqual:
        if (!a->lazy || !b->lazy) return false;
        result = (x == y) == (op == kOpEqual);
        break;
    default:
        // Assignments and the rest go the long way, and so does a division
        // by zero, which the long way reports.
        if (!isArithmetic(op) || !integerResult(op, x, y, result)) return false;
        break;
    }
    a->setInteger(result);
    operands.Drop(1);
    return true;
}

}  // namespace velmo
