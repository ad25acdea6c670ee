#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>

#include "base/atomicfile.h"
#include "base/codedfile.h"

using namespace velmo;
namespace fs = std::filesystem;

namespace {

// A fresh folder per test, removed afterwards.
class CodedFile : public ::testing::Test {
protected:
    void SetUp() override {
        const char* env = std::getenv("VELMO_TEST_TMP");
        fs::path base = env != nullptr && *env != '\0' ? fs::path(env) : fs::temp_directory_path();
        std::random_device random;
        dir = base / ("codedfile-" + std::to_string(random()) + "-" +
                      ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::create_directories(dir);
    }
    void TearDown() override {
        std::error_code ec;
        fs::remove_all(dir, ec);
    }
    std::string path(const std::string& name) const { return (dir / name).string(); }
    std::size_t fileCount() const {
        return static_cast<std::size_t>(std::distance(fs::directory_iterator(dir), {}));
    }
    fs::path dir;
};

std::string readBytes(const std::string& fileName) {
    std::ifstream in(fileName, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

void writeBytes(const std::string& fileName, const std::string& bytes) {
    std::ofstream(fileName, std::ios::binary) << bytes;
}

std::string code(std::string text) {
    for (char& c : text) c = static_cast<char>(codeByte(static_cast<unsigned char>(c)));
    return text;
}

std::string int32Bytes(uint32_t v) {
    std::string s;
    for (int i = 0; i < 4; ++i) s += static_cast<char>((v >> (8 * i)) & 0xFF);
    return s;
}

}  // namespace

TEST(CodeTable, IsAnInvolutionWithoutFixedPoints) {
    for (int b = 0; b < 256; ++b) {
        auto c = static_cast<unsigned char>(b);
        EXPECT_EQ(codeByte(codeByte(c)), c) << b;
        EXPECT_NE(codeByte(c), c) << b;
    }
}

TEST(CodeTable, MatchesTheDocumentedRecipe) {
    // Saved games and compiled stories depend on every entry: rebuild the
    // table from its recipe so that an accidental edit shows up here.
    uint32_t x = 0x56454C4D & 0x7FFFFFFF;
    int p[256];
    for (int i = 0; i < 256; ++i) p[i] = i;
    for (int i = 255; i >= 1; --i) {
        x = (x * 1103515245u + 12345u) & 0x7FFFFFFFu;
        std::swap(p[i], p[(x >> 16) % static_cast<uint32_t>(i + 1)]);
    }
    for (int k = 0; k < 256; k += 2) {
        EXPECT_EQ(codeByte(static_cast<unsigned char>(p[k])), p[k + 1]);
        EXPECT_EQ(codeByte(static_cast<unsigned char>(p[k + 1])), p[k]);
    }
}

TEST(CodedString, EmptyTextIsFourZeroBytes) {
    std::ostringstream out(std::ios::binary);
    writeStr(out, "");
    EXPECT_EQ(out.str(), std::string(4, '\0'));
}

TEST(CodedString, LayoutIsLengthThenCodedBytes) {
    std::ostringstream out(std::ios::binary);
    writeStr(out, "T\xFCr");
    writeInt32(out, -2);
    EXPECT_EQ(out.str(), int32Bytes(3) + code("T\xFCr") + int32Bytes(0xFFFFFFFEu));
}

TEST(CodedString, RoundTripsEveryByteAndNumbers) {
    std::string all;
    for (int b = 0; b < 256; ++b) all += static_cast<char>(b);
    std::string big(200000, 'x');
    std::stringstream io(std::ios::in | std::ios::out | std::ios::binary);
    writeStr(io, all);
    writeInt32(io, INT32_MIN);
    writeStr(io, "");
    writeStr(io, big);
    writeInt32(io, 123456789);

    std::string text;
    int32_t n = 0;
    ASSERT_TRUE(readStr(io, text));
    EXPECT_EQ(text, all);
    ASSERT_TRUE(readInt32(io, n));
    EXPECT_EQ(n, INT32_MIN);
    ASSERT_TRUE(readStr(io, text));
    EXPECT_EQ(text, "");
    ASSERT_TRUE(readStr(io, text));
    EXPECT_EQ(text, big);
    ASSERT_TRUE(readInt32(io, n));
    EXPECT_EQ(n, 123456789);
    EXPECT_FALSE(readInt32(io, n));
}

TEST(CodedString, NegativeLengthIsEmptyAndReadsNothing) {
    std::istringstream in(int32Bytes(0xFFFFFFFFu) + int32Bytes(7), std::ios::binary);
    std::string text = "old";
    ASSERT_TRUE(readStr(in, text));
    EXPECT_EQ(text, "");
    int32_t n = 0;
    ASSERT_TRUE(readInt32(in, n));
    EXPECT_EQ(n, 7);
}

TEST(CodedString, DamagedLengthsFailWithoutGiantAllocations) {
    std::string text;
    // A length near 2 GiB with only a few bytes behind it.
    std::istringstream huge(int32Bytes(0x7FFFFFFFu) + code("abc"), std::ios::binary);
    EXPECT_FALSE(readStr(huge, text));
    EXPECT_EQ(text, "");
    // Truncated after a whole chunk and more.
    std::istringstream cut(int32Bytes(100000) + std::string(70000, 'y'), std::ios::binary);
    EXPECT_FALSE(readStr(cut, text));
    EXPECT_EQ(text, "");
    // The length itself cut short, and nothing at all.
    std::istringstream shortLength(std::string("\x05\x00", 2), std::ios::binary);
    EXPECT_FALSE(readStr(shortLength, text));
    std::istringstream empty("", std::ios::binary);
    EXPECT_FALSE(readStr(empty, text));
    int32_t n = 0;
    std::istringstream three("abc", std::ios::binary);
    EXPECT_FALSE(readInt32(three, n));
}

TEST_F(CodedFile, SavedListIsCodedCrLfLines) {
    ASSERT_TRUE(saveCodedList({"Erste", "", "Dritte \xC4"}, path("liste.text")));
    EXPECT_EQ(readBytes(path("liste.text")), code("Erste\r\n\r\nDritte \xC4\r\n"));
    std::vector<std::string> lines{"vorher"};
    ASSERT_TRUE(loadCodedLines(lines, path("liste.text")));
    EXPECT_EQ(lines, (std::vector<std::string>{"vorher", "Erste", "", "Dritte \xC4"}));
}

TEST_F(CodedFile, LoadingDropsControlBytesAndAnUnfinishedLine) {
    writeBytes(path("x.text"), code(std::string("a\tb\x01\r\nc\n\x7F\xFF\nrest", 16)));
    std::vector<std::string> lines;
    ASSERT_TRUE(loadCodedLines(lines, path("x.text")));
    EXPECT_EQ(lines, (std::vector<std::string>{"ab", "c", "\x7F\xFF"}));

    std::vector<std::string> none;
    EXPECT_FALSE(loadCodedLines(none, path("fehlt.text")));
    EXPECT_FALSE(loadCodedLines(none, dir.string()));  // a folder is no file
    EXPECT_TRUE(none.empty());
}

TEST(CodedTextFileName, TakesTheFirstDotOfTheFileName) {
    EXPECT_EQ(codedTextFileName("story.velmo"), "story.text");
    EXPECT_EQ(codedTextFileName("story"), "story.text");
    EXPECT_EQ(codedTextFileName("a.b.velmo"), "a.text");
    EXPECT_EQ(codedTextFileName("../texte/intro.txt"), "../texte/intro.text");
    EXPECT_EQ(codedTextFileName("alt.v2\\intro"), "alt.v2\\intro.text");
    EXPECT_EQ(codedTextFileName("./intro"), "./intro.text");
}

TEST_F(CodedFile, CodeTextFileWritesTheCodedCompanion) {
    writeBytes(path("intro.txt"), "Hallo\r\nWelt\nEnde");
    codeTextFile(path("intro.txt"));
    std::vector<std::string> lines;
    ASSERT_TRUE(loadCodedLines(lines, path("intro.text")));
    EXPECT_EQ(lines, (std::vector<std::string>{"Hallo", "Welt", "Ende"}));

    writeBytes(path("kurz"), "");
    codeTextFile(path("kurz"));
    EXPECT_EQ(readBytes(path("kurz.text")), "");

    EXPECT_TRUE(codeTextFile(path("fehlt.txt")));  // skipped silently
    EXPECT_FALSE(fs::exists(path("fehlt.text")));
}

TEST_F(CodedFile, AtomicWriteReplacesOnlyOnSuccess) {
    writeBytes(path("spiel.memo"), "alt");
    EXPECT_TRUE(writeFileAtomically(path("spiel.memo"), [](std::ostream& out) {
        out << "neu";
        return true;
    }));
    EXPECT_EQ(readBytes(path("spiel.memo")), "neu");

    EXPECT_FALSE(writeFileAtomically(path("spiel.memo"), [](std::ostream& out) {
        out << "halb";
        return false;
    }));
    EXPECT_EQ(readBytes(path("spiel.memo")), "neu");
    EXPECT_EQ(fileCount(), 1u);  // no temporary file left behind

    EXPECT_THROW(writeFileAtomically(path("spiel.memo"),
                                     [](std::ostream&) -> bool { throw std::runtime_error("x"); }),
                 std::runtime_error);
    EXPECT_EQ(readBytes(path("spiel.memo")), "neu");
    EXPECT_EQ(fileCount(), 1u);
}

TEST_F(CodedFile, AtomicWriteFailsCleanlyWhereItCannotWrite) {
    auto write = [](std::ostream& out) {
        out << "x";
        return true;
    };
    EXPECT_FALSE(writeFileAtomically(path("fehlt/spiel.memo"), write));
    EXPECT_FALSE(fs::exists(path("fehlt")));
    // A folder in the target's place is not replaced.
    fs::create_directory(path("ordner"));
    EXPECT_FALSE(writeFileAtomically(path("ordner"), write));
    EXPECT_TRUE(fs::is_directory(path("ordner")));
    EXPECT_EQ(fileCount(), 1u);
    EXPECT_FALSE(saveCodedList({"a"}, path("fehlt/a.text")));
}
