#ifndef VELMO_GAME_TURN_H
#define VELMO_GAME_TURN_H

// The turn end: what happens after a recognised command that takes game
// time. The move counter and the clock advance, every running daemon runs once, and every running timer
// counts down or, at 0, fires and is removed.

namespace velmo {

class tinterpreter;
class tstory;

// Runs the turn end with the interpreter of the current command. A daemon
// or timeout that leaves its object's error flag set ends the rest of the
// daemons and timers of this turn end.
void endTurn(tstory& story, tinterpreter& interpreter);

}  // namespace velmo

#endif
