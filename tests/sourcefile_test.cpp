#include <gtest/gtest.h>

#include <vector>

#include "story/sourcefile.h"
#include "support/story_files.h"

using namespace velmo;
using namespace velmo::test;

namespace {

std::vector<std::string> linesOf(const std::string& content, bool* utf8 = nullptr) {
    tsourcefile file;
    file.assign(content);
    std::vector<std::string> out;
    std::string_view line;
    while (file.nextLine(line)) out.push_back(file.toText(line));
    if (utf8) *utf8 = file.isUtf8();
    return out;
}

using Lines = std::vector<std::string>;

}  // namespace

TEST(SourceFile, SplitsAtEveryKindOfLineEnd) {
    EXPECT_EQ(linesOf("a\nb\r\nc\rd"), (Lines{"a", "b", "c", "d"}));
    EXPECT_EQ(linesOf("a\r\n\r\n\n\rb\n"), (Lines{"a", "", "", "", "b"}));
    EXPECT_EQ(linesOf(""), Lines{});
    EXPECT_EQ(linesOf("\n"), Lines{""});
    EXPECT_EQ(linesOf("eins\r"), Lines{"eins"});
    EXPECT_EQ(linesOf("eins\r\rzwei"), (Lines{"eins", "", "zwei"}));
}

TEST(SourceFile, Utf8AndWindows1252) {
    bool utf8 = false;
    // UTF-8 with a byte-order mark: umlauts become Windows-1252 bytes,
    // the euro sign too; a character with no such byte is marked.
    EXPECT_EQ(linesOf("\xEF\xBB\xBF"
                      "gr\xC3\xBC\xC3\x9F \xE2\x82\xAC \xE2\x86\x92.",
                      &utf8),
              Lines{std::string("gr\xFC\xDF \x80 ") + kUnconvertible + "."});
    EXPECT_TRUE(utf8);
    // Windows-1252 stays byte for byte, stray UTF-8-looking bytes included.
    EXPECT_EQ(linesOf("gr\xFC\xDF \xC3\xBC\xFF", &utf8), Lines{"gr\xFC\xDF \xC3\xBC\xFF"});
    EXPECT_FALSE(utf8);
    // ASCII runs between umlauts are copied whole, the umlauts converted.
    EXPECT_EQ(linesOf("\xC3\xA4" "ab\xC3\xB6" "cd\xC3\xBC", &utf8), Lines{"\xE4" "ab\xF6" "cd\xFC"});
    EXPECT_TRUE(utf8);
    // A byte-order mark before plain ASCII just goes.
    EXPECT_EQ(linesOf("\xEF\xBB\xBFint a;"), Lines{"int a;"});
}

TEST(SourceFile, LongLinesAndSizeLimit) {
    std::string longLine(1 << 20, 'x');
    EXPECT_EQ(linesOf("a\n" + longLine + "\nb"), (Lines{"a", longLine, "b"}));

    StoryFiles dir;
    std::string path = dir.write("gross.velmo", std::string(1000, 'x'));
    tsourcefile file;
    EXPECT_EQ(file.open(path, 999), tsourcefile::tstatus::tooBig);
    EXPECT_EQ(file.open(path, 1000), tsourcefile::tstatus::ok);
    EXPECT_EQ(file.open(dir.path("fehlt.velmo"), 1000), tsourcefile::tstatus::cannotOpen);
}

TEST(SourceFile, Utf8StoriesThroughTheWholeReader) {
    StoryFiles dir;
    ScannerHarness h;
    ASSERT_TRUE(h.read(dir.write(
        "main.velmo", "write(\"T\xC3\xBCr\");\r\n// Pfeil \xE2\x86\x92\r\n/* \xE2\x86\x92 */\r\n")))
        << h.services.written;
    EXPECT_EQ(h.scanner.programText, lines("write(\"T\xFCr\");\n\n\n"));

    ScannerHarness bad;
    EXPECT_FALSE(bad.read(dir.write("main.velmo", "int a;\nwrite(\"\xE2\x86\x92\");\n")));
    EXPECT_EQ(bad.services.written, "main.velmo Zeile 2 Ung\xFCltiges Zeichen ?^");
}

TEST(SourceFile, BinaryGarbageEndsInAnError) {
    std::string garbage;
    for (int i = 0; i < 4096; ++i) garbage += static_cast<char>((i * 7919 + 13) % 256);
    StoryFiles dir;
    ScannerHarness h;
    EXPECT_FALSE(h.read(dir.write("binaer.velmo", garbage)));
    EXPECT_NE(h.services.written.find("Ung\xFCltiges Zeichen "), std::string::npos);

    ScannerHarness nul;
    EXPECT_FALSE(nul.read(dir.write("nul.velmo", std::string("a;\nb\0c;\n", 8))));
    EXPECT_EQ(nul.services.written, "nul.velmo Zeile 2 Ung\xFCltiges Zeichen ?^");
}
