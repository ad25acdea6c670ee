#include "story/compiler.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "base/codedfile.h"
#include "frontend/authoring.h"
#include "story/literals.h"
#include "story/loader.h"
#include "support/failing_files.h"
#include "support/recording_services.h"
#include "support/story_files.h"
#include "support/test_platform.h"

namespace velmo {
namespace {

using test::RecordingServices;
using test::StoryFiles;

// 17 March 2025; the compile takes 1.6 seconds.
class FixedClock : public tcompileclock {
public:
    void today(int& year, int& month, int& day) const override {
        year = 2025;
        month = 3;
        day = 17;
    }
    int64_t millisecondsOfDay() const override { return calls++ == 0 ? 1000 : 2600; }
    mutable int calls = 0;
};

struct Compile {
    tnotice run(const std::string& path) {
        FixedClock clock;
        return compileStory(path, services, lists, clock);
    }
    RecordingServices services;
    tstorysource lists;
};

std::vector<std::string> codedLines(const std::string& path) {
    std::vector<std::string> lines;
    EXPECT_TRUE(loadCodedLines(lines, path)) << path;
    return lines;
}

// ------------------------------------------------------------ the report

TEST(CompilerReport, CountsFilesLinesTextVerbsActionsAndClasses) {
    StoryFiles dir;
    dir.write("teil.velmo",
              "// Teil\n"
              "class Ding {\n"
              "}\n"
              "int zahl = 1;\n"
              "string s = \"x\";\n");
    const std::string main = dir.write("haupt.velmo",
                                       "#include \"teil.velmo\"\n"
                                       "verb(\"nimm #noun\",nimm,0);\n"
                                       "verb(\"iss #noun\",iss,0);\n"
                                       "verb(\"nimm #noun mit #noun\",nimm,0);\n"
                                       "class Apfel {\n"
                                       "  setShort(\"+Apfel\");\n"
                                       "}\n"
                                       "void main() {\n"
                                       "  write(\"Hallo\");\n"
                                       "}\n");
    Compile c;
    const tnotice notice = c.run(main);
    EXPECT_TRUE(notice.ok);
    EXPECT_EQ(notice.kind, tnoticekind::none);
    const auto bytes = std::filesystem::file_size(dir.path("haupt.data"));
    // The class in the include stands before the first double quote of the
    // program text, so it is not counted; the verbs after it are.
    EXPECT_EQ(c.services.written,
              "Compiliere haupt.velmo (Version 250317)^"
              "     2 Dateien^"
              "    15 Zeilen^" +
                  std::string(6 - std::to_string(bytes).size(), ' ') + std::to_string(bytes) +
                  " Bytes Programmcode^"
                  "    51 Bytes Text^"
                  "     3 Verben^"
                  "     2 Aktionen^"
                  "     1 Klassen^"
                  "compiliert in 2 Sekunden^");
}

TEST(CompilerReport, ElapsedSecondsAreRoundedAndSurviveMidnight) {
    EXPECT_EQ(elapsedSeconds(1000, 2499), 1);
    EXPECT_EQ(elapsedSeconds(1000, 2500), 2);
    EXPECT_EQ(elapsedSeconds(5000, 5000), 0);
    EXPECT_EQ(elapsedSeconds(86'399'000, 1'000), 2);
    EXPECT_EQ(compileVersion(2025, 3, 17), "250317");
    EXPECT_EQ(compileVersion(2009, 12, 1), "091201");
}

// ------------------------------------------------------------ the file

TEST(CompilerFile, VersionLiteralsAndMarkedProgramText) {
    StoryFiles dir;
    const std::string path = dir.write("spiel.velmo",
                                       "void main() {\n"
                                       "  write(\"Hallo\");\n"
                                       "  write(\"\");\n"
                                       "  write(\"Hallo\");\n"
                                       "  write(\"zwei\n"
                                       "Zeilen\");\n"
                                       "}\n");
    Compile c;
    ASSERT_TRUE(c.run(path).ok) << c.services.written;
    const std::vector<std::string> lines = codedLines(dir.path("spiel.data"));
    ASSERT_EQ(lines.size(), 6u);
    EXPECT_EQ(lines[0], "250317");
    // Equal literals are stored twice; the empty literal is an empty line.
    EXPECT_EQ(lines[1], "Hallo");
    EXPECT_EQ(lines[2], "");
    EXPECT_EQ(lines[3], "Hallo");
    // The line break inside a literal became a blank; its separator is gone.
    EXPECT_EQ(lines[4], "zwei Zeilen");
    EXPECT_EQ(lines[5], test::lines("voidmain(){\n"
                                    "write(\"\xFD"
                                    "1\");\n"
                                    "write(\"\xFD"
                                    "2\");\n"
                                    "write(\"\xFD"
                                    "3\");\n"
                                    "write(\"\xFD"
                                    "4\");\n"
                                    "}\n"));
}

TEST(CompilerFile, OutputPathIsCutAtTheFirstDot) {
    EXPECT_EQ(compiledFileName("C:\\Spiele\\abenteuer.velmo"), "C:\\Spiele\\abenteuer.data");
    EXPECT_EQ(compiledFileName("/spiele/a.b.velmo"), "/spiele/a.data");
    EXPECT_EQ(compiledFileName("abenteuer"), "abenteuer.data");
    // A dot in a folder name cuts the path there ...
    EXPECT_EQ(compiledFileName("C:\\Mein.Ordner\\abenteuer.velmo"), "C:\\Mein.data");
    EXPECT_EQ(compiledFileName("/home/a.b/spiel"), "/home/a.data");
    // ... but "." and ".." are no names with a dot.
    EXPECT_EQ(compiledFileName("./abenteuer.velmo"), "./abenteuer.data");
    EXPECT_EQ(compiledFileName("../stories/../x/abenteuer.velmo"),
              "../stories/../x/abenteuer.data");
    EXPECT_EQ(compiledFileName(".\\abenteuer"), ".\\abenteuer.data");
}

TEST(CompilerFile, TextFilesOfFileStatementsGetCodedCompanions) {
    StoryFiles dir;
    dir.write("intro.txt", "Es war einmal\r\nein Schlo\xDF\n");
    const std::string path = dir.write("spiel.velmo",
                                       "void main() {\n"
                                       "  file(\"intro.txt\");\n"
                                       "  file(\"fehlt.txt\");\n"
                                       "  write(\"intro.txt\");\n"
                                       "}\n");
    Compile c;
    ASSERT_TRUE(c.run(path).ok) << c.services.written;
    // Found beside the source although the current folder is elsewhere.
    EXPECT_EQ(codedLines(dir.path("intro.text")),
              (std::vector<std::string>{"Es war einmal", "ein Schlo\xDF"}));
    // A missing file is skipped without a word.
    EXPECT_FALSE(std::filesystem::exists(dir.path("fehlt.text")));
    EXPECT_EQ(c.services.written.find("Fehler"), std::string::npos);
}

// ------------------------------------------------------------ refusals

TEST(CompilerRefusal, CompiledFilesSourceErrorsAndUnwritableOutput) {
    StoryFiles dir;
    {
        Compile c;
        const tnotice notice = c.run(dir.write("alt.data", "x"));
        EXPECT_EQ(notice.kind, tnoticekind::warning);
        EXPECT_EQ(notice.text, "alt.data ist bereits compiliert");
        EXPECT_EQ(c.services.written, "");
    }
    {
        Compile c;
        const tnotice notice = c.run(dir.path("Fehlt.velmo"));
        EXPECT_FALSE(notice.ok);
        EXPECT_EQ(notice.text, "fehlt.velmo kann nicht compiliert werden");
        EXPECT_EQ(c.services.written,
                  "Compiliere fehlt.velmo (Version 250317)^"
                  "Fehler: Datei fehlt.velmo kann nicht ge\xF6"
                  "ffnet werden^");
    }
    {
        Compile c;
        const tnotice notice = c.run(dir.write("preis.velmo", "void main() {\n  a = $5;\n}\n"));
        EXPECT_EQ(notice.text, "preis.velmo kann nicht compiliert werden");
        EXPECT_NE(c.services.written.find("Ung\xFCltiges Zeichen $"), std::string::npos);
        EXPECT_FALSE(std::filesystem::exists(dir.path("preis.data")));
    }
    {
        // The output cannot replace what stands at its path.
        std::filesystem::create_directories(dir.path("ordner.data"));
        Compile c;
        const tnotice notice = c.run(dir.write("ordner.velmo", "void main() { }\n"));
        EXPECT_EQ(notice.kind, tnoticekind::warning);
        EXPECT_EQ(notice.text, "ordner.velmo kann nicht compiliert werden");
        EXPECT_TRUE(std::filesystem::is_directory(dir.path("ordner.data")));
    }
}

std::string storyWithLiterals(std::size_t count) {
    std::string source = "void main() {\n";
    for (std::size_t i = 0; i < count; ++i) source += "write(\"t\");\n";
    return source + "}\n";
}

TEST(CompilerRefusal, AtMost9999LiteralsAndTheOldFileStays) {
    StoryFiles dir;
    const std::string path = dir.write("gross.velmo", storyWithLiterals(kMaxLiterals));
    Compile fits;
    ASSERT_TRUE(fits.run(path).ok) << fits.services.written.substr(0, 200);
    const std::vector<std::string> lines = codedLines(dir.path("gross.data"));
    ASSERT_EQ(lines.size(), kMaxLiterals + 2);
    EXPECT_NE(lines.back().find("write(\"\xFD"
                                "9999\");"),
              std::string::npos);

    dir.write("gross.velmo", storyWithLiterals(kMaxLiterals + 1));
    Compile tooMany;
    const tnotice notice = tooMany.run(path);
    EXPECT_EQ(notice.kind, tnoticekind::warning);
    EXPECT_EQ(notice.text, "gross.velmo kann nicht compiliert werden");
    EXPECT_NE(tooMany.services.written.find("Fehler: Zu viele Texte (h\xF6"
                                            "chstens 9999)"),
              std::string::npos);
    EXPECT_EQ(codedLines(dir.path("gross.data")), lines);
}

// ------------------------------------------------------------ the scan

TEST(CompilerLiterals, VerbIdentifiersFileNamesAndUnclosedLiterals) {
    std::string text = test::lines(
        "s=\"0\";verb(\"a\",nimm,0);verb(\"b\",nimm,0);verb(\"c\",geh);\n"
        "classsubclass{}file(\"t.txt\");profile(\"p\");\"offen\n");
    tliteralscan scan;
    ASSERT_TRUE(extractLiterals(text, scan));
    EXPECT_EQ(scan.verbs, 3);
    EXPECT_EQ(scan.verbIdentifiers, (std::vector<std::string>{"nimm", "geh"}));
    // "class" counts wherever it stands, in names as well.
    EXPECT_EQ(scan.classes, 2);
    EXPECT_EQ(scan.textFiles, (std::vector<std::string>{"t.txt", "p"}));
    EXPECT_EQ(scan.literals.size(), 6u);
    // The literal left open at the end stays as it was.
    EXPECT_EQ(text.substr(text.size() - 7), test::lines("\"offen\n"));

    std::string none = test::lines("verb(a,b,0);\n");
    tliteralscan empty;
    ASSERT_TRUE(extractLiterals(none, empty));
    EXPECT_EQ(none, test::lines("verb(a,b,0);\n"));
    EXPECT_EQ(empty.verbs, 1);
    EXPECT_TRUE(empty.literals.empty());
}

// ------------------------------------------------------------ the menu

TEST(CompilerMenu, ReportInTheWindowRefusalsInAWarningBox) {
    StoryFiles dir;
    test::TestPlatform platform;
    RecordingServices services;
    tauthoring tools(platform, services);
    platform.files = {dir.write("spiel.velmo", "void main() { }\n"), dir.write("alt.data", ""), ""};
    EXPECT_TRUE(tools.compileCommand());
    EXPECT_TRUE(std::filesystem::exists(dir.path("spiel.data")));
    EXPECT_EQ(services.written.rfind("Compiliere spiel.velmo (Version ", 0), 0u);
    EXPECT_TRUE(platform.messages.empty());
    EXPECT_FALSE(tools.compileCommand());
    EXPECT_EQ(platform.messages, std::vector<std::string>{"alt.data ist bereits compiliert"});
    EXPECT_EQ(platform.messageKinds, std::vector<tmessagekind>{tmessagekind::warning});
    EXPECT_FALSE(tools.compileCommand());  // the dialog was cancelled
    EXPECT_EQ(platform.messages.size(), 1u);
}

// A companion text file that could not be written was passed over: the
// compile reported success, and the compiled story then showed the old
// text (or none).
TEST(CompilerMenu, ACompanionThatCannotBeWrittenFailsTheCompile) {
    StoryFiles dir;
    test::TestPlatform platform;
    RecordingServices services;
    tauthoring tools(platform, services);
    dir.write("info.txt", "Neu\n");
    const std::string source = dir.write("spiel.velmo", "void main() { file(\"info.txt\"); }\n");
    {
        test::FailingFiles full(test::tfault::writeFailsMidway);
        tscopedfilewriting use(full);
        EXPECT_FALSE(tools.compileFile(source));
    }
    EXPECT_EQ(platform.messages,
              std::vector<std::string>{"spiel.velmo kann nicht compiliert werden"});
    EXPECT_FALSE(std::filesystem::exists(dir.path("info.text")));
    EXPECT_FALSE(std::filesystem::exists(dir.path("spiel.data")));
}

}  // namespace
}  // namespace velmo
