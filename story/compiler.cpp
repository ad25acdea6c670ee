#include "story/compiler.h"

#include <chrono>
#include <cstdio>
#include <ctime>
#include <filesystem>
#include <vector>

#include "base/codedfile.h"
#include "base/internalerror.h"
#include "base/wstrlib.h"
#include "story/literals.h"
#include "story/loader.h"
#include "story/scanner.h"
#include "story/sourcefile.h"

namespace velmo {

namespace {

constexpr int64_t kMillisecondsPerDay = 24LL * 60 * 60 * 1000;

bool isSeparator(char c) { return c == '/' || c == '\\'; }

// A count of the report: right-aligned in six columns, then its label.
std::string reportLine(int64_t count, const char* label) {
    char number[32];
    std::snprintf(number, sizeof number, "%6lld", static_cast<long long>(count));
    return std::string(number) + " " + label + "^";
}

// A text file named in the story: as it stands, or beside the source when
// it is not found so (where the "file" statement looks for it as well).
std::string locateTextFile(const std::string& name, const std::string& sourceFile) {
    namespace fs = std::filesystem;
    std::error_code ec;
    const fs::path path(name);
    if (fs::is_regular_file(path, ec) || path.is_absolute()) return name;
    const fs::path beside = fs::path(sourceFile).parent_path() / path;
    return fs::is_regular_file(beside, ec) ? beside.string() : name;
}

int64_t fileBytes(const std::vector<std::string>& lines) {
    int64_t bytes = 0;
    for (const std::string& line : lines) bytes += static_cast<int64_t>(line.size()) + 2;
    return bytes;
}

struct tcompile {
    const std::string& sourceFile;
    const std::string& name;
    const std::string& version;
    tscanner& scanner;

    // Steps after a successful read: the table, the companions, the file,
    // the report. False when anything failed.
    bool finish(int64_t start, const tcompileclock& clock) {
        tliteralscan scan;
        std::string text = scanner.programText;
        if (!extractLiterals(text, scan)) {
            scanner.services.showError(scanner.error, 0,
                                       "Zu viele Texte (h\xF6"
                                       "chstens 9999)");
            return false;
        }
        std::vector<std::string> table;
        table.reserve(scan.literals.size() + 2);
        table.push_back(version);
        for (std::string& literal : scan.literals) table.push_back(std::move(literal));
        table.push_back(std::move(text));

        for (const std::string& file : scan.textFiles)
            if (!codeTextFile(locateTextFile(file, sourceFile))) return false;
        if (!saveCodedList(table, compiledFileName(sourceFile))) return false;

        tservices& out = scanner.services;
        out.writeText(reportLine(static_cast<int64_t>(scanner.files.size()) + 1, "Dateien"));
        out.writeText(reportLine(scanner.lineCount, "Zeilen"));
        out.writeText(reportLine(fileBytes(table), "Bytes Programmcode"));
        out.writeText(reportLine(scan.textBytes, "Bytes Text"));
        out.writeText(reportLine(scan.verbs, "Verben"));
        out.writeText(reportLine(static_cast<int64_t>(scan.verbIdentifiers.size()), "Aktionen"));
        out.writeText(reportLine(scan.classes, "Klassen"));
        out.writeText("compiliert in " +
                      std::to_string(elapsedSeconds(start, clock.millisecondsOfDay())) +
                      " Sekunden^");
        return true;
    }
};

tnotice warning(const std::string& text) { return {tnoticekind::warning, text, false}; }

}  // namespace

void tcompileclock::today(int& year, int& month, int& day) const {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    year = local.tm_year + 1900;
    month = local.tm_mon + 1;
    day = local.tm_mday;
}

int64_t tcompileclock::millisecondsOfDay() const {
    using namespace std::chrono;
    const auto now = system_clock::now();
    const std::time_t seconds = system_clock::to_time_t(now);
    std::tm local{};
    localtime_r(&seconds, &local);
    const auto millis = duration_cast<milliseconds>(now.time_since_epoch()).count() % 1000;
    return ((local.tm_hour * 60LL + local.tm_min) * 60 + local.tm_sec) * 1000 + millis;
}

std::string compileVersion(int year, int month, int day) {
    char text[16];
    std::snprintf(text, sizeof text, "%02d%02d%02d", ((year % 100) + 100) % 100, month % 100,
                  day % 100);
    return text;
}

std::string compiledFileName(const std::string& sourceFile) {
    std::size_t start = 0;
    while (start <= sourceFile.size()) {
        std::size_t end = start;
        while (end < sourceFile.size() && !isSeparator(sourceFile[end])) ++end;
        const std::string_view part(sourceFile.data() + start, end - start);
        const std::size_t dot = part.find('.');
        if (dot != std::string_view::npos && part != "." && part != "..")
            return sourceFile.substr(0, start + dot) + ".data";
        start = end + 1;
    }
    return sourceFile + ".data";
}

int64_t elapsedSeconds(int64_t start, int64_t end) {
    int64_t elapsed = end - start;
    if (elapsed < 0) elapsed += kMillisecondsPerDay;
    return (elapsed + 500) / 1000;
}

tnotice compileStory(const std::string& sourceFile, tservices& services, tstorysource& lists) {
    return compileStory(sourceFile, services, lists, tcompileclock());
}

tnotice compileStory(const std::string& sourceFile, tservices& services, tstorysource& lists,
                     const tcompileclock& clock) {
    const std::string name = baseFileName(nameAsText(sourceFile));
    if (sourceFile.find(".dat") != std::string::npos)
        return warning(name + " ist bereits compiliert");
    const tnotice failed = warning(name + " kann nicht compiliert werden");

    int year = 0, month = 0, day = 0;
    clock.today(year, month, day);
    const std::string version = compileVersion(year, month, day);
    services.writeText("Compiliere " + name + " (Version " + version + ")^");
    const int64_t start = clock.millisecondsOfDay();

    tscanner scanner(services, lists.files, lists.definitions);
    if (!scanner.readProgram(sourceFile, false)) return failed;
    try {
        tcompile compile{sourceFile, name, version, scanner};
        if (!compile.finish(start, clock)) return failed;
    } catch (const std::exception& failure) {
        reportInternalError("Compilieren", failure);
        return failed;
    }
    return {tnoticekind::none, "", true};
}

}  // namespace velmo
