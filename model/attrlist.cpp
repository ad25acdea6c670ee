#include "model/attrlist.h"

#include <utility>

#include "base/codedfile.h"
#include "base/encoding.h"
#include "base/services.h"
#include "base/tokenizer.h"

namespace velmo {

namespace {

// A name must be something a story can test with "has": not empty, and
// free of the characters that the story text uses for structure (control
// bytes, the line and string markers, quotes, commas and the removal
// sign). Blanks are left alone: they may reach us grouped inside a token.
bool usableName(std::string_view name) {
    if (name.empty()) return false;
    for (char c : name) {
        auto b = static_cast<unsigned char>(c);
        if (b < 0x20 || b == 0x7F || b == 0xFD || b == 0xFE) return false;
        if (c == '"' || c == ',' || c == '~') return false;
    }
    return true;
}

}  // namespace

std::ptrdiff_t TAttrList::indexOf(std::string_view name) const {
    for (std::size_t i = 0; i < names.size(); ++i) {
        if (sameText(names[i], name)) return static_cast<std::ptrdiff_t>(i);
    }
    return -1;
}

bool TAttrList::applyToken(const std::string& token) {
    const bool removal = !token.empty() && token[0] == '~';
    std::string_view name(token);
    if (removal) name.remove_prefix(1);
    if (!usableName(name)) return false;

    std::ptrdiff_t at = indexOf(name);
    if (removal) {
        if (at >= 0) {
            names.erase(names.begin() + at);
            noteChange();
        }
    } else if (at < 0) {
        names.emplace_back(name);
        noteChange();
    }
    return true;
}

void TAttrList::withAttr(const std::string& text, int32_t line, bool& errorFlag) {
    // The blank is a grouping character here, not a delimiter: texts from
    // the story arrive without blanks, and any that remain stay inside
    // their token.
    ttokenizer tokens(text, tcharset(","), tcharset(" "), false);
    while (tokens.HasNext()) {
        if (!applyToken(tokens.Next())) {
            services->showError(errorFlag, line, "ung\xFCltiges Attribut " + text);
            return;
        }
    }
}

bool TAttrList::hasAttr(std::string_view name) const { return indexOf(name) >= 0; }

void TAttrList::copylist(TAttrList& target) const {
    target.names.insert(target.names.end(), names.begin(), names.end());
    target.noteChange();
}

tsharedNames TAttrList::shareNames() {
    if (!shared || sharedVersion != version) {
        shared = std::make_shared<const std::vector<std::string>>(names);
        sharedVersion = version;
    }
    return shared;
}

void TAttrList::restoreNames(const tsharedNames& level) {
    if (!level) return;
    names = *level;
    noteChange();
    shared = level;
    sharedVersion = version;
}

void TAttrList::save(std::ostream& out) const {
    writeInt32(out, static_cast<int32_t>(names.size()));
    for (const std::string& name : names) writeStr(out, name);
}

bool TAttrList::read(std::istream& in) {
    names.clear();
    noteChange();

    int32_t count = 0;
    if (!readInt32(in, count) || count < 0) return false;
    // The count is not trusted for an allocation: every name costs at
    // least four bytes of the file, so a short file ends the loop early.
    bool localError = false;
    for (int32_t i = 0; i < count; ++i) {
        std::string text;
        if (!readStr(in, text)) return false;
        withAttr(text, 0, localError);
    }
    return true;
}

}  // namespace velmo
