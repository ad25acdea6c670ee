#ifndef VELMO_BASE_STACK_H
#define VELMO_BASE_STACK_H

// A last-in-first-out stack of values. The top is the last item. Popping
// or peeking an empty stack is not undefined: Pop reports false and
// Peek returns null, and the caller reports its own error.

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

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

private:
    std::vector<T> items;
};

// A stack of texts (the names a "fetch" loop still has to visit).
class tStringStack : public tStackList<std::string> {
public:
    void PushString(std::string text) { Push(std::move(text)); }
};

}  // namespace velmo

#endif
