#ifndef VELMO_BASE_ABORT_H
#define VELMO_BASE_ABORT_H

#include <stdexcept>

namespace velmo {

// Story code that ends the game ("quit", a cancelled inspector, the third
// choice after the end of a game) throws this. It unwinds every running
// story function up to the front end or the parser that started the
// outermost run, which catches it and never shows it. It is the only
// exception that crosses module boundaries.
class tabort : public std::runtime_error {
public:
    tabort() : std::runtime_error("Abbruch") {}
};

}  // namespace velmo

#endif
