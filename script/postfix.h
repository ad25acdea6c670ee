#ifndef VELMO_SCRIPT_POSTFIX_H
#define VELMO_SCRIPT_POSTFIX_H

// Operator encoding: two-character operators become single bytes
// 0x80-0x90, so that every later step sees an operator as one character.

#include <string>
#include <string_view>

namespace velmo {

enum : unsigned char {
    kOpEqual = 0x80,      // ==
    kOpNotEqual = 0x81,   // !=
    kOpLessEq = 0x82,     // <=
    kOpGreaterEq = 0x83,  // >=
    kOpAddTo = 0x84,      // +=
    kOpSubFrom = 0x85,    // -=
    kOpMulBy = 0x86,      // *=
    kOpDivBy = 0x87,      // /=
    kOpModBy = 0x88,      // %=
    kOpPostInc = 0x89,    // ++ not followed by a letter
    kOpPostDec = 0x8A,    // -- not followed by a letter
    kOpAnd = 0x8B,        // &&
    kOpOr = 0x8C,         // ||
    kOpPreInc = 0x8D,     // ++ followed by a letter
    kOpPreDec = 0x8E,     // -- followed by a letter
    kOpShiftLeft = 0x8F,  // <<
    kOpShiftRight = 0x90, // >>
};

// Replaces the two-character operators outside double quotes by their
// one-byte codes.
std::string EncodeOperators(std::string_view text);

} // namespace velmo

#endif
