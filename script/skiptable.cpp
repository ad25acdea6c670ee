#include "script/skiptable.h"

#include <vector>

#include "script/keywords.h"

namespace velmo {

namespace {

// With the running count of braces level(k) after record k (level(-1) is
// 0), stepping from record j ends at the first k >= j whose level equals
// level(j - 1). Walking backwards, `nearest` holds for each level the
// nearest such record seen so far.
void buildSkipEnds(const tcodelist& code, std::vector<int32_t>& ends) {
    const int32_t count = code.Count();
    std::vector<int32_t> level(static_cast<std::size_t>(count) + 1);  // level[k + 1] = level(k)
    for (int32_t k = 0; k < count; ++k) {
        const int32_t row = code.At(k)->row;
        const int32_t step = row == kRowOpen ? 1 : row == kRowClose ? -1 : 0;
        level[static_cast<std::size_t>(k) + 1] = level[static_cast<std::size_t>(k)] + step;
    }
    // Levels lie between -count and count.
    std::vector<int32_t> nearest(2 * static_cast<std::size_t>(count) + 1, count);
    const auto slot = [count](int32_t value) { return static_cast<std::size_t>(value + count); };
    ends.assign(static_cast<std::size_t>(count), count);
    for (int32_t j = count - 1; j >= 0; --j) {
        nearest[slot(level[static_cast<std::size_t>(j) + 1])] = j;
        ends[static_cast<std::size_t>(j)] = nearest[slot(level[static_cast<std::size_t>(j)])];
    }
}

}  // namespace

int32_t skipFrom(const tcodelist& code, int32_t index) {
    const int32_t count = code.Count();
    const int32_t first = index + 1;
    if (first < 0 || first >= count) return count;
    std::vector<int32_t>& ends = code.SkipEnds();
    if (ends.size() != static_cast<std::size_t>(count)) buildSkipEnds(code, ends);
    return ends[static_cast<std::size_t>(first)];
}

}  // namespace velmo
