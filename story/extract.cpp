#include "story/extract.h"

#include <filesystem>
#include <fstream>
#include <iterator>

#include "base/atomicfile.h"
#include "base/encoding.h"
#include "base/wstrlib.h"
#include "story/scanner.h"
#include "story/sourcefile.h"

namespace velmo {

namespace {

// A source file has an extension that begins like the source extension.
constexpr const char* kSourceExtension = ".vel";

bool readSourceBytes(const std::string& path, std::string& data) {
    namespace fs = std::filesystem;
    std::error_code ec;
    if (!fs::is_regular_file(path, ec)) return false;
    const std::uintmax_t size = fs::file_size(path, ec);
    if (ec || size > kMaxProgramText) return false;
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    data.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return !in.bad();
}

// The file name as the file system spells it: a source name written in
// UTF-8 gives an extracted name in UTF-8.
std::string diskName(const std::string& sourceFile, const std::string& name) {
    const std::size_t slash = sourceFile.find_last_of("/\\");
    const std::string raw = slash == std::string::npos ? sourceFile : sourceFile.substr(slash + 1);
    return nameAsText(raw) == raw ? name : cp1252ToUtf8(name);
}

tnotice notice(tnoticekind kind, std::string text, bool ok = false) {
    return {kind, std::move(text), ok};
}

}  // namespace

std::string literalText(std::string_view source) {
    std::string out;
    bool inString = false;
    for (char c : source) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '"') {
            if (inString) out += "\r\n";
            inString = !inString;
        } else if (inString && (byte >= 32 || c == '\r' || c == '\n')) {
            out += c;
        }
    }
    return out;
}

std::string extractedTextName(const std::string& sourceFile) {
    const std::string name = baseFileName(nameAsText(sourceFile));
    const std::size_t dot = name.rfind('.');
    return "t_" + (dot == std::string::npos ? name + "." : name.substr(0, dot + 1)) + "txt";
}

tnotice extractText(const std::string& sourceFile, const std::string& saveFolder) {
    const std::string name = baseFileName(nameAsText(sourceFile));
    if (name.find(kSourceExtension) == std::string::npos)
        return notice(tnoticekind::warning, "Die Datei " + name + " ist keine Quelltextdatei");
    std::string source;
    if (!readSourceBytes(sourceFile, source))
        return notice(tnoticekind::warning, "Die Datei " + name +
                                                " kann nicht ge\xF6"
                                                "ffnet werden!");

    const std::string extracted = extractedTextName(sourceFile);
    const std::string text = literalText(source);
    const bool written = writeFileAtomically(
        fileInFolder(saveFolder, diskName(sourceFile, extracted)), [&text](std::ostream& out) {
            out.write(text.data(), static_cast<std::streamsize>(text.size()));
            return out.good();
        });
    if (!written)
        return notice(tnoticekind::information,
                      "Datei " + extracted + " kann nicht geschrieben werden.");
    return notice(tnoticekind::information,
                  "Text der Quelldatei wurde in der Datei " + extracted + " gespeichert.", true);
}

}  // namespace velmo
