// The options file: the default file, what survives a save and a read,
// and files that are damaged, foreign or huge.

#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "frontend/colours.h"
#include "frontend/configfile.h"
#include "frontend/folders.h"
#include "frontend/optionsfile.h"
#include "frontend/settings.h"
#include "support/failing_files.h"
#include "support/story_files.h"

namespace velmo {
namespace {

namespace fs = std::filesystem;

std::string readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// A folder for one test's options, given as a player gives it.
struct OptionsFolder {
    test::StoryFiles files;
    std::string folder = files.path("VelmoInterpreter") + "/";
    std::string file = folder + "velmo.ini";

    // Writes velmo.ini with this text and reads it into `options`.
    bool read(const std::string& text, toptions& options) {
        files.write("VelmoInterpreter/velmo.ini", text);
        return readOptions(file, options);
    }
};

TEST(OptionsFile, AFirstStartWritesTheDefaultFileByteForByte) {
    test::StoryFiles home;
    const std::string saved = std::getenv("XDG_CONFIG_HOME");
    ::setenv("XDG_CONFIG_HOME", home.path("leer").c_str(), 1);
    const std::string folder = optionsFolder();
    EXPECT_EQ(folder, home.path("leer") + "/VelmoInterpreter/");
    tsettings settings(folder);
    ASSERT_TRUE(settings.load());
    EXPECT_EQ(readFile(folder + "velmo.ini"),
              "fkeys=,,,,,,,,\nLastfiles=,,,\nColors=clblack,clsilver,clsilver,clnavy\n"
              "Autoload=\nFontName=doslike\nFontSize=12\nColMax=70\nRowMax=28\nMaximize=0\n");
    EXPECT_EQ(settings.values.columns, 70);
    EXPECT_EQ(settings.values.rows, 28);
    EXPECT_EQ(settings.values.recentNext, 0);
    ::setenv("XDG_CONFIG_HOME", saved.c_str(), 1);
}

TEST(OptionsFile, TextsComeBackLowerCasedInTheirSlotsAndPathsAsTheyWere) {
    OptionsFolder f;
    fs::create_directories(f.folder);
    toptions written;
    written.functionKeys[1] = "Nimm";
    written.functionKeys[8] =
        "Schau \xDC"
        "ber";  // "Über", Windows-1252
    written.lastFiles = {"/Spiele/Uhr.velmo", "", ""};
    written.autoload = "/Spiele/Uhr.velmo";
    written.fontName = "Courier New";
    written.columns = 300;  // a byte at most
    ASSERT_TRUE(saveOptions(f.file, written));
    EXPECT_NE(readFile(f.file).find("ColMax=255\n"), std::string::npos);

    toptions read;
    ASSERT_TRUE(readOptions(f.file, read));
    EXPECT_EQ(read.functionKeys[0], "");
    EXPECT_EQ(read.functionKeys[1], "nimm");
    EXPECT_EQ(read.functionKeys[8],
              "schau \xFC"
              "ber");
    EXPECT_EQ(read.lastFiles[0], "/Spiele/Uhr.velmo");
    EXPECT_EQ(read.recentNext, 1);
    EXPECT_EQ(read.autoload, "/Spiele/Uhr.velmo");
    EXPECT_EQ(read.fontName, "courier new");
    EXPECT_EQ(read.columns, 255);
}

// Found by fuzzing: an F-key text of a lone CR was read, written back as
// a line end and lost. Control characters are dropped when a file is read,
// so what was read writes back and reads the same.
TEST(OptionsFile, ControlCharactersInAValueAreDroppedSoItReadsBackTheSame) {
    OptionsFolder f;
    fs::create_directories(f.folder);
    toptions read;
    f.read(std::string("fkeys=,ni\0mm,,,,,,,\r,\r\nLastfiles=/a\tb.velmo,,\n", 46) +
               "Colors=clblack,clsilver,clsilver,clnavy\nAutoload=\nFontName=doslike\n"
               "FontSize=12\nColMax=70\nRowMax=28\nMaximize=0\n",
           read);
    EXPECT_EQ(read.functionKeys[1], "nimm");
    EXPECT_EQ(read.functionKeys[8], "");
    EXPECT_EQ(read.lastFiles[0], "/ab.velmo");
    ASSERT_TRUE(saveOptions(f.file, read));
    toptions again;
    ASSERT_TRUE(readOptions(f.file, again));
    EXPECT_EQ(again.functionKeys, read.functionKeys);
    EXPECT_EQ(again.lastFiles, read.lastFiles);
}

TEST(OptionsFile, ColoursByNameAndByNumberSurviveASaveAndARead) {
    EXPECT_EQ(colourText(0x000080), "clnavy");
    EXPECT_EQ(colourText(0x123ABC), "#123abc");
    tcolour colour = 0;
    EXPECT_TRUE(readColour("ClSilver", colour));
    EXPECT_EQ(colour, 0xC0C0C0u);
    EXPECT_FALSE(readColour("#12345", colour));
    EXPECT_FALSE(readColour("#12345g", colour));
    EXPECT_FALSE(readColour("clrosa", colour));

    OptionsFolder f;
    fs::create_directories(f.folder);
    toptions written;
    written.colours = {0x123ABC, 0xFFFFFF, 0x010203, 0x000080};
    ASSERT_TRUE(saveOptions(f.file, written));
    toptions read;
    ASSERT_TRUE(readOptions(f.file, read));
    EXPECT_EQ(read.colours, written.colours);
}

TEST(OptionsFile, KeysAreFoundInAnyLetterCaseAndTheFirstLineWins) {
    tconfig config;
    config.setText("LASTFILES", "/A/b.velmo");
    config.setText("lastfiles", "/zweite.velmo");
    config.setValue("Name", "Wert");
    std::string value = "unver\xE4ndert";
    EXPECT_TRUE(config.getText("LastFiles", value));
    EXPECT_EQ(value, "/A/b.velmo");
    EXPECT_TRUE(config.getValue("lastfiles", value));
    EXPECT_EQ(value, "/a/b.velmo");
    EXPECT_FALSE(config.getValue("fehlt", value));
    EXPECT_EQ(value, "/a/b.velmo");
    EXPECT_EQ(config.text(), "LASTFILES=/A/b.velmo\nlastfiles=/zweite.velmo\nName=wert\n");
}

TEST(OptionsFile, AFailureStopsTheReadingAndKeepsWhatWasRead) {
    OptionsFolder f;
    toptions options;
    // The size options come after the texts: F2 is read, the columns stay.
    EXPECT_FALSE(
        f.read("fkeys=Nimm\nColors=clblack,clsilver,clsilver,clnavy\n"
               "FontSize=12\nColMax=300\nRowMax=40\nMaximize=0\n",
               options));
    EXPECT_EQ(options.functionKeys[0], "nimm");
    EXPECT_EQ(options.columns, 70);
    EXPECT_EQ(options.rows, 28);

    for (const char* bad : {"ColMax=-5", "ColMax=", "ColMax=abc", "ColMax=99999999999"}) {
        toptions other;
        EXPECT_FALSE(f.read(std::string("Colors=clblack,clsilver,clsilver,clnavy\nFontSize=9\n") +
                                bad + "\nRowMax=40\nMaximize=1\n",
                            other))
            << bad;
        EXPECT_EQ(other.fontSize, 9) << bad;
        EXPECT_EQ(other.columns, 70) << bad;
        EXPECT_FALSE(other.maximize) << bad;
    }
    // A column count too small to play is brought up to the smallest.
    toptions narrow;
    EXPECT_TRUE(
        f.read("Colors=clblack,clsilver,clsilver,clnavy\nFontSize=9\nColMax=3\n"
               "RowMax=0\nMaximize=1\n",
               narrow));
    EXPECT_EQ(narrow.columns, kMinColumns);
    EXPECT_EQ(narrow.rows, kMinRows);
    EXPECT_TRUE(narrow.maximize);
}

TEST(OptionsFile, EmptyBinaryAndForeignFilesGiveTheWarningAndTheDefaults) {
    OptionsFolder f;
    const toptions defaults;
    std::string binary(4096, '\0');
    for (std::size_t i = 0; i < binary.size(); ++i) binary[i] = static_cast<char>(i * 37);
    for (const std::string& text :
         {std::string(), binary, std::string("ohne Gleichheitszeichen\n\n===\n=x\n"),
          std::string("fkeys\nColors\n")}) {
        toptions options;
        EXPECT_FALSE(f.read(text, options));
        EXPECT_EQ(options.columns, defaults.columns);
        EXPECT_EQ(options.colours, defaults.colours);
        EXPECT_EQ(options.autoload, defaults.autoload);
    }
}

TEST(OptionsFile, TenMegabytesOfJunkAreNotRead) {
    OptionsFolder f;
    const std::string junk(10 << 20, 'x');
    toptions options;
    EXPECT_FALSE(f.read("ColMax=100\n" + junk, options));
    EXPECT_EQ(options.columns, 70);
    tconfig config;
    EXPECT_FALSE(config.load(f.file));
    EXPECT_TRUE(config.lines().empty());
}

TEST(OptionsFile, AReadOnlyFolderKeepsTheOldFile) {
    OptionsFolder f;
    tsettings settings(f.folder);
    ASSERT_TRUE(settings.load());
    settings.values.columns = 100;
    {
        test::FailingFiles readOnly(test::tfault::folderReadOnly);
        tscopedfilewriting use(readOnly);
        EXPECT_FALSE(settings.save());
    }
    EXPECT_EQ(readFile(f.file), defaultOptionsText());
}

TEST(OptionsFile, AFolderThatCannotBeCreatedFailsTheReadingOnly) {
    test::StoryFiles files;
    files.write("datei", "kein Ordner");
    tsettings settings(files.path("datei") + "/VelmoInterpreter/");
    EXPECT_FALSE(settings.load());
    EXPECT_EQ(settings.values.columns, 70);
    EXPECT_FALSE(settings.save());
    // Options of one run are neither read nor written.
    tsettings runOnly;
    EXPECT_TRUE(runOnly.load());
    EXPECT_TRUE(runOnly.save());
}

TEST(RecentFiles, NewPathsGoRoundTheRingAndKnownOnesChangeNothing) {
    tsettings settings;
    EXPECT_FALSE(settings.hasRecent());
    EXPECT_TRUE(settings.rememberRecent("/a.velmo"));
    EXPECT_TRUE(settings.rememberRecent("/b.velmo"));
    EXPECT_FALSE(settings.rememberRecent("/a.velmo"));
    EXPECT_TRUE(settings.rememberRecent("/c.velmo"));
    EXPECT_TRUE(settings.rememberRecent("/d.velmo"));
    EXPECT_EQ(settings.values.lastFiles,
              (std::array<std::string, 3>{"/d.velmo", "/b.velmo", "/c.velmo"}));
    // Paths differ by their letter case.
    EXPECT_TRUE(settings.rememberRecent("/B.velmo"));
    EXPECT_EQ(settings.values.lastFiles[1], "/B.velmo");
    // A comma would split the path in the file: such a path is not kept.
    EXPECT_FALSE(settings.rememberRecent("/a,b.velmo"));
    EXPECT_EQ(settings.values.lastFiles[2], "/c.velmo");
}

TEST(Folders, XdgVariablesOrTheHomeFolder) {
    const std::string saved = std::getenv("XDG_DATA_HOME") ? std::getenv("XDG_DATA_HOME") : "";
    ::setenv("XDG_DATA_HOME", "/daten", 1);
    EXPECT_EQ(dataFolder(), "/daten/VelmoInterpreter/");
    // A relative folder does not count: the home folder's default does.
    ::setenv("XDG_DATA_HOME", "relativ", 1);
    EXPECT_EQ(dataFolder(), std::string(std::getenv("HOME")) + "/.local/share/VelmoInterpreter/");
    ::setenv("XDG_DATA_HOME", saved.c_str(), 1);
}

}  // namespace
}  // namespace velmo
