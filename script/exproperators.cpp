// The evaluator's operators. Integer arithmetic wraps around in 32 bits
// (computed unsigned, so an overflow is defined); division and remainder
// by zero are invalid operations.

#include <climits>
#include <cstdint>
#include <utility>

#include "game/wstrlib.h"
#include "script/expressionstate.h"
#include "script/postfix.h"

namespace velmo {

namespace {

int32_t wrap(uint32_t value) { return static_cast<int32_t>(value); }
uint32_t bits(int32_t value) { return static_cast<uint32_t>(value); }

bool isFalse(const toperand& operand) { return operand.value == "0"; }

// The integer operation `op` on a and b; false for a division or
// remainder by zero.
bool integerResult(unsigned char op, int32_t a, int32_t b, int32_t& out) {
    switch (op) {
    case '+': case kOpAddTo: out = wrap(bits(a) + bits(b)); return true;
    case '-': case kOpSubFrom: out = wrap(bits(a) - bits(b)); return true;
    case '*': case kOpMulBy: out = wrap(bits(a) * bits(b)); return true;
    case '/': case kOpDivBy:
        if (b == 0) return false;
        out = (a == INT32_MIN && b == -1) ? INT32_MIN : a / b;  // the one quotient that overflows
        return true;
    case '%': case kOpModBy:
        if (b == 0) return false;
        out = b == -1 ? 0 : a % b;
        return true;
    case '&': out = a & b; return true;
    case '|': out = a | b; return true;
    case '^': out = a ^ b; return true;
    case kOpShiftLeft: out = wrap(bits(a) << (bits(b) & 31u)); return true;
    case kOpShiftRight: out = wrap(bits(a) >> (bits(b) & 31u)); return true;
    default: return false;
    }
}

} // namespace

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
    switch (op) {
    case '+': case '-': case '*': case '/': case '%':
    case '&': case '|': case '^': case kOpShiftLeft: case kOpShiftRight:
        arithmetic(s, op);
        return;
    case '<': case '>': case kOpLessEq: case kOpGreaterEq: case kOpEqual: case kOpNotEqual:
    case kOpAnd: case kOpOr:
        compare(s, op);
        return;
    case '!': case '~': {
        toperand* a = operands.Peek();
        if (!a) {
            invalid(s);
            return;
        }
        int32_t n = 0;
        if (op == '!') {
            a->setInteger(isFalse(*a) ? 1 : 0);
        } else if (integer(s, *a, n)) {
            a->setInteger(~n);
        }
        return;
    }
    case ':': choose(s); return;
    case '=': case kOpAddTo: case kOpSubFrom: case kOpMulBy: case kOpDivBy: case kOpModBy:
        compound(s, op);
        return;
    case kOpPostInc: case kOpPostDec: case kOpPreInc: case kOpPreDec: increment(s, op); return;
    default: return;
    }
}

// The result replaces the left operand; the right one is dropped.
void texpression::arithmetic(tstate& s, unsigned char op) {
    toperand *a, *b;
    if (!peekTwo(s, a, b)) return;
    if (op == '+' && (a->type != kTypeInt || b->type != kTypeInt)) {
        a->value += b->value;
        a->type = kTypeText;
        a->name.assign(1, 'Q');
        a->hasNumber = false;
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
    case kOpEqual: truth = a->value == b->value; break;
    case kOpNotEqual: truth = a->value != b->value; break;
    case kOpAnd: truth = !isFalse(*a) && !isFalse(*b); break;
    case kOpOr: truth = !isFalse(*a) || !isFalse(*b); break;
    default: {
        int order = 0;
        if (a->type != kTypeInt) {
            order = a->value.compare(b->value);  // bytes compared unsigned
        } else {
            int32_t x = 0, y = 0;
            if (!integer(s, *a, x) || !integer(s, *b, y)) return;
            order = x < y ? -1 : (x > y ? 1 : 0);
        }
        truth = op == '<' ? order < 0
              : op == '>' ? order > 0
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
    toperand& chosen = isFalse(*condition) ? *whenFalse : *whenTrue;
    if (textual) {
        std::swap(condition->value, chosen.value);
        condition->type = kTypeText;
        condition->name.assign(1, 'Q');
        condition->hasNumber = false;
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
        a->value += b->value;
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
    const tvar* record = variableIn(*s.targetNode, s.targetName, s.line, bad, &s.targetHint);
    if (!record) {
        if (!bad) vars.setValue(s.targetName, value.value, s.line);  // reports the name
        invalid(s);
        return;
    }
    vars.at(static_cast<std::size_t>(record - vars.Records().data())).value.swap(value.value);
}

// "++" and "--" change the variable named by the previous token, in the
// node where the last variable was found. The postfix forms push nothing
// (the variable's old value is already on the stack); the prefix forms
// push the new value.
void texpression::increment(tstate& s, unsigned char op) {
    tnode& where = s.lastFound ? *s.lastFound : *s.node;
    tvar* variable = where.vars.find(s.previous, s.line);
    if (!variable || variable->value.empty()) {
        invalid(s);
        return;
    }
    const bool up = op == kOpPostInc || op == kOpPreInc;
    const int32_t n = wrap(bits(toNumber(variable->value)) + (up ? 1u : ~0u));
    variable->value = std::to_string(n);
    if (op == kOpPreInc || op == kOpPreDec) operands.PushSlot().setInteger(n);
}

} // namespace velmo
