#include "script/postfix.h"

#include <array>
#include <cstdint>
#include <iterator>
#include <vector>

#include "base/charset.h"
#include "base/tokenizer.h"

namespace velmo {

namespace {

const tcharset kOperatorChars("!%&*+-/<=>|");

bool isAsciiLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

// The code for the pair (first, next), or 0 when the pair is no operator.
// `after` is the character behind `next` (0 at the end of the text); it
// tells the prefix form of "++" and "--" (followed by a name) from the
// postfix form. For "&", "|", "+" and "-" as second character only the
// exclusions below are checked, not that both characters are equal.
unsigned char pairCode(char first, char next, char after) {
    switch (next) {
    case '=':
        switch (first) {
        case '=': return kOpEqual;
        case '!': return kOpNotEqual;
        case '<': return kOpLessEq;
        case '>': return kOpGreaterEq;
        case '+': return kOpAddTo;
        case '-': return kOpSubFrom;
        case '*': return kOpMulBy;
        case '/': return kOpDivBy;
        case '%': return kOpModBy;
        default: return 0;
        }
    case '&': return kOpAnd;
    case '|': return kOpOr;
    case '<': return first == '<' ? kOpShiftLeft : 0;
    case '>': return first == '>' ? kOpShiftRight : 0;
    // "=+" and "=-" stay: the sign belongs to the value after an assignment.
    case '+':
        if (first == '=') return 0;
        return isAsciiLetter(after) ? kOpPreInc : kOpPostInc;
    case '-':
        if (first == '=') return 0;
        return isAsciiLetter(after) ? kOpPreDec : kOpPostDec;
    default: return 0;
    }
}

}  // namespace

// One walk over the text, writing the result as it goes. The last
// character is never the first of a pair, and the second character of a
// replaced pair is skipped, so "+++" becomes one code and a "+".
std::string EncodeOperators(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    bool inString = false;
    std::size_t i = 0;
    while (i < text.size()) {
        const char c = text[i];
        if (c == '"') inString = !inString;
        if (inString || !kOperatorChars.has(c)) {
            // Up to the next quote or operator character nothing changes:
            // the run is copied whole.
            std::size_t end = i + 1;
            while (end < text.size() && text[end] != '"' &&
                   (inString || !kOperatorChars.has(text[end])))
                ++end;
            out.append(text, i, end - i);
            i = end;
            continue;
        }
        if (i + 1 < text.size()) {
            const char after = i + 2 < text.size() ? text[i + 2] : '\0';
            if (unsigned char code = pairCode(c, text[i + 1], after)) {
                out += static_cast<char>(code);
                i += 2;
                continue;
            }
        }
        out += c;
        ++i;
    }
    return out;
}

}  // namespace velmo

// ------------------------------------------------------------------------
// Postfix conversion

namespace velmo {

const toperatorrow kOperatorTable[33] = {
    {'=', 0},         {'!', 6},          {'<', 3},           {'>', 3},        {'+', 4},
    {'-', 4},         {'*', 5},          {'/', 5},           {'%', 5},        {kOpEqual, 3},
    {kOpNotEqual, 3}, {kOpLessEq, 0},    {kOpGreaterEq, 0},  {kOpAddTo, 0},   {kOpSubFrom, 0},
    {kOpMulBy, 0},    {kOpDivBy, 0},     {kOpModBy, 0},      {kOpPostInc, 6}, {kOpPostDec, 6},
    {kOpPreInc, 6},   {kOpPreDec, 6},    {kOpAnd, 2},        {kOpOr, 1},      {'?', 1},
    {' ', 0},         {':', 1},          {'&', 2},           {'|', 1},        {'^', 1},
    {'~', 6},         {kOpShiftLeft, 3}, {kOpShiftRight, 3},
};

int operatorPriority(char c) {
    // The table by byte, made once: the conversion asks for every token.
    static const std::array<int8_t, 256> byByte = [] {
        std::array<int8_t, 256> priorities;
        priorities.fill(-1);
        // The first row of a byte counts, as a search from the top finds it.
        for (auto row = std::rbegin(kOperatorTable); row != std::rend(kOperatorTable); ++row)
            priorities[row->op] = static_cast<int8_t>(row->priority);
        return priorities;
    }();
    return byByte[static_cast<unsigned char>(c)];
}

bool isOperatorChar(char c) { return operatorPriority(c) >= 0; }

namespace {

bool isDigit(char c) { return c >= '0' && c <= '9'; }

// Characters that can end an operand: a "-" after them subtracts, a "-"
// after anything else is a sign. A closing parenthesis, bracket or quote
// and a postfix increment end an operand too, so "(a+b)-c" and "a[1]-1"
// subtract instead of turning into "(a+b)0-c".
bool endsOperand(char c) {
    return isAsciiLetter(c) || isDigit(c) || c == '_' || c == '-' || c == ')' || c == ']' ||
           c == '"' || c == static_cast<char>(kOpPostInc) || c == static_cast<char>(kOpPostDec);
}

// The first pass: commas become blank operators, a sign becomes a
// subtraction from 0. Nothing inside a string literal changes; a quote
// as the very first character opens a string too.
std::string rewriteSigns(std::string_view infix) {
    std::string out;
    out.reserve(infix.size() + infix.size() / 4 + 1);
    bool inString = false;
    for (std::size_t i = 0; i < infix.size(); ++i) {
        const char c = infix[i];
        if (c == '"') {
            inString = !inString;
        } else if (!inString && i > 0) {
            if (c == ',') {
                out += ' ';
                continue;
            }
            if (c == '-' && !endsOperand(infix[i - 1])) out += '0';
        }
        out += c;
    }
    if (!out.empty() && out.front() == '-') out.insert(out.begin(), '0');
    return out;
}

// Characters of a called name: letters, digits, "_", ".", "[", "]" and
// "!" (so that "!f(x)" becomes "(x)!f" and the "!" follows the call).
bool isRunChar(char c) {
    return isAsciiLetter(c) || isDigit(c) || c == '_' || c == '.' || c == '[' || c == ']' ||
           c == '!';
}

// The position after the "]" that closes the "[" at `open`, or the end of
// the text. An index is converted on its own when it is evaluated, so
// the call rewriting leaves what lies between the brackets alone.
std::size_t skipIndex(std::string_view text, std::size_t open) {
    int depth = 0;
    bool inString = false;
    for (std::size_t i = open; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '"') inString = !inString;
        if (inString) continue;
        if (c == '[') ++depth;
        if (c == ']' && --depth == 0) return i + 1;
    }
    return text.size();
}

// For every "(" outside strings and indexes: whether a ")" closes it.
std::vector<bool> closedParens(std::string_view text) {
    std::vector<bool> closed(text.size(), false);
    std::vector<std::size_t> open;
    bool inString = false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '"') inString = !inString;
        if (inString) continue;
        if (c == '[') {
            i = skipIndex(text, i) - 1;
        } else if (c == '(') {
            open.push_back(i);
        } else if (c == ')' && !open.empty()) {
            closed[open.back()] = true;
            open.pop_back();
        }
    }
    return closed;
}

