#include "script/jumptable.h"

#include <charconv>
#include <string_view>

#include "model/var.h"
#include "script/keywords.h"

namespace velmo {

namespace {

bool isPlain(const tcode* record, int32_t row) {
    return record && record->row == row && !record->hasReceiver();
}

// True when `text` is the text of an integer, which is then `number`.
bool spellsInteger(const std::string& text, int32_t& number) {
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, number);
    if (error != std::errc() || stop != end) return false;
    char digits[kMaxIntDigits];
    return std::string_view(digits, decimalText(number, digits)) == text;
}

int32_t braceStep(int32_t row) { return row == kRowOpen ? 1 : row == kRowClose ? -1 : 0; }

// Follows the walks from the first case as a case that does not match
// takes them; false when one leaves the plain shape.
bool planCases(const tcodelist& code, int32_t first, tswitchplan& plan) {
    const int32_t count = code.Count();
    int32_t at = first;
    for (;;) {
        const std::string& label = code.At(at)->paramText;
        int32_t number = 0;
        const bool isInteger = spellsInteger(label, number);
        plan.cases.push_back({label, at, isInteger, number});
        int32_t counter = 1;  // inside the switch's block
        int32_t k = at;
        int32_t row = 0;
        do {
            if (++k >= count) return false;
            row = code.At(k)->row;
            counter += braceStep(row);
        } while (row != kRowCase && row != kRowDefault && counter != 0);
        if (counter == 0) {
            plan.missIndex = k;
            plan.missAtEnd = true;
            return true;
        }
        if (counter != 1 || code.At(k)->hasReceiver()) return false;
        if (row == kRowDefault) {
            plan.missIndex = k;
            return true;
        }
        at = k;
    }
}

std::unique_ptr<tswitchplan> makePlan(const tcodelist& code, int32_t index) {
    if (!isPlain(code.At(index + 1), kRowOpen) || !isPlain(code.At(index + 2), kRowCase))
        return nullptr;
    auto plan = std::make_unique<tswitchplan>();
    if (!planCases(code, index + 2, *plan)) return nullptr;
    return plan;
}

}  // namespace

tjumptable& remakeJumps(const tcodelist& code) {
    std::shared_ptr<tjumptable>& table = code.Jumps();
    if (!table) table = std::make_shared<tjumptable>();
    table->entries.clear();
    table->entries.resize(static_cast<std::size_t>(code.Count()));
    return *table;
}

tswitchplan* planSwitch(const tcodelist& code, int32_t index, tjumpentry& entry) {
    entry.plan = makePlan(code, index);
    entry.planned = true;
    return entry.plan.get();
}

int32_t walkBlock(const tcodelist& code, int32_t index, int32_t gap, tjumpentry& entry) {
    const int32_t count = code.Count();
    int32_t counter = 0;
    int32_t k = index;
    while (counter != -gap) {
        if (++k >= count) {
            k = count;
            break;
        }
        counter += braceStep(code.At(k)->row);
    }
    entry.breakGap = gap;
    entry.breakEnd = k;
    return k;
}

}  // namespace velmo
