#ifndef VELMO_SCRIPT_SKIPTABLE_H
#define VELMO_SCRIPT_SKIPTABLE_H

// Stepping over a statement: an "if" whose condition is false, an "else"
// after its branch ran, a loop that ends. The statement after `index` is
// stepped over: a block up to its closing "}", anything else by itself.
// Braces are counted from there on, so a stray "}" right after `index`
// makes the step run until the count comes back to zero. Without a
// matching brace the step ends past the last record.
//
// Walking the records brace by brace costs the whole block on every step;
// instead the first step in a list works out every step's end at once
// (one pass) and keeps them with the list.

#include <cstdint>

#include "model/codelist.h"

namespace velmo {

// Where stepping over the statement after `index` ends.
int32_t skipFrom(const tcodelist& code, int32_t index);

}  // namespace velmo

#endif
