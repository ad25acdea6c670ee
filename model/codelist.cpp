#include "model/codelist.h"

namespace velmo {

namespace {

// Records per block: a block costs one allocation instead of one per
// record with its own count, and a record that outlives its story keeps
// at most this many records' room.
constexpr std::size_t kBlockRecords = 64;

// A record in the block being filled; the block never grows past its
// first room, so the records in it stay where they are.
std::shared_ptr<tcode> placeInBlock(tcode&& code) {
    thread_local std::shared_ptr<std::vector<tcode>> block;
    if (!block || block->size() == kBlockRecords) {
        block = std::make_shared<std::vector<tcode>>();
        block->reserve(kBlockRecords);
    }
    block->push_back(std::move(code));
    // Shares the block's count and points at the record.
    return std::shared_ptr<tcode>(block, &block->back());
}

}  // namespace

void tcodelist::Add(tcode&& code) {
    skipEnds.clear();
    items.push_back(placeInBlock(std::move(code)));
}

void tcodelist::ShareInto(tcodelist& other) const {
    if (items.empty()) return;
    other.skipEnds.clear();
    // Sharing a list into itself would append while iterating; the
    // copy of the pointers keeps the walk over a fixed range.
    if (&other == this) {
        std::vector<std::shared_ptr<tcode>> copy(items);
        other.items.insert(other.items.end(), copy.begin(), copy.end());
        return;
    }
    other.items.reserve(other.items.size() + items.size());
    other.items.insert(other.items.end(), items.begin(), items.end());
}

}  // namespace velmo
