#include "story/statementsplitter.h"

#include <array>
#include <cstdint>

namespace velmo {

namespace {

constexpr char kLineEnd = '\xFE';

// Whether a byte has a rule here: bit 0 outside literals (the quote,
// the line end, parentheses, braces and ";"), bit 1 inside (the quote
// and the line end). Made once; the splitter looks at every byte.
const std::array<uint8_t, 256>& ruledBytes() {
    static const std::array<uint8_t, 256> table = [] {
        std::array<uint8_t, 256> bits{};
        for (const char c : {kLineEnd, '"'}) bits[static_cast<unsigned char>(c)] = 3;
        for (const char c : {'(', ')', ';', '{', '}'}) bits[static_cast<unsigned char>(c)] = 1;
        return bits;
    }();
    return table;
}

// How many bytes from `at` on have no rule here. They go into the
// statement as one run.
std::size_t plainRun(std::string_view text, std::size_t at, bool inString) {
    const std::array<uint8_t, 256>& ruled = ruledBytes();
    const uint8_t mask = inString ? 2 : 1;
    std::size_t end = at;
    while (end < text.size() && !(ruled[static_cast<unsigned char>(text[end])] & mask)) ++end;
    return end - at;
}

}  // namespace

tsplitresult splitStatements(std::string_view programText, int32_t& lineCount,
                             const tstatementhandler& onStatement) {
    bool inString = false;
    int32_t depth = 0;
    std::string statement;              // text since the last terminator, line ends left out
    int32_t statementLine = lineCount;  // where that text began

    for (std::size_t i = 0; i < programText.size(); ++i) {
        const char c = programText[i];
        if (c == kLineEnd) {
            ++lineCount;
            continue;
        }
        if (statement.empty()) statementLine = lineCount;
        if (const std::size_t run = plainRun(programText, i, inString)) {
            statement.append(programText.substr(i, run));
            i += run - 1;
            continue;
        }
        if (c == '"') {
            inString = !inString;
        } else if (!inString) {
            if (c == '(') {
                ++depth;
            } else if (c == ')') {
                // A ")" too many would keep every later terminator inside
                // parentheses and silently swallow the rest of the story.
                if (--depth < 0) return tsplitresult::unbalanced;
            } else if (depth == 0 && (c == ';' || c == '{' || c == '}')) {
                if (c != '}' && !onStatement(statement)) return tsplitresult::stopped;
                statement.clear();
                if (c != ';' && !onStatement(std::string(1, c))) return tsplitresult::stopped;
                continue;
            }
        }
        statement += c;
    }
    // An open literal or parenthesis at the end has swallowed everything
    // after it; that is reported rather than ignored.
    if (inString || depth > 0) {
        lineCount = statementLine;
        return tsplitresult::unbalanced;
    }
    return tsplitresult::complete;
}

}  // namespace velmo
