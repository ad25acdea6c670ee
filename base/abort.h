#ifndef VELMO_BASE_ABORT_H
#define VELMO_BASE_ABORT_H

namespace velmo {

// Story code that ends the game ("quit", a cancelled inspector, the third
// choice after the end of a game) throws this. It unwinds every running
// story function up to the front end or the parser that started the
// outermost run, which catches it and never shows it ("Abbruch").
//
// It is deliberately no std::exception: the catches of standard failures
// (which are internal errors) never take it by mistake, so it needs no
// rethrowing on its way. Whoever runs story code and must survive its end
// catches tabort by name.
class tabort {
public:
    const char* what() const noexcept { return "Abbruch"; }
};

}  // namespace velmo

#endif
