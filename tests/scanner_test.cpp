#include <gtest/gtest.h>

#include <algorithm>

#include "support/generated_story.h"
#include "support/story_files.h"

using namespace velmo;
using namespace velmo::test;

namespace {

std::size_t lineEnds(const std::string& text) {
    return std::count(text.begin(), text.end(), '\xFE');
}

// main.velmo (CR LF) includes a.velmo (LF), which includes b.velmo (CR).
void writeThreeFileStory(const StoryFiles& dir) {
    dir.write("main.velmo",
              "// Hauptdatei\r\n"                   // 1
              "#define ANZAHL 3\r\n"                // 2
              "#include \"a.velmo\"\r\n"            // 3
              "int zahl = ANZAHL;\r\n"              // 4
              "#ifdef DEBUG\r\n"                    // 5
              "write(\"geheim\");\r\n"              // 6
              "#endif\r\n"                          // 7
              "string s = \"eins\r\n"               // 8
              "zwei\";   /* Kommentar\r\n"          // 9
              "noch Kommentar */ int y = 2;\r\n");  // 10
    dir.write("a.velmo", "class Raum {\n#include \"b.velmo\"\n}\n");
    dir.write("b.velmo", "#define GROSS \"gro\xDF\"\r\tsetShort(GROSS);\r");
}

}  // namespace

TEST(Scanner, ReadsAStoryOfThreeFilesIntoOneProgramText) {
    StoryFiles dir;
    writeThreeFileStory(dir);
    ScannerHarness h;
    ASSERT_TRUE(h.read(dir.path("main.velmo"))) << h.services.written;

    EXPECT_EQ(h.scanner.programText,
              lines("\n\nclassRaum{\n\nsetShort(\"gro\xDF\");\n\n}\n\n"
                    "intzahl=3;\n\n\n\nstrings=\"eins \nzwei\";\ninty=2;\n"));
    EXPECT_EQ(h.scanner.lineCount, 15);
    EXPECT_EQ(lineEnds(h.scanner.programText), 15u);

    // The nested include is listed before the file that includes it.
    ASSERT_EQ(h.files.size(), 2u);
    EXPECT_EQ(h.files.entries()[0].name, "b.velmo");
    EXPECT_EQ(h.files.entries()[1].name, "a.velmo");
    EXPECT_EQ(h.files.entries()[0].endLine, 7);
    EXPECT_EQ(h.files.entries()[1].endLine, 8);

    EXPECT_EQ(h.where(1), "main.velmo:1");
    EXPECT_EQ(h.where(3), "a.velmo:1");
    EXPECT_EQ(h.where(5), "b.velmo:2");
    EXPECT_EQ(h.where(6), "a.velmo:2");  // the include line itself
    EXPECT_EQ(h.where(7), "a.velmo:3");
    EXPECT_EQ(h.where(8), "main.velmo:3");
    EXPECT_EQ(h.where(9), "main.velmo:4");
    EXPECT_EQ(h.where(15), "main.velmo:10");
}

TEST(Scanner, ErrorReportNamesTheFileAndLineOfAnInclude) {
    StoryFiles dir;
    dir.write("main.velmo", "int a;\n#include \"raum.velmo\"\nint b;\n");
    dir.write("raum.velmo", "int c;\nint d$;\n");
    ScannerHarness h;
    EXPECT_FALSE(h.read(dir.path("main.velmo")));
    EXPECT_TRUE(h.scanner.error);
    EXPECT_EQ(h.services.written, "raum.velmo Zeile 2 Ung\xFCltiges Zeichen $^");
}

TEST(Scanner, SystemIsDefinedOnlyWhenPlaying) {
    StoryFiles dir;
    std::string main = dir.write("main.velmo", "#ifdef SYSTEM\nwrite(\"SYSTEM\");\n#endif\n");
    ScannerHarness playing;
    ASSERT_TRUE(playing.read(main, true));
    EXPECT_EQ(playing.scanner.programText, lines("\nwrite(\"0\");\n\n"));

    ScannerHarness compiling(false);
    ASSERT_TRUE(compiling.read(main, false));
    EXPECT_EQ(compiling.scanner.programText, lines("\n\n\n"));
}

TEST(Scanner, FoldsOperatorsLast) {
    StoryFiles dir;
    ScannerHarness h;
    ASSERT_TRUE(h.read(dir.write("main.velmo", "if (a == 1 && b != \"x == y\") a += 1;\n")));
    EXPECT_EQ(h.scanner.programText,
              "if(a\x80"
              "1\x8B"
              "b\x81\"x == y\")a\x84"
              "1;\xFE");
}

TEST(Scanner, ReadsAStoryOfTwoMegabytes) {
    StoryFiles dir;
    std::string source = generatedStory(2u << 20);
    ScannerHarness h;
    ASSERT_TRUE(h.read(dir.write("gross.velmo", source))) << h.services.written;
    std::size_t sourceLines = std::count(source.begin(), source.end(), '\n');
    EXPECT_EQ(h.scanner.lineCount, static_cast<int32_t>(sourceLines));
    EXPECT_EQ(lineEnds(h.scanner.programText), sourceLines);
    EXPECT_NE(h.scanner.programText.find("classRaum4711{"), std::string::npos);
    EXPECT_NE(h.scanner.programText.find("write(\"Hallo aus Raum 4711, \xFEwillkommen!^\");"),
              std::string::npos);
    EXPECT_GT(h.scanner.programText.size(), std::size_t(262144));
}

TEST(Scanner, CompiledStoryNamesAreNotReadAsSource) {
    ScannerHarness h;
    h.scanner.readSource("irgendwo/abenteuer.data");
    EXPECT_TRUE(h.scanner.isCompiled);
}

TEST(Scanner, LineMappingOfACompiledStoryAndPastTheEnd) {
    tfilelist files;
    files.clear("spiel.data");
    int32_t line = 42;
    EXPECT_EQ(files.mapLine(line), "spiel.data");
    EXPECT_EQ(line, 42);

    StoryFiles dir;
    dir.write("a.velmo", "a\n");
    ScannerHarness h;
    ASSERT_TRUE(h.read(dir.write("main.velmo", "#include \"a.velmo\"\nx\n")));
    EXPECT_EQ(h.where(4), "main.velmo:3");
}