// The second pass: every call "name(args)" becomes "(args)name". One walk: a name
// in front of a "(" that will be closed waits on a stack and is written
// after the matching ")". A "(" that is never closed keeps its name in
// front of it.
std::string rewriteCalls(std::string_view text) {
    const std::vector<bool> closed = closedParens(text);
    std::string out;
    out.reserve(text.size());
    std::vector<std::string_view> pending;  // one entry per open "(": the name, or empty
    bool inString = false;
    std::size_t i = 0;
    while (i < text.size()) {
        const char c = text[i];
        if (c == '"') inString = !inString;
        if (inString || c == '"') {
            out += c;
            ++i;
            continue;
        }
        if (isRunChar(c)) {
            std::size_t end = i;
            while (end < text.size() && isRunChar(text[end]))
                end = text[end] == '[' ? skipIndex(text, end) : end + 1;
            const std::string_view run = text.substr(i, end - i);
            if (end < text.size() && text[end] == '(' && closed[end]) {
                pending.push_back(run);
                out += '(';
                i = end + 1;
            } else {
                out += run;
                i = end;
            }
            continue;
        }
        if (c == '(' && closed[i]) pending.push_back(std::string_view());
        out += c;
        if (c == ')' && !pending.empty()) {
            out += pending.back();
            pending.pop_back();
        }
        ++i;
    }
    return out;
}

const tcharset& conversionDelimiters() {
    static const tcharset set = [] {
        tcharset s(" !%&*+-/:<=>?^|~()");
        s.addRange(0x80, 0x90);
        return s;
    }();
    return set;
}

const tcharset& conversionGrouping() {
    static const tcharset set("\"[]");
    return set;
}

void emit(std::string& out, std::string_view token) {
    out += token;
    out += ' ';
}

}  // namespace

// After the two passes the text is split into operands and operators,
// which are then ordered by priority with an operator stack.
bool ToPostfix(std::string_view infix, std::string& postfix) {
    const std::string prepared = rewriteCalls(rewriteSigns(infix));
    const ttokenizer tokens(prepared, conversionDelimiters(), conversionGrouping(), true);

    postfix.clear();
    postfix.reserve(prepared.size() * 2);
    std::string operators;  // the operator stack; "(" marks an open group
    bool balanced = true;
    for (const std::string& token : tokens.Tokens()) {
        const char first = token.front();
        if (first == '(') {
            operators += '(';
        } else if (first == ')') {
            while (!operators.empty() && operators.back() != '(') {
                emit(postfix, std::string_view(&operators.back(), 1));
                operators.pop_back();
            }
            if (operators.empty()) {
                balanced = false;  // a ")" without "(": keep going, report at the end
            } else {
                operators.pop_back();
            }
        } else if (isOperatorChar(first)) {
            const int priority = operatorPriority(first);
            while (!operators.empty() && operators.back() != '(' &&
                   operatorPriority(operators.back()) >= priority) {
                emit(postfix, std::string_view(&operators.back(), 1));
                operators.pop_back();
            }
            operators += first;
        } else {
            emit(postfix, token);
        }
    }
    while (!operators.empty()) {
        emit(postfix, std::string_view(&operators.back(), 1));
        operators.pop_back();
    }
    if (!postfix.empty()) postfix.pop_back();
    return balanced;
}

std::string ToPostfix(std::string_view infix) {
    std::string postfix;
    ToPostfix(infix, postfix);
    return postfix;
}

}  // namespace velmo
