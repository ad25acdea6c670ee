#include "frontend/configfile.h"

#include <filesystem>
#include <fstream>
#include <iterator>
#include <ostream>

#include "base/atomicfile.h"
#include "base/encoding.h"

namespace velmo {

void tconfig::setValue(const std::string& name, const std::string& value) {
    entries.push_back(name + "=" + lowerCase(value));
}

void tconfig::setText(const std::string& name, const std::string& value) {
    entries.push_back(name + "=" + value);
}

const std::string* tconfig::find(const std::string& name) const {
    const std::string wanted = lowerCase(name);
    for (const std::string& line : entries) {
        const std::size_t equals = line.find('=');
        if (equals != std::string::npos && lowerCase(line.substr(0, equals)) == wanted)
            return &line;
    }
    return nullptr;
}

bool tconfig::getText(const std::string& name, std::string& value) const {
    const std::string* line = find(name);
    if (!line) return false;
    value = line->substr(line->find('=') + 1);
    return true;
}

bool tconfig::getValue(const std::string& name, std::string& value) const {
    std::string text;
    if (!getText(name, text)) return false;
    value = lowerCase(text);
    return true;
}

bool tconfig::load(const std::string& file) {
    entries.clear();
    std::error_code error;
    const std::uintmax_t size = std::filesystem::file_size(file, error);
    if (error || size > kMaxFileSize) return false;
    std::ifstream in(file, std::ios::binary);
    if (!in) return false;
    const std::string text{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    if (in.bad()) return false;
    std::size_t from = 0;
    while (from < text.size()) {
        std::size_t end = text.find('\n', from);
        if (end == std::string::npos) end = text.size();
        std::string line = text.substr(from, end - from);
        // No value of a line can hold a control character (a CR of a
        // Windows line end, a NUL of a damaged file): written back, it would
        // not read as it was.
        std::erase_if(line, [](char c) { return static_cast<unsigned char>(c) < 0x20; });
        entries.push_back(std::move(line));
        from = end + 1;
    }
    return true;
}

std::string tconfig::text() const {
    std::string all;
    for (const std::string& line : entries) all += line + "\n";
    return all;
}

bool tconfig::save(const std::string& file) const {
    const std::string all = text();
    return writeFileAtomically(file, [&all](std::ostream& out) {
        out << all;
        return static_cast<bool>(out);
    });
}

}  // namespace velmo
