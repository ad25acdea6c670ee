#include "frontend/textexport.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "support/game_fixture.h"

namespace velmo {
namespace {

using test::GameFixture;

std::string readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream content;
    content << in.rdbuf();
    return content.str();
}

TEST(TextExport, RightAfterOpeningNoEmptyLinesComeFirst) {
    GameFixture f;
    ASSERT_TRUE(f.open());
    const std::string file = f.files.path("bildschirm.txt");
    ASSERT_TRUE(f.game->exportTextTo(file));
    EXPECT_EQ(readFile(file), "Willkommen.\n\n>\n");
}

TEST(TextExport, LinesWithAControlCharacterFirstAreEmptyBlanksAtTheEndGoAndUmlautsAreUtf8) {
    test::TestPlatform platform;
    platform.append(
        "\n\n\x01versteckt\nGr\xFC\xDF"
        "e   \n\n\x02\n  einger\xFC"
        "ckt");
    EXPECT_EQ(exportLines(platform), (std::vector<std::string>{"Gr\xFC\xDF"
                                                               "e",
                                                               "", "",
                                                               "  einger\xFC"
                                                               "ckt"}));
    test::StoryFiles files;
    ASSERT_TRUE(writeScreenText(platform, files.path("a.txt")));
    EXPECT_EQ(readFile(files.path("a.txt")),
              "Gr\xC3\xBC\xC3\x9F"
              "e\n\n\n  einger\xC3\xBC"
              "ckt\n");
}

TEST(TextExport, TheNameIsCutAtItsFirstDot) {
    EXPECT_EQ(exportFileName("spiel.log.txt"), "spiel.txt");
    EXPECT_EQ(exportFileName("spiel"), "spiel.txt");
    // Dots in folder names, and one that begins a name, do not count.
    EXPECT_EQ(exportFileName("./alt.v2/spiel.log"), "./alt.v2/spiel.txt");
    EXPECT_EQ(exportFileName("/tmp/.spiel"), "/tmp/.spiel.txt");
    EXPECT_EQ(proposedExportName("geschichten.v1/Uhrmacher.velmo"), "Uhrmacher");
}

TEST(TextExport, TheMenuCommandProposesTheStoryAndWritesTheChosenName) {
    GameFixture f;
    ASSERT_TRUE(f.open());
    f.platform.files.push_back(f.files.path("spiel.log.txt"));
    f.game->exportText();
    EXPECT_EQ(readFile(f.files.path("spiel.txt")), "Willkommen.\n\n>\n");
    EXPECT_FALSE(std::filesystem::exists(f.files.path("spiel.log.txt")));
    EXPECT_TRUE(f.platform.messages.empty());
    f.game->exportText();  // cancelled: nothing happens
    EXPECT_TRUE(f.platform.messages.empty());
}

TEST(TextExport, AFolderThatCannotBeWrittenKeepsTheOldFile) {
    GameFixture f;
    ASSERT_TRUE(f.open());
    const std::string old = f.files.write("fest/spiel.txt", "alter Text\n");
    std::filesystem::permissions(f.files.root / "fest", std::filesystem::perms::owner_read |
                                                            std::filesystem::perms::owner_exec);
    f.platform.files.push_back(old);
    f.game->exportText();
    // Root may write anywhere; then the export simply succeeds.
    if (!f.platform.messages.empty()) {
        EXPECT_EQ(f.platform.messages,
                  std::vector<std::string>{"Datei kann nicht geschrieben werden"});
        EXPECT_EQ(readFile(old), "alter Text\n");
    }
    std::filesystem::permissions(f.files.root / "fest", std::filesystem::perms::owner_all);
    // A missing folder fails for everyone.
    f.platform.files.push_back(f.files.path("fehlt/spiel.txt"));
    f.platform.messages.clear();
    f.game->exportText();
    EXPECT_EQ(f.platform.messages, std::vector<std::string>{"Datei kann nicht geschrieben werden"});
    EXPECT_EQ(f.platform.text(), "Willkommen.\n\n>");
}

TEST(PrintedText, TrimmedAndRewrappedAt64) {
    EXPECT_EQ(printableText("\n\n  \x01kurz \n\n"), "kurz");
    // Thirteen words of four letters fill 64 characters: the blank
    // before a fourteenth breaks the line, and a blank as the 65th
    // character before a line break is dropped.
    std::string words = "wort";
    for (int i = 1; i < 13; ++i) words += " wort";
    const std::string printed = printableText(words + " wort\nneu");
    EXPECT_EQ(printed, words + "\nwort\nneu");
    EXPECT_EQ(printableText(words + " \nneu"), words + "\nneu");
    EXPECT_EQ(printableText(words.substr(0, 62) + "abc def"), words.substr(0, 59) + "\nwoabc def");
    // A line without a blank breaks hard.
    EXPECT_EQ(printableText(std::string(64, 'a') + "  b"), std::string(64, 'a') + "\nb");
    EXPECT_EQ(printableText(std::string(70, 'a')),
              std::string(64, 'a') + "\n" + std::string(6, 'a'));
    for (std::size_t from = 0, end; from < printed.size(); from = end + 1) {
        end = printed.find('\n', from);
        if (end == std::string::npos) end = printed.size();
        EXPECT_LE(end - from, 64u);
    }
}

TEST(PrintedText, TheScreenAsPrintedJoinsWrappedLinesBeforeRewrapping) {
    GameFixture f(40);
    ASSERT_TRUE(f.open());
    f.enter("schau");
    EXPECT_EQ(printedScreenText(f.platform), "Willkommen.\n\n>schau\nEin Garten.\n\n>");
    // A paragraph that the 40 columns wrap is printed as one, 64 wide.
    std::string words = "wort";
    for (int i = 1; i < 15; ++i) words += " wort";
    f.game->writeText("^" + words + "^");
    EXPECT_TRUE(
        printedScreenText(f.platform).ends_with(words.substr(0, 64) + "\n" + words.substr(65)))
        << printedScreenText(f.platform);
}

}  // namespace
}  // namespace velmo
