#ifndef VELMO_MODEL_ARGSLIST_H
#define VELMO_MODEL_ARGSLIST_H

// The formal parameters of a function and the binding of the values of a
// call to them. A function header such as "f(inta,stringb)" reaches us
// without blanks, so a parameter is a type word glued to its name.

#include <cstdint>
#include <string>
#include <vector>

namespace velmo {

class tservices;
class tvarlist;

// One formal parameter: its name and its type (0 int, 1 string, 2 object).
struct targ {
    std::string name;
    int32_t type = 0;
};

class targslist {
public:
    // An empty parameter list.
    explicit targslist(tservices& frontEnd) : services(&frontEnd) {}
    // The parameters of a function header's declaration text
    // ("inta,stringb,objectc"). An entry that is no type word followed by
    // a name reports "ungülte Argumentenliste" while no parameter has been
    // recognised yet; after the first good entry bad ones are ignored.
    targslist(tservices& services, const std::string& declaration, int32_t line);

    int32_t Count() const { return static_cast<int32_t>(items.size()); }
    const std::vector<targ>& Items() const { return items; }
    // Appends a parameter (inherited functions copy their parameters).
    void Add(const targ& arg) {
        items.push_back(arg);
        namesChecked = false;
    }

    // Declares one variable in `locals` per parameter, from the call's
    // values joined with ",": missing values are empty, surplus values
    // are ignored. False, after the report "übergebene Argumente stimmen
    // nicht mit Deklaration überein", when a variable cannot be declared;
    // false without a report once the list has failed.
    bool Bind(int32_t line, const std::string& argText, tvarlist& locals);

    bool Failed() const { return failed; }

    // True when the list has not failed, every parameter name declares
    // one plain variable and no two are the same (learned once): a call
    // into an empty list of locals can then append one record per
    // parameter without checking each name again.
    bool bindsDirectly();

private:

    tservices* services;
    std::vector<targ> items;
    bool failed = false;
    bool namesChecked = false;
    bool namesDirect = false;
};

}  // namespace velmo

#endif
