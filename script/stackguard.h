#ifndef VELMO_SCRIPT_STACKGUARD_H
#define VELMO_SCRIPT_STACKGUARD_H

// Story code that calls itself without end must stop with a message, not
// overflow the machine stack. A bound on the number of nested calls does
// most of that, but how much stack one call takes depends on the build
// (a sanitizer build takes several times more) and on the thread's stack
// size. So every run also looks at the stack that is left.

#include <cstddef>

namespace velmo {

// What must stay free below a run that starts: enough for the deepest
// statement, expression and front-end call that one run may make.
constexpr std::size_t kStackReserve = std::size_t(512) << 10;

// True when less than kStackReserve of the running thread's stack is
// left. False where the stack's bounds cannot be known.
bool stackNearlyExhausted();

}  // namespace velmo

#endif
