// The atomic file as writers use it in pieces, and the seam that lets
// tests fail its file operations.

#include "base/atomicfile.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "support/failing_files.h"
#include "support/story_files.h"

namespace velmo {
namespace {

using test::FailingFiles;
using test::tfault;

std::string contentOf(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

std::size_t filesIn(const std::filesystem::path& folder) {
    std::size_t count = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(folder)) ++count;
    return count;
}

// More than the stream collects at once: the file gets it in several
// pieces, whole and in order, and only at the commit.
TEST(AtomicFile, ALargeStreamedWriteArrivesWholeAtTheCommit) {
    test::StoryFiles folder;
    const std::string target = folder.write("gross.txt", "alt");
    std::string expected;
    tatomicfile file(target);
    for (int i = 0; i < 30000; ++i) {
        const std::string piece = "Zeile " + std::to_string(i) + "\n";
        file.stream() << piece;
        expected += piece;
    }
    EXPECT_TRUE(file.good());
    EXPECT_EQ(contentOf(target), "alt");
    EXPECT_TRUE(file.commit());
    EXPECT_EQ(contentOf(target), expected);
    EXPECT_EQ(filesIn(folder.root), 1u);
}

TEST(AtomicFile, AFullDiskStopsTheStreamAndTheCommitKeepsTheOldFile) {
    test::StoryFiles folder;
    const std::string target = folder.write("gross.txt", "alt");
    FailingFiles failing(tfault::writeFailsMidway);
    tscopedfilewriting use(failing);
    tatomicfile file(target);
    file.stream() << std::string(100000, 'x');  // more than one piece
    EXPECT_FALSE(file.good());
    EXPECT_FALSE(file.commit());
    EXPECT_EQ(contentOf(target), "alt");
    EXPECT_EQ(filesIn(folder.root), 1u);
}

// A saved game named with a zero byte once hung the game: every temporary
// name, cut at the zero byte, named the existing folder.
TEST(AtomicFile, ANameWithAZeroByteIsRefusedAndWritesNothing) {
    test::StoryFiles folder;
    const std::string target = (folder.root / std::string("a\0b.memo", 8)).string();
    tatomicfile file(target);
    file.stream() << "x";
    EXPECT_FALSE(file.commit());
    EXPECT_EQ(filesIn(folder.root), 0u);
}

TEST(AtomicFile, AnAtomicFileDestroyedWithoutCommitLeavesNothing) {
    test::StoryFiles folder;
    {
        tatomicfile file(folder.path("neu.txt"));
        file.stream() << "halb";
    }
    EXPECT_EQ(filesIn(folder.root), 0u);
}

TEST(AtomicFile, AReplacedFileKeepsItsPermissions) {
    namespace fs = std::filesystem;
    test::StoryFiles folder;
    const std::string target = folder.write("privat.ini", "alt");
    fs::permissions(target, fs::perms::owner_read | fs::perms::owner_write);
    ASSERT_TRUE(writeFileAtomically(target, [](std::ostream& out) { return !!(out << "neu"); }));
    EXPECT_EQ(fs::status(target).permissions(), fs::perms::owner_read | fs::perms::owner_write);
}

}  // namespace
}  // namespace velmo
