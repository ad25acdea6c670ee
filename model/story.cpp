#include "model/story.h"

#include <algorithm>
#include <cassert>
#include <unordered_set>

namespace velmo {

// ------------------------------------------------------------ undo records
//
// A snapshot is a persistent structure: every part is an immutable shared
// block, and a part that did not change since the snapshot below is the
// very same block. The objects' states sit in a persistent array, so a
// command that changed one object costs that object's new state and the
// array's blocks on its path, and nothing per unchanged object.

namespace {

using tsharedNodes = std::shared_ptr<const std::vector<tnode*>>;
using tsharedTimers = std::shared_ptr<const std::vector<ttimer>>;

// The list as a shared block: the earlier block when it holds the same,
// null when the list is empty.
template <class T>
std::shared_ptr<const std::vector<T>> shareList(
    const std::shared_ptr<const std::vector<T>>& earlier, const std::vector<T>& now) {
    if (now.empty()) return nullptr;
    if (earlier && *earlier == now) return earlier;
    return std::make_shared<const std::vector<T>>(now);
}

}  // namespace

// One child's place in the world and its lists. Two states are the same
// when they hold the same blocks.
struct tstory::tobjectstate {
    tnode* location = nullptr;
    tsharedNodes contents;  // null when empty
    tsharedValues values;   // null for nodes that are no objects
    tsharedNames attrs;     // null for nodes that are no objects

