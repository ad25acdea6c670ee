#ifndef VELMO_SCRIPT_OPERAND_H
#define VELMO_SCRIPT_OPERAND_H

// The operands of the expression evaluator. Every value is a text with a
// type; an operand may also carry the integer its text stands for, so that
// arithmetic on numbers that were just computed or written as literals
// does not read digits again. The text stays the value's meaning: the
// integer is only a cache of toNumber(text).

#include <cstddef>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "model/var.h"

namespace velmo {

struct toperand {
    int32_t type = kTypeInt;
    std::string name;   // the variable's name, or "Q" for a temporary
    std::string value;
    int32_t number = 0;       // valid when hasNumber is set
    bool hasNumber = false;
};

// The operand stack of one evaluation. Nested evaluations (an index inside
// a name) share the storage: each raises the floor for its own length, so
// it can neither see nor pop the operands of the evaluation around it.
class toperandstack {
public:
    bool IsEmpty() const { return items.size() <= floor; }
    std::size_t Count() const { return items.size() - floor; }

    void Push(toperand operand) { items.push_back(std::move(operand)); }
    // Moves the top operand into `out`; false when this evaluation's part
    // of the stack is empty.
    bool Pop(toperand& out) {
        if (IsEmpty()) return false;
        out = std::move(items.back());
        items.pop_back();
        return true;
    }
    toperand* Peek() { return IsEmpty() ? nullptr : &items.back(); }

    // Starts a nested evaluation; returns the floor to hand back to Leave.
    std::size_t Enter() {
        const std::size_t old = floor;
        floor = items.size();
        return old;
    }
    // Ends a nested evaluation: drops what it left and restores the floor.
    void Leave(std::size_t oldFloor) {
        items.resize(floor);
        floor = oldFloor;
    }

private:
    std::vector<toperand> items;
    std::size_t floor = 0;
};

} // namespace velmo

#endif
