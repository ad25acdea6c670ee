#include "model/codelist.h"

#include <algorithm>

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

tparamends& tparamends::operator=(const tparamends& other) {
    if (this == &other) return *this;
    const std::size_t size = other.data ? other.data[0] + 1 : 0;
    data = size ? std::make_unique<uint32_t[]>(size) : nullptr;
    std::copy_n(other.data.get(), size, data.get());
    return *this;
}

void tparamends::assign(const std::vector<uint32_t>& ends) {
    data = ends.empty() ? nullptr : std::make_unique<uint32_t[]>(ends.size() + 1);
    if (!data) return;
    data[0] = static_cast<uint32_t>(ends.size());
    std::copy(ends.begin(), ends.end(), data.get() + 1);
}

const std::string& tcode::receiver() const {
    static const std::string none;
    return receiverName ? *receiverName : none;
}

void tcode::setReceiver(std::string name) {
    receiverName = name.empty() ? nullptr : std::make_shared<const std::string>(std::move(name));
}

std::string_view tcode::param(std::size_t i) const {
    const std::string_view text(paramText);
    const std::size_t start = i == 0 ? 0 : ends[i - 1] + 1;  // after the ","
    const std::size_t end = i + 1 == count ? text.size() : ends[i];
    return text.substr(start, end - start);
}

TParameters tcode::paramList() const {
    TParameters forms;
    for (std::size_t i = 0; i < count; ++i) forms.emplace_back(param(i));
    return forms;
}

void tcode::setParams(const TParameters& forms) {
    paramText.clear();
    std::vector<uint32_t> cuts;
    for (std::size_t i = 0; i < forms.size(); ++i) {
        if (i > 0) {
            cuts.push_back(static_cast<uint32_t>(paramText.size()));
            paramText += ',';
        }
        paramText += forms[i];
    }
    count = static_cast<uint32_t>(forms.size());
    ends.assign(cuts);
}

void tcodelist::Add(tcode&& code) {
    skipEnds.clear();
    jumps.reset();
    items.push_back(placeInBlock(std::move(code)));
}

void tcodelist::ShareInto(tcodelist& other) const {
    if (items.empty()) return;
    other.skipEnds.clear();
    other.jumps.reset();
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
