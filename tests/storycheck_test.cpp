#include "frontend/storycheck.h"

#include <gtest/gtest.h>

#include "support/story_files.h"

namespace velmo {
namespace {

// A story whose only fault stands in a file it includes from a subfolder.
struct CheckFiles {
    test::StoryFiles files;
    std::string main;
    CheckFiles(const std::string& part, const std::string& mainTail = "") {
        files.write("teile/raum.velmo", part);
        main = files.write("spiel.velmo", "// Ein Spiel\n#include \"teile/raum.velmo\"\n" +
                                              mainTail + "void main() { write(\"x\"); }\n");
    }
};

TEST(StoryCheck, AnErrorInAnIncludedFileNamesThatFileAsReadAndItsLine) {
    CheckFiles f("// Der Raum\nclass raum {\n  int a$b;\n}\n");
    const std::vector<tstoryerror> errors = checkStory(f.main, "");
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_EQ(errors[0].file, f.files.path("teile/raum.velmo"));
    EXPECT_EQ(errors[0].line, 3);
    // The message in UTF-8, for the terminal and the editor.
    EXPECT_EQ(errors[0].message, "Ung\xC3\xBCltiges Zeichen $");
    EXPECT_EQ(formatStoryError(errors[0]),
              f.files.path("teile/raum.velmo") + ":3: Ung\xC3\xBCltiges Zeichen $");
}

TEST(StoryCheck, AnErrorAfterTheIncludeIsCountedInTheMainFile) {
    CheckFiles f("class raum {\n}\n", "\nint x$;\n");
    const std::vector<tstoryerror> errors = checkStory(f.main, "");
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_EQ(errors[0].file, f.main);
    EXPECT_EQ(errors[0].line, 4);
}

TEST(StoryCheck, AStoryThatLoadsHasNoErrors) {
    CheckFiles f("class raum {\n}\n");
    EXPECT_TRUE(checkStory(f.main, "").empty());
}

TEST(StoryCheck, AMissingFileIsReportedWithoutALine) {
    test::StoryFiles files;
    const std::string main = files.write("spiel.velmo", "#include \"fehlt.velmo\"\n");
    const std::vector<tstoryerror> errors = checkStory(main, "");
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_EQ(errors[0].line, 0);
    EXPECT_EQ(formatStoryError(errors[0]), main +
                                               ": Datei fehlt.velmo kann nicht ge\xC3\xB6"
                                               "ffnet werden");

    const std::string none = files.path("gibtsnicht.velmo");
    ASSERT_EQ(checkStory(none, "").size(), 1u);
    EXPECT_EQ(checkStory(none, "")[0].file, none);
}

TEST(StoryCheck, AnIncludeFoundNowhereElseComesFromTheLibraryFolder) {
    test::StoryFiles library;
    library.write("bib/bib.velmo", "#include \"teil.velmo\"\n");
    library.write("bib/teil.velmo", "class buch {\n  int a$;\n}\n");
    test::StoryFiles story;
    const std::string main = story.write("spiel.velmo", "#include \"bib/bib.velmo\"\n");

    ASSERT_EQ(checkStory(main, "").size(), 1u);  // not found without the library
    const std::vector<tstoryerror> errors = checkStory(main, library.root.string());
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_EQ(errors[0].file, library.path("bib/teil.velmo"));
    EXPECT_EQ(errors[0].line, 2);
}

}  // namespace
}  // namespace velmo
