#ifndef VELMO_MODEL_CHANGEMARK_H
#define VELMO_MODEL_CHANGEMARK_H

// What changed since the last undo snapshot. Every child of the root has a
// mark; the first change of its location, contents, variables or
// attributes after a snapshot sets the mark and notes the child's index in
// the story's change log, so that the next snapshot reads only the noted
// children instead of walking the whole world. A mark that is not
// attached to a log (function nodes, and every node before the first
// snapshot) notes nothing.

#include <cstdint>
#include <vector>

namespace velmo {

class tchangemark {
public:
    void attach(std::vector<uint32_t>& changeLog, uint32_t index) {
        log = &changeLog;
        position = index;
        marked = false;
    }
    void set() {
        if (log && !marked) note();
    }
    bool isSet() const { return marked; }
    // The snapshot has read the node: the next change is noted again.
    void clear() { marked = false; }

private:
    // Out of line: every write of a variable sets the mark, and the code
    // that notes the node belongs to the first write alone.
    [[gnu::noinline]] void note() {
        marked = true;
        log->push_back(position);
    }

    std::vector<uint32_t>* log = nullptr;
    uint32_t position = 0;
    bool marked = false;
};

// A list's way to its node's mark. Copying or moving a list takes its
// values, not its place in the tree: a copy is linked to no mark, and a
// list assigned over keeps its link and counts as changed.
class tmarklink {
public:
    tmarklink() = default;
    tmarklink(const tmarklink&) noexcept {}
    tmarklink& operator=(const tmarklink&) noexcept {
        set();
        return *this;
    }

    void connect(tchangemark* node) { mark = node; }
    void set() const {
        if (mark) mark->set();
    }

private:
    tchangemark* mark = nullptr;
};

}  // namespace velmo

#endif
