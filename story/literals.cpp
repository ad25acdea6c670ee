#include "story/literals.h"

#include <algorithm>

#include "story/strings.h"

namespace velmo {

namespace {

constexpr char kLineEnd = '\xFE';

bool startsAt(const std::string& text, std::size_t pos, const char* word) {
    return text.compare(pos, std::char_traits<char>::length(word), word) == 0;
}

// The literal opened at `quote` is the argument of "file(": the name of a
// text file that the story shows.
bool namesTextFile(const std::string& text, std::size_t quote) {
    return quote >= 5 && startsAt(text, quote - 5, "file(");
}

// The verb identifier follows the pattern literal after a comma and ends
// at the next comma (or where the statement's parameters end, for a verb
// written without its time).
std::string verbIdentifier(const std::string& text, std::size_t from) {
    std::size_t end = text.find_first_of(std::string(",);") + kLineEnd, from);
    if (end == std::string::npos) end = text.size();
    return text.substr(from, end - from);
}

class tscan {
public:
    tscan(const std::string& source, tliteralscan& state) : text(source), scan(state) {}

    bool run(std::size_t maxLiterals, std::string& out) {
        const std::size_t firstQuote = text.find('"');
        std::size_t i = firstQuote == std::string::npos ? 0 : firstQuote;
        out.reserve(text.size());
        out.append(text, 0, i);
        const std::size_t end = text.empty() ? 0 : text.size() - 1;
        while (i < end) {
            const char c = text[i];
            if (c == '"') {
                if (!inString) {
                    open(i, out);
                    ++i;
                    continue;
                }
                if (scan.literals.size() >= maxLiterals) return false;
                i = close(i, out);
            } else if (inString) {
                if (c != kLineEnd) content += c;
                ++i;
            } else {
                count(i);
                out += c;
                ++i;
            }
        }
        // An unclosed literal stays in the text as it was.
        if (inString) out.append(text, opening + 1, std::min(i, text.size()) - opening - 1);
        if (i < text.size()) out.append(text, i, std::string::npos);
        return true;
    }

private:
    void open(std::size_t quote, std::string& out) {
        inString = true;
        opening = quote;
        content.clear();
        out += '"';
    }

    // Stores the literal, writes its marker and the closing quote, and
    // returns where the scan goes on: the byte right after the closing
    // quote is copied but not examined.
    std::size_t close(std::size_t quote, std::string& out) {
        inString = false;
        if (namesTextFile(text, opening)) scan.textFiles.push_back(content);
        scan.literals.push_back(content);
        scan.textBytes += static_cast<int64_t>(quote - opening - 1);
        out += kStringMarker;
        out += std::to_string(scan.literals.size());
        out += '"';
        if (verbPending && quote + 1 < text.size() && text[quote + 1] == ',') {
            std::string id = verbIdentifier(text, quote + 2);
            auto& ids = scan.verbIdentifiers;
            if (std::find(ids.begin(), ids.end(), id) == ids.end()) ids.push_back(std::move(id));
        }
        verbPending = false;
        if (quote + 1 < text.size()) out += text[quote + 1];
        return quote + 2;
    }

    void count(std::size_t pos) {
        if (startsAt(text, pos, "verb")) {
            ++scan.verbs;
            verbPending = true;
        }
        if (startsAt(text, pos, "class")) ++scan.classes;
    }

    const std::string& text;
    tliteralscan& scan;
    bool inString = false;
    bool verbPending = false;
    std::size_t opening = 0;
    std::string content;
};

}  // namespace

bool extractLiterals(std::string& programText, tliteralscan& scan, std::size_t maxLiterals) {
    std::string out;
    tliteralscan result;
    if (!tscan(programText, result).run(maxLiterals, out)) return false;
    programText = std::move(out);
    scan = std::move(result);
    return true;
}

}  // namespace velmo
