#ifndef VELMO_MODEL_VAR_H
#define VELMO_MODEL_VAR_H

#include <cstdint>
#include <string>

namespace velmo {

// Value types of the story language.
enum : int32_t {
    kTypeInt = 0,     // decimal text; truth values "0" and "1"
    kTypeText = 1,    // a string
    kTypeObject = 2,  // a node's name, or "NULL" for none
    kTypeVoid = 3,    // result of a "void" function (operand stack only)
    kTypeAttr = 4,    // an attribute name (operand stack only)
};

// One variable, or one element of an array. Elements after the first
// carry the continuation marker as their name: one character of code 0.
struct tvar {
    int32_t type = kTypeInt;
    std::string name;
    std::string value;
};

// The longest variable name kept; longer declared names are cut.
constexpr std::size_t kMaxVarName = 25;

// The name of the second and later elements of an array.
inline const std::string& continuationName() {
    static const std::string marker(1, '\0');
    return marker;
}

} // namespace velmo

#endif
