#include "game/parser.h"


namespace velmo {

void parseCommand(tstory& /*story*/, const std::string& /*sentence*/, tnode* /*replaced*/,
                  tnode* /*replacement*/) {}

void resetWordCursor(tstory& /*story*/) {}

std::string nextWord(tstory& /*story*/) { return std::string(); }

} // namespace velmo
