#include "term/runservices.h"

#include "story/encoding.h"

namespace velmo {

std::string plainOutputText(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (char c : text) {
        if (c == '^')
            out += '\n';
        else if (c == '\\')
            out += '"';
        else
            out += c;
    }
    return out;
}

void trunservices::writeText(const std::string& text) {
    if (text.empty()) return;
    const std::string shown = cp1252ToUtf8(plainOutputText(text));
    std::fwrite(shown.data(), 1, shown.size(), out);
    if (!shown.empty()) atLineStart = shown.back() == '\n';
}

void trunservices::finish() {
    if (!atLineStart) std::fputc('\n', out);
    std::fflush(out);
}

} // namespace velmo
