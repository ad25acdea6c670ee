#include "term/lineeditor.h"

#include "term/screenframe.h"

namespace velmo {

namespace {

constexpr std::size_t kMaxLength = 4096;  // longer than any path

}  // namespace

tlineeditor::tlineeditor(const std::string& text) { setText(text); }

void tlineeditor::setText(const std::string& text) {
    glyphs.clear();
    for (std::size_t pos = 0; pos < text.size() && glyphs.size() < kMaxLength;) {
        char32_t glyph = 0;
        const std::size_t length = nextGlyph(text, pos, glyph);
        // Control characters have no place in a path typed at a prompt.
        if (static_cast<unsigned char>(text[pos]) >= 0x20)
            glyphs.push_back(text.substr(pos, length));
        pos += length;
    }
    cursor_ = static_cast<int32_t>(glyphs.size());
}

std::string tlineeditor::text() const {
    std::string out;
    for (const std::string& glyph : glyphs) out += glyph;
    return out;
}

bool tlineeditor::apply(const tkeyevent& event) {
    const auto at = [this](int32_t index) { return glyphs.begin() + index; };
    switch (event.key) {
    case tkey::backspace:
        if (cursor_ == 0) return false;
        glyphs.erase(at(--cursor_));
        return true;
    case tkey::del:
        if (cursor_ >= length()) return false;
        glyphs.erase(at(cursor_));
        return true;
    case tkey::left:
        if (cursor_ == 0) return false;
        --cursor_;
        return true;
    case tkey::right:
        if (cursor_ >= length()) return false;
        ++cursor_;
        return true;
    case tkey::home: cursor_ = 0; return true;
    case tkey::end: cursor_ = length(); return true;
    default: break;
    }
    if (event.modifiers.ctrl || event.modifiers.alt) return false;
    if (event.text.empty() || static_cast<unsigned char>(event.text[0]) < 0x20) return false;
    if (glyphs.size() >= kMaxLength) return false;
    glyphs.insert(at(cursor_++), event.text);
    return true;
}

}  // namespace velmo
