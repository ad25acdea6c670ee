#ifndef VELMO_MODEL_CODELIST_H
#define VELMO_MODEL_CODELIST_H

// The stored statements of a node: one record per statement, built when
// the story is loaded and walked by the interpreter.

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace velmo {

// The postfix forms of a statement's parameters, in order.
using TParameters = std::vector<std::string>;

struct tcompiled;  // script/compiledexpr.h
struct tjumptable;  // script/jumptable.h
// The compiled form of each parameter, in order.
using tcompiledparams = std::vector<std::shared_ptr<const tcompiled>>;

// Where the parameters of a record end in its parameter text, for the
// few records with more than one: one pointer in every record, null for
// the many with none or one. Copies hold their own.
class tparamends {
public:
    tparamends() = default;
    tparamends(const tparamends& other) { *this = other; }
    tparamends(tparamends&&) noexcept = default;
    tparamends& operator=(const tparamends& other);
    tparamends& operator=(tparamends&&) noexcept = default;

    void assign(const std::vector<uint32_t>& ends);
    uint32_t operator[](std::size_t i) const { return data[i + 1]; }

private:
    // The number of ends, then the ends.
    std::unique_ptr<uint32_t[]> data;
};

// One stored statement. A big story has a hundred thousand: what most
// of them leave empty takes no more than a pointer.
struct tcode {
    int32_t opcode = 0;  // statement code of the keyword table (1 "{", 11 "}", 12 no keyword, ...)
    int32_t row = 0;     // row of the keyword table whose handler runs the statement
    int32_t line = 0;    // program-text line, for error messages
private:
    uint32_t count = 0;  // postfix parameters

public:
    // Parameters: postfix forms joined with "," (paramCount of them), or
    // the text as written (none).
    std::string paramText;

    // The object written before the statement with "."; empty when none.
    const std::string& receiver() const;
    bool hasReceiver() const { return receiverName != nullptr; }
    void setReceiver(std::string name);

    // The postfix parameters, kept in paramText: the loader converts the
    // parameters of statements in functions, and the others have none.
    std::size_t paramCount() const { return count; }
    std::string_view param(std::size_t i) const;
    TParameters paramList() const;
    // Joins the forms into paramText and notes where each one ends.
    void setParams(const TParameters& forms);

    // The compiled form of each parameter, so that running the statement
    // never splits its text again. Filled when the statement first runs
    // (compiledParam), not at load: most functions of a big story never
    // run in a session, and compiling cannot fail. Shared and immutable
    // once filled: copies of the record share them. Null until then (one
    // pointer in every record).
    mutable std::shared_ptr<const tcompiledparams> compiled;

private:
    tparamends ends;  // where each parameter but the last ends
    std::shared_ptr<const std::string> receiverName;
};

// The statement records of one node, in source order. Records are held
// through shared pointers: a node that inherits a function shares the
// records of the original (ShareInto), and a shared record lives as long
// as any list still holds it. Records are made in blocks of several (a
// big story has a hundred thousand, most of them a few bytes of text): a
// block is freed when none of its records is held any more.
class tcodelist {
public:
    // Appends an owned copy of the record.
    void Add(const tcode& code) { Add(tcode(code)); }
    void Add(tcode&& code);

    // The record at `index` without copying, or null when out of range:
    // the interpreter's way to read the statement it runs.
    const tcode* At(int32_t index) const {
        return inRange(index) ? items[static_cast<std::size_t>(index)].get() : nullptr;
    }
    // Write access, for the loader's passes over finished records (string
    // restoring). A change is seen by every list that shares the record.
    tcode* MutableAt(int32_t index) {
        return inRange(index) ? items[static_cast<std::size_t>(index)].get() : nullptr;
    }

    int32_t Count() const { return static_cast<int32_t>(items.size()); }
    bool IsEmpty() const { return items.empty(); }

    // Appends this list's records to `other` as the same records, not
    // copies.
    void ShareInto(tcodelist& other) const;

    void Clear() {
        skipEnds.clear();
        jumps.reset();
        items.clear();
    }

    // For each record, where stepping over the statement that starts
    // there ends (the interpreter's "skip"). The interpreter fills it the
    // first time it steps over a statement of this list; every change of
    // the list empties it again.
    std::vector<int32_t>& SkipEnds() const { return skipEnds; }
    // Where the switches and breaks of this list lead, worked out by the
    // interpreter as it meets them; every change of the list drops it.
    std::shared_ptr<tjumptable>& Jumps() const { return jumps; }

private:
    bool inRange(int32_t index) const {
        return index >= 0 && static_cast<std::size_t>(index) < items.size();
    }

    std::vector<std::shared_ptr<tcode>> items;
    mutable std::vector<int32_t> skipEnds;
    mutable std::shared_ptr<tjumptable> jumps;
};

}  // namespace velmo

#endif
