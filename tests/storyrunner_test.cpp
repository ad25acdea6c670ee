#include "frontend/storyrunner.h"

#include <gtest/gtest.h>

#include <string>

#include "model/story.h"
#include "support/recording_services.h"
#include "support/story_files.h"

namespace velmo {
namespace {

struct Runner {
    bool open(const std::string& source) {
        return runner.open(files.write("geschichte.velmo", source));
    }
    test::RecordingServices services;
    test::StoryFiles files;
    tstoryrunner runner{services};
};

TEST(StoryRunner, RunsEveryInitInListOrderThenMain) {
    Runner r;
    ASSERT_TRUE(r.open(
        "class Ding { void init() { write(\"Ding \"); } }\n"
        "class Stein { }\n"
        "class Apfel : Ding { }\n"
        "class Birne { void init() { write(\"Birne \"); } }\n"
        "void main() { write(\"main\"); }\n"));
    // Apfel inherits its init from Ding; Stein has none.
    EXPECT_EQ(r.services.written, "Ding Ding Birne main");
    EXPECT_TRUE(r.runner.isOpen());
    EXPECT_FALSE(r.runner.playable());  // no player was set
}

TEST(StoryRunner, DeclaresTheParserVariablesBeforeMain) {
    Runner r;
    ASSERT_TRUE(r.open("void main() { quote = \"x\"; count = 2; write(quote + count); }\n"));
    EXPECT_EQ(r.services.written, "x2");
    EXPECT_FALSE(r.services.isStopped());
}

TEST(StoryRunner, AStoryThatCannotBeLoadedIsNotOpened) {
    Runner r;
    EXPECT_FALSE(r.open("class A {\n  write(1);\n}\nvoid main() { write(\"nie\"); }\n"));
    EXPECT_FALSE(r.runner.isOpen());
    EXPECT_EQ(r.services.written,
              "geschichte.velmo Zeile 2 Anweisung in diesem Kontext nicht erlaubt: write^");
}

TEST(StoryRunner, ErrorsDuringPlayShowTheirFileAndLine) {
    Runner r;
    ASSERT_TRUE(r.open("void main() {\n  write(\"a\");\n  gibtsnicht();\n}\n"));
    EXPECT_EQ(r.services.written.substr(0, 26), "ageschichte.velmo Zeile 3 ");
    EXPECT_TRUE(r.services.isStopped());
}

TEST(StoryRunner, QuitEndsTheStartUpButKeepsTheStoryOpen) {
    Runner r;
    ASSERT_TRUE(r.open("void main() { write(\"a\"); quit; write(\"b\"); }\n"));
    EXPECT_EQ(r.services.written, "a");
    EXPECT_TRUE(r.services.isStopped());
    EXPECT_TRUE(r.runner.isOpen());
}

TEST(StoryRunner, ReopeningStartsAfresh) {
    Runner r;
    ASSERT_TRUE(r.open("restore(\"schau\");\nvoid main() { addScores(5); gibtsnicht(); }\n"));
    EXPECT_TRUE(r.services.isStopped());
    EXPECT_EQ(r.services.restoreCommand, "schau");
    EXPECT_EQ(r.services.score, 5);
    ASSERT_TRUE(r.open("void main() { }\n"));
    EXPECT_FALSE(r.services.isStopped());
    EXPECT_EQ(r.services.restoreCommand, "");
    EXPECT_EQ(r.services.score, 0);
    r.runner.close();
    EXPECT_FALSE(r.runner.isOpen());
}

} // namespace
} // namespace velmo
