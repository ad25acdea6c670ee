#ifndef VELMO_STORY_ANALYSER_H
#define VELMO_STORY_ANALYSER_H

// One statement of the program text becomes one statement record. The
// analyser recognises the statement by its leading keyword, checks that it
// may stand where it stands, prepares its parameters (inside functions:
// split and converted to postfix) and carries out at load time what
// declares structure: classes and functions become nodes, variables,
// attributes, names, descriptions, initial locations, verbs and the
// restore command are set.

#include <cstdint>
#include <string>

#include "model/codelist.h"
#include "model/var.h"

namespace velmo {

class tnode;
class tscanner;

// Where the parse stands.
struct tparserstate {
    tnode* current = nullptr;  // the node whose code receives the next record
    bool inClass = false;
    int32_t classDepth = 0;  // open braces of the current class
    bool inFunction = false;
    int32_t functionDepth = 0;  // open braces of the current function
    int32_t returnType = kTypeVoid;
    bool returnSeen = false;
};

// Analyses one statement (without its terminator and without line ends)
// at the scanner's `lineCount`. Errors are reported against the scanner's
// `error`; the record is then of no use.
tcode analyseStatement(tscanner& scanner, const std::string& statement, tparserstate& state);

// True when a statement without keyword looks like an expression or a
// call: one character, a call without arguments ("f()" at the very end),
// an operator character, parenthesis or digit outside literals, or "NULL".
bool isPlainStatement(const std::string& statement);

}  // namespace velmo

#endif
