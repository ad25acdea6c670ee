// Coded strings and coded text files. Every text in saved games and
// compiled stories passes through one fixed byte table; the table is its
// own inverse, so the same step codes and decodes. It must never change:
// files written with one table can only be read with the same table.
// docs/formats.md shows it and tells how it was made.

#include "base/codedfile.h"

#include <algorithm>
#include <cstring>
#include <fstream>
#include <limits>

#include "base/atomicfile.h"

namespace velmo {

namespace {

// Pairs of bytes that stand for each other; no byte stands for itself.
constexpr unsigned char kCodeTable[256] = {
    0x7A, 0x62, 0xD7, 0xE9, 0xF4, 0x1C, 0xEF, 0xAB, 0x2A, 0x1E, 0x64, 0xC4, 0x9C, 0x34, 0xBA, 0x42,
    0xE0, 0x7F, 0xBD, 0x33, 0x27, 0x4C, 0x88, 0x6D, 0x81, 0xC9, 0xC7, 0xFC, 0x05, 0xA3, 0x09, 0x86,
    0x2D, 0x49, 0x56, 0xD9, 0x47, 0x76, 0x9E, 0x14, 0xEA, 0x5C, 0x08, 0xBE, 0x93, 0x20, 0xD5, 0x6F,
    0x3B, 0x41, 0xC8, 0x13, 0x0D, 0x96, 0x38, 0x8D, 0x36, 0x5E, 0x68, 0x30, 0x9D, 0xE8, 0x59, 0x78,
    0xCC, 0x31, 0x0F, 0x66, 0xD6, 0xD8, 0xED, 0x24, 0x73, 0x21, 0xA6, 0xFB, 0x15, 0xDF, 0x6B, 0xF0,
    0x84, 0x5F, 0x75, 0x5D, 0xEC, 0xD1, 0x22, 0xB2, 0xF9, 0x3E, 0xFE, 0xC6, 0x29, 0x53, 0x39, 0x51,
    0x72, 0x91, 0x01, 0xD0, 0x0A, 0xD3, 0x43, 0x9A, 0x3A, 0x87, 0xFD, 0x4E, 0xB3, 0x17, 0xF5, 0x2F,
    0xB6, 0xC1, 0x60, 0x48, 0xF1, 0x52, 0x25, 0xA7, 0x3F, 0xF2, 0x00, 0x99, 0xB0, 0xDE, 0xE7, 0x11,
    0xF8, 0x18, 0x83, 0x82, 0x50, 0x94, 0x1F, 0x69, 0x16, 0xCD, 0xBF, 0x95, 0xD2, 0x37, 0xFF, 0xEB,
    0xB9, 0x61, 0xAF, 0x2C, 0x85, 0x8B, 0x35, 0xB5, 0xCB, 0x7B, 0x67, 0xDC, 0x0C, 0x3C, 0x26, 0xCF,
    0xC0, 0xF7, 0xA5, 0x1D, 0xAD, 0xA2, 0x4A, 0x77, 0xB4, 0xCE, 0xDB, 0x07, 0xE3, 0xA4, 0xB7, 0x92,
    0x7C, 0xE5, 0x57, 0x6C, 0xA8, 0x97, 0x70, 0xAE, 0xBC, 0x90, 0x0E, 0xCA, 0xB8, 0x12, 0x2B, 0x8A,
    0xA0, 0x71, 0xC5, 0xF6, 0x0B, 0xC2, 0x5B, 0x1A, 0x32, 0x19, 0xBB, 0x98, 0x40, 0x89, 0xA9, 0x9F,
    0x63, 0x55, 0x8C, 0x65, 0xDA, 0x2E, 0x44, 0x02, 0x45, 0x23, 0xD4, 0xAA, 0x9B, 0xFA, 0x7D, 0x4D,
    0x10, 0xE6, 0xF3, 0xAC, 0xEE, 0xB1, 0xE1, 0x7E, 0x3D, 0x03, 0x28, 0x8F, 0x54, 0x46, 0xE4, 0x06,
    0x4F, 0x74, 0x79, 0xE2, 0x04, 0x6E, 0xC3, 0xA1, 0x80, 0x58, 0xDD, 0x4B, 0x1B, 0x6A, 0x5A, 0x8E,
};

// Strings are read in pieces of this size, so that a forged length costs
// no more memory than the data that actually follows it.
constexpr std::size_t kReadChunk = 64 * 1024;

void codeInPlace(std::string& text) {
    for (char& c : text) c = static_cast<char>(codeByte(static_cast<unsigned char>(c)));
}

// Appends up to `count` bytes from the stream in bounded pieces, so that
// memory grows with the data that arrives, never with a stored count.
// False when the stream ends first.
bool readBytes(std::istream& in, std::string& data, std::size_t count) {
    while (count > 0) {
        std::size_t piece = std::min(count, kReadChunk);
        std::size_t old = data.size();
        data.resize(old + piece);
        in.read(data.data() + old, static_cast<std::streamsize>(piece));
        auto got = static_cast<std::size_t>(in.gcount());
        data.resize(old + got);
        if (got < piece) return false;
        count -= piece;
    }
    return true;
}

bool readFile(const std::string& fileName, std::string& data) {
    std::ifstream in(fileName, std::ios::binary);
    if (!in.is_open()) return false;
    data.clear();
    readBytes(in, data, std::numeric_limits<std::size_t>::max());
    return !in.bad();
}

// A text file as lines: LF, CR LF and a lone CR all end a line; a last
// line without an end still counts.
std::vector<std::string> splitTextLines(std::string_view data) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t i = 0; i < data.size(); ++i) {
        if (data[i] != '\n' && data[i] != '\r') continue;
        lines.emplace_back(data.substr(start, i - start));
        if (data[i] == '\r' && i + 1 < data.size() && data[i + 1] == '\n') ++i;
        start = i + 1;
    }
    if (start < data.size()) lines.emplace_back(data.substr(start));
    return lines;
}

