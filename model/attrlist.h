#ifndef VELMO_MODEL_ATTRLIST_H
#define VELMO_MODEL_ATTRLIST_H

// The attributes of one object: plain words such as offen or essbar that
// the object has or has not. Names keep the order in which they were
// added, never occur twice and are compared without regard to case
// (Windows-1252 letters included). The list hands its names to the
// story's undo snapshots as a shared list and writes itself into a saved
// game.

#include <cstdint>
#include <istream>
#include <memory>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "model/changemark.h"

namespace velmo {

class tservices;

// The names of a list at one moment, shared and never changed.
using tsharedNames = std::shared_ptr<const std::vector<std::string>>;

// Undo snapshots hold shared immutable name lists: a snapshot taken when
// the names have not changed since the last one reuses that one's list.
class TAttrList {
public:
    explicit TAttrList(tservices& frontEnd) : services(&frontEnd) {}

    // Applies an attribute text: a comma list of names, each added unless
    // present; a name with a leading "~" is removed instead. A name that
    // cannot be applied reports "ungültiges Attribut " with the whole text
    // and stops; the names applied before it stay.
    void withAttr(const std::string& text, int32_t line, bool& errorFlag);
    bool hasAttr(std::string_view name) const;

    // Appends every name to `target`, in order, without looking for
    // duplicates (the target is normally a fresh object's empty list).
    void copylist(TAttrList& target) const;

    // The current names as a shared list, the same list as last time when
    // nothing changed since. Never null.
    tsharedNames shareNames();
    // Puts shared names back (an undo); null leaves the names alone.
    void restoreNames(const tsharedNames& level);

    // Saved games: the count as a plain int32, then one coded string per
    // name. `read` replaces the names; it returns false on a negative count or a record cut short, keeping
    // the names read up to that point.
    void save(std::ostream& out) const;
    bool read(std::istream& in);

    int32_t Count() const { return static_cast<int32_t>(names.size()); }
    const std::vector<std::string>& Names() const { return names; }
    // The undo mark of the object that owns this list, set on every change.
    tmarklink changeMark;

    void Clear() {
        noteChange();
        names.clear();
    }

private:
    // Position of the name, compared without regard to case; -1 if absent.
    std::ptrdiff_t indexOf(std::string_view name) const;
    // Adds or removes one token; false when it is no usable name.
    bool applyToken(const std::string& token);

    tservices* services;
    std::vector<std::string> names;
    // Counts the changes of `names`; `shared` holds them as they were at
    // count `sharedVersion`.
    uint64_t version = 0;
    uint64_t sharedVersion = 0;
    tsharedNames shared;

    void noteChange() {
        ++version;
        changeMark.set();
    }
};

}  // namespace velmo

#endif
