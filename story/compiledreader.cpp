// Reading a compiled story file: the coded lines are the version, the
// string literals and, last, the program text with a marker for every
// literal. Nothing in the file is trusted: its size is bounded before it
// is read, its shape is checked, and every marker must name a literal of
// the table before the text goes to the parser.

#include <filesystem>

#include "base/codedfile.h"
#include "base/wstrlib.h"
#include "story/literals.h"
#include "story/scanner.h"
#include "story/sourcefile.h"
#include "story/strings.h"

namespace velmo {

namespace {

// The program text and the literals together never come near this.
constexpr std::uintmax_t kMaxCompiledFile = 2 * kMaxProgramText;
// Digits of a marker, as the compiler writes them.
constexpr std::size_t kMaxMarkerDigits = 4;

bool isDigit(char c) { return c >= '0' && c <= '9'; }

std::string damagedMessage(const std::string& path) {
    return "Datei " + baseFileName(nameAsText(path)) +
           " ist besch\xE4"
           "digt";
}

// Version line, at least one more line (the program text last), and no
// more literals than a marker can name. Every line of a program text ends
// with its separator and no literal holds one, so a file cut short,
// whose last complete line is a literal, is told apart.
bool wellFormed(const std::vector<std::string>& lines) {
    if (lines.size() < 2 || lines.size() > kMaxLiterals + 2) return false;
    if (lines.back().empty() || lines.back().back() != '\xFE') return false;
    const std::string& version = lines.front();
    if (version.size() < 6) return false;
    for (std::size_t i = 0; i < 6; ++i)
        if (!isDigit(version[i])) return false;
    return true;
}

// The program-text line (from 1) of the first marker that names no
// literal: no digits, more than four, a leading zero, or an index outside
// 1 .. literals. 0 when every marker is sound.
int32_t badMarkerLine(const std::string& text, std::size_t literals) {
    int32_t line = 1;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\xFE') ++line;
        if (text[i] != kStringMarker) continue;
        std::size_t digits = 0;
        std::size_t index = 0;
        while (i + 1 + digits < text.size() && isDigit(text[i + 1 + digits]) &&
               digits <= kMaxMarkerDigits) {
            index = index * 10 + static_cast<std::size_t>(text[i + 1 + digits] - '0');
            ++digits;
        }
        if (digits == 0 || digits > kMaxMarkerDigits || text[i + 1] == '0' || index > literals)
            return line;
        i += digits;
    }
    return 0;
}

}  // namespace

std::string tscanner::readCompiled(const std::string& fileName) {
    namespace fs = std::filesystem;
    std::error_code ec;
    std::vector<std::string> lines;
    const bool readable = fs::is_regular_file(fileName, ec);
    const std::uintmax_t size = readable ? fs::file_size(fileName, ec) : 0;
    if (!readable || ec) {
        services.showError(error, 0, cannotOpenMessage(fileName));
        return {};
    }
    if (size > kMaxCompiledFile) {
        services.showError(error, 0, damagedMessage(fileName));
        return {};
    }
    if (!loadCodedLines(lines, fileName)) {
        services.showError(error, 0, cannotOpenMessage(fileName));
        return {};
    }
    if (!wellFormed(lines)) {
        services.showError(error, 0, damagedMessage(fileName));
        return {};
    }
    std::string text = std::move(lines.back());
    lines.pop_back();
    if (int32_t line = badMarkerLine(text, lines.size() - 1)) {
        services.showError(error, line, "Syntaxfehler");
        return {};
    }
    serial = lines.front().substr(0, 6);
    stringTable = std::move(lines);
    return text;
}

}  // namespace velmo
