#ifndef VELMO_MODEL_VARLIST_H
#define VELMO_MODEL_VARLIST_H

// The variables of one node: scalars and arrays, in declaration order. An
// array of N elements is N consecutive records; the first carries the
// name, the others the continuation marker, so element k lies k records
// after the named one. Names are compared exactly and cut to 25
// characters when declared.
//
// Every lookup by name goes through `indexOf`, a first-match scan from the
// front; a faster index can replace it there without touching the callers.
//
// The story's undo snapshots hold the values as immutable shared lists.
// The list counts its changes (every call that can change a record counts
// as one), so a snapshot taken when nothing changed since the last one
// reuses that one's values instead of copying them; every such call also
// sets the undo mark of the list's node, so that a snapshot need not ask
// the lists that did not change. A pointer or reference to a record from
// `find` or `at` is for immediate use: a write through one kept across a
// snapshot is not seen as a change.

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <istream>
#include <memory>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "model/changemark.h"
#include "model/nameset.h"
#include "model/var.h"

namespace velmo {

class tservices;
class ttokenizer;

// The largest array a declaration may fill with default values. Arrays
// given their element values are bounded by the text that lists them.
constexpr int32_t kMaxArraySize = 100000;

// A stamp for the arrangement of a list's records: taken fresh from one
// counter for the whole process whenever records may move (a record
// added or removed, the list cleared, copied or moved), so two lists never
// carry the same stamp and a list carries a stamp again only while its
// records stand where they stood. A moved list and the list it was moved
// from both get fresh stamps. Never 0. Whoever keeps a record's address
// keeps the stamp with it and may use the address while the stamps agree.
class tshapestamp {
public:
    tshapestamp() : stamp(fresh()) {}
    tshapestamp(const tshapestamp&) : stamp(fresh()) {}
    tshapestamp(tshapestamp&& other) noexcept : stamp(fresh()) { other.renew(); }
    tshapestamp& operator=(const tshapestamp&) {
        renew();
        return *this;
    }
    tshapestamp& operator=(tshapestamp&& other) noexcept {
        renew();
        other.renew();
        return *this;
    }
    ~tshapestamp() = default;
    void renew() { stamp = fresh(); }
    // Takes back a stamp this list had: only for records that are again
    // exactly what they were under it (see takeBackRecords).
    void restore(uint64_t earlier) { stamp = earlier; }
    uint64_t value() const { return stamp; }

private:
    // Lists are used from one thread at a time: a plain increment (no
    // locked instruction, which every call of a story function would pay
    // for several times) is enough.
    static uint64_t fresh() {
        const uint64_t next = counter.load(std::memory_order_relaxed) + 1;
        counter.store(next, std::memory_order_relaxed);
        return next;
    }
    static inline std::atomic<uint64_t> counter{0};
    uint64_t stamp;
};

// The values of a list's records at one moment, shared and never changed.
using tsharedValues = std::shared_ptr<const std::vector<std::string>>;

class tvarlist {
public:
    explicit tvarlist(tservices& frontEnd) : services(&frontEnd) {}

    // Declares the comma-separated variables of `text` with `type`
    // ("a", "a=5", "a[3]", "a[3]=(1,2,3)", "a[]", ...). Errors are reported
    // and the next declaration is taken; afterwards `errorFlag` is set when
    // this list has ever reported an error.
    void declare(const std::string& text, int32_t type, bool& errorFlag, int32_t line);
    // The same for a text that names one variable and nothing else
    // ("a"): declares it, or reports it as declared before; kNotPlain for
    // any other text, which is left to declare.
    enum class tdeclared : uint8_t { kNotPlain, kDeclared, kRedefined };
    tdeclared declarePlain(std::string_view text, int32_t type, int32_t line);
    // Appends a variable whose name the caller knows to be plain and not
    // yet in the list (parameters bound into an empty list), with its
    // value. The name is cut to 25 characters as a declaration cuts it.
    void appendPlain(std::string_view name, int32_t type, std::string_view value) {
        appendRecord(name, type).value.assign(value);
    }
    // The same for an integer value, whose text is written when read.
    void appendInteger(std::string_view name, int32_t type, int32_t n) {
        appendRecord(name, type).setInteger(n);
    }

    // The record of `name`, or of element i for "name[i]". The index is
    // counted in the whole list, so one past an array's end is the next
    // variable; outside the list it reports "ungültiger Index". Null when
    // nothing is found. The pointer is valid until the list changes.
    tvar* find(std::string_view name, int32_t line);
    // The position of that record in the list, or -1.
    std::ptrdiff_t findIndex(std::string_view name, int32_t line);

    // Copies the value into `result`; an unknown name reports "Zugriff auf
    // unbekannten Bezeichner " and leaves `result` as it was.
    bool getValue(std::string_view name, std::string& result);
    // Assigns the value; an unknown name reports "Fehler bei Zuweisung an ".
    bool setValue(std::string_view name, const std::string& value, int32_t line);

