#include "story/statementsplitter.h"

namespace velmo {

namespace {

constexpr char kLineEnd = '\xFE';

// How many bytes from `at` on have no rule here: inside a literal all but
// the quote and the line end, outside also all but parentheses, braces
// and ";". They go into the statement as one run.
std::size_t plainRun(std::string_view text, std::size_t at, bool inString) {
    std::size_t end = at;
    for (; end < text.size(); ++end) {
        const char c = text[end];
        if (c == kLineEnd || c == '"') break;
        if (!inString &&
            (c == '(' || c == ')' || c == ';' || c == '{' || c == '}'))
            break;
    }
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
