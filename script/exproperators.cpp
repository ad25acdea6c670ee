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

bool texpression::popTwo(tstate& s, toperand& a, toperand& b) {
    if (operands.Pop(b) && operands.Pop(a)) return true;
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
        toperand a;
        if (!operands.Pop(a)) {
            invalid(s);
            return;
        }
        int32_t n = 0;
        if (op == '!') {
            PushInteger(operands, isFalse(a) ? 1 : 0);
        } else if (integer(s, a, n)) {
            PushInteger(operands, ~n);
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

void texpression::arithmetic(tstate& s, unsigned char op) {
    toperand a, b;
    if (!popTwo(s, a, b)) return;
    if (op == '+' && (a.type != kTypeInt || b.type != kTypeInt)) {
        a.value += b.value;
        PushText(operands, std::move(a.value), kTypeText);
        return;
    }
    int32_t x = 0, y = 0, result = 0;
    if (!integer(s, a, x) || !integer(s, b, y)) return;
    if (!integerResult(op, x, y, result)) {
        invalid(s);
        return;
    }
    PushInteger(operands, result);
}

// Comparisons and the logical operators, all 1 or 0. Equality compares
// texts; the order compares texts bytewise when the left operand is no
// integer, else integers. "&&" and "||" look at both texts (both sides
// have been evaluated).
void texpression::compare(tstate& s, unsigned char op) {
    toperand a, b;
    if (!popTwo(s, a, b)) return;
    bool truth = false;
    switch (op) {
    case kOpEqual: truth = a.value == b.value; break;
    case kOpNotEqual: truth = a.value != b.value; break;
    case kOpAnd: truth = !isFalse(a) && !isFalse(b); break;
    case kOpOr: truth = !isFalse(a) || !isFalse(b); break;
    default: {
        int order = 0;
        if (a.type != kTypeInt) {
            order = a.value.compare(b.value);  // bytes compared unsigned
        } else {
            int32_t x = 0, y = 0;
            if (!integer(s, a, x) || !integer(s, b, y)) return;
            order = x < y ? -1 : (x > y ? 1 : 0);
        }
        truth = op == '<' ? order < 0
              : op == '>' ? order > 0
              : op == kOpLessEq ? order <= 0
                                : order >= 0;
    }
    }
    PushInteger(operands, truth ? 1 : 0);
}

// The second half of "c ? x : y": the condition and both values are on
// the stack. The type of x decides whether the choice is a text or an
// integer.
void texpression::choose(tstate& s) {
    toperand whenFalse, whenTrue, condition;
    if (!operands.Pop(whenFalse) || !operands.Pop(whenTrue) || !operands.Pop(condition)) {
        invalid(s);
        return;
    }
    const bool textual = whenTrue.type != kTypeInt;
    toperand& chosen = isFalse(condition) ? whenFalse : whenTrue;
    if (textual) {
        PushText(operands, std::move(chosen.value), kTypeText);
        return;
    }
    int32_t n = 0;
    if (integer(s, chosen, n)) PushInteger(operands, n);
}

// "=" and the compound assignments: the target gets the new value and
// nothing is pushed. "+=" appends when the target's value is no integer.
void texpression::compound(tstate& s, unsigned char op) {
    toperand a, b;
    if (!popTwo(s, a, b)) return;
    if (op == '=') {
        assignTarget(s, b.value);
        return;
    }
    if (op == kOpAddTo && a.type != kTypeInt) {
        assignTarget(s, a.value + b.value);
        return;
    }
    int32_t x = 0, y = 0, result = 0;
    if (!integer(s, a, x) || !integer(s, b, y)) return;
    if (!integerResult(op, x, y, result)) {
        invalid(s);
        return;
    }
    assignTarget(s, std::to_string(result));
}

void texpression::assignTarget(tstate& s, const std::string& value) {
    if (!s.haveTarget) {
        invalid(s);
        return;
    }
    if (!s.targetNode->vars.setValue(s.targetName, value, s.line)) invalid(s);
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
    if (op == kOpPreInc || op == kOpPreDec) PushInteger(operands, n);
}

} // namespace velmo
