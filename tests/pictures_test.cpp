#include "story/pictures.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

#include "base/codedfile.h"
#include "support/game_fixture.h"
#include "support/recording_services.h"
#include "support/story_files.h"
#include "support/test_jpeg.h"

namespace velmo {
namespace {

using test::StoryFiles;
using Bytes = std::vector<unsigned char>;

std::string readBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// A JPEG-like blob: the container never decodes what it holds.
std::string blob(std::size_t size, char fill) {
    std::string bytes(size, fill);
    bytes[0] = '\xFF';
    bytes[1] = '\xD8';
    return bytes;
}

Bytes asBytes(const std::string& text) { return Bytes(text.begin(), text.end()); }

int32_t intAt(const std::string& bytes, std::size_t at) {
    std::istringstream in(bytes.substr(at, 4));
    int32_t value = 0;
    readInt32(in, value);
    return value;
}

// Three pictures of 1000, 2000 and 500 bytes packed in `dir`.
struct Packed {
    Packed() {
        files = {dir.write("bilder/turm.jpg", blob(1000, 'a')),
                 dir.write("bilder/Keller.JPG", blob(2000, 'b')),
                 dir.write("c.jpg", blob(500, 'c'))};
        ok = copyPictures(files, dir.root.string(), services);
        container = dir.path("grafik.fg");
    }
    StoryFiles dir;
    test::RecordingServices services;
    std::vector<std::string> files;
    std::string container;
    bool ok = false;
};

// -------------------------------------------------------- copying pictures

TEST(PictureCopy, OffsetsContainerListAndReport) {
    Packed p;
    ASSERT_TRUE(p.ok) << p.services.written;
    const std::string bytes = readBytes(p.container);
    ASSERT_EQ(bytes.size(), 3516u);
    EXPECT_EQ(intAt(bytes, 0), 3);
    EXPECT_EQ(intAt(bytes, 4), 16);
    EXPECT_EQ(intAt(bytes, 8), 1016);
    EXPECT_EQ(intAt(bytes, 12), 3016);
    EXPECT_EQ(bytes.substr(3016), blob(500, 'c'));
    EXPECT_EQ(readBytes(p.dir.path("grafik.velmo")),
              "/* Grafiken\r\nturm.jpg 0\r\nKeller.JPG 1\r\nc.jpg 2\r\n*/\r\n");
    EXPECT_EQ(p.services.written,
              "3 Grafiken werden kopiert ...^turm.jpg 0^Keller.JPG 1^c.jpg 2^Ok^");

    // Each picture comes back exactly; picture 2 runs to the end.
    Bytes picture;
    for (int32_t k = 0; k < 3; ++k) {
        ASSERT_TRUE(readPicture(p.container, k, picture));
        EXPECT_EQ(picture, asBytes(readBytes(p.files[static_cast<std::size_t>(k)])));
    }
    EXPECT_FALSE(readPicture(p.container, 3, picture));
    EXPECT_FALSE(readPicture(p.container, -1, picture));
    EXPECT_TRUE(picture.empty());
}

TEST(PictureCopy, AnUnreadablePictureLeavesBothFilesAsTheyWere) {
    Packed p;
    ASSERT_TRUE(p.ok);
    const std::string before = readBytes(p.container);
    test::RecordingServices services;
    EXPECT_FALSE(
        copyPictures({p.files[0], p.dir.path("fehlt.jpg")}, p.dir.root.string(), services));
    EXPECT_EQ(services.written,
              "2 Grafiken werden kopiert ...^"
              "Datei fehlt.jpg kann nicht ge\xF6"
              "ffnet werden^");
    EXPECT_EQ(readBytes(p.container), before);
    EXPECT_NE(readBytes(p.dir.path("grafik.velmo")).find("c.jpg 2"), std::string::npos);

    test::RecordingServices noFolder;
    EXPECT_FALSE(copyPictures({p.files[0]}, p.dir.path("kein/ordner"), noFolder));
    EXPECT_EQ(noFolder.written,
              "1 Grafiken werden kopiert ...^"
              "Datei grafik.fg kann nicht geschrieben werden.^");
}

TEST(PictureCopy, OffsetsMustFitThirtyTwoBits) {
    std::vector<int32_t> offsets;
    ASSERT_TRUE(pictureOffsets({1000, 2000, 500}, offsets));
    EXPECT_EQ(offsets, (std::vector<int32_t>{16, 1016, 3016}));
    EXPECT_TRUE(pictureOffsets({0x7FFFFFFFu - 8}, offsets));  // the last picture may end at 2 GiB
    EXPECT_FALSE(pictureOffsets({0x7FFFFFFFu - 8, 1}, offsets));
}

// -------------------------------------------------------- reading pictures

std::string container(const std::vector<int32_t>& numbers, const std::string& tail = "") {
    std::ostringstream out;
    for (int32_t n : numbers) writeInt32(out, n);
    return out.str() + tail;
}

TEST(PictureRead, DamagedContainersAreRefused) {
    StoryFiles dir;
    Bytes picture;
    EXPECT_FALSE(readPicture(dir.path("fehlt.fg"), 0, picture));
    const std::vector<std::string> damaged = {
        "",                                  // empty
        "\x01\x00",                          // cut in the count
        container({0}),                      // no pictures
        container({-3, 8}),                  // negative count
        container({0x7FFFFFFF, 8}),          // a count the file cannot hold
        container({2, 12}),                  // table cut short
        container({1, 8}, "abc"),            // sound: one picture of three bytes
        container({1, 9000}, "abc"),         // offset past the end
        container({1, 4}, "abc"),            // offset inside the table
        container({2, 20, 12}, "abcdefgh"),  // picture 0 ends before it starts
        container({2, 12, 4000}, "abcd"),    // picture 0 ends past the file
    };
    for (std::size_t i = 0; i < damaged.size(); ++i) {
        const std::string path = dir.write("kaputt" + std::to_string(i) + ".fg", damaged[i]);
        EXPECT_FALSE(readPicture(path, 0, picture) && i != 6) << i;
    }
    EXPECT_TRUE(readPicture(dir.path("kaputt6.fg"), 0, picture));
    EXPECT_EQ(picture, asBytes("abc"));
    EXPECT_FALSE(readPicture(dir.path("kaputt6.fg"), 1, picture));
}

TEST(PictureRead, TheReasonNamesTheContainerWithoutItsFolder) {
    StoryFiles dir;
    Bytes picture;
    std::string problem;
    EXPECT_FALSE(readPicture(dir.path("fehlt.fg"), 0, picture, problem));
    EXPECT_EQ(problem, "die Datei fehlt.fg fehlt");
    const std::string three = dir.write("drei.fg", container({3, 16, 17, 18}, "abc"));
    EXPECT_FALSE(readPicture(three, 3, picture, problem));
    EXPECT_EQ(problem, "die Grafik 3 gibt es nicht, drei.fg enth\xE4lt die Grafiken 0 bis 2");
    EXPECT_FALSE(readPicture(three, -1, picture, problem));
    EXPECT_EQ(problem, "die Grafik -1 gibt es nicht, drei.fg enth\xE4lt die Grafiken 0 bis 2");
    EXPECT_FALSE(readPicture(dir.write("leer.fg", container({0})), 0, picture, problem));
    EXPECT_EQ(problem, "leer.fg enth\xE4lt keine Grafik");
    EXPECT_FALSE(
        readPicture(dir.write("kurz.fg", container({2, 12, 4000}, "ab")), 0, picture, problem));
    EXPECT_EQ(problem,
              "die Datei kurz.fg ist besch\xE4"
              "digt");
    EXPECT_TRUE(readPicture(three, 2, picture, problem));
    EXPECT_EQ(problem, "");
}

TEST(PictureRead, ContainerOfAStoryAndTheTemporaryFile) {
    EXPECT_EQ(pictureContainerOf("/spiele/abenteuer.data"), "/spiele/abenteuer.fg");
    EXPECT_EQ(pictureContainerOf("/spiele.alt/abenteuer.velmo"), "/spiele.alt/abenteuer.fg");
    EXPECT_EQ(pictureContainerOf("a.b.velmo"), "a.fg");
    EXPECT_EQ(pictureContainerOf("abenteuer"), "abenteuer.fg");

    // A shorter picture replaces a longer one whole.
    StoryFiles dir;
    const std::string temp = dir.path("temp.jpg");
    ASSERT_TRUE(writePictureFile(temp, asBytes(blob(2000, 'b'))));
    ASSERT_TRUE(writePictureFile(temp, asBytes(blob(500, 'c'))));
    EXPECT_EQ(readBytes(temp), blob(500, 'c'));
}

// -------------------------------------------------------- the picture window

std::string storyShowing(const std::string& statement) {
    std::string source = test::kGardenStory;
    const std::string welcome = "write(\"Willkommen.^\");";
    source.replace(source.find(welcome), welcome.size(), statement + welcome);
    return source;
}

// Three real pictures (20 x 10, 40 x 30, 8 x 8) in the story's container.
struct StoryPictures {
    explicit StoryPictures(test::GameFixture& g) {
        g.game->saveFolder = g.files.root.string();
        pictures = {test::makeJpeg(20, 10), test::makeJpeg(40, 30, true), test::makeJpeg(8, 8)};
        std::vector<std::string> files;
        for (std::size_t k = 0; k < pictures.size(); ++k)
            files.push_back(g.files.write("bild" + std::to_string(k) + ".jpg",
                                          std::string(pictures[k].begin(), pictures[k].end())));
        test::RecordingServices services;
        copyPictures(files, g.files.root.string(), services);
        std::filesystem::rename(g.files.path("grafik.fg"), g.files.path("geschichte.fg"));
    }
    std::vector<Bytes> pictures;
};

TEST(PictureWindow, ShowsPictureKOfTheStorysContainer) {
    test::GameFixture g;
    StoryPictures p(g);
    ASSERT_TRUE(g.open(storyShowing("openWin(1, \"Keller\");")));
    const std::string temp = g.files.path("temp.jpg");
    EXPECT_EQ(g.platform.messages, std::vector<std::string>{"Grafik Keller: " + temp});
    EXPECT_EQ(asBytes(readBytes(temp)), p.pictures[1]);
    EXPECT_TRUE(g.game->pictureShown());
    g.game->closePicture();
    EXPECT_FALSE(g.game->pictureShown());

    // The player closes the window: the game knows that none is shown.
    g.game->showPicture("Turm", 0, 1);
    EXPECT_TRUE(g.game->pictureShown());
    g.game->pictureClosed();
    EXPECT_FALSE(g.game->pictureShown());
}

TEST(PictureWindow, ThePictureClosesWithItsStory) {
    test::GameFixture g;
    StoryPictures p(g);
    ASSERT_TRUE(g.open(storyShowing("openWin(0, \"Turm\");")));
    ASSERT_TRUE(g.game->pictureShown());
    g.game->closeStory();
    EXPECT_FALSE(g.game->pictureShown());

    // Opening a story closes the one before, and its picture.
    ASSERT_TRUE(g.open(storyShowing("openWin(0, \"Turm\");")));
    ASSERT_TRUE(g.open());
    EXPECT_FALSE(g.game->pictureShown());
}

// The error report after the story's start with openWin at line 49.
std::string reportOf(const std::string& statement, bool withContainer = true,
                     const std::string& replaced = "") {
    test::GameFixture g;
    StoryPictures p(g);
    if (!withContainer) std::filesystem::remove(g.files.path("geschichte.fg"));
    if (!replaced.empty()) {
        // The container with its last picture damaged.
        std::string bytes = readBytes(g.files.path("geschichte.fg"));
        const std::size_t last = bytes.size() - p.pictures[2].size();
        g.files.write("geschichte.fg", bytes.substr(0, last) + replaced);
    }
    EXPECT_FALSE(g.open(storyShowing(statement)) && g.game->storyOpen());
    EXPECT_FALSE(g.game->pictureShown());
    EXPECT_FALSE(std::filesystem::exists(g.files.path("temp.jpg")));
    const std::string text = g.platform.wholeText();  // the message unwrapped
    const std::size_t at = text.find("geschichte.velmo Zeile 49 ");
    return at == std::string::npos ? text : text.substr(at + 26, text.find('\n', at) - at - 26);
}

TEST(PictureWindow, APictureThatCannotBeShownIsReportedWithItsReason) {
    const std::string message =
        "Grafikdatei kann nicht ge\xF6"
        "ffnet werden: ";
    EXPECT_EQ(
        reportOf("openWin(3, \"Turm\");"),
        message + "die Grafik 3 gibt es nicht, geschichte.fg enth\xE4lt die Grafiken 0 bis 2");
    EXPECT_EQ(reportOf("openWin(0, \"Turm\");", false), message + "die Datei geschichte.fg fehlt");
    EXPECT_EQ(reportOf("openWin(2, \"Turm\");", true, "kein Bild"),
              message + "die Grafik ist keine JPEG-Grafik");
    const Bytes cut = test::makeJpeg(8, 8);
    EXPECT_EQ(reportOf("openWin(2, \"Turm\");", true, std::string(cut.begin(), cut.begin() + 200)),
              message + "die Grafik ist unvollst\xE4ndig");
}

}  // namespace
}  // namespace velmo
