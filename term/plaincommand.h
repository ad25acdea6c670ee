#ifndef VELMO_TERM_PLAINCOMMAND_H
#define VELMO_TERM_PLAINCOMMAND_H

// The plain line mode on the command line:
//   velmo-term --plain [--cols N] [--rows N] [--seed N] [--status]
//              [--transcript FILE] [--script FILE] [--export FILE] [--options]
//              [STORY]
// Input lines come from standard input, the text goes to standard output.

#include <cstdio>

namespace velmo {

// Runs the plain mode with the arguments after the program name (the
// "--plain" among them). Exit codes: 0 end of input or story closed, 1
// story could not be opened, 2 bad usage.
int runPlainCommand(int argc, char** argv);

// The German help text for every option of velmo-term.
void printHelp(std::FILE* out);

}  // namespace velmo

#endif
