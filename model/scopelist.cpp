#include "model/scopelist.h"

#include <utility>

#include "model/parsetree.h"

namespace velmo {

std::size_t tscopelist::positionOf(const tnode* node) const {
    if (!node || node->scopePosition_ < 0) return npos;
    const auto position = static_cast<std::size_t>(node->scopePosition_);
    // A node of another story's list has a position too; it must point back.
    return position < list.size() && list[position] == node ? position : npos;
}

void tscopelist::assign(std::vector<tnode*> nodes) {
    for (tnode* node : list) node->scopePosition_ = -1;
    list = std::move(nodes);
    numberFrom(0);
    ++changes;
}

void tscopelist::add(tnode* node) {
    if (contains(node)) return;
    list.push_back(node);
    numberFrom(list.size() - 1);
    ++changes;
}

void tscopelist::remove(tnode* node) {
    const std::size_t position = positionOf(node);
    if (position == npos) return;
    list.erase(list.begin() + static_cast<std::ptrdiff_t>(position));
    node->scopePosition_ = -1;
    numberFrom(position);
    ++changes;
}

void tscopelist::numberFrom(std::size_t first) {
    for (std::size_t i = first; i < list.size(); ++i)
        list[i]->scopePosition_ = static_cast<int32_t>(i);
}

}  // namespace velmo
