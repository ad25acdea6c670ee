#ifndef VELMO_MODEL_PERSISTENTARRAY_H
#define VELMO_MODEL_PERSISTENTARRAY_H

// An array of fixed length whose copies share their storage: a tree of
// blocks of 32, items in the leaves. Copying an array copies one pointer;
// changing an item of one copy copies the blocks on that item's path
// (four at 100,000 items) and leaves every other copy as it was. The undo
// snapshots keep one such array of object states each, so a snapshot
// costs the path of what changed, not a slot per object.
//
// The difference walk compares items with == (undo's object states
// compare the blocks they hold, which is cheap). Blocks are changed in
// place only while no other array holds them.

#include <algorithm>
#include <cstddef>
#include <iterator>
#include <memory>
#include <utility>
#include <vector>

namespace velmo {

template <class T>
class tpersistentarray {
public:
    tpersistentarray() = default;
    // An array holding `items` in order.
    explicit tpersistentarray(std::vector<T> items) : size_(items.size()) {
        std::vector<tblockRef> level;
        for (std::size_t first = 0; first < items.size(); first += kWidth) {
            auto leaf = std::make_shared<tblock>();
            const std::size_t end = std::min(items.size(), first + kWidth);
            leaf->items.assign(std::make_move_iterator(items.begin() + static_cast<std::ptrdiff_t>(first)),
                               std::make_move_iterator(items.begin() + static_cast<std::ptrdiff_t>(end)));
            level.push_back(std::move(leaf));
        }
        while (level.size() > 1) {
            std::vector<tblockRef> upper;
            for (std::size_t first = 0; first < level.size(); first += kWidth) {
                auto inner = std::make_shared<tblock>();
                const std::size_t end = std::min(level.size(), first + kWidth);
                inner->blocks.assign(level.begin() + static_cast<std::ptrdiff_t>(first),
                                     level.begin() + static_cast<std::ptrdiff_t>(end));
                upper.push_back(std::move(inner));
            }
            level = std::move(upper);
            ++height_;
        }
        if (!level.empty()) root_ = std::move(level.front());
    }

    std::size_t size() const { return size_; }

    // The item at `index`, which must be below size().
    const T& at(std::size_t index) const {
        const tblock* block = root_.get();
        for (unsigned level = height_; level > 0; --level) {
            block = block->blocks[slot(index, level)].get();
        }
        return block->items[slot(index, 0)];
    }

    // Replaces the item at `index` (below size()) in this array only.
    void set(std::size_t index, T item) {
        tblockRef* place = &root_;
        for (unsigned level = height_; level > 0; --level) {
            own(*place);
            place = &(*place)->blocks[slot(index, level)];
        }
        own(*place);
        (*place)->items[slot(index, 0)] = std::move(item);
    }

    // Calls `visit(index)` for every index below both sizes where the two
    // arrays hold different items, in ascending order; blocks that both
    // share are skipped whole.
    template <class F>
    static void forEachDifference(const tpersistentarray& a, const tpersistentarray& b, F&& visit) {
        const std::size_t common = std::min(a.size_, b.size_);
        if (a.height_ == b.height_ && a.root_ && b.root_) {
            differences(a.root_.get(), b.root_.get(), a.height_, 0, common, visit);
            return;
        }
        for (std::size_t i = 0; i < common; ++i) {
            if (!(a.at(i) == b.at(i))) visit(i);
        }
    }

    // The bytes of the blocks of this array that `below` does not hold at
    // the same place (all of them without `below`), each block counted
    // with `controlBytes` for its shared bookkeeping. Items are not
    // followed: the caller counts what they point to.
    std::size_t ownBlockBytes(const tpersistentarray* below, std::size_t controlBytes) const {
        const bool comparable = below && below->height_ == height_;
        return blockBytes(root_.get(), comparable ? below->root_.get() : nullptr, height_,
                          controlBytes);
    }

private:
    static constexpr unsigned kBits = 5;
    static constexpr std::size_t kWidth = std::size_t{1} << kBits;

    // A leaf holds items, an inner block the blocks below it.
    struct tblock {
        std::vector<T> items;
        std::vector<std::shared_ptr<tblock>> blocks;
    };
    using tblockRef = std::shared_ptr<tblock>;

    static std::size_t slot(std::size_t index, unsigned level) {
        return (index >> (kBits * level)) & (kWidth - 1);
    }
    // Makes the block this array's own before a change: a copy when any
    // other array holds it too.
    static void own(tblockRef& block) {
        if (block.use_count() > 1) block = std::make_shared<tblock>(*block);
    }

    template <class F>
    static void differences(const tblock* a, const tblock* b, unsigned level, std::size_t first,
                            std::size_t limit, F& visit) {
        if (a == b || first >= limit) return;
        if (level == 0) {
            const std::size_t n = std::min(a->items.size(), b->items.size());
            for (std::size_t i = 0; i < n && first + i < limit; ++i) {
                if (!(a->items[i] == b->items[i])) visit(first + i);
            }
            return;
        }
        const std::size_t span = std::size_t{1} << (kBits * level);
        const std::size_t n = std::min(a->blocks.size(), b->blocks.size());
        for (std::size_t i = 0; i < n; ++i) {
            differences(a->blocks[i].get(), b->blocks[i].get(), level - 1, first + i * span, limit,
                        visit);
        }
    }

    static std::size_t blockBytes(const tblock* block, const tblock* below, unsigned level,
                                  std::size_t controlBytes) {
        if (!block || block == below) return 0;
        std::size_t bytes = controlBytes + sizeof(tblock) + block->items.capacity() * sizeof(T) +
                            block->blocks.capacity() * sizeof(tblockRef);
        if (level == 0) return bytes;
        for (std::size_t i = 0; i < block->blocks.size(); ++i) {
            const tblock* under = below && i < below->blocks.size() ? below->blocks[i].get() : nullptr;
            bytes += blockBytes(block->blocks[i].get(), under, level - 1, controlBytes);
        }
        return bytes;
    }

    tblockRef root_;
    std::size_t size_ = 0;
    unsigned height_ = 0;  // levels of inner blocks above the leaves
};

}  // namespace velmo

#endif
