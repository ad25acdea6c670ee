#ifndef VELMO_SCRIPT_BUILTINSUPPORT_H
#define VELMO_SCRIPT_BUILTINSUPPORT_H

// What the built-in functions share, and their handlers by theme. Only the
// built-ins' own files include this.

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

inline void setNumber(tbuiltincall& call, int64_t n) { call.result = std::to_string(n); }
// (Assigned as a character: GCC 12 warns falsely about assigning a short
// literal at high optimisation.)
inline void setTruth(tbuiltincall& call, bool b) { call.result.assign(1, b ? '1' : '0'); }

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
