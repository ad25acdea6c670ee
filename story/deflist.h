#ifndef VELMO_STORY_DEFLIST_H
#define VELMO_STORY_DEFLIST_H

// The definitions made with "#define NAME VALUE", in the order met. They
// are tested by "#ifdef"/"#ifndef" while the source is read and then
// substituted into the whole program text.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace velmo {

struct tdefinition {
    std::string name;
    std::string value;
};

class tdeflist {
public:
    // A story read for playing starts with "SYSTEM" defined as "0"; a
    // story being compiled starts with no definitions.
    explicit tdeflist(bool forPlaying = true) { clear(forPlaying); }
    void clear(bool forPlaying);

    // A name defined twice gets a second entry.
    void add(std::string name, std::string value);
    // True when a definition has exactly this name (case-sensitive).
    bool defines(std::string_view name) const;

    const std::vector<tdefinition>& entries() const { return items; }
    std::size_t size() const { return items.size(); }

    // Longest names first; names of equal length keep their order.
    void sortLongestFirst();

    // Replaces, definition by definition in list order, every occurrence
    // of the name in the text by the value: plain, case-sensitive, inside
    // string literals and words too. Empty names are skipped. False, with
    // the text as far as it got, when the text would grow beyond maxSize.
    bool substitute(std::string& text, std::size_t maxSize) const;

private:
    std::vector<tdefinition> items;
};

}  // namespace velmo

#endif
