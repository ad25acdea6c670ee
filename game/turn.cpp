#include "game/turn.h"

namespace velmo {

void endTurn(tstory& /*story*/, tinterpreter& /*interpreter*/) {}

} // namespace velmo
