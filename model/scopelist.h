#ifndef VELMO_MODEL_SCOPELIST_H
#define VELMO_MODEL_SCOPELIST_H

// The objects the player can reach, in the order the command parser looks
// at them. Each node in the list knows its position, so asking whether a
// node is in scope, and where, costs one look instead of a walk of a room
// that may hold a hundred thousand objects. The version counts the
// changes: a copy taken before a change is no longer the list.

#include <cstddef>
#include <cstdint>
#include <vector>

namespace velmo {

class tnode;

class tscopelist {
public:
    static constexpr std::size_t npos = static_cast<std::size_t>(-1);

    tscopelist() = default;
    tscopelist(const tscopelist&) = delete;
    tscopelist& operator=(const tscopelist&) = delete;

    const std::vector<tnode*>& nodes() const { return list; }
    bool empty() const { return list.empty(); }
    std::size_t size() const { return list.size(); }
    std::vector<tnode*>::const_iterator begin() const { return list.begin(); }
    std::vector<tnode*>::const_iterator end() const { return list.end(); }
    tnode* operator[](std::size_t i) const { return list[i]; }

    // The node's index in the list, or npos.
    std::size_t positionOf(const tnode* node) const;
    bool contains(const tnode* node) const { return positionOf(node) != npos; }

    // Replaces the whole list (the nodes must differ from each other).
    void assign(std::vector<tnode*> nodes);
    void clear() { assign({}); }
    // Appends a node that is not in the list yet.
    void add(tnode* node);
    // Takes the node out; nothing when it is not in the list.
    void remove(tnode* node);

    uint64_t version() const { return changes; }

private:
    void numberFrom(std::size_t first);

    std::vector<tnode*> list;
    uint64_t changes = 0;
};

}  // namespace velmo

#endif
