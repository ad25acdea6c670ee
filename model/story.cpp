#include "model/story.h"

#include <algorithm>
#include <unordered_set>

namespace velmo {

// ------------------------------------------------------------ undo records
//
// A snapshot is a persistent structure: every part is an immutable shared
// block, and a part that did not change since the snapshot below is the
// very same block. The objects' states are grouped in chunks, so that a
// command that changed one object costs one chunk, one state and the
// changed list, and nothing per unchanged object.

namespace {

using tsharedNodes = std::shared_ptr<const std::vector<tnode*>>;
using tsharedTimers = std::shared_ptr<const std::vector<ttimer>>;

constexpr std::size_t kChunkSize = 64;

}  // namespace

struct tstory::tsnapshot {
    // One object's place in the world and its lists.
    struct tstate {
        tnode* location = nullptr;
        tsharedNodes contents;  // null when empty
        tsharedValues values;   // null for nodes that are no objects
        tsharedNames attrs;     // null for nodes that are no objects
    };
    using tstateRef = std::shared_ptr<const tstate>;
    using tchunk = std::vector<tstateRef>;
    using tchunkRef = std::shared_ptr<const tchunk>;

    tclock clock;
    int32_t score = 0;
    tsharedValues rootValues;
    tsharedTimers timers;
    tsharedNodes daemons;
    std::vector<tchunkRef> chunks;  // the root's children, kChunkSize to a chunk

    const tstate* stateAt(std::size_t index) const {
        const std::size_t chunk = index / kChunkSize;
        if (chunk >= chunks.size() || index % kChunkSize >= chunks[chunk]->size()) return nullptr;
        return (*chunks[chunk])[index % kChunkSize].get();
    }
};

namespace {

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

// ------------------------------------------------------------ the story

tstory::tstory(tservices& frontEnd) : services(frontEnd), root_(new tnode(*this)) {
    root_->name = "root";
    root_->kind = kKindRoot;
    root_->valueType = 3;
}

tstory::~tstory() = default;

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

    // 4. Every object in order: location, contents, variables, attributes.
    // Other children of the root keep only location and contents, so that
    // an object moved into one of them comes back out consistently.
    const auto& children = root_->children();
    for (std::size_t first = 0; first < children.size(); first += kChunkSize) {
        const std::size_t chunkIndex = first / kChunkSize;
        const tsnapshot::tchunkRef earlierChunk =
            below && chunkIndex < below->chunks.size() ? below->chunks[chunkIndex] : nullptr;
        tsnapshot::tchunk chunk;
        chunk.reserve(std::min(kChunkSize, children.size() - first));
        for (std::size_t i = first; i < children.size() && i < first + kChunkSize; ++i) {
            tnode& node = *children[i];
            const std::size_t offset = i - first;
            const tsnapshot::tstateRef earlier =
                earlierChunk && offset < earlierChunk->size() ? (*earlierChunk)[offset] : nullptr;
            tsnapshot::tstate state;
            state.location = node.location;
            state.contents = shareList(earlier ? earlier->contents : nullptr, node.contents);
            if (node.kind == kKindObject) {
                state.values = node.vars.shareValues();
                if (node.attrs) state.attrs = node.attrs->shareNames();
            }
            if (earlier && earlier->location == state.location &&
                earlier->contents == state.contents && earlier->values == state.values &&
                earlier->attrs == state.attrs) {
                chunk.push_back(earlier);
            } else {
                chunk.push_back(std::make_shared<const tsnapshot::tstate>(std::move(state)));
            }
        }
        if (earlierChunk && *earlierChunk == chunk) {
            snapshot.chunks.push_back(earlierChunk);
        } else {
            snapshot.chunks.push_back(std::make_shared<const tsnapshot::tchunk>(std::move(chunk)));
        }
    }
    undoStack.push_back(std::move(snapshot));
}

void tstory::popUndo() {
    if (undoStack.empty()) return;
    const tsnapshot snapshot = std::move(undoStack.back());
    undoStack.pop_back();

    // 1. The objects, from the last to the first.
    const auto& children = root_->children();
    for (std::size_t i = children.size(); i-- > 0;) {
        const tsnapshot::tstate* state = snapshot.stateAt(i);
        if (!state) continue;
        tnode& node = *children[i];
        node.location = state->location;
        if (state->contents) {
            node.contents = *state->contents;
        } else {
            node.contents.clear();
        }
        node.vars.restoreValues(state->values);
        if (node.attrs) node.attrs->restoreNames(state->attrs);
    }

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

    // Every block the snapshot below holds; a block also held here is
    // shared and not counted.
    std::unordered_set<const void*> known;
    auto remember = [&](const void* block) { return block && known.insert(block).second; };
    if (undoStack.size() >= 2) {
        const tsnapshot& below = undoStack[undoStack.size() - 2];
        remember(below.rootValues.get());
        remember(below.timers.get());
        remember(below.daemons.get());
        for (const auto& chunk : below.chunks) {
            remember(chunk.get());
            for (const auto& state : *chunk) {
                remember(state.get());
                remember(state->contents.get());
                remember(state->values.get());
                remember(state->attrs.get());
            }
        }
    }

    // Blocks met for the first time count once, even when several objects
    // of this snapshot share them.
    const tsnapshot& top = undoStack.back();
    std::size_t bytes = sizeof(tsnapshot) + top.chunks.capacity() * sizeof(tsnapshot::tchunkRef);
    if (remember(top.rootValues.get())) bytes += listBytes(*top.rootValues);
    if (remember(top.timers.get())) bytes += listBytes(*top.timers);
    if (remember(top.daemons.get())) bytes += listBytes(*top.daemons);
    for (const auto& chunk : top.chunks) {
        if (!remember(chunk.get())) continue;
        bytes += listBytes(*chunk);
        for (const auto& state : *chunk) {
            if (!remember(state.get())) continue;
            bytes += kControlBytes + sizeof(tsnapshot::tstate);
            if (remember(state->contents.get())) bytes += listBytes(*state->contents);
            if (remember(state->values.get())) bytes += listBytes(*state->values);
            if (remember(state->attrs.get())) bytes += listBytes(*state->attrs);
        }
    }
    return bytes;
}

}  // namespace velmo
