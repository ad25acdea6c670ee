#include "model/codelist.h"

namespace velmo {

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
