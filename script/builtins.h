#ifndef VELMO_SCRIPT_BUILTINS_H
#define VELMO_SCRIPT_BUILTINS_H

// Built-in functions: names that an expression calls like story functions
// but that the system supplies. The evaluator asks for them only after a
// name turned out to be no variable, story function or object, so a story
// can hide a built-in behind a declaration of its own.

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "script/operand.h"

namespace velmo {

class tnode;

// What a built-in gets: the evaluator's failed flag (set it through an
// error report), the line for reports, the evaluator's current node, the
// operands popped for it (first argument first) and the result to fill:
// a text, or an integer (`isInteger`), whose text is its decimal digits.
struct tbuiltincall {
    bool& failed;
    int32_t line;
    tnode& node;
    std::span<const toperand> args;
    std::string& result;
    bool isInteger;
    int32_t number;
};

using tbuiltinhandler = void (*)(tbuiltincall& call);

// One row of the table: the name as the story writes it (exact case), the
// type of the pushed result, the number of operands taken as arguments,
// and the arguments (bit i for argument i) that the handler reads only as
// integers (integerArg): an integer there is handed over without its
// digits; every other argument has its text made.
struct tafunction {
    std::string_view name;
    int32_t resultType;
    int32_t argCount;
    tbuiltinhandler handler;
    uint8_t integerArgs = 0;
};

// The table in search order.
std::span<const tafunction> builtinTable();
// The first row named exactly `name`, or null.
const tafunction* findBuiltin(std::string_view name);

}  // namespace velmo

#endif
