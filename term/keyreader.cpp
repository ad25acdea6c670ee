#include "term/keyreader.h"

#include <vector>

#include "base/encoding.h"

namespace velmo {

namespace {

constexpr unsigned char kEsc = 0x1B;
// Longest escape sequence taken apart; anything longer is junk and is
// dropped, so a stream of garbage never piles up.
constexpr std::size_t kMaxSequence = 32;

// xterm encodes Shift, Alt and Ctrl as 1 + a bit set in a parameter.
tmodifiers modifiersOf(int parameter) {
    tmodifiers m;
    if (parameter < 2) return m;
    const int bits = parameter - 1;
    m.shift = (bits & 1) != 0;
    m.alt = (bits & 2) != 0 || (bits & 8) != 0;
    m.ctrl = (bits & 4) != 0;
    return m;
}

// The numbers of a parameter string such as "1;5"; an empty field is 0.
std::vector<int> parametersOf(std::string_view text) {
    std::vector<int> numbers{0};
    for (char c : text) {
        if (c == ';') {
            numbers.push_back(0);
        } else if (c >= '0' && c <= '9' && numbers.back() < 100000) {
            numbers.back() = numbers.back() * 10 + (c - '0');
        }
    }
    return numbers;
}

// Keys of the "ESC [ n ~" form.
tkey tildeKey(int number) {
    switch (number) {
    case 1:
    case 7: return tkey::home;
    case 2: return tkey::insert;
    case 3: return tkey::del;
    case 4:
    case 8: return tkey::end;
    case 5: return tkey::pageUp;
    case 6: return tkey::pageDown;
    case 11: return tkey::f1;
    case 12: return tkey::f2;
    case 13: return tkey::f3;
    case 14: return tkey::f4;
    case 15: return tkey::f5;
    case 17: return tkey::f6;
    case 18: return tkey::f7;
    case 19: return tkey::f8;
    case 20: return tkey::f9;
    case 21: return tkey::f10;
    case 24: return tkey::f12;
    default: return tkey::none;
    }
}

// Keys named by the final letter of "ESC [ ... x" and "ESC O x".
tkey letterKey(char letter) {
    switch (letter) {
    case 'A': return tkey::up;
    case 'B': return tkey::down;
    case 'C': return tkey::right;
    case 'D': return tkey::left;
    case 'H': return tkey::home;
    case 'F': return tkey::end;
    case 'P': return tkey::f1;
    case 'Q': return tkey::f2;
    case 'R': return tkey::f3;
    case 'S': return tkey::f4;
    default: return tkey::none;
    }
}

// The length of the UTF-8 character that starts with this byte; 0 for a
// byte that cannot start one.
std::size_t utf8Length(unsigned char lead) {
    if (lead >= 0xC2 && lead <= 0xDF) return 2;
    if (lead >= 0xE0 && lead <= 0xEF) return 3;
    if (lead >= 0xF0 && lead <= 0xF4) return 4;
    return 0;
}

}  // namespace

void tkeyreader::push(tkey key, tmodifiers modifiers, char character) {
    tkeyevent event;
    event.key = key;
    event.modifiers = modifiers;
    event.character = character;
    events.push_back(std::move(event));
}

void tkeyreader::feed(std::string_view bytes) {
    partial.append(bytes);
    std::size_t used = 0;
    while (used < partial.size()) {
        const std::size_t n = decode(std::string_view(partial).substr(used));
        if (n == 0) break;
        used += n;
    }
    partial.erase(0, used);
}

bool tkeyreader::next(tkeyevent& event) {
    if (events.empty()) return false;
    event = std::move(events.front());
    events.pop_front();
    return true;
}

void tkeyreader::timeout() {
    if (partial.size() == 1 && static_cast<unsigned char>(partial[0]) == kEsc)
        push(tkey::escape, {}, 27);
    partial.clear();
}

std::size_t tkeyreader::decode(std::string_view bytes) {
    const unsigned char b = static_cast<unsigned char>(bytes[0]);
    if (b == kEsc) return decodeEscape(bytes);
    if (b < 0x20 || b == 0x7F) {
        decodeControl(b);
        return 1;
    }
    if (b < 0x80) {
        tmodifiers m;
        m.shift = b >= 'A' && b <= 'Z';
        push(tkey::other, m, static_cast<char>(b));
        events.back().text.assign(1, static_cast<char>(b));
        return 1;
    }
    return decodeUtf8(bytes);
}

void tkeyreader::decodeControl(unsigned char byte) {
    switch (byte) {
    case '\r':
    case '\n': push(tkey::enter, {}, 13); return;
    case 0x7F:
    case 0x08: push(tkey::backspace, {}, 8); return;
    case '\t': push(tkey::other, {}, 9); return;
    default: break;
    }
    if (byte >= 1 && byte <= 26) {
        tmodifiers m;
        m.ctrl = true;
        push(tkey::other, m, static_cast<char>(byte));
    }
    // NUL and 0x1C-0x1F (Ctrl with symbols) type nothing.
}

std::size_t tkeyreader::decodeEscape(std::string_view bytes) {
    if (bytes.size() < 2) return 0;
    const unsigned char second = static_cast<unsigned char>(bytes[1]);
    if (second == '[') return decodeCsi(bytes);
    if (second == 'O') return decodeSs3(bytes);
    if (second > 0x20 && second < 0x7F) {
        // Alt with a character: the desktop player's menu shortcuts, which
        // type nothing here.
        tmodifiers m;
        m.alt = true;
        push(tkey::other, m, 0);
        return 2;
    }
    // Esc followed by anything else (a second Esc, Enter, a letter
    // outside ASCII): Esc, and the rest is a key of its own.
    push(tkey::escape, {}, 27);
    return 1;
}

std::size_t tkeyreader::decodeCsi(std::string_view bytes) {
    if (bytes.size() < 3) return 0;
    if (bytes[2] == '[') {
        // Linux console: ESC [ [ A ... ESC [ [ E are F1 ... F5.
        if (bytes.size() < 4) return 0;
        const char c = bytes[3];
        if (c >= 'A' && c <= 'E') push(static_cast<tkey>(static_cast<int>(tkey::f1) + (c - 'A')));
        return 4;
    }
    if (bytes[2] == '<') return decodeMouse(bytes);
    std::size_t i = 2;
    while (i < bytes.size()) {
        const unsigned char c = static_cast<unsigned char>(bytes[i]);
        if (c >= 0x40 && c <= 0x7E) break;   // final byte
        if (c < 0x20 || c > 0x3F) return i;  // broken: drop what came so far
        if (i >= kMaxSequence) return i;
        ++i;
    }
    if (i >= bytes.size()) return 0;
    const std::vector<int> params = parametersOf(bytes.substr(2, i - 2));
    const char final = bytes[i];
    const tmodifiers m = modifiersOf(params.size() > 1 ? params[1] : 0);
    const tkey key = final == '~' ? tildeKey(params[0]) : letterKey(final);
    if (key != tkey::none) push(key, m);
    return i + 1;
}

// A mouse report in the form "ESC [ < button ; column ; row M" (pressed)
// or "m" (released). Only the wheel (buttons 64 and 65) does something.
std::size_t tkeyreader::decodeMouse(std::string_view bytes) {
    std::size_t i = 3;
    while (i < bytes.size() && ((bytes[i] >= '0' && bytes[i] <= '9') || bytes[i] == ';')) {
        if (i >= kMaxSequence) return i;
        ++i;
    }
    if (i >= bytes.size()) return 0;
    const std::vector<int> params = parametersOf(bytes.substr(3, i - 3));
    const int button = params.empty() ? 0 : params[0] & ~0x1C;  // without Shift, Alt, Ctrl
    if (bytes[i] == 'M' && (button == 64 || button == 65)) {
        push(tkey::none);
        events.back().wheel = button == 64 ? -1 : 1;
    }
    return i + 1;
}

std::size_t tkeyreader::decodeSs3(std::string_view bytes) {
    // ESC O x, with an optional modifier number before x in some terminals.
    std::size_t i = 2;
    while (i < bytes.size() && ((bytes[i] >= '0' && bytes[i] <= '9') || bytes[i] == ';')) {
        if (i >= kMaxSequence) return i;
        ++i;
    }
    if (i >= bytes.size()) return 0;
    const std::vector<int> params = parametersOf(bytes.substr(2, i - 2));
    const char final = bytes[i];
    if (final == 'M') {
        push(tkey::enter, {}, 13);  // Enter on the keypad
    } else {
        const tkey key = letterKey(final);
        const int modifier = params.size() > 1 ? params[1] : params[0];
        if (key != tkey::none) push(key, modifiersOf(modifier));
    }
    return i + 1;
}

std::size_t tkeyreader::decodeUtf8(std::string_view bytes) {
    const std::size_t length = utf8Length(static_cast<unsigned char>(bytes[0]));
    if (length == 0) return 1;  // a stray byte: dropped
    for (std::size_t i = 1; i < length && i < bytes.size(); ++i)
        if ((static_cast<unsigned char>(bytes[i]) & 0xC0) != 0x80) return 1;
    if (bytes.size() < length) return 0;
    const std::string_view sequence = bytes.substr(0, length);
    if (!looksLikeUtf8(sequence)) return 1;  // overlong form or surrogate
    std::string converted;
    std::size_t bad = 0;
    if (utf8ToCp1252(sequence, converted, bad) && converted.size() == 1)
        push(tkey::other, {}, converted[0]);
    else
        push(tkey::none);  // no Windows-1252 form: only a path can take it
    events.back().text.assign(sequence);
    return length;
}

}  // namespace velmo
