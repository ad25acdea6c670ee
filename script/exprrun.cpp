// The evaluator's token loop and its quick paths: a plain name whose
// token knows where its variable is, and an operator on two integers, are
// handled here at once; everything else takes the long way through the
// other evaluator files, which decide every case.

#include "script/expressionstate.h"
#include "script/intops.h"

namespace velmo {

// Every token in order, until one fails. Calls of story functions recurse
// through here, so the functions on that path keep their frames small:
// what needs temporaries lives in helpers that have returned before the
// call is made.
void texpression::run(tstate& s) {
    if (s.form.targetFirst) {
        runAssignment(s);
    } else {
        runFrom(s, s.form.tokens.data());
    }
}

// The tokens from `from` on.
void texpression::runFrom(tstate& s, const tctoken* from) {
    const tctoken* const end = s.form.tokens.data() + s.form.tokens.size();
    for (const tctoken* at = from; at != end; ++at) {
        if (failed) return;
        const tctoken& token = *at;
        switch (token.kind) {
        case ttokenkind::kName:
            if (token.index) {
                evalIndexedName(s, token);
            } else if (!token.path.empty() ||
                       (!(token.builtin && quickBuiltin(s, token)) && !quickVariable(s, token))) {
                evalName(s, token);
            }
            continue;  // the name itself has become the previous token
        case ttokenkind::kNumber: operands.PushSlot().setInteger(token.number); break;
        case ttokenkind::kOperator:
            if (!quickOperator(token.op)) applyOperator(s, token.op);
            break;
        case ttokenkind::kText:
            if (at + 1 != end && appendLiteral(s, token, at[1])) {
                ++at;  // the "+" is done
            } else {
                pushLiteral(s, *s.node, token.value, token.tags.get());
            }
            break;
        case ttokenkind::kSkip: break;
        }
        s.previous = at->text;
    }
}

// A form "target ... =" whose target the context's own lists hold: the
// target's operand is pushed without its value, which "=" does not read.
// The tokens in between run here as long as each only reads (numbers,
// literals, variables found at once, operators on two operands) and
// leaves that operand alone; at the first that might do more, the
// operand gets the value the variable still has and the token loop takes
// over from that token.
void texpression::runAssignment(tstate& s) {
    // A form whose target was read again and again (its tokens call a
    // story function) is left to the token loop.
    static constexpr uint16_t kMissLimit = 64;
    const tctoken* at = s.form.tokens.data();
    const tctoken* const last = at + s.form.tokens.size() - 1;
    tnode* where = nullptr;
    const tvar* target = s.form.targetMisses < kMissLimit
                             ? nearVariable(*s.node, at->text, at->hint, where)
                             : nullptr;
    if (!target) {
        runFrom(s, at);
        return;
    }
    const std::size_t below = operands.Count();  // operands beneath the target's
    operands.PushSlot();
    s.lastFound = where;
    s.lastHint = &at->hint;
    takeTarget(s, *at, *where, at->text);
    s.previous = at->text;
    for (++at; at != last; ++at) {
        if (failed) return;
        const std::size_t above = operands.Count() - below - 1;
        if (!readingStep(s, at, above)) break;
    }
    if (failed) return;
    if (at != last || operands.Count() != below + 2) {
        // Nothing has changed the variable since.
        operands.Peek(operands.Count() - below - 1)->setVariable(*target, s.targetName);
        ++s.form.targetMisses;
        runFrom(s, at);
        return;
    }
    applyOperator(s, '=');
}

// One token of the tokens between a target and its "=", when it only
// reads and takes no more than the `above` operands above the target's;
// false, having done nothing, for any other.
bool texpression::readingStep(tstate& s, const tctoken*& at, std::size_t above) {
    const tctoken& token = *at;
    switch (token.kind) {
    case ttokenkind::kName:
        return !token.index && token.path.empty() && quickVariable(s, token);
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

// A built-in's name that is certainly no variable (no list has ever held
// it) and no node (its token's last search for a child found none, and
// nothing that search depends on has changed): the long way would end at
// the built-in too, so it is called at once.
inline bool texpression::quickBuiltin(tstate& s, const tctoken& token) {
    if (token.lookupFound || token.lookupFrom != s.node ||
        token.lookupCount != tnode::lookupChanges() ||
        tvarlist::heldNames().mayHoldHashed(token.textHash))
        return false;
    callBuiltin(s, *token.builtin, *s.node);
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
