#include <gtest/gtest.h>

#include "support/story_files.h"

using namespace velmo;
using namespace velmo::test;

namespace {

// The text of one source file after reading, before the character pass.
std::string readOne(const std::string& source, ScannerHarness& h) {
    StoryFiles dir;
    h.files.clear("main.velmo");
    return h.scanner.readSource(dir.write("main.velmo", source));
}

std::string readOne(const std::string& source) {
    ScannerHarness h(false);
    return readOne(source, h);
}

}  // namespace

TEST(Preprocessor, DirectivesLeaveEmptyLinesAndDefineInOrder) {
    ScannerHarness h(false);
    EXPECT_EQ(readOne("   #define  A   x y \n#define B\n#define A zwei\nA B\n", h),
              lines("\n\n\nA B\n"));
    ASSERT_EQ(h.definitions.size(), 3u);
    EXPECT_EQ(h.definitions.entries()[0].name, "A");
    EXPECT_EQ(h.definitions.entries()[0].value, "x y");
    EXPECT_EQ(h.definitions.entries()[1].value, "");
    EXPECT_EQ(h.definitions.entries()[2].value, "zwei");
}

TEST(Preprocessor, LineCommentsCutEvenInsideLiterals) {
    EXPECT_EQ(readOne("\t  a = 1; // Kommentar\nwrite(\"http://x\");\n"),
              lines("a = 1; \nwrite(\"http:\n"));
}

TEST(Preprocessor, UnknownHashLinesStay) {
    EXPECT_EQ(readOne("#pragma x\n# define A 1\n"), lines("#pragma x\n# define A 1\n"));
}

TEST(Preprocessor, ConditionalRegions) {
    // One flag, no nesting: the first "#endif" ends both regions.
    EXPECT_EQ(readOne("#define A\n#ifdef A\neins\n#ifdef B\nzwei\n#endif\ndrei\n#endif\n"),
              lines("\n\neins\n\n\n\ndrei\n\n"));
    EXPECT_EQ(readOne("#define A\n#ifndef A\neins\n#define B\n#endif\n#ifdef B\nzwei\n#endif\n"),
              lines("\n\n\n\n\n\n\n\n"));
    // "#endif" counts anywhere on a line, after "//" too; the line goes.
    EXPECT_EQ(readOne("#ifdef X\neins\nzwei // #endif hier\ndrei\n"), lines("\n\n\ndrei\n"));
    // Names are compared with case.
    EXPECT_EQ(readOne("#define Debug 1\n#ifdef DEBUG\neins\n#endif\n"), lines("\n\n\n\n"));
}

TEST(Preprocessor, EachFileHasItsOwnConditionalFlag) {
    StoryFiles dir;
    dir.write("teil.velmo", "#ifdef NIE\nweg\n");
    std::string main = dir.write("main.velmo",
                                 "#ifdef NIE\n#include \"fehlt.velmo\"\n#endif\n"
                                 "#include \"teil.velmo\"\nbleibt\n");
    ScannerHarness h(false);
    h.files.clear("main.velmo");
    EXPECT_EQ(h.scanner.readSource(main), lines("\n\n\n\n\n\nbleibt\n"));
    EXPECT_FALSE(h.scanner.error);
}
