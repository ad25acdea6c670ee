#ifndef VELMO_SCRIPT_POSTFIX_H
#define VELMO_SCRIPT_POSTFIX_H

// Operator encoding: two-character operators become single bytes
// 0x80-0x90, so that every later step sees an operator as one character.
// Postfix conversion: an infix expression (already encoded) becomes the
// postfix text that the evaluator runs.

#include <string>
#include <string_view>

namespace velmo {

enum : unsigned char {
    kOpEqual = 0x80,       // ==
    kOpNotEqual = 0x81,    // !=
    kOpLessEq = 0x82,      // <=
    kOpGreaterEq = 0x83,   // >=
    kOpAddTo = 0x84,       // +=
    kOpSubFrom = 0x85,     // -=
    kOpMulBy = 0x86,       // *=
    kOpDivBy = 0x87,       // /=
    kOpModBy = 0x88,       // %=
    kOpPostInc = 0x89,     // ++ not followed by a letter
    kOpPostDec = 0x8A,     // -- not followed by a letter
    kOpAnd = 0x8B,         // &&
    kOpOr = 0x8C,          // ||
    kOpPreInc = 0x8D,      // ++ followed by a letter
    kOpPreDec = 0x8E,      // -- followed by a letter
    kOpShiftLeft = 0x8F,   // <<
    kOpShiftRight = 0x90,  // >>
};

// Replaces the two-character operators outside double quotes by their
// one-byte codes.
std::string EncodeOperators(std::string_view text);

// One row of the operator table: an operator character or code and its
// priority. Higher binds tighter; every operator associates to the left.
struct toperatorrow {
    unsigned char op;
    int priority;
};

// The operators of the expression language, in the order they are searched.
extern const toperatorrow kOperatorTable[33];

// True for the characters that the conversion treats as operators: the
// rows of the operator table (blank, "!", "%", "&", "*", "+", "-", "/",
// ":", "<", "=", ">", "?", "^", "|", "~" and the codes 0x80-0x90).
bool isOperatorChar(char c);
// The priority of an operator character from the table; -1 when the
// character is none.
int operatorPriority(char c);

// Converts an infix expression into postfix: operands and operators in
// evaluation order, each followed by one blank, the last blank removed.
// Calls "f(a,b)" become "a b   f"; commas separate arguments as blank
// operators. Returns false when a ")" has no open "(" (the text in
// `postfix` is then incomplete); an unclosed "(" is output as a token.
bool ToPostfix(std::string_view infix, std::string& postfix);
// The same, for callers that have no use for the failure.
std::string ToPostfix(std::string_view infix);

}  // namespace velmo

#endif
