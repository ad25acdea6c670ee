#ifndef VELMO_SCRIPT_JUMPTABLE_H
#define VELMO_SCRIPT_JUMPTABLE_H

// Where a switch and a "break" lead, worked out once per record and kept
// with the code list (the records do not change while a story runs).
//
// A switch runs its case records one after another: a case whose label
// is not the value walks brace by brace to the next case or "default", or
// to the end of the switch. Those walks depend on the records alone, so
// the first time a switch runs, its plan lists the labels in the order
// the cases are met and where the walks end when none matches; the switch
// then goes straight to the matching case. A "break" walks to the brace
// that brings the depth back by the number of open blocks it leaves; the
// end of that walk is kept per record and number.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "model/codelist.h"

namespace velmo {

// A switch whose braces and cases follow the plain shape: its "{" comes
// right after it, a case comes right after that, and every walk from a
// case that does not match ends at a case or "default" of the same block
// or at the switch's closing brace. No record on the way has a receiver
// (a receiver would be evaluated when its record runs).
struct tswitchplan {
    struct tcase {
        std::string label;  // compared as text with the value
        int32_t index;      // the case record
        // The label spells this integer as an integer's text spells it
        // (no sign "+", no leading zero): only such a label can equal the
        // text of an integer value.
        bool isInteger;
        int32_t number;
    };
    std::vector<tcase> cases;  // in the order the walks meet them
    // Where the last walk ends when no label matches: the "default"
    // record, or the closing brace of the switch (`missAtEnd`).
    int32_t missIndex = 0;
    bool missAtEnd = false;
};

// What is kept for one record: a break's last walk, a switch's plan.
struct tjumpentry {
    int32_t breakGap = 0;  // 0: no walk kept
    int32_t breakEnd = 0;
    bool planned = false;
    std::unique_ptr<tswitchplan> plan;  // null when the switch has no plain shape
};

struct tjumptable {
    std::vector<tjumpentry> entries;  // one per record
};

// The table of the list, made (again) when it has not the list's length.
tjumptable& remakeJumps(const tcodelist& code);
tswitchplan* planSwitch(const tcodelist& code, int32_t index, tjumpentry& entry);
int32_t walkBlock(const tcodelist& code, int32_t index, int32_t gap, tjumpentry& entry);

// The entry of the record at `index`, which must exist.
inline tjumpentry& jumpEntry(const tcodelist& code, int32_t index) {
    tjumptable* table = code.Jumps().get();
    if (!table || table->entries.size() != static_cast<std::size_t>(code.Count()))
        table = &remakeJumps(code);
    return table->entries[static_cast<std::size_t>(index)];
}

// The plan of the switch record at `index` (which must exist); null when
// the switch does not have the plain shape (its records then run one by
// one).
inline const tswitchplan* switchPlan(const tcodelist& code, int32_t index) {
    tjumpentry& entry = jumpEntry(code, index);
    return entry.planned ? entry.plan.get() : planSwitch(code, index, entry);
}

// Where a walk from the record at `index` (which must exist) ends that
// counts braces (+1 for "{", -1 for "}") from the next record on until the
// count has fallen by `gap` (above 0): the index of that "}", or the
// number of records when there is none.
inline int32_t blockEnd(const tcodelist& code, int32_t index, int32_t gap) {
    tjumpentry& entry = jumpEntry(code, index);
    return entry.breakGap == gap ? entry.breakEnd : walkBlock(code, index, gap, entry);
}

}  // namespace velmo

#endif