    bool operator==(const tobjectstate&) const = default;
};

struct tstory::tsnapshot {
    tclock clock;
    int32_t score = 0;
    tsharedValues rootValues;
    tsharedTimers timers;
    tsharedNodes daemons;
    tobjectstates objects;  // one state per child of the root
};

// ------------------------------------------------------------ the story

tstory::tstory(tservices& frontEnd) : services(frontEnd), root_(new tnode(*this)) {
    root_->name = "root";
    root_->kind = kKindRoot;
    root_->valueType = 3;
}

tstory::~tstory() = default;

const std::vector<tstory::tfetchable>& tstory::fetchableObjects() {
    const auto& children = root_->children();
    if (fetchableChildren == children.size()) return fetchable;
    fetchable.clear();
    for (const auto& child : children) {
        if (child->getKind() != kKindObject || child->getAbstract()) continue;
        fetchable.push_back({child.get(), root_->findChild(child->name) == child.get()});
    }
    fetchableChildren = children.size();
    return fetchable;
}

void tstory::rebuildScope(tnode* node) {
    if (!node) {
        scope.clear();
        return;
    }
    // Locations can form a ring for a moment (a saved game restores one
    // object at a time), so both walks remember where they have been.
    std::unordered_set<const tnode*> seen{node};
    tnode* outermost = node;
    while (outermost->location && seen.insert(outermost->location).second) {
        outermost = outermost->location;
    }
    seen.clear();
    std::vector<tnode*> list;
    std::vector<tnode*> pending{outermost};
    while (!pending.empty()) {
        tnode* next = pending.back();
        pending.pop_back();
        if (!seen.insert(next).second) continue;
        list.push_back(next);
        // Pushed in reverse, so the first of the contents comes out first.
        pending.insert(pending.end(), next->contents.rbegin(), next->contents.rend());
    }
    scope.assign(std::move(list));
}

// ------------------------------------------------------------ undo

tstory::tobjectstate tstory::stateOf(tnode& node, const tobjectstate* earlier) {
    // Other children of the root than objects keep only location and
    // contents, so that an object moved into one of them comes back out
    // consistently. Empty lists of objects are one list shared by all.
    static const tsharedValues noValues = std::make_shared<const std::vector<std::string>>();
    static const tsharedNames noNames = std::make_shared<const std::vector<std::string>>();
    tobjectstate state;
    state.location = node.location;
    state.contents = shareList(earlier ? earlier->contents : nullptr, node.contents);
    if (node.kind == kKindObject) {
        state.values = node.vars.empty() ? noValues : node.vars.shareValues();
        if (node.attrs) state.attrs = node.attrs->Count() == 0 ? noNames : node.attrs->shareNames();
    }
    return state;
}

void tstory::putBack(tnode& node, const tobjectstate& state) {
    // Noted as changed: the next snapshot reads the node again, which
    // costs nothing where the lists took back the very blocks they shared.
    node.undoMark.set();
    node.location = state.location;
    if (state.contents) {
        node.contents = *state.contents;
    } else {
        node.contents.clear();
    }
    node.vars.restoreValues(state.values);
    if (node.attrs) node.attrs->restoreNames(state.attrs);
}

void tstory::rebuildUndoStates() {
    const auto& children = root_->children();
    std::vector<tobjectstate> states;
    states.reserve(children.size());
    for (std::size_t i = 0; i < children.size(); ++i) {
        tnode& node = *children[i];
        const bool known = undoStatesBuilt && i < undoStates.size();
        states.push_back(stateOf(node, known ? &undoStates.at(i) : nullptr));
        node.undoMark.attach(undoChanges, static_cast<uint32_t>(i));
        node.vars.changeMark.connect(&node.undoMark);
        if (node.attrs) node.attrs->changeMark.connect(&node.undoMark);
    }
    undoChanges.clear();
    undoStates = tobjectstates(std::move(states));
    undoStatesBuilt = true;
}

void tstory::updateUndoStates() {
    const auto& children = root_->children();
    // Nodes are not added once a story runs; a tree that grew anyway
    // (tests build stories step by step) is read whole.
    if (!undoStatesBuilt || undoStates.size() != children.size()) {
        rebuildUndoStates();
        return;
    }
    for (const uint32_t index : undoChanges) {
        tnode& node = *children[index];
        node.undoMark.clear();
        tobjectstate now = stateOf(node, &undoStates.at(index));
        if (!(now == undoStates.at(index))) undoStates.set(index, std::move(now));
    }
    undoChanges.clear();
}

void tstory::pushUndo() {
    const tsnapshot* below = undoStack.empty() ? nullptr : &undoStack.back();
    tsnapshot snapshot;

    // 1. The clock and score. 2. The root's variables. 3. Its timers and
    // daemons.
    snapshot.clock = clock;
    snapshot.score = score;
    snapshot.rootValues = root_->vars.shareValues();
    snapshot.timers = shareList(below ? below->timers : nullptr, root_->timers);
    snapshot.daemons = shareList(below ? below->daemons : nullptr, root_->daemons);

    // 4. Every child's location and contents, and every object's variables
    // and attributes: the states of the last snapshot with the changed
    // children read again.
    updateUndoStates();
    assert(undoStatesMatchWorld());
    snapshot.objects = undoStates;
    undoStack.push_back(std::move(snapshot));
}

void tstory::popUndo() {
    if (undoStack.empty()) return;
    const tsnapshot snapshot = std::move(undoStack.back());
    undoStack.pop_back();

    // 1. The objects: only those whose state differs from the snapshot's.
    // Each is put back whole, so the order does not matter.
    updateUndoStates();
    const auto& children = root_->children();
    tobjectstates::forEachDifference(undoStates, snapshot.objects, [&](std::size_t i) {
        putBack(*children[i], snapshot.objects.at(i));
    });
    undoStates = snapshot.objects;

    // 2. The clock, the score, the root's variables, timers and daemons:
    // each timer exactly as it was, which undoes the tick of the command
    // and nothing more.
    clock = snapshot.clock;
    score = snapshot.score;
    root_->vars.restoreValues(snapshot.rootValues);
    root_->timers.clear();
    if (snapshot.timers) root_->timers = *snapshot.timers;
    root_->daemons.clear();
    if (snapshot.daemons) root_->daemons = *snapshot.daemons;

    // 3. What the player can reach now.
    rebuildScope(player);
}

bool tstory::canUndo() const { return !undoStack.empty(); }

void tstory::dropUndo() { undoStack.clear(); }

std::size_t tstory::undoDepth() const { return undoStack.size(); }

bool tstory::undoStatesMatchWorld() const {
    const auto& children = root_->children();
    // A tree that grew since is read whole by the next snapshot.
    if (!undoStatesBuilt || undoStates.size() != children.size()) return true;
    auto sameList = [](const auto& shared, const auto& now) {
        return shared ? *shared == now : now.empty();
    };
    for (std::size_t i = 0; i < children.size(); ++i) {
        const tnode& node = *children[i];
        if (node.undoMark.isSet()) continue;
        const tobjectstate& state = undoStates.at(i);
        if (state.location != node.location || !sameList(state.contents, node.contents)) return false;
        if (node.kind != kKindObject) continue;
        const auto& records = node.vars.Records();
        if (!state.values || state.values->size() != records.size()) return false;
        for (std::size_t k = 0; k < records.size(); ++k) {
            if ((*state.values)[k] != records[k].value) return false;
        }
        if (node.attrs && (!state.attrs || *state.attrs != node.attrs->Names())) return false;
    }
    return true;
}

// ------------------------------------------------------------ accounting

namespace {

// Heap bytes of a text beyond the string object itself (none while the
// text fits into the object).
std::size_t heapBytes(const std::string& text) {
    const char* data = text.data();
    const char* self = reinterpret_cast<const char*>(&text);
    const bool inside = data >= self && data < self + sizeof(std::string);
    return inside ? 0 : text.capacity() + 1;
}

// A shared block's bookkeeping beside the object (reference counts).
constexpr std::size_t kControlBytes = 16;

template <class T>
std::size_t listBytes(const std::vector<T>& list) {
    return kControlBytes + sizeof(list) + list.capacity() * sizeof(T);
}

std::size_t listBytes(const std::vector<std::string>& list) {
    std::size_t bytes = kControlBytes + sizeof(list) + list.capacity() * sizeof(std::string);
    for (const std::string& text : list) bytes += heapBytes(text);
    return bytes;
}

}  // namespace

std::size_t tstory::undoTopOwnBytes() const {
    if (undoStack.empty()) return 0;
    const tsnapshot& top = undoStack.back();
    const tsnapshot* below = undoStack.size() >= 2 ? &undoStack[undoStack.size() - 2] : nullptr;

    // Blocks the snapshot below holds are shared and not counted; blocks
    // met for the first time count once, even when several parts of this
    // snapshot share them. A list belongs to one node, so the states
    // below that can share it are those at the same place (the one empty
    // list that all objects share may count once more).
    std::unordered_set<const void*> known;
    auto remember = [&](const void* block) { return block && known.insert(block).second; };
    auto rememberState = [&](const tobjectstate& state) {
        remember(state.contents.get());
        remember(state.values.get());
        remember(state.attrs.get());
    };
    auto stateBytes = [&](const tobjectstate& state) -> std::size_t {
        std::size_t bytes = 0;
        if (remember(state.contents.get())) bytes += listBytes(*state.contents);
        if (remember(state.values.get())) bytes += listBytes(*state.values);
        if (remember(state.attrs.get())) bytes += listBytes(*state.attrs);
        return bytes;
    };

    std::size_t bytes = sizeof(tsnapshot);
    if (below) {
        remember(below->rootValues.get());
        remember(below->timers.get());
        remember(below->daemons.get());
    }
    if (remember(top.rootValues.get())) bytes += listBytes(*top.rootValues);
    if (remember(top.timers.get())) bytes += listBytes(*top.timers);
    if (remember(top.daemons.get())) bytes += listBytes(*top.daemons);

    bytes += top.objects.ownBlockBytes(below ? &below->objects : nullptr, kControlBytes);
    const std::size_t shared = below ? std::min(below->objects.size(), top.objects.size()) : 0;
    if (below) {
        tobjectstates::forEachDifference(top.objects, below->objects, [&](std::size_t i) {
            rememberState(below->objects.at(i));
        });
        tobjectstates::forEachDifference(top.objects, below->objects, [&](std::size_t i) {
            bytes += stateBytes(top.objects.at(i));
        });
    }
    for (std::size_t i = shared; i < top.objects.size(); ++i) bytes += stateBytes(top.objects.at(i));
    return bytes;
}

}  // namespace velmo
