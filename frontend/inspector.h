#ifndef VELMO_FRONTEND_INSPECTOR_H
#define VELMO_FRONTEND_INSPECTOR_H

// The inspector of the "inspect" statement: a story author's look into a
// running function. It names where execution stands and evaluates typed
// expressions in that function's context, until the author closes it
// with OK (the story goes on) or Cancel (the game ends and the running
// code is aborted).
//
// This is the logic without a window: the host shows the position line,
// takes expressions, shows what `evaluate` returns and reports how the
// inspector was closed (tplatform::runInspector).

#include <cstdint>
#include <string>
#include <vector>

namespace velmo {

class tlinemapper;
class tnode;
class tstory;

class tinspector {
public:
    // `line` is the program-text line of the statement, `node` the
    // function it runs in; `history` holds the accepted expressions and
    // outlives one opening. `mapper` may be null (no file names).
    tinspector(tstory& story, const tlinemapper* mapper, int32_t line, tnode& node,
               std::vector<std::string>& history);

    // The source file, the line within it and the function: "name.velmo
    // Zeile:12 Funktion:main".
    const std::string& position() const { return positionLine; }

    // Evaluates a typed expression (Windows-1252) in the function's
    // context. Returns the value, "undefiniert" for an empty value, or
    // "ungültiger Ausdruck" when the text is no valid expression or its
    // evaluation failed; only a valid expression enters the history (also
    // when it is there already). An empty text is not evaluated and
    // returns an empty text.
    std::string evaluate(const std::string& expression);

    const std::vector<std::string>& history() const { return accepted; }

private:
    tstory& story;
    int32_t line;
    tnode& node;
    std::vector<std::string>& accepted;
    std::string positionLine;
};

}  // namespace velmo

#endif
