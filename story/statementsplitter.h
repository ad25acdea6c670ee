#ifndef VELMO_STORY_STATEMENTSPLITTER_H
#define VELMO_STORY_STATEMENTSPLITTER_H

// Cuts the program text into statements. A statement ends at ";", "{" or
// "}" standing outside string literals and outside parentheses; "{" and
// "}" are then statements of their own. Text between the last terminator
// and a "}" is not a statement and is dropped: `if(x){a=1}` loses the
// assignment. Every 0xFE byte (a source line end) counts a line and is
// left out of the statement text.

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

namespace velmo {

enum class tsplitresult {
    complete,    // the whole text was split
    stopped,     // the statement handler asked to stop
    unbalanced,  // a ")" without "(", or a parenthesis or literal still open at the end
};

// Receives one statement; returns false to stop the split. `lineCount` is
// the line of the statement's terminator while the handler runs.
using tstatementhandler = std::function<bool(const std::string& statement)>;

// Splits `programText`, counting lines in `lineCount` (it should start at
// 1). On `unbalanced`, `lineCount` is the line where the faulty statement
// began. Text after the last terminator is ignored when it is balanced.
tsplitresult splitStatements(std::string_view programText, int32_t& lineCount,
                             const tstatementhandler& onStatement);

}  // namespace velmo

#endif
