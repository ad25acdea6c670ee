#include "model/nameindex.h"

#include <algorithm>
#include <utility>

#include "base/namehash.h"
#include "model/parsetree.h"

namespace velmo {

namespace {

std::size_t wordHash(std::string_view word) { return nameHash(word); }

// Whether search form `f` is the very text of the same form of an earlier
// case (a noun whose ending does not change: the forms keep such a text
// once), so its words are taken in already.
bool sharesEarlierCase(const tshortNames& names, std::size_t f) {
    const std::string_view form = names.searchForm(f);
    for (std::size_t e = f % 6; e < f; e += 6) {
        const std::string_view earlier = names.searchForm(e);
        if (earlier.data() == form.data() && earlier.size() == form.size()) return true;
    }
    return false;
}

}  // namespace

template <typename tvisit>
void tnameindex::forEachWord(const tnode& node, tvisit visit) const {
    const std::vector<tshortNames>& variants = node.shortNames();
    std::vector<std::pair<towners*, std::size_t>> seen;
    seen.reserve(variants.size() * 2 * kSearchForms);
    auto once = [&](towners& map, std::string_view word) {
        const std::pair<towners*, std::size_t> key{&map, wordHash(word)};
        if (std::find(seen.begin(), seen.end(), key) != seen.end()) return;
        seen.push_back(key);
        visit(map, key.second);
    };
    for (const tshortNames& names : variants) {
        for (std::size_t f = 0; f < kSearchForms; ++f) {
            const std::string_view form = names.searchForm(f);
            if (sharesEarlierCase(names, f)) continue;
            const std::size_t last = form.rfind(' ');
            once(owners, last == std::string_view::npos ? form : form.substr(last + 1));
            if (isAdjectiveForm(f) && last != std::string_view::npos)
                once(adjectiveOwners, form.substr(0, form.find(' ')));
        }
    }
}

void tnameindex::renamed(tnode& node) {
    ++changes;
    if (node.indexed_ == tnode::tindexed::listed) {
        forEachWord(node, [&](towners& map, std::size_t hash) {
            const auto found = map.find(hash);
            if (found == map.end()) return;
            std::erase(found->second, &node);
            if (found->second.empty()) map.erase(found);
        });
    }
    if (node.indexed_ != tnode::tindexed::queued) queued.push_back(&node);
    node.indexed_ = tnode::tindexed::queued;
}

void tnameindex::takeInQueued() const {
    for (tnode* node : queued) {
        node->indexed_ = tnode::tindexed::listed;
        forEachWord(*node, [&](towners& map, std::size_t hash) { map[hash].push_back(node); });
    }
    queued.clear();
}

namespace {

const std::vector<const tnode*>* lookUp(
    const std::unordered_map<std::size_t, std::vector<const tnode*>>& map, std::string_view word) {
    const auto found = map.find(wordHash(word));
    return found == map.end() ? nullptr : &found->second;
}

}  // namespace

const std::vector<const tnode*>* tnameindex::find(std::string_view word) const {
    takeInQueued();
    return lookUp(owners, word);
}

const std::vector<const tnode*>* tnameindex::findAdjective(std::string_view word) const {
    takeInQueued();
    return lookUp(adjectiveOwners, word);
}

}  // namespace velmo
