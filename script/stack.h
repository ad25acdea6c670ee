#ifndef VELMO_SCRIPT_STACK_H
#define VELMO_SCRIPT_STACK_H

// A last-in-first-out stack of values. The top is the last item. Popping
// or peeking an empty stack is not undefined: Pop reports false and
// Peek returns null, and the caller reports its own error.

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "model/var.h"

namespace velmo {

template <class T>
class tStackList {
public:
    bool IsEmpty() const { return items.empty(); }
    std::size_t Count() const { return items.size(); }

    void Push(T item) { items.push_back(std::move(item)); }

    // Moves the top item into `out`; false (and `out` untouched) when empty.
    bool Pop(T& out) {
        if (items.empty()) return false;
        out = std::move(items.back());
        items.pop_back();
        return true;
    }

    // Removes the top item; false when empty.
    bool Drop() {
        if (items.empty()) return false;
        items.pop_back();
        return true;
    }

    T* Peek() { return items.empty() ? nullptr : &items.back(); }
    const T* Peek() const { return items.empty() ? nullptr : &items.back(); }

    // Item `i` counted from the bottom, for the few readers that look
    // below the top (the switch ring, the undo levels).
    T& at(std::size_t i) { return items.at(i); }
    const T& at(std::size_t i) const { return items.at(i); }

    void Clear() { items.clear(); }
    void Reserve(std::size_t n) { items.reserve(n); }

private:
    std::vector<T> items;
};

// A stack of texts (the names a "fetch" loop still has to visit, the
// saved values of a variable list).
class tStringStack : public tStackList<std::string> {
public:
    void PushString(std::string text) { Push(std::move(text)); }
    void PushChar(char c) { Push(std::string(1, c)); }
    void PushInt(int32_t value) { Push(std::to_string(value)); }
};

// One open loop of a running function.
struct tloop {
    std::string condition;   // postfix condition (for, while); loop variable (fetch); empty (do)
    std::string step;        // postfix step of a for loop
    int32_t startIndex = 0;  // index in the function's code of the opening statement
    int32_t depth = 0;       // block depth when the loop was opened
    int32_t loopKind = 0;    // 0 for, 1 fetch, 2 while, 3 do
    tStringStack pending;    // fetch: object names still to visit
};

enum : int32_t { kLoopFor = 0, kLoopFetch = 1, kLoopWhile = 2, kLoopDo = 3 };

using tloopstack = tStackList<tloop>;

// The operand stack of the expression evaluator: variables found (with
// their names) and temporaries.
using TVarStack = tStackList<tvar>;

} // namespace velmo

#endif
