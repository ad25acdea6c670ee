#include "frontend/textexport.h"

#include <exception>

#include "base/atomicfile.h"
#include "base/encoding.h"
#include "frontend/game.h"
#include "frontend/platform.h"

namespace velmo {

namespace {

constexpr std::size_t kPrintWidth = 64;

std::size_t nameStart(const std::string& path) {
    const std::size_t slash = path.find_last_of("/\\");
    return slash == std::string::npos ? 0 : slash + 1;
}

bool isBlankOrControl(char c) { return static_cast<unsigned char>(c) <= ' '; }

}  // namespace

std::string exportFileName(const std::string& chosen) {
    const std::size_t start = nameStart(chosen);
    const std::size_t dot = chosen.find('.', start + 1);
    return chosen.substr(0, dot) + ".txt";
}

std::string proposedExportName(const std::string& storyFile) {
    const std::string name = storyFile.substr(nameStart(storyFile));
    return name.substr(0, name.find('.'));
}

std::vector<std::string> exportLines(const tplatform& platform) {
    std::vector<std::string> lines;
    bool textSeen = false;
    for (int32_t i = 0; i < platform.lineCount(); ++i) {
        std::string line = platform.line(i);
        // A wrapped line keeps the blank it was broken at; a file has no
        // use for it.
        line.erase(line.find_last_not_of(' ') + 1);
        if (!line.empty() && !(static_cast<unsigned char>(line[0]) < ' ')) {
            lines.push_back(std::move(line));
            textSeen = true;
        } else if (textSeen) {
            lines.emplace_back();
        }
    }
    return lines;
}

bool writeScreenText(const tplatform& platform, const std::string& path) {
    const std::vector<std::string> lines = exportLines(platform);
    try {
        return writeFileAtomically(path, [&lines](std::ostream& out) {
            for (const std::string& line : lines) out << cp1252ToUtf8(line) << '\n';
            return static_cast<bool>(out);
        });
    } catch (const std::exception&) { return false; }
}

std::string printableText(const std::string& text) {
    std::size_t first = 0;
    std::size_t last = text.size();
    while (first < last && isBlankOrControl(text[first])) ++first;
    while (last > first && isBlankOrControl(text[last - 1])) --last;

    std::string out;
    out.reserve(last - first + (last - first) / kPrintWidth + 1);
    std::size_t lineStart = 0;
    std::size_t lastBlank = std::string::npos;  // in the current line of `out`
    bool lineFull = false;                      // blanks after a full line were dropped
    for (std::size_t i = first; i < last; ++i) {
        const char c = text[i];
        if (c != '\n' && out.size() - lineStart == kPrintWidth) {
            // A 65th character: blanks there end the line and vanish; any
            // other character goes to the next line, together with what
            // followed the last blank (or alone, with no blank in the line).
            if (c == ' ') {
                lineFull = true;
                continue;
            }
            if (lastBlank != std::string::npos && !lineFull) {
                out[lastBlank] = '\n';
                lineStart = lastBlank + 1;
            } else {
                out += '\n';
                lineStart = out.size();
            }
            lastBlank = std::string::npos;
        }
        lineFull = false;
        out += c;
        if (c == '\n') {
            lineStart = out.size();
            lastBlank = std::string::npos;
        } else if (c == ' ') {
            lastBlank = out.size() - 1;
        }
    }
    return out;
}

std::string printedScreenText(const tplatform& platform) {
    return printableText(platform.wholeText());
}

// --- The game's side -------------------------------------------------------

void tgame::exportText() {
    std::string path;
    if (!platform.chooseSaveFile("Text speichern", "Text (*.txt)|*.txt", "txt", saveFolder,
                                 proposedExportName(storyFile), path))
        return;
    if (!exportTextTo(exportFileName(path)))
        platform.showMessage(tmessagekind::warning, "Datei kann nicht geschrieben werden");
}

bool tgame::exportTextTo(const std::string& path) { return writeScreenText(platform, path); }

}  // namespace velmo
