// Reading compiled story files: a compiled story plays like its source,
// and a damaged file of any kind ends in a report, never in a crash.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <vector>

#include "base/codedfile.h"
#include "model/story.h"
#include "story/compiler.h"
#include "story/loader.h"
#include "support/game_fixture.h"
#include "support/recording_services.h"
#include "support/story_files.h"

namespace velmo {
namespace {

using test::GameFixture;
using test::RecordingServices;
using test::StoryFiles;

// The garden story with a text file and a literal that spans lines.
std::string storyWithTextFile() {
    std::string source = test::kGardenStory;
    const std::string hook = "if (v == \"scha\") { write(\"Ein Garten.^\"); }";
    source.replace(source.find(hook), hook.size(),
                   "if (v == \"scha\") { file(\"garten.txt\"); write(\"Ein Garten,\n"
                   "gr\xFCn und still.^\"); }");
    return source;
}

// Compiles `source` written as spiel.velmo; the path of the compiled file.
std::string compiled(const StoryFiles& dir, const std::string& source) {
    const std::string path = dir.write("spiel.velmo", source);
    RecordingServices services;
    tstorysource lists;
    EXPECT_TRUE(compileStory(path, services, lists).ok) << services.written;
    services.setLineMapper(nullptr);
    return dir.path("spiel.data");
}

std::string readBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Plays the commands and gives back the whole screen.
std::string play(GameFixture& g, const std::string& story,
                 const std::vector<std::string>& commands) {
    EXPECT_TRUE(g.game->openStory(story)) << g.platform.text();
    for (const std::string& command : commands) g.enter(command);
    return g.platform.text();
}

// --------------------------------------------------------- same behaviour

TEST(CompiledStory, PlaysLikeItsSource) {
    StoryFiles dir;
    dir.write("garten.txt", "Rosen bl\xFChen.\n");
    const std::string source = storyWithTextFile();
    const std::string data = compiled(dir, source);
    const std::vector<std::string> commands = {
        "schau", "nimm apfel", "iss den roten apfel", "nimm birne", "warte", "zurueck", "xyzzy"};
    GameFixture fromSource;
    GameFixture fromData;
    const std::string expected = play(fromSource, dir.path("spiel.velmo"), commands);
    EXPECT_NE(expected.find("Rosen bl\xFChen."), std::string::npos);
    EXPECT_NE(expected.find("Ein Garten, gr\xFCn und still."), std::string::npos);
    EXPECT_EQ(play(fromData, data, commands), expected);
    EXPECT_TRUE(fromData.game->currentStory()->compiled);
    // The version of the compile is the serial of the compiled story.
    std::vector<std::string> lines;
    ASSERT_TRUE(loadCodedLines(lines, data));
    EXPECT_EQ(fromData.game->currentStory()->serial, lines.front());
    EXPECT_EQ(fromSource.game->currentStory()->serial, "000000");
}

// --------------------------------------------------------- damaged files

struct Load {
    explicit Load(const std::string& path) {
        story = std::make_unique<tstory>(services);
        loaded = loadStory(path, *story, source);
        services.setLineMapper(nullptr);
    }
    RecordingServices services;
    tstorysource source;
    std::unique_ptr<tstory> story;
    bool loaded = false;
};

// A compiled file made of these lines.
std::string craft(const StoryFiles& dir, const std::vector<std::string>& lines) {
    const std::string path = dir.path("kaputt.data");
    EXPECT_TRUE(saveCodedList(lines, path));
    return path;
}

const std::string kProgram = test::lines(
    "voidmain(){\nwrite(\"\xFD"
    "1\");\n}\n");

TEST(CompiledReader, ShapeOfTheFile) {
    StoryFiles dir;
    EXPECT_TRUE(Load(craft(dir, {"250317", "Hallo", kProgram})).loaded);

    const std::string damaged =
        "Fehler: Datei kaputt.data ist besch\xE4"
        "digt^";
    EXPECT_EQ(Load(craft(dir, {})).services.written, damaged);
    EXPECT_EQ(Load(craft(dir, {kProgram})).services.written, damaged);
    EXPECT_EQ(Load(craft(dir, {"25031", "Hallo", kProgram})).services.written, damaged);
    EXPECT_EQ(Load(craft(dir, {"Version", "Hallo", kProgram})).services.written, damaged);
    std::vector<std::string> tooMany(10002, "x");
    tooMany.front() = "250317";
    EXPECT_EQ(Load(craft(dir, tooMany)).services.written, damaged);

    EXPECT_EQ(Load(dir.path("fehlt.data")).services.written,
              "Fehler: Datei fehlt.data kann nicht ge\xF6"
              "ffnet werden^");
    std::filesystem::create_directories(dir.path("ordner.data"));
    EXPECT_FALSE(Load(dir.path("ordner.data")).loaded);
}

TEST(CompiledReader, EveryMarkerMustNameALiteral) {
    StoryFiles dir;
    auto program = [](const std::string& marker) {
        return test::lines("voidmain(){\nwrite(\"\xFD" + marker + "\");\n}\n");
    };
    const std::string bad = "kaputt.data Zeile 2 Syntaxfehler^";
    for (const std::string marker : {"2", "0", "01", "", "x", "12345", "00001"}) {
        Load load(craft(dir, {"250317", "Hallo", program(marker)}));
        EXPECT_FALSE(load.loaded) << marker;
        EXPECT_EQ(load.services.written, bad) << marker;
    }
    // A literal may hold the marker byte itself: it is never read again.
    Load fine(craft(dir, {"250317",
                          "\xFD"
                          "1\xFD",
                          program("1")}));
    EXPECT_TRUE(fine.loaded) << fine.services.written;
}

// Every variant of a real compiled file must load or be reported; the
// story that loads must also open and run its start-up in the front end.
void expectClean(const StoryFiles& dir, const std::string& bytes, const std::string& what) {
    const std::string path = dir.path("variante.data");
    std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
    Load load(path);
    if (!load.loaded) {
        EXPECT_NE(load.services.written, "") << what;
        return;
    }
    GameFixture g;
    g.game->openStory(path);
    g.enter("schau");
    g.game->closeStory();
}

TEST(CompiledReader, TruncatedAtEveryLength) {
    StoryFiles dir;
    dir.write("garten.txt", "Rosen.\n");
    const std::string bytes = readBytes(compiled(dir, storyWithTextFile()));
    ASSERT_GT(bytes.size(), 1000u);
    for (std::size_t length = 0; length < bytes.size(); ++length) {
        const std::string path = dir.path("kurz.data");
        std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes.substr(0, length);
        Load load(path);
        EXPECT_FALSE(load.loaded) << length;
        EXPECT_NE(load.services.written, "") << length;
    }
}

TEST(CompiledReader, RandomlyDamagedBytes) {
    StoryFiles dir;
    dir.write("garten.txt", "Rosen.\n");
    const std::string original = readBytes(compiled(dir, storyWithTextFile()));
    std::mt19937 random(20250317);
    for (int variant = 0; variant < 150; ++variant) {
        std::string bytes = original;
        const int changes = 1 + variant % 8;
        for (int i = 0; i < changes; ++i) {
            const std::size_t at = random() % bytes.size();
            bytes[at] =
                static_cast<char>(variant % 2 ? bytes[at] ^ (1 << (random() % 8)) : random());
        }
        expectClean(dir, bytes, "variant " + std::to_string(variant));
    }
}

}  // namespace
}  // namespace velmo
