#include "model/var.h"

namespace velmo {

bool exactInteger(std::string_view text, int32_t& n) {
    if (text.empty() || text.size() > kMaxIntDigits) return false;
    const bool negative = text.front() == '-';
    if (negative) text.remove_prefix(1);
    // "0" alone; no other text of an integer starts with "0" ("-0", "007").
    if (text.empty() || (text.front() == '0' && (text.size() > 1 || negative))) return false;
    int64_t value = 0;
    for (const char c : text) {
        if (c < '0' || c > '9') return false;
        value = value * 10 + (c - '0');
    }
    if (negative) value = -value;
    if (value < INT32_MIN || value > INT32_MAX) return false;
    n = static_cast<int32_t>(value);
    return true;
}

}  // namespace velmo
