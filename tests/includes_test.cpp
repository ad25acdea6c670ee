#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>
#include <filesystem>

#include "story/includepath.h"
#include "support/story_files.h"

using namespace velmo;
using namespace velmo::test;

TEST(IncludePath, NamesAndFolders) {
    EXPECT_EQ(withSourceExtension("haus"), "haus.velmo");
    EXPECT_EQ(withSourceExtension("alt.v1/haus"), "alt.v1/haus");
    EXPECT_EQ(withSourceExtension("haus.txt"), "haus.txt");
    EXPECT_EQ(includePath("/s/main.velmo", "raum.velmo"), "/s/raum.velmo");
    EXPECT_EQ(includePath("main.velmo", "raum.velmo"), "raum.velmo");
    EXPECT_EQ(includePath("/s/main.velmo", "lib\\std.velmo"), "lib/std.velmo");
    EXPECT_TRUE(sameFileName("R\xC3\xA4ume.VELMO", "r\xE4ume.velmo"));
    EXPECT_FALSE(sameFileName("raum.velmo", "raum2.velmo"));
}

TEST(Includes, FoldersWithEitherSeparatorAndTheLastIncludedFolder) {
    StoryFiles dir;
    dir.write("lib/std.velmo", "std\n");
    dir.write("lib/mehr.velmo", "mehr\n");
    // After "lib\std" a bare name resolves in lib/, the folder included last.
    std::string main = dir.write(
        "main.velmo", "#include \"lib\\std\"\n#include \"mehr\"\n#include \"lib/mehr.velmo\"\n");
    ScannerHarness h;
    ASSERT_TRUE(h.read(main)) << h.services.written;
    EXPECT_EQ(h.scanner.programText, lines("std\n\nmehr\n\nmehr\n\n"));
    EXPECT_EQ(h.files.entries()[0].name, "lib\\std");
}

TEST(Includes, FindsNamesInAnotherLetterCase) {
    StoryFiles dir;
    dir.write("Daten/Raeume.VELMO", "raum\n");
    ScannerHarness h;
    ASSERT_TRUE(h.read(dir.write("main.velmo", "#include \"daten\\raeume.velmo\"\n")))
        << h.services.written;
    EXPECT_EQ(h.scanner.programText, lines("raum\n\n"));
}

TEST(Includes, MissingOrMisspelledFiles) {
    StoryFiles dir;
    dir.write("raum.velmo", "raum\n");
    for (const char* line :
         {"#include \"fehlt\"", "#include  \"raum.velmo\"", "#include \"raum.velmo\"  "}) {
        ScannerHarness h;
        EXPECT_FALSE(h.read(dir.write("main.velmo", std::string(line) + "\nx;\n"))) << line;
        EXPECT_EQ(h.services.written.substr(0, 14), "Fehler: Datei ") << line;
        EXPECT_NE(h.services.written.find(" kann nicht ge\xF6"
                                          "ffnet werden^"),
                  std::string::npos)
            << line;
    }
    ScannerHarness h;
    h.read(dir.write("main.velmo", "#include \"Fehlt\"\n"));
    EXPECT_EQ(h.services.written,
              "Fehler: Datei fehlt.velmo kann nicht ge\xF6"
              "ffnet werden^");
}

TEST(Includes, UnreadableFiles) {
    StoryFiles dir;
    std::filesystem::create_directories(dir.root / "ordner.velmo");
    ScannerHarness folder;
    EXPECT_FALSE(folder.read(dir.path("ordner.velmo")));
    EXPECT_EQ(folder.services.written,
              "Fehler: Datei ordner.velmo kann nicht ge\xF6"
              "ffnet werden^");

    std::string locked = dir.write("gesperrt.velmo", "x;\n");
    std::filesystem::permissions(locked, std::filesystem::perms::none);
    if (::geteuid() != 0) {
        ScannerHarness h;
        EXPECT_FALSE(h.read(locked));
        EXPECT_EQ(h.services.written,
                  "Fehler: Datei gesperrt.velmo kann nicht ge\xF6"
                  "ffnet werden^");
    }

    // A pipe would block a reader forever: only regular files are read.
    ASSERT_EQ(::mkfifo(dir.path("rohr.velmo").c_str(), 0600), 0);
    ScannerHarness pipe;
    EXPECT_FALSE(pipe.read(dir.write("main.velmo", "#include \"rohr.velmo\"\n")));
    EXPECT_EQ(pipe.services.written,
              "Fehler: Datei rohr.velmo kann nicht ge\xF6"
              "ffnet werden^");

    ScannerHarness empty;
    EXPECT_TRUE(empty.read(dir.write("leer.velmo", "")));
    EXPECT_EQ(empty.scanner.programText, "");
}

TEST(Includes, RecursionIsReportedNotFollowed) {
    StoryFiles dir;
    dir.write("selbst.velmo", "#include \"selbst.velmo\"\n");
    ScannerHarness direct;
    EXPECT_FALSE(direct.read(dir.path("selbst.velmo")));
    EXPECT_EQ(direct.services.written, "Fehler: Datei selbst.velmo wird rekursiv eingebunden^");

    dir.write("a.velmo", "#include \"b.velmo\"\n");
    dir.write("b.velmo", "#include \"./A.velmo\"\n");
    ScannerHarness indirect;
    EXPECT_FALSE(indirect.read(dir.write("main.velmo", "#include \"a.velmo\"\n")));
    EXPECT_EQ(indirect.services.written, "Fehler: Datei a.velmo wird rekursiv eingebunden^");

    // Including one file twice, one after the other, is no recursion.
    ScannerHarness twice;
    dir.write("c.velmo", "c\n");
    EXPECT_TRUE(
        twice.read(dir.write("main.velmo", "#include \"c.velmo\"\n#include \"c.velmo\"\n")));
}

TEST(Includes, NestingAndFileCountAreBounded) {
    StoryFiles dir;
    for (int i = 0; i < 70; ++i)
        dir.write("k" + std::to_string(i) + ".velmo",
                  "#include \"k" + std::to_string(i + 1) + ".velmo\"\n");
    ScannerHarness deep;
    EXPECT_FALSE(deep.read(dir.path("k0.velmo")));
    EXPECT_EQ(deep.services.written,
              "Fehler: Datei k65.velmo ist zu tief verschachtelt eingebunden^");

    // Each level includes the next one twice: 2^15 reads would follow.
    for (int i = 0; i < 15; ++i) {
        std::string next = "#include \"f" + std::to_string(i + 1) + ".velmo\"\n";
        dir.write("f" + std::to_string(i) + ".velmo", next + next);
    }
    dir.write("f15.velmo", "x\n");
    ScannerHarness wide;
    EXPECT_FALSE(wide.read(dir.path("f0.velmo")));
    EXPECT_EQ(wide.services.written, "Fehler: Zu viele eingebundene Dateien^");
}
