#include "story/extract.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "support/story_files.h"

namespace velmo {
namespace {

using test::StoryFiles;

std::string readBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

TEST(ExtractLiterals, OnlyTheBytesBetweenQuotes) {
    // A literal over two lines keeps its line break; CR LF follows it.
    EXPECT_EQ(literalText("write(\"eins\r\nzwei\");\r\nx = 1;\r\n"), "eins\r\nzwei\r\n");
    // Tabs and other control bytes are dropped, umlauts kept.
    EXPECT_EQ(literalText("a(\"\tgr\xFC\x01n\")"), "gr\xFCn\r\n");
    // Comments are not recognised: their quotes count too.
    EXPECT_EQ(literalText("// \"Notiz\"\n/* \"alt */ b(\"neu\")"), "Notiz\r\nalt */ b(\r\n)");
    EXPECT_EQ(literalText("write(\"\");"), "\r\n");
    // A literal left open at the end gets no line end.
    EXPECT_EQ(literalText("write(\"offen"), "offen");
    EXPECT_EQ(literalText("ohne Texte;"), "");
}

TEST(ExtractLiterals, NameOfTheExtractedFile) {
    EXPECT_EQ(extractedTextName("/spiele/Abenteuer.VELMO"), "t_abenteuer.txt");
    EXPECT_EQ(extractedTextName("C:\\Spiele\\abenteuer.vel"), "t_abenteuer.txt");
    EXPECT_EQ(extractedTextName("teil.2.velmo"), "t_teil.2.txt");
}

TEST(ExtractText, WritesTheFileAndTellsHowItWent) {
    StoryFiles dir;
    const std::string source = dir.write("Spiel.velmo", "void main() { write(\"Hallo\"); }\n");
    const tnotice done = extractText(source, dir.root.string() + "/");
    EXPECT_TRUE(done.ok);
    EXPECT_EQ(done.kind, tnoticekind::information);
    EXPECT_EQ(done.text, "Text der Quelldatei wurde in der Datei t_spiel.txt gespeichert.");
    EXPECT_EQ(readBytes(dir.path("t_spiel.txt")), "Hallo\r\n");

    const tnotice notSource = extractText(dir.write("notiz.txt", "\"x\""), dir.root.string());
    EXPECT_EQ(notSource.kind, tnoticekind::warning);
    EXPECT_EQ(notSource.text, "Die Datei notiz.txt ist keine Quelltextdatei");

    const tnotice missing = extractText(dir.path("fehlt.velmo"), dir.root.string());
    EXPECT_EQ(missing.kind, tnoticekind::warning);
    EXPECT_EQ(missing.text,
              "Die Datei fehlt.velmo kann nicht ge\xF6"
              "ffnet werden!");

    const tnotice unwritable = extractText(source, dir.path("kein/ordner"));
    EXPECT_FALSE(unwritable.ok);
    EXPECT_EQ(unwritable.kind, tnoticekind::information);
    EXPECT_EQ(unwritable.text, "Datei t_spiel.txt kann nicht geschrieben werden.");
}

}  // namespace
}  // namespace velmo
