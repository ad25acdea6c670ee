#include "story/preprocessor.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

#include "base/services.h"
#include "base/wstrlib.h"
#include "story/authoring.h"
#include "story/characters.h"
#include "story/includepath.h"
#include "story/scanner.h"
#include "story/sourcefile.h"

namespace velmo {

namespace {

bool isBlank(char c) { return c == ' ' || c == '\t'; }

std::string_view trimLeft(std::string_view text) {
    while (!text.empty() && isBlank(text.front())) text.remove_prefix(1);
    return text;
}

std::string_view trim(std::string_view text) {
    text = trimLeft(text);
    while (!text.empty() && isBlank(text.back())) text.remove_suffix(1);
    return text;
}

// The text after the first `count` characters of a directive line.
std::string_view after(std::string_view line, std::size_t count) {
    return line.substr(std::min(count, line.size()));
}

// A path that names a file however it is written, to recognise a file
// that is already being read.
std::string identityOf(const std::string& path) {
    std::error_code ec;
    std::filesystem::path canonical = std::filesystem::canonical(path, ec);
    return ec ? path : canonical.string();
}

std::string shownName(const std::string& path) { return baseFileName(nameAsText(path)); }

}  // namespace

tpreprocessor::tpreprocessor(tscanner& owner, std::string& text) : scanner(owner), output(text) {}

void tpreprocessor::readMain(const std::string& fileName) {
    std::string found = findSourceFile(fileName);
    if (found.empty()) {
        fail(cannotOpenMessage(fileName));
        return;
    }
    // Names with a folder that are not found from the current folder are
    // looked for beside the main file.
    mainFolder = folderOf(found);
    scanner.files.setMainPath(found);
    readFile(found, 0);
}

void tpreprocessor::readFile(const std::string& path, int32_t sourceNumber) {
    if (++filesRead > kMaxSourceFiles) return fail("Zu viele eingebundene Dateien");
    std::string identity = identityOf(path);
    if (std::find(openFiles.begin(), openFiles.end(), identity) != openFiles.end())
        return fail("Datei " + shownName(path) + " wird rekursiv eingebunden");
    if (openFiles.size() > static_cast<std::size_t>(kMaxIncludeDepth))
        return fail("Datei " + shownName(path) + " ist zu tief verschachtelt eingebunden");

    tsourcefile source;
    switch (source.open(path, kMaxProgramText - std::min(kMaxProgramText, openBytes))) {
    case tsourcefile::tstatus::cannotOpen: return fail(cannotOpenMessage(path));
    case tsourcefile::tstatus::tooBig: return fail("Programmtext zu gro\xDF");
    case tsourcefile::tstatus::ok: break;
    }

    std::size_t size = source.size();
    // The text is about as long as its files; a line end replaces each
    // line break.
    output.reserve(output.size() + size + 1);
    openFiles.push_back(identity);
    openBytes += size;
    tfilestate file{path, source, sourceNumber};
    std::string_view raw;
    while (!scanner.error && source.nextLine(raw)) readLine(raw, file);
    openBytes -= size;
    openFiles.pop_back();
}

void tpreprocessor::readLine(std::string_view raw, tfilestate& file) {
    ++scanner.lineCount;
    ++file.line;
    // "#endif" ends a skipped region wherever it stands, even after "//".
    if (raw.find("#endif") != std::string_view::npos) {
        file.active = true;
        raw = {};
    }
    if (file.active) {
        raw = trimLeft(raw);
        // Cut before anything knows about literals: "//" in a literal cuts too.
        raw = raw.substr(0, raw.find("//"));
        if (raw.empty() || raw.front() != '#' || !directive(raw, file))
            file.source.appendText(output, raw);
    }
    endLine(file);
}

bool tpreprocessor::directive(std::string_view line, tfilestate& file) {
    // The first word whose first occurrence follows the "#" directly.
    if (line.find("define") == 1) {
        define(trim(after(line, 8)), file);
    } else if (line.find("include") == 1) {
        // The word, one blank and the opening quote go, and the last
        // character, meant to be the closing quote.
        include(line.size() > 10 ? line.substr(10, line.size() - 11) : std::string_view(), file);
    } else if (line.find("ifdef") == 1) {
        file.active = scanner.definitions.defines(file.source.toText(trim(after(line, 7))));
    } else if (line.find("ifndef") == 1) {
        file.active = !scanner.definitions.defines(file.source.toText(trim(after(line, 7))));
    } else {
        return false;
    }
    return true;
}

void tpreprocessor::define(std::string_view rest, const tfilestate& file) {
    std::size_t cut = std::min(rest.find_first_of(" \t"), rest.size());
    scanner.definitions.add(file.source.toText(rest.substr(0, cut)),
                            file.source.toText(trim(rest.substr(cut))));
}

void tpreprocessor::include(std::string_view name, tfilestate& file) {
    if (scanner.error) return;
    tfileentry entry{file.source.toText(name), scanner.lineCount, 0};
    std::string path = withSourceExtension(includePath(file.currentName, name));
    std::string found = locate(path, name);
    // Later includes of this file without a folder resolve beside it.
    file.currentName = found.empty() ? path : found;
    if (found.empty())
        fail(cannotOpenMessage(path));
    else
        readFile(found, scanner.files.addSource(entry.name, found));
    entry.endLine = scanner.lineCount;
    scanner.files.add(std::move(entry));
}

std::string tpreprocessor::locate(const std::string& path, std::string_view includeName) const {
    std::string found = findSourceFile(path);
    if (!found.empty() || !hasFolder(includeName) || path.front() == '/') return found;
    if (!mainFolder.empty()) found = findSourceFile(mainFolder + path);
    // Last the installed library, so that any story can include it.
    const std::string& library = scanner.services.libraryFolder;
    if (found.empty() && !library.empty()) found = findSourceFile(fileInFolder(library, path));
    return found;
}

void tpreprocessor::endLine(const tfilestate& file) {
    output += kLineEnd;
    scanner.files.noteLine(++outputLines, file.sourceNumber, file.line);
    if (output.size() > kMaxProgramText) fail("Programmtext zu gro\xDF");
}

void tpreprocessor::fail(const std::string& message) {
    scanner.services.showError(scanner.error, 0, message);
}

}  // namespace velmo
