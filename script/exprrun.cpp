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
    for (const tctoken& token : s.form.tokens) {
        if (failed) return;
        switch (token.kind) {
        case ttokenkind::kName:
            if (token.index || !token.path.empty()) {
                token.index ? evalIndexedName(s, token) : evalName(s, token);
            } else if (!quickVariable(s, token)) {
                // A name that no variable list has ever held is no
                // variable: mostly a call of a story function.
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
        case ttokenkind::kText: pushLiteral(s, *s.node, token.value, token.tags.get()); break;
        case ttokenkind::kSkip: break;
        }
        s.previous = token.text;
    }
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