// The position of the first "." of the file name, after any folder.
std::size_t firstDotOfName(const std::string& fileName) {
    std::size_t folderEnd = fileName.find_last_of("\\/");
    std::size_t from = folderEnd == std::string::npos ? 0 : folderEnd + 1;
    return fileName.find('.', from);
}

}  // namespace

unsigned char codeByte(unsigned char b) { return kCodeTable[b]; }

void writeInt32(std::ostream& out, int32_t value) {
    auto u = static_cast<uint32_t>(value);
    const char bytes[4] = {static_cast<char>(u & 0xFF), static_cast<char>((u >> 8) & 0xFF),
                           static_cast<char>((u >> 16) & 0xFF),
                           static_cast<char>((u >> 24) & 0xFF)};
    out.write(bytes, 4);
}

bool readInt32(std::istream& in, int32_t& value) {
    unsigned char bytes[4];
    if (!in.read(reinterpret_cast<char*>(bytes), 4)) return false;
    value = static_cast<int32_t>(uint32_t{bytes[0]} | uint32_t{bytes[1]} << 8 |
                                 uint32_t{bytes[2]} << 16 | uint32_t{bytes[3]} << 24);
    return true;
}

void writeStr(std::ostream& out, std::string_view text) {
    if (text.size() > static_cast<std::size_t>(std::numeric_limits<int32_t>::max())) {
        out.setstate(std::ios::failbit);
        return;
    }
    writeInt32(out, static_cast<int32_t>(text.size()));
    std::string coded(text);
    codeInPlace(coded);
    out.write(coded.data(), static_cast<std::streamsize>(coded.size()));
}

bool readStr(std::istream& in, std::string& text) {
    text.clear();
    int32_t length = 0;
    if (!readInt32(in, length)) return false;
    if (length <= 0) return true;
    if (!readBytes(in, text, static_cast<std::size_t>(length))) {
        text.clear();
        return false;
    }
    codeInPlace(text);
    return true;
}

bool saveCodedList(const std::vector<std::string>& lines, const std::string& fileName) {
    return writeFileAtomically(fileName, [&lines](std::ostream& out) {
        std::string coded;
        for (const std::string& line : lines) {
            coded.assign(line);
            coded += "\r\n";
            codeInPlace(coded);
            out.write(coded.data(), static_cast<std::streamsize>(coded.size()));
        }
        return out.good();
    });
}

bool loadCodedLines(std::vector<std::string>& lines, const std::string& fileName) {
    std::string data;
    if (!readFile(fileName, data)) return false;
    std::string line;
    for (char c : data) {
        unsigned char b = codeByte(static_cast<unsigned char>(c));
        if (b == '\n') {
            lines.push_back(line);
            line.clear();
        } else if (b >= 32) {
            line += static_cast<char>(b);
        }
    }
    return true;
}

std::string codedTextFileName(const std::string& fileName) {
    std::size_t dot = firstDotOfName(fileName);
    if (dot == std::string::npos) return fileName + ".text";
    return fileName.substr(0, dot + 1) + "text";
}

bool codeTextFile(const std::string& fileName) {
    std::string data;
    if (!readFile(fileName, data)) return true;
    return saveCodedList(splitTextLines(data), codedTextFileName(fileName));
}

}  // namespace velmo
