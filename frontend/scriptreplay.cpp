// Script replay: the menu command, reading the file, and playing its
// commands as one input line with an echo of each.

#include "frontend/scriptreplay.h"

#include <filesystem>
#include <fstream>
#include <iterator>
#include <system_error>

#include "base/encoding.h"
#include "base/wstrlib.h"
#include "frontend/game.h"

namespace velmo {

std::string scriptFileName(const std::string& chosen) {
    const std::size_t slash = chosen.find_last_of("/\\");
    const std::size_t start = slash == std::string::npos ? 0 : slash + 1;
    return chosen.find('.', start) == std::string::npos ? chosen + ".txt" : chosen;
}

bool readScript(const std::string& path, std::string& line) {
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error)) return false;
    const auto size = std::filesystem::file_size(path, error);
    if (error || size > kMaxScriptSize) return false;
    std::ifstream in(path, std::ios::binary);
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (in.bad() || bytes.size() > kMaxScriptSize) return false;

    if (bytes.starts_with("\xEF\xBB\xBF")) bytes.erase(0, 3);
    if (looksLikeUtf8(bytes)) bytes = utf8ToCp1252Lossy(bytes);
    // Lines end with LF, CR LF or CR; the last line needs no end.
    std::string joined;
    bool lineOpen = false;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        const char c = bytes[i];
        if (c == '\r' || c == '\n') {
            if (c == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') ++i;
            joined += '.';
            lineOpen = false;
            continue;
        }
        joined += static_cast<unsigned char>(c) < ' ' ? ' ' : c;
        lineOpen = true;
    }
    // The end of the last line is no line of its own.
    if (!lineOpen && !joined.empty()) joined.pop_back();
    line = foldUmlauts(lowerCase(joined));
    return true;
}

// --- The game's side -------------------------------------------------------

void tgame::playScript() {
    if (!menuState[static_cast<std::size_t>(tmenuaction::playScript)] || busy > 0 || waiting())
        return;
    std::string path;
    if (!platform.chooseOpenFile("Datei \xF6"
                                 "ffnen",
                                 "Script- und Textdateien (*.txt)|*.TXT", saveFolder, path))
        return;
    playScriptFile(scriptFileName(path));
}

void tgame::playScriptFile(const std::string& path) {
    if (!storyOpen() || busy > 0 || waiting()) return;
    scriptFile = path;
    // The name stands on the input line; whatever was typed there is not
    // part of the script.
    setInputText(">");
    writeText("*** " + baseFileName(path) + " *** ");
    // Enter, as the key handler does it: the pending script replaces the
    // line. (Through the key itself a long name could fill the line so that
    // Enter is refused.)
    pageStart = platform.lineCount();
    submitLine();
}

// The Enter that follows the script's name: the file's commands are the
// line, each echoed as if typed. A file that cannot be read ends the line
// as any unexpected failure does.
void tgame::replayScript() {
    std::string line;
    const bool read = readScript(scriptFile, line);
    scriptFile.clear();
    if (!read) {
        writeText("Wie bitte?^^>");
        return;
    }
    replaying = true;
    executeLine(line, std::string());
    replaying = false;
}

}  // namespace velmo
