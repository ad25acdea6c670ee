#include "frontend/help.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <system_error>

#include "base/encoding.h"

namespace velmo {

namespace fs = std::filesystem;

namespace {

// A help page is a few kilobytes; anything far bigger is no help page.
constexpr std::size_t kMaxPageSize = 1 << 20;

// One block of the page: its text (UTF-8, blanks collapsed, "\n" for a
// forced line break), where its lines begin, and its decoration.
struct tblock {
    std::string text;
    std::string prefix;        // before the first line (a list bullet)
    int32_t indent = 0;        // columns before every line
    char underline = 0;        // heading underlined with this character
    bool spaceBefore = false;  // an empty line separates it from the last
};

int32_t glyphCount(const std::string& utf8) {
    return static_cast<int32_t>(std::count_if(utf8.begin(), utf8.end(), [](char c) {
        return (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    }));
}

// "&auml;", "&#228;", "&#xE4;" and the markup characters.
std::string decodeEntity(const std::string& name) {
    static const std::array<std::pair<const char*, char32_t>, 14> kNamed = {{
        {"amp", U'&'},
        {"lt", U'<'},
        {"gt", U'>'},
        {"quot", U'"'},
        {"apos", U'\''},
        {"nbsp", U' '},
        {"auml", U'ä'},
        {"ouml", U'ö'},
        {"uuml", U'ü'},
        {"Auml", U'Ä'},
        {"Ouml", U'Ö'},
        {"Uuml", U'Ü'},
        {"szlig", U'ß'},
        {"hellip", U'…'},
    }};
    std::string out;
    if (name.size() > 1 && name[0] == '#') {
        const bool hex = name[1] == 'x' || name[1] == 'X';
        const std::string digits = name.substr(hex ? 2 : 1);
        if (digits.empty() || digits.size() > 6) return "&" + name + ";";
        char* end = nullptr;
        const unsigned long code = std::strtoul(digits.c_str(), &end, hex ? 16 : 10);
        if (*end != '\0' || code == 0 || code > 0x10FFFF) return "&" + name + ";";
        appendUtf8(out, static_cast<char32_t>(code));
        return out;
    }
    for (const auto& [entity, code] : kNamed)
        if (name == entity) {
            appendUtf8(out, code);
            return out;
        }
    return "&" + name + ";";
}

class trenderer {
public:
    explicit trenderer(int32_t columns) : width(std::max<int32_t>(columns, 20)) {}

    void run(const std::string& html);
    std::vector<std::string> lines;

private:
    void text(const std::string& raw);
    void tag(const std::string& inside);
    void startBlock(const std::string& prefix, int32_t indent, char underline, bool space);
    // Writes the block's lines; false when it held no text.
    bool flush();
    void emit(const std::string& line);

    int32_t width;
    tblock block;
    int32_t listDepth = 0;
    int32_t skipDepth = 0;  // inside head, style or script
};

void trenderer::run(const std::string& html) {
    std::size_t pos = 0;
    while (pos < html.size()) {
        const std::size_t open = html.find('<', pos);
        text(html.substr(pos, open == std::string::npos ? std::string::npos : open - pos));
        if (open == std::string::npos) break;
        const std::size_t close = html.find('>', open);
        if (close == std::string::npos) break;
        tag(html.substr(open + 1, close - open - 1));
        pos = close + 1;
    }
    flush();
    while (!lines.empty() && lines.back().empty()) lines.pop_back();
}

void trenderer::text(const std::string& raw) {
    if (skipDepth > 0) return;
    for (std::size_t i = 0; i < raw.size(); ++i) {
        std::string piece(1, raw[i]);
        if (raw[i] == '&') {
            const std::size_t semicolon = raw.find(';', i);
            if (semicolon != std::string::npos && semicolon - i <= 10) {
                piece = decodeEntity(raw.substr(i + 1, semicolon - i - 1));
                i = semicolon;
            }
        }
        if (piece.size() == 1 && std::isspace(static_cast<unsigned char>(piece[0]))) {
            if (!block.text.empty() && block.text.back() != ' ' && block.text.back() != '\n')
                block.text += ' ';
        } else {
            block.text += piece;
        }
    }
}

void trenderer::tag(const std::string& inside) {
    if (inside.empty() || inside[0] == '!' || inside[0] == '?') return;  // comment, doctype
    const bool closing = inside[0] == '/';
    std::string name;
    for (std::size_t i = closing ? 1 : 0;
         i < inside.size() && std::isalnum(static_cast<unsigned char>(inside[i])); ++i)
        name += static_cast<char>(std::tolower(static_cast<unsigned char>(inside[i])));

    if (name == "head" || name == "style" || name == "script") {
        skipDepth = std::max<int32_t>(skipDepth + (closing ? -1 : 1), 0);
        return;
    }
    if (name == "br") {
        while (!block.text.empty() && block.text.back() == ' ') block.text.pop_back();
        block.text += '\n';
        return;
    }
    if (name == "ul" || name == "ol") {
        listDepth = std::max<int32_t>(listDepth + (closing ? -1 : 1), 0);
        startBlock("", 0, 0, !closing);
        return;
    }
    const bool isBlock = name == "p" || name == "div" || name == "dl" || name == "li" ||
                         name == "dt" || name == "dd" || name == "h1" || name == "h2" ||
                         name == "h3";
    if (!isBlock) return;
    if (closing) {
        startBlock("", 2 * listDepth, 0, false);
        return;
    }
    if (name == "h1")
        startBlock("", 0, '=', true);
    else if (name == "h2")
        startBlock("", 0, '-', true);
    else if (name == "li")
        startBlock("- ", 2 * listDepth - 2, 0, false);
    else if (name == "dt")
        startBlock("", 2, 0, false);
    else if (name == "dd")
        startBlock("", 6, 0, false);
    else
        startBlock("", 2 * listDepth, 0, true);
}

void trenderer::startBlock(const std::string& prefix, int32_t indent, char underline, bool space) {
    // A block that held no text (between a closing and an opening tag)
    // passes on the separation that was asked for, so "<dl><dt>" keeps
    // the empty line before the list.
    const bool pending = !flush() && block.spaceBefore;
    block = tblock();
    block.prefix = prefix;
    block.indent = indent;
    block.underline = underline;
    block.spaceBefore = pending || space;
}

void trenderer::emit(const std::string& line) {
    std::string trimmed = line;
    while (!trimmed.empty() && trimmed.back() == ' ') trimmed.pop_back();
    lines.push_back(trimmed);
}

// Word wrapping with a hanging indent: the first line carries the
// prefix, the following lines line up behind it.
bool trenderer::flush() {
    std::string body = block.text;
    while (!body.empty() && (body.back() == ' ' || body.back() == '\n')) body.pop_back();
    const std::size_t first = body.find_first_not_of(" \n");
    if (first == std::string::npos) return false;
    body.erase(0, first);

    if (block.spaceBefore && !lines.empty() && !lines.back().empty()) lines.emplace_back();
    const std::string margin(static_cast<std::size_t>(block.indent), ' ');
    const std::string hang(block.prefix.size(), ' ');
    const int32_t room =
        std::max<int32_t>(width - block.indent - static_cast<int32_t>(block.prefix.size()), 10);
    std::string line = margin + block.prefix;
    int32_t used = 0;
    std::size_t pos = 0;
    int32_t longest = 0;
    while (pos <= body.size()) {
        const std::size_t end = body.find_first_of(" \n", pos);
        const std::string word = body.substr(pos, end == std::string::npos ? end : end - pos);
        const int32_t length = glyphCount(word);
        if (used > 0 && used + 1 + length > room) {
            longest = std::max(longest, used);
            emit(line);
            line = margin + hang;
            used = 0;
        }
        if (used > 0) {
            line += ' ';
            ++used;
        }
        line += word;
        used += length;
        if (end == std::string::npos) break;
        if (body[end] == '\n') {
            longest = std::max(longest, used);
            emit(line);
            line = margin + hang;
            used = 0;
        }
        pos = end + 1;
    }
    longest = std::max(longest, used);
    emit(line);
    if (block.underline)
        lines.push_back(margin + std::string(static_cast<std::size_t>(longest), block.underline));
    return true;
}

bool readPage(const std::string& path, std::string& html) {
    std::error_code error;
    if (!fs::is_regular_file(path, error)) return false;
    const auto size = fs::file_size(path, error);
    if (error || size > kMaxPageSize) return false;
    std::ifstream in(path, std::ios::binary);
    html.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return !in.bad();
}

}  // namespace

std::string helpPageFile(thelpcontext context) {
    switch (context) {
    case thelpcontext::display: return "darstellung.html";
    case thelpcontext::transcript: return "spielverlauf.html";
    case thelpcontext::functionKeys: return "funktionstasten.html";
    case thelpcontext::autostart: return "autostart.html";
    case thelpcontext::contents: break;
    }
    return "index.html";
}

std::string findHelpFolder(const std::string& programFolder) {
    const std::string data =
        findDataFolder(programFolder, "help/" + helpPageFile(thelpcontext::contents));
    return data.empty() ? data : (fs::path(data) / "help").string();
}

std::vector<std::string> renderHelpPage(const std::string& html, int32_t width) {
    trenderer renderer(width);
    // Pages are UTF-8; one saved in the old code page is read as that.
    bool plainAscii = std::all_of(html.begin(), html.end(),
                                  [](char c) { return static_cast<unsigned char>(c) < 0x80; });
    renderer.run(plainAscii || looksLikeUtf8(html) ? html : cp1252ToUtf8(html));
    return renderer.lines;
}

bool loadHelpPage(thelpcontext context, int32_t width, std::vector<std::string>& lines) {
    const std::string folder = findHelpFolder(programFolder());
    std::string html;
    if (folder.empty() || !readPage((fs::path(folder) / helpPageFile(context)).string(), html)) {
        lines = {"Die Hilfe ist nicht installiert: der Ordner share/velmo/help fehlt."};
        return false;
    }
    lines = renderHelpPage(html, width);
    return true;
}

}  // namespace velmo
