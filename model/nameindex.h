#ifndef VELMO_MODEL_NAMEINDEX_H
#define VELMO_MODEL_NAMEINDEX_H

// Which objects have a search form that ends with a given word. A run of
// command words can only be a search form whose last word is the run's
// last word, so the command parser asks this index which objects can be
// named at all, instead of comparing the forms of every object in a big
// room. Each node's entries are kept in step with its names (every change
// goes through tnode::setShortName): a renamed node's old words leave the
// index at once, and its new ones enter when the index is next asked,
// which is when its forms are made. Loading a big story names thousands
// of objects, and making their forms is most of what naming costs.
//
// Beside it, the first words of the search forms with adjectives (what
// a failed command asks about its words).
//
// The index keeps hashes of the words, not the words: two words with the
// same hash only let an object through that the full comparison then
// turns down.

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace velmo {

class tnode;

class tnameindex {
public:
    // Called before the node's names change: takes out the words of its
    // forms in place (when listed) and queues the node, whose new words
    // are taken in on the next question.
    void renamed(tnode& node);

    // The nodes with a search form ending in `word` (some others may come
    // along); null when there are none.
    const std::vector<const tnode*>* find(std::string_view word) const;
    // The nodes with a search form with adjectives, of more than one word,
    // whose first word is `word` (some others may come along).
    const std::vector<const tnode*>* findAdjective(std::string_view word) const;

    // Counts the changes of names: a filter built before a change must
    // not be used after it. Taking in queued nodes is no change.
    uint64_t version() const { return changes; }

private:
    using towners = std::unordered_map<std::size_t, std::vector<const tnode*>>;
    // Calls `visit` with the map and the hash of every word the node is
    // listed under, each pair once.
    template <typename tvisit>
    void forEachWord(const tnode& node, tvisit visit) const;
    // Takes in the words of the queued nodes. A question does it, so the
    // lists below change under a const index.
    void takeInQueued() const;

    mutable towners owners;
    mutable towners adjectiveOwners;
    mutable std::vector<tnode*> queued;
    uint64_t changes = 0;
};

}  // namespace velmo

#endif