    // True if a record has that name; anything from the first "[" is ignored.
    bool exists(std::string_view name) const;
    // 0 for an undeclared name, else the named record and the continuation
    // records right after it. An index written after the name is ignored.
    int32_t elementCount(std::string_view name) const;

    // Deletes the record at `index` and the records right after it that
    // carry its name or the continuation marker (a whole array).
    void remove(std::size_t index);

    // Replaces the target's records with copies of these, unless this list
    // is empty (the target then keeps its own).
    void copyInto(tvarlist& target) const;

    // The current values as a shared list: the same list as last time
    // when no value changed since, so unchanged lists cost nothing to keep.
    // Never null.
    tsharedValues shareValues();
    // Puts shared values back (an undo). When records were added or
    // removed since they were shared, the first records get their values
    // back as far as both counts reach, and the rest is left alone.
    void restoreValues(const tsharedValues& values);

    // Saved games: one coded string per record, in list order, nothing
    // else. `readValues` fills the records in order; it returns false when the file ends early, keeping the values
    // read so far.
    void saveValues(std::ostream& out) const;
    bool readValues(std::istream& in);

    bool empty() const { return records.empty(); }
    std::size_t size() const { return records.size(); }
    // A record for writing: counted as a change; its text is complete and
    // no longer taken for the integer it spelled.
    tvar& at(std::size_t index) {
        noteChange();
        tvar& record = records.at(index);
        record.forgetNumber();
        return record;
    }
    const tvar& at(std::size_t index) const {
        const tvar& record = records.at(index);
        record.text();
        return record;
    }
    // The records with every text complete.
    const std::vector<tvar>& Records() const {
        makeTexts();
        return records;
    }

    // For the evaluator, which knows that an integer's text may still be
    // pending (tvar::text): the records as they are, and a record to
    // assign through tvar::setInteger or tvar::setText (counted as a change).
    const std::vector<tvar>& RecordsAsTheyAre() const { return records; }
    tvar& Assign(std::size_t index) {
        noteChange();
        return records[index];
    }
    // The same for a record of this list that the caller holds already.
    tvar& Assign(const tvar& record) {
        noteChange();
        return const_cast<tvar&>(record);
    }
    void clear() {
        noteShape();
        records.clear();
    }
    // Exchanges the records with `other`: a function's locals are set
    // aside while it calls a function, perhaps itself. Records move.
    void swapRecords(std::vector<tvar>& other) {
        noteShape();
        records.swap(other);
    }
    // Swaps back the records that swapRecords gave away while the list
    // had the arrangement `shapeThen`. They come back untouched in their
    // own storage, so the arrangement is the one they had, and forms that
    // kept records of it may use them again: a loop that calls a function
    // finds its names once, not every round.
    void takeBackRecords(std::vector<tvar>& other, uint64_t shapeThen) {
        noteChange();
        records.swap(other);
        shapeStamp.restore(shapeThen);
    }
    // The arrangement of the records (see tshapestamp).
    uint64_t shape() const { return shapeStamp.value(); }

    // Set whenever this list reports an error; never cleared.
    bool error = false;
    // The undo mark of the node that owns this list, set on every change.
    tmarklink changeMark;

    // Every name that any variable list of this process has held. A name
    // it rules out is no variable anywhere, so the evaluator skips the
    // search through every list up to the root for it: the name of each
    // story function or built-in that an expression calls. Lists are
    // used from one thread.
    static const tnameset& heldNames() { return held; }

private:
    // A fresh record at the end; a list that held records before reuses
    // their room.
    tvar& appendRecord(std::string_view name, int32_t type) {
        noteShape();
        tvar& record = records.emplace_back();
        record.type = type;
        record.name.assign(name.substr(0, kMaxVarName));
        held.add(record.name);
        return record;
    }
    void makeTexts() const {
        for (const tvar& record : records) record.text();
    }
    // The first record named exactly `name`, or -1. Every lookup by name
    // goes through here.
    std::ptrdiff_t indexOf(std::string_view name) const;
    // The elements of an array declaration; `tokens` stands after the "[".
    void declareArray(tvar record, ttokenizer& tokens, int32_t line);
    void report(int32_t line, const std::string& message);

    static tnameset held;

    tservices* services;
    std::vector<tvar> records;
    // Counts the calls that may have changed a record; `shared` holds the
    // values as they were at count `sharedVersion`.
    uint64_t version = 0;
    uint64_t sharedVersion = 0;
    tsharedValues shared;
    tshapestamp shapeStamp;

    void noteChange() {
        ++version;
        changeMark.set();
    }
    // A change that may move records: also a change of their values.
    void noteShape() {
        noteChange();
        shapeStamp.renew();
    }
};

// The value a fresh variable of the type holds: "0", "" or "NULL".
std::string_view defaultText(int32_t type);
std::string defaultValue(int32_t type);

}  // namespace velmo

#endif
