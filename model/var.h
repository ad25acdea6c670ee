#ifndef VELMO_MODEL_VAR_H
#define VELMO_MODEL_VAR_H

#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>
#include <utility>

namespace velmo {

// Value types of the story language.
enum : int32_t {
    kTypeInt = 0,     // decimal text; truth values "0" and "1"
    kTypeText = 1,    // a string
    kTypeObject = 2,  // a node's name, or "NULL" for none
    kTypeVoid = 3,    // result of a "void" function (operand stack only)
    kTypeAttr = 4,    // an attribute name (operand stack only)
};

// The longest decimal text of a 32-bit integer ("-2147483648").
constexpr std::size_t kMaxIntDigits = 11;

// Writes the decimal text of `n` into `out` (at least kMaxIntDigits
// bytes); returns its length. Integers are written far more often than
// anything else, so this writes two digits a step from the end.
inline std::size_t decimalText(int32_t n, char* out) {
    static constexpr char kPairs[] =
        "00010203040506070809101112131415161718192021222324252627282930313233343536373839"
        "40414243444546474849505152535455565758596061626364656667686970717273747576777879"
        "8081828384858687888990919293949596979899";
    char buffer[kMaxIntDigits];
    char* end = buffer + kMaxIntDigits;
    char* at = end;
    uint32_t u = n < 0 ? 0u - static_cast<uint32_t>(n) : static_cast<uint32_t>(n);
    while (u >= 100) {
        const uint32_t pair = (u % 100) * 2;
        u /= 100;
        *--at = kPairs[pair + 1];
        *--at = kPairs[pair];
    }
    if (u >= 10) {
        *--at = kPairs[u * 2 + 1];
        *--at = kPairs[u * 2];
    } else {
        *--at = static_cast<char>('0' + u);
    }
    if (n < 0) *--at = '-';
    const auto length = static_cast<std::size_t>(end - at);
    std::memcpy(out, at, length);
    return length;
}

// `text` becomes the decimal text of `n`.
inline void assignDecimal(std::string& text, int32_t n) {
    char digits[kMaxIntDigits];
    text.assign(digits, decimalText(n, digits));
}

// The decimal text of `n` is appended to `text`.
inline void appendDecimal(std::string& text, int32_t n) {
    char digits[kMaxIntDigits];
    text.append(digits, decimalText(n, digits));
}

// True when `text` is exactly the decimal text of a 32-bit integer (no
// sign but "-", no leading zero, no "-0", no wrap-around); `n` receives it.
bool exactInteger(std::string_view text, int32_t& n);

// One variable, or one element of an array. Elements after the first
// carry the continuation marker as their name: one character of code 0.
//
// The value is a text. Beside it the record may know the integer that
// text spells exactly (`exact`), so that the evaluator reads a number
// without reading digits. An integer the evaluator assigns is not even
// written out at once (`pending`): its text is made when someone reads
// it through text(). The variable list makes the texts of its records
// before it hands them out, so code outside the evaluator always finds
// `value` complete; whoever writes `value` directly gets the record
// through the list's write access, which drops what the record knew.
struct tvar {
    int32_t type = kTypeInt;
    std::string name;
    // Mutable for the pending text alone, which reading may write.
    mutable std::string value;
    mutable int32_t number = 0;    // valid while `exact`
    mutable bool exact = false;    // value is (or will be) exactly number's decimal text
    mutable bool pending = false;  // value not written yet; only with `exact`
    // The text was looked at and spells no integer exactly: a text read
    // again and again is not read for digits every time.
    mutable bool notNumber = false;

    // The text, written now if it was pending.
    const std::string& text() const {
        if (pending) writeText();
        return value;
    }
    void writeText() const {
        assignDecimal(value, number);
        pending = false;
    }
    // Before a write of `value` from outside: the text is complete and
    // no longer taken for an integer.
    void forgetNumber() {
        if (pending) writeText();
        exact = false;
        notNumber = false;
    }
    // The value becomes the integer `n`; its text is written when read.
    void setInteger(int32_t n) {
        number = n;
        exact = true;
        pending = true;
        notNumber = false;
    }
    // The value becomes `text` (moved in).
    void setText(std::string&& text) {
        value = std::move(text);
        exact = false;
        pending = false;
        notNumber = false;
    }
    // The value becomes `text`, whose room is exchanged with the old
    // value's: a caller that builds texts again and again reuses it.
    void swapText(std::string& text) {
        value.swap(text);
        exact = false;
        pending = false;
        notNumber = false;
    }
    // The value becomes a copy of `from`'s text (into the room the value
    // has), with what `from` learned about it: a text that was found to
    // spell no integer is not read for digits again.
    void copyText(const tvar& from) {
        value = from.text();
        exact = false;
        pending = false;
        notNumber = from.notNumber;
    }
    // The integer the text spells exactly, learned on the first look.
    bool exactNumber(int32_t& n) const {
        if (!exact && !notNumber) {
            exact = exactInteger(value, number);
            notNumber = !exact;
        }
        n = number;
        return exact;
    }
};

// The longest variable name kept; longer declared names are cut.
constexpr std::size_t kMaxVarName = 25;

// A record's name equals `name`. Names are short (at most kMaxVarName
// characters): a plain loop beats a call of the library's compare.
inline bool sameName(const std::string& record, std::string_view name) {
    if (record.size() != name.size()) return false;
    for (std::size_t i = 0; i < name.size(); ++i)
        if (record[i] != name[i]) return false;
    return true;
}

// The name of the second and later elements of an array.
inline const std::string& continuationName() {
    static const std::string marker(1, '\0');
    return marker;
}

}  // namespace velmo

#endif
