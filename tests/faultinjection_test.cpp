// Every kind of file the program writes, under every fault a disk can
// show: the old file stays byte for byte, no temporary file is left, the
// player sees the German message, and the game goes on.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>

#include "base/atomicfile.h"
#include "frontend/authoring.h"
#include "frontend/plainmode.h"
#include "frontend/settings.h"
#include "support/failing_files.h"
#include "support/game_fixture.h"

namespace velmo {
namespace {

using test::FailingFiles;
using test::tfault;

// What was there before: bytes no writer would produce.
const std::string kOldBytes = std::string("alter Inhalt\r\n\x00\xFF\xFE", 17);

std::string readBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

// The game on the test host, with its save folder in a fresh folder.
struct Harness : test::GameFixture {
    Harness() { game->saveFolder = files.root.string(); }

    void openAndPlay() {
        ASSERT_TRUE(open());
        enter("nimm apfel");
    }
    std::string source() const { return files.write("quelle.velmo", test::kGardenStory); }
    std::vector<std::string> pictures() const {
        return {files.write("a.jpg", std::string(300, 'a')), files.write("b.jpg", "bb")};
    }
    // Every message box and the story window, where the writers report.
    std::string shown() const {
        std::string all = platform.text();
        for (const std::string& message : platform.messages) all += "\n" + message;
        return all;
    }
    bool leftTemporaryFiles() const {
        for (const auto& entry : std::filesystem::directory_iterator(files.root))
            if (entry.path().filename().string().find(".tmp") != std::string::npos) return true;
        return false;
    }

    tsettings options{files.root.string() + "/"};
    std::ostringstream plainOutput;
};

struct WrittenFile {
    std::string name;
    std::string file;     // in the harness's folder
    int onFile;           // the how-manieth file the action writes
    std::string message;  // Windows-1252
    std::function<void(Harness&)> write;
};

void playPlain(Harness& h) {
    tplainoptions options;
    options.storyFile = h.files.write("garten.velmo", test::kGardenStory);
    options.transcriptFile = h.files.path("verlauf.txt");
    std::istringstream in("schau\n");
    runPlainMode(options, in, h.plainOutput);
}

const WrittenFile kWrittenFiles[] = {
    {"SavedGame", "spiel.memo", 1, "Spielstand kann nicht gespeichert werden",
     [](Harness& h) {
         h.openAndPlay();
         h.platform.files.push_back(h.files.path("spiel.memo"));
         h.game->saveGame();
     }},
    {"Options", "velmo.ini", 1, "velmo.ini kann nicht geschrieben werden",
     [](Harness& h) {
         h.openAndPlay();
         h.game->useSettings(&h.options);
         h.game->applySettings();
     }},
    {"CompiledStory", "quelle.data", 1, "quelle.velmo kann nicht compiliert werden",
     [](Harness& h) { tauthoring(h.platform, *h.game).compileFile(h.source()); }},
    {"CompanionText", "info.text", 1, "quelle.velmo kann nicht compiliert werden",
     [](Harness& h) {
         h.files.write("info.txt", "Eine Zeile.\nNoch eine.\n");
         const std::string source =
             h.files.write("quelle.velmo", std::string(test::kGardenStory) +
                                               "void info() { file(\"info.txt\"); }\n");
         tauthoring(h.platform, *h.game).compileFile(source);
     }},
    {"PictureContainer", "grafik.fg", 1, "Datei grafik.fg kann nicht geschrieben werden.",
     [](Harness& h) { tauthoring(h.platform, *h.game).copyPictureFiles(h.pictures()); }},
    {"PictureList", "grafik.velmo", 2, "Datei grafik.velmo kann nicht geschrieben werden.",
     [](Harness& h) { tauthoring(h.platform, *h.game).copyPictureFiles(h.pictures()); }},
    {"ExtractedText", "t_quelle.txt", 1, "Datei t_quelle.txt kann nicht geschrieben werden.",
     [](Harness& h) { tauthoring(h.platform, *h.game).extractTextFile(h.source()); }},
    {"ScreenText", "bild.txt", 1, "Datei kann nicht geschrieben werden",
     [](Harness& h) {
         h.openAndPlay();
         h.platform.files.push_back(h.files.path("bild.txt"));
         h.game->exportText();
     }},
    {"Transcript", "verlauf.txt", 1, "Datei kann nicht geschrieben werden", playPlain},
};

// Where the player sees a writer's messages: the plain mode prints them.
std::string shownFor(const Harness& h, const WrittenFile& kind) {
    return kind.name == "Transcript" ? h.plainOutput.str() : h.shown();
}

// After the failure: the story opens (again) and answers a command. The
// plain mode's transcript has played its game by then.
void expectTheGameGoesOn(Harness& h, const WrittenFile& kind) {
    if (kind.name == "Transcript") {
        EXPECT_NE(h.plainOutput.str().find(">schau\nEin Garten."), std::string::npos)
            << h.plainOutput.str();
        return;
    }
    if (!h.game->storyOpen()) { ASSERT_TRUE(h.open()); }
    h.enter("schau");
    EXPECT_NE(h.after(">schau").find("Ein Garten."), std::string::npos) << h.platform.text();
}

class WriteFault : public testing::TestWithParam<std::tuple<WrittenFile, tfault>> {};

TEST_P(WriteFault, KeepsTheOldFileLeavesNoTemporaryFileTellsThePlayerAndGoesOn) {
    const auto& [kind, fault] = GetParam();
    Harness h;
    const std::string target = h.files.write(kind.file, kOldBytes);
    {
        FailingFiles failing(fault, kind.onFile);
        tscopedfilewriting use(failing);
        kind.write(h);
    }
    EXPECT_EQ(readBytes(target), kOldBytes);
    EXPECT_FALSE(h.leftTemporaryFiles());
    const std::string shown = shownFor(h, kind);
    EXPECT_NE(shown.find(kind.message), std::string::npos) << shown;
    expectTheGameGoesOn(h, kind);
}

INSTANTIATE_TEST_SUITE_P(
    EveryFileEveryFault, WriteFault,
    testing::Combine(testing::ValuesIn(kWrittenFiles),
                     testing::Values(tfault::openFails, tfault::writeFailsMidway,
                                     tfault::renameFails, tfault::folderReadOnly)),
    [](const auto& test) {
        std::ostringstream name;
        name << std::get<0>(test.param).name << "_" << std::get<1>(test.param);
        return name.str();
    });

// The control for the cases above: without a fault each action does
// replace the file, so "the old file stayed" means something there.
class WriteWithoutFault : public testing::TestWithParam<WrittenFile> {};

TEST_P(WriteWithoutFault, ReplacesTheFileAndLeavesNoTemporaryFile) {
    const WrittenFile& kind = GetParam();
    Harness h;
    const std::string target = h.files.write(kind.file, kOldBytes);
    kind.write(h);
    EXPECT_NE(readBytes(target), kOldBytes);
    EXPECT_FALSE(readBytes(target).empty());
    EXPECT_FALSE(h.leftTemporaryFiles());
    EXPECT_EQ(shownFor(h, kind).find(kind.message), std::string::npos) << shownFor(h, kind);
}

INSTANTIATE_TEST_SUITE_P(EveryFile, WriteWithoutFault, testing::ValuesIn(kWrittenFiles),
                         [](const auto& test) { return test.param.name; });

}  // namespace
}  // namespace velmo
