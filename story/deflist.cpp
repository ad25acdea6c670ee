#include "story/deflist.h"

#include <algorithm>

namespace velmo {

namespace {

// Replaces every occurrence of `name` (not empty) by `value`. False when
// the result would be longer than maxSize; the text is then unchanged.
bool replaceAll(std::string& text, std::string_view name, std::string_view value,
                std::size_t maxSize) {
    std::size_t count = 0;
    for (std::size_t at = text.find(name); at != std::string::npos;
         at = text.find(name, at + name.size()))
        ++count;
    if (count == 0) return true;
    // Checked before anything is allocated: chained definitions could
    // otherwise multiply the text without bound.
    if (value.size() > name.size()) {
        std::size_t growth = value.size() - name.size();
        if (growth > (maxSize - std::min(maxSize, text.size())) / count) return false;
    }
    std::string out;
    out.reserve(text.size() - count * name.size() + count * value.size());
    std::size_t from = 0;
    for (std::size_t at = text.find(name); at != std::string::npos; at = text.find(name, from)) {
        out.append(text, from, at - from);
        out += value;
        from = at + name.size();
    }
    out.append(text, from, std::string::npos);
    text = std::move(out);
    return true;
}

}  // namespace

void tdeflist::clear(bool forPlaying) {
    items.clear();
    if (forPlaying) items.push_back({"SYSTEM", "0"});
}

void tdeflist::add(std::string name, std::string value) {
    items.push_back({std::move(name), std::move(value)});
}

bool tdeflist::defines(std::string_view name) const {
    return std::any_of(items.begin(), items.end(),
                       [&](const tdefinition& d) { return d.name == name; });
}

void tdeflist::sortLongestFirst() {
    std::stable_sort(items.begin(), items.end(), [](const tdefinition& a, const tdefinition& b) {
        return a.name.size() > b.name.size();
    });
}

bool tdeflist::substitute(std::string& text, std::size_t maxSize) const {
    for (const tdefinition& d : items) {
        if (d.name.empty()) continue;
        if (!replaceAll(text, d.name, d.value, maxSize)) return false;
    }
    return true;
}

}  // namespace velmo
