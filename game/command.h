#ifndef VELMO_GAME_COMMAND_H
#define VELMO_GAME_COMMAND_H

// Running a recognised command: the pronoun, the "beforeAction" hooks,
// the order to an addressed actor, the "onAction" handlers of the objects
// and the actor, the default answer, the turn end and the status line.
// Only the parser calls this.

namespace velmo {

struct tparse;
struct tverb;

void runCommand(const tverb& verb, tparse& p);

}  // namespace velmo

#endif
