// The evaluator's operators, all cases (the token loop handles integer
// operands itself when it can). Integer arithmetic is in script/intops.h.

#include <climits>
#include <cstdint>
#include <utility>

#include "base/wstrlib.h"
#include "script/expressionstate.h"
#include "script/intops.h"
#include "script/postfix.h"

namespace velmo {

namespace {

// Equal texts; two integers not yet written out compare as integers.
bool sameText(toperand& a, toperand& b) {
    if (a.lazy && b.lazy) return a.number == b.number;
    return a.text() == b.text();
}

}  // namespace

// The two operands of a binary operator, left and right, in place on the
// stack; false after the report when there are fewer.
bool texpression::peekTwo(tstate& s, toperand*& a, toperand*& b) {
    b = operands.Peek(0);
    a = operands.Peek(1);
    if (a && b) return true;
    invalid(s);
    return false;
}

// The integer of an operand: the one it carries, else its text read as a
// number. An empty text has none.
bool texpression::integer(tstate& s, const toperand& operand, int32_t& out) {
    if (operand.hasNumber) {
        out = operand.number;
        return true;
    }
    if (operand.value.empty()) {
        invalid(s);
        return false;
    }
    out = toNumber(operand.value);
    return true;
}

void texpression::applyOperator(tstate& s, unsigned char op) {
    if (isArithmetic(op)) {
        arithmetic(s, op);
        return;
    }
    switch (op) {
    case '<':
    case '>':
    case kOpLessEq:
    case kOpGreaterEq:
    case kOpEqual:
    case kOpNotEqual:
    case kOpAnd:
    case kOpOr: compare(s, op); return;
    case '!':
    case '~': {
        toperand* a = operands.Peek();
        if (!a) {
            invalid(s);
            return;
        }
        int32_t n = 0;
        if (op == '!') {
            a->setInteger(a->isFalse() ? 1 : 0);
        } else if (integer(s, *a, n)) {
            a->setInteger(~n);
        }
        return;
    }
    case ':': choose(s); return;
    case '=':
    case kOpAddTo:
    case kOpSubFrom:
    case kOpMulBy:
    case kOpDivBy:
    case kOpModBy: compound(s, op); return;
    case kOpPostInc:
    case kOpPostDec:
    case kOpPreInc:
    case kOpPreDec: increment(s, op); return;
    default: return;
    }
}

// The result replaces the left operand; the right one is dropped.
void texpression::arithmetic(tstate& s, unsigned char op) {
    toperand *a, *b;
    if (!peekTwo(s, a, b)) return;
    if (op == '+' && (a->type != kTypeInt || b->type != kTypeInt)) {
        if (!appendText(s, *a, *b)) return;
        a->becomeText();
        operands.Drop(1);
        return;
    }
    int32_t x = 0, y = 0, result = 0;
    if (!integer(s, *a, x) || !integer(s, *b, y)) return;
    if (!integerResult(op, x, y, result)) {
        invalid(s);
        return;
    }
    a->setInteger(result);
    operands.Drop(1);
}

// Comparisons and the logical operators, all 1 or 0. Equality compares
// texts; the order compares texts bytewise when the left operand is no
// integer, else integers. "&&" and "||" look at both texts (both sides
// have been evaluated).
void texpression::compare(tstate& s, unsigned char op) {
    toperand *a, *b;
    if (!peekTwo(s, a, b)) return;
    bool truth = false;
    switch (op) {
    case kOpEqual: truth = sameText(*a, *b); break;
    case kOpNotEqual: truth = !sameText(*a, *b); break;
    case kOpAnd: truth = !a->isFalse() && !b->isFalse(); break;
    case kOpOr: truth = !a->isFalse() || !b->isFalse(); break;
    default: {
        int order = 0;
        if (a->type != kTypeInt) {
            order = a->text().compare(b->text());  // bytes compared unsigned
        } else {
            int32_t x = 0, y = 0;
            if (!integer(s, *a, x) || !integer(s, *b, y)) return;
            order = x < y ? -1 : (x > y ? 1 : 0);
        }
        truth = op == '<'         ? order < 0
                : op == '>'       ? order > 0
                : op == kOpLessEq ? order <= 0
                                  : order >= 0;
    }
    }
    a->setInteger(truth ? 1 : 0);
    operands.Drop(1);
}

// The second half of "c ? x : y": the condition and both values are on
// the stack. The type of x decides whether the choice is a text or an
// integer.
void texpression::choose(tstate& s) {
    toperand* whenFalse = operands.Peek(0);
    toperand* whenTrue = operands.Peek(1);
    toperand* condition = operands.Peek(2);
    if (!condition) {
        invalid(s);
        return;
    }
    const bool textual = whenTrue->type != kTypeInt;
    toperand& chosen = condition->isFalse() ? *whenFalse : *whenTrue;
    if (textual) {
        chosen.makeTextIfLazy();
        std::swap(condition->value, chosen.value);
        condition->type = kTypeText;
        condition->hasNumber = false;
        condition->lazy = false;
        condition->setTemporary();
        operands.Drop(2);
        return;
    }
    int32_t n = 0;
    if (!integer(s, chosen, n)) return;
    condition->setInteger(n);
    operands.Drop(2);
}

// "=" and the compound assignments: the target gets the new value and
// nothing is pushed. "+=" appends when the target's value is no integer.
void texpression::compound(tstate& s, unsigned char op) {
    toperand *a, *b;
    if (!peekTwo(s, a, b)) return;
    if (op == '=') {
        assignTarget(s, *b);
    } else if (op == kOpAddTo && a->type != kTypeInt) {
        if (!appendText(s, *a, *b)) return;
        a->hasNumber = false;
        assignTarget(s, *a);
    } else {
        int32_t x = 0, y = 0, result = 0;
        if (!integer(s, *a, x) || !integer(s, *b, y)) return;
        if (!integerResult(op, x, y, result)) {
            invalid(s);
            return;
        }
        b->setInteger(result);
        assignTarget(s, *b);
    }
    operands.Drop(2);
}

// The target is written in the node where it was found, found again
// there (through the hint, usually at once): a call in between may have
// changed the list.
void texpression::assignTarget(tstate& s, toperand& value) {
    if (!s.haveTarget) {
        invalid(s);
        return;
    }
    tvarlist& vars = s.targetNode->vars;
    bool bad = false;
    const tvar* record = targetRecord(s, bad);
    if (!record) {
        if (!bad) vars.setValue(s.targetName, value.text(), s.line);  // reports the name
        invalid(s);
        return;
    }
    tvar& written = vars.Assign(*record);
    if (value.lazy) {
        written.setInteger(value.number);
    } else {
        written.setText(std::move(value.value));  // the operand is dropped after this
    }
}

// "++" and "--" change the variable named by the previous token, in the
// node where the last variable was found. The postfix forms push nothing
// (the variable's old value is already on the stack); the prefix forms
// push the new value.
void texpression::increment(tstate& s, unsigned char op) {
    tnode& where = s.lastFound ? *s.lastFound : *s.node;
    bool bad = false;  // an index outside the list is reported by the lookup
    const tvar* variable = variableIn(where, s.previous, s.line, bad, s.lastHint);
    // (An integer's text is never empty, written out yet or not.)
    if (!variable || (!variable->exact && variable->value.empty())) {
        invalid(s);
        return;
    }
    int32_t old = 0;
    if (!variable->exactNumber(old)) old = toNumber(variable->value);
    const bool up = op == kOpPostInc || op == kOpPreInc;
    const int32_t n = wrapInt(intBits(old) + (up ? 1u : ~0u));
    tvarlist& vars = where.vars;
    vars.Assign(*variable).setInteger(n);
    if (op == kOpPreInc || op == kOpPreDec) operands.PushSlot().setInteger(n);
}

}  // namespace velmo
