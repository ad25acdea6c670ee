#ifndef VELMO_SCRIPT_OPERAND_H
#define VELMO_SCRIPT_OPERAND_H

// The operands of the expression evaluator. Every value is a text with a
// type; an operand may also carry the integer its text stands for, so that
// arithmetic on numbers that were just computed or written as literals
// does not read digits again. The text stays the value's meaning: the
// integer is only a cache of toNumber(text).

#include <charconv>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
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

    // Makes this operand a temporary integer (type 0, name "Q").
    void setInteger(int32_t n) {
        char digits[12];
        const auto end = std::to_chars(digits, digits + sizeof digits, n).ptr;
        type = kTypeInt;
        name.assign(1, 'Q');
        value.assign(digits, end);
        number = n;
        hasNumber = true;
    }
    // Makes this operand a temporary of the type with the text.
    void setText(std::string_view text, int32_t textType) {
        type = textType;
        name.assign(1, 'Q');
        value.assign(text);
        hasNumber = false;
    }
};

// The operand stack of one evaluation. Nested evaluations (an index inside
// a name) share the storage: each raises the floor for its own length, so
// it can neither see nor pop the operands of the evaluation around it.
// Slots are kept when popped, so pushing into one reuses the room its
// texts had: operators work in place and a push rarely allocates.
class toperandstack {
public:
    bool IsEmpty() const { return top <= floor; }
    std::size_t Count() const { return top - floor; }

    // A new top slot, still holding what an earlier operand left in it:
    // the caller sets every field.
    toperand& PushSlot() {
        if (top == slots.size()) slots.emplace_back();
        return slots[top++];
    }
    void Push(toperand operand) { PushSlot() = std::move(operand); }

    // Moves the top operand into `out`; false when this evaluation's part
    // of the stack is empty.
    bool Pop(toperand& out) {
        if (IsEmpty()) return false;
        out = std::move(slots[--top]);
        return true;
    }
    // The operand `depth` places below the top (0 is the top), or null
    // when this evaluation has not that many.
    toperand* Peek(std::size_t depth = 0) {
        return depth < Count() ? &slots[top - 1 - depth] : nullptr;
    }
    // Removes `n` operands (at most as many as there are).
    void Drop(std::size_t n) { top -= n < Count() ? n : Count(); }

    // Starts a nested evaluation; returns the floor to hand back to Leave.
    std::size_t Enter() {
        const std::size_t old = floor;
        floor = top;
        return old;
    }
    // Ends a nested evaluation: drops what it left and restores the floor.
    void Leave(std::size_t oldFloor) {
        top = floor;
        floor = oldFloor;
    }

private:
    std::vector<toperand> slots;
    std::size_t top = 0;
    std::size_t floor = 0;
};

} // namespace velmo

#endif
