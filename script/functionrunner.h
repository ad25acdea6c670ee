#ifndef VELMO_SCRIPT_FUNCTIONRUNNER_H
#define VELMO_SCRIPT_FUNCTIONRUNNER_H

// How an expression calls a story function: the evaluator knows nothing
// of statements, so it hands the call to the statement interpreter
// through this interface.

#include <cstdint>
#include <span>
#include <string>

namespace velmo {

class tnode;
struct toperand;

// The most calls from expressions that may run inside one another. Each
// level costs the evaluator's frames plus a whole interpreter run on the
// machine stack; the bound keeps a story that recurses without end far
// from overflowing it, also in the sanitizer build whose frames are
// larger.
constexpr int32_t kMaxCallDepth = 2000;

// What a call gives back: the result's text, or, when the function's
// result is an integer it computed, that integer, and the text is left
// empty, so that neither side writes or reads the digits.
struct tcallresult {
    std::string text;
    bool isInteger = false;
    int32_t number = 0;
};

class tfunctionrunner {
public:
    virtual ~tfunctionrunner() = default;

    // Runs `function` (a function node the expression found) with the
    // call's values, the first argument first, and returns its result.
    // The caller has checked the depth of nested calls and the machine
    // stack. The values are read before the function's code starts, and
    // not after. Errors of the run are reported by the runner itself; it
    // sets `failed` when the run failed, so that the expression that made
    // the call stops too instead of going on (and perhaps calling again)
    // after an error.
    virtual tcallresult runFunction(int32_t line, tnode& function, std::span<toperand> args,
                                    bool& failed) = 0;

    // The number of calls from expressions running at this moment. Every
    // runner that serves one story must answer with the same counter
    // (runners made for nested calls included), or the bound on nested
    // calls cannot see the whole chain. The default is this runner's own.
    virtual int32_t& callDepth() { return ownDepth; }

private:
    int32_t ownDepth = 0;
};

}  // namespace velmo

#endif
