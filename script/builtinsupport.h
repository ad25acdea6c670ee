#ifndef VELMO_SCRIPT_BUILTINSUPPORT_H
#define VELMO_SCRIPT_BUILTINSUPPORT_H

// What the built-in functions share, and their handlers by theme. Only the
// built-ins' own files include this.

#include <climits>
#include <cstdint>
#include <string>

#include "script/builtins.h"

namespace velmo {

class tstory;

// The object a built-in works on: the evaluator's current node, or its
// owner when that node is a function.
tnode& subjectOf(const tbuiltincall& call);
tstory& storyOf(const tbuiltincall& call);

// Reports "ungültiger Funktionsaufruf", which makes the evaluator fail.
void invalidCall(tbuiltincall& call);

// The integer an argument stands for; false for the empty text, which has
// no integer value.
bool integerArg(const toperand& arg, int32_t& value);

// An integer result; one beyond 32 bits stays a text of its digits.
inline void setNumber(tbuiltincall& call, int64_t n) {
    if (n >= INT32_MIN && n <= INT32_MAX) {
        call.isInteger = true;
        call.number = static_cast<int32_t>(n);
    } else {
        call.result = std::to_string(n);
    }
}
inline void setTruth(tbuiltincall& call, bool b) {
    call.isInteger = true;
    call.number = b ? 1 : 0;
}

// Tests on objects and their place in the world (builtins_world.cpp).
void builtinHas(tbuiltincall& call);
void builtinLocation(tbuiltincall& call);
void builtinIn(tbuiltincall& call);
void builtinThis(tbuiltincall& call);
void builtinIsFirst(tbuiltincall& call);
void builtinIsSecond(tbuiltincall& call);
void builtinGetLong(tbuiltincall& call);
void builtinGetShort(tbuiltincall& call);
void builtinGender(tbuiltincall& call);
void builtinItems(tbuiltincall& call);
void builtinUsed(tbuiltincall& call);
void builtinName(tbuiltincall& call);
void builtinRoom(tbuiltincall& call);
void builtinSizeof(tbuiltincall& call);

// Texts (builtins_text.cpp).
void builtinPnoun(tbuiltincall& call);
void builtinStrstr(tbuiltincall& call);
void builtinStrrstr(tbuiltincall& call);
void builtinStrlen(tbuiltincall& call);
void builtinSubstr(tbuiltincall& call);

// The game: clock, counters, input and chance (builtins_game.cpp).
void builtinDay(tbuiltincall& call);
void builtinTime(tbuiltincall& call);
void builtinGetKey(tbuiltincall& call);
void builtinGetWord(tbuiltincall& call);
void builtinTypedWord(tbuiltincall& call);
void builtinMenu(tbuiltincall& call);
void builtinMoves(tbuiltincall& call);
void builtinScores(tbuiltincall& call);
void builtinSerial(tbuiltincall& call);
void builtinRandom(tbuiltincall& call);

}  // namespace velmo

#endif
