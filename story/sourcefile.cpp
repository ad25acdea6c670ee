#include "story/sourcefile.h"

#include <filesystem>
#include <fstream>
#include <system_error>

#include "base/encoding.h"

namespace velmo {

namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

// Length of the UTF-8 character that starts with this byte; the text is
// known to be valid, so the lead byte alone decides.
std::size_t utf8Length(unsigned char lead) {
    if (lead < 0x80) return 1;
    if ((lead & 0xE0) == 0xC0) return 2;
    if ((lead & 0xF0) == 0xE0) return 3;
    return 4;
}

}  // namespace

tsourcefile::tstatus tsourcefile::open(const std::string& path, std::size_t maxBytes) {
    namespace fs = std::filesystem;
    std::error_code ec;
    if (!fs::is_regular_file(path, ec)) return tstatus::cannotOpen;
    std::uintmax_t size = fs::file_size(path, ec);
    if (ec) return tstatus::cannotOpen;
    if (size > maxBytes) return tstatus::tooBig;

    std::ifstream in(path, std::ios::binary);
    if (!in) return tstatus::cannotOpen;
    std::string content(static_cast<std::size_t>(size), '\0');
    in.read(content.data(), static_cast<std::streamsize>(size));
    // A file that shrank while being read is taken as far as it went.
    content.resize(static_cast<std::size_t>(in.gcount()));
    if (in.bad()) return tstatus::cannotOpen;
    assign(std::move(content));
    return tstatus::ok;
}

void tsourcefile::assign(std::string content) {
    data = std::move(content);
    pos = 0;
    if (data.starts_with(kByteOrderMark)) pos = kByteOrderMark.size();
    // Plain ASCII reads the same either way, so it needs no decision.
    utf8 = looksLikeUtf8(std::string_view(data).substr(pos));
}

bool tsourcefile::nextLine(std::string_view& line) {
    if (pos >= data.size()) return false;
    // A plain loop: a search for either of two bytes would look up the
    // pair for every byte of the file.
    std::size_t end = pos;
    while (end < data.size() && data[end] != '\n' && data[end] != '\r') ++end;
    if (end == data.size()) {
        line = std::string_view(data).substr(pos);
        pos = data.size();
        return true;
    }
    line = std::string_view(data).substr(pos, end - pos);
    pos = end + 1;
    if (data[end] == '\r' && pos < data.size() && data[pos] == '\n') ++pos;
    return true;
}

std::string tsourcefile::toText(std::string_view raw) const {
    std::string out;
    appendText(out, raw);
    return out;
}

void tsourcefile::appendText(std::string& out, std::string_view raw) const {
    if (utf8)
        appendUtf8AsProgramText(out, raw);
    else
        out += raw;
}

void appendUtf8AsProgramText(std::string& out, std::string_view text) {
    std::string one;
    std::size_t bad = 0;
    for (std::size_t pos = 0; pos < text.size();) {
        // A run of ASCII reads the same in both encodings: copied whole.
        std::size_t ascii = pos;
        while (ascii < text.size() && static_cast<unsigned char>(text[ascii]) < 0x80) ++ascii;
        if (ascii > pos) {
            out.append(text, pos, ascii - pos);
            pos = ascii;
            continue;
        }
        auto lead = static_cast<unsigned char>(text[pos]);
        // One character at a time, so that a line full of characters
        // without a Windows-1252 form still takes linear time.
        std::size_t len = utf8Length(lead);
        if (utf8ToCp1252(text.substr(pos, len), one, bad))
            out += one;
        else
            out += kUnconvertible;
        pos += len;
    }
}

std::string nameAsText(std::string_view name) {
    std::string out;
    std::size_t bad = 0;
    if (looksLikeUtf8(name) && utf8ToCp1252(name, out, bad)) return out;
    return std::string(name);
}

}  // namespace velmo
