#ifndef VELMO_SCRIPT_OPERAND_H
#define VELMO_SCRIPT_OPERAND_H

// The operands of the expression evaluator. Every value is a text with a
// type; an operand may also carry the integer its text stands for, so that
// arithmetic on numbers that were just computed, written as literals or
// read from a variable that knows its integer does not read digits again.
// An integer result does not even write its digits until someone asks for
// the text: the text stays the value's meaning, made on demand.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "model/var.h"

namespace velmo {

// The name of an operand that comes from no variable.
inline constexpr std::string_view kTemporaryName = "Q";

struct toperand {
    int32_t type = kTypeInt;
    int32_t number = 0;  // valid when hasNumber is set: toNumber(text)
    bool hasNumber = false;
    bool lazy = false;  // `value` not made yet: the text is number's decimal text
    std::string value;  // the text, unless lazy

    // The name of the variable it was read from, or "Q" (only "sizeof"
    // asks). Usually a view of the name token, which lives as long as the
    // evaluation; a name that has no token of its own is kept here.
    std::string_view nameView = kTemporaryName;
    std::string nameText;
    bool ownName = false;

    std::string_view name() const { return ownName ? std::string_view(nameText) : nameView; }

    // The text, made now if it was not yet.
    const std::string& text() {
        if (lazy) makeText();
        return value;
    }
    void makeTextIfLazy() {
        if (lazy) makeText();
    }
    void makeText() {
        assignDecimal(value, number);
        lazy = false;
    }
    // False exactly when the text is "0".
    bool isFalse() const { return lazy ? number == 0 : value.size() == 1 && value[0] == '0'; }

    // Makes this operand a temporary integer (type 0).
    void setInteger(int32_t n) {
        type = kTypeInt;
        number = n;
        hasNumber = true;
        lazy = true;
        setTemporary();
    }
    // Makes this operand a temporary of the type with the text.
    void setText(std::string_view text, int32_t textType) {
        type = textType;
        value.assign(text);
        hasNumber = false;
        lazy = false;
        setTemporary();
    }
    // Makes this operand a temporary text keeping its value (which a
    // text was just appended to).
    void becomeText() {
        type = kTypeText;
        hasNumber = false;
        setTemporary();
    }
    void setTemporary() {
        nameView = kTemporaryName;
        ownName = false;
    }
    // Takes the value of a variable: its integer when the variable knows
    // that its text spells one exactly, else a copy of the text. `name`
    // is the variable's name and lives as long as the evaluation.
    void setVariable(const tvar& variable, std::string_view name) {
        nameView = name;
        ownName = false;
        setValueOf(variable);
    }
    // The same, keeping a copy of the record's own name.
    void setVariableCopy(const tvar& variable) {
        nameText = variable.name;
        ownName = true;
        setValueOf(variable);
    }
    void setValueOf(const tvar& variable) {
        type = variable.type;
        if (variable.exactNumber(number)) {
            hasNumber = true;
            lazy = true;
        } else {
            copyText(variable.value);
        }
    }
    [[gnu::noinline]] void copyText(const std::string& text) {
        value = text;
        hasNumber = false;
        lazy = false;
    }
};

// The operand stack of one evaluation. Nested evaluations (an index inside
// a name) share the storage: each raises the floor for its own length, so
// it can neither see nor pop the operands of the evaluation around it.
// Slots are kept when popped, so pushing into one reuses the room its
// text had: operators work in place and a push rarely allocates.
class toperandstack {
public:
    bool IsEmpty() const { return top <= floor; }
    std::size_t Count() const { return top - floor; }

    // A new top slot, still holding what an earlier operand left in it:
    // the caller sets every field.
    toperand& PushSlot() {
        if (top == room) grow();
        return slots[top++];
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
    [[gnu::noinline]] void grow() {
        slots.emplace_back();
        room = slots.size();
    }

    std::vector<toperand> slots;
    std::size_t room = 0;  // slots.size()
    std::size_t top = 0;
    std::size_t floor = 0;
};

}  // namespace velmo

#endif
