#ifndef VELMO_SCRIPT_INTOPS_H
#define VELMO_SCRIPT_INTOPS_H

// The integer arithmetic of the story language: 32 bits that wrap around
// (computed unsigned, so an overflow is defined), shifts without sign
// that take the count modulo 32, and division and remainder by zero as
// the one failure.

#include <climits>
#include <cstdint>

#include "script/postfix.h"

namespace velmo {

inline int32_t wrapInt(uint32_t value) { return static_cast<int32_t>(value); }
inline uint32_t intBits(int32_t value) { return static_cast<uint32_t>(value); }

// True for the binary arithmetic operators (not the compound
// assignments): + - * / % & | ^ << >>.
inline bool isArithmetic(unsigned char op) {
    switch (op) {
    case '+':
    case '-':
    case '*':
    case '/':
    case '%':
    case '&':
    case '|':
    case '^':
    case kOpShiftLeft:
    case kOpShiftRight: return true;
    default: return false;
    }
}

// True for the comparisons: < > <= >= == !=.
inline bool isComparison(unsigned char op) {
    return op == '<' || op == '>' || op == kOpLessEq || op == kOpGreaterEq || op == kOpEqual ||
           op == kOpNotEqual;
}

// True for the operators that take two operands and give one, reading
// nothing else: the arithmetic ones, the comparisons and "&&", "||".
inline bool takesTwoGivesOne(unsigned char op) {
    return isArithmetic(op) || isComparison(op) || op == kOpAnd || op == kOpOr;
}

// The integer operation `op` (an arithmetic operator or compound
// assignment) on a and b; false for a division or remainder by zero and
// for anything that is no such operator.
inline bool integerResult(unsigned char op, int32_t a, int32_t b, int32_t& out) {
    switch (op) {
    case '+':
    case kOpAddTo: out = wrapInt(intBits(a) + intBits(b)); return true;
    case '-':
    case kOpSubFrom: out = wrapInt(intBits(a) - intBits(b)); return true;
    case '*':
    case kOpMulBy: out = wrapInt(intBits(a) * intBits(b)); return true;
    case '/':
    case kOpDivBy:
        if (b == 0) return false;
        out = (a == INT32_MIN && b == -1) ? INT32_MIN : a / b;  // the one quotient that overflows
        return true;
    case '%':
    case kOpModBy:
        if (b == 0) return false;
        out = b == -1 ? 0 : a % b;
        return true;
    case '&': out = a & b; return true;
    case '|': out = a | b; return true;
    case '^': out = a ^ b; return true;
    case kOpShiftLeft: out = wrapInt(intBits(a) << (intBits(b) & 31u)); return true;
    case kOpShiftRight: out = wrapInt(intBits(a) >> (intBits(b) & 31u)); return true;
    default: return false;
    }
}

}  // namespace velmo

#endif
