#ifndef VELMO_SCRIPT_CALLARGS_H
#define VELMO_SCRIPT_CALLARGS_H

// The values of a call from an expression, bound to the called function's
// parameters. The language passes a call's values as one text joined with
// "," and split again by the parameter list, so a value that holds a ","
// or a double quote reaches the parameters in pieces or without its
// quotes. Values without either are bound as they are, integers without
// writing their digits; only the others take the way through the text.

#include <cstdint>
#include <span>

#include "script/operand.h"

namespace velmo {

class tnode;

// Declares the parameters of `function` in its list of variables, one per
// value of `args` (the first argument first). False after the list's
// report when a parameter cannot be declared, or when the parameter list
// has failed.
bool bindArguments(int32_t line, tnode& function, std::span<toperand> args);

}  // namespace velmo

#endif
