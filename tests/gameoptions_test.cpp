// The options in the running game: applied while a story is open, the
// open dialog with the recent files, the menu after an error, and the
// plain mode with and without the user's options file.

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "frontend/folders.h"
#include "frontend/optionsfile.h"
#include "frontend/plainmode.h"
#include "frontend/settings.h"
#include "support/game_fixture.h"

namespace velmo {
namespace {

std::string readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

bool enabled(const test::GameFixture& f, tmenuaction action) {
    return f.platform.menuEnabled[static_cast<std::size_t>(action)];
}

struct OptionsGame : test::GameFixture {
    OptionsGame() : settings(files.path("optionen") + "/") {
        EXPECT_TRUE(settings.load());
        game->useSettings(&settings);
    }
    std::string optionsText() const { return readFile(settings.file()); }
    tsettings settings;
};

TEST(GameOptions, ColumnsAndFunctionKeysTakeEffectInAnOpenStoryAndAreSaved) {
    OptionsGame f;
    ASSERT_TRUE(f.open());
    f.settings.values.columns = 40;
    f.settings.values.functionKeys[1] = "Nimm";
    f.game->applySettings();
    EXPECT_EQ(f.game->columns(), 40);
    EXPECT_EQ(f.platform.buffer.width(), 42);
    EXPECT_EQ(f.platform.statusText.size(), 42u);
    EXPECT_NE(f.optionsText().find("fkeys=,nimm,,,,,,,\n"), std::string::npos);
    EXPECT_NE(f.optionsText().find("ColMax=40\n"), std::string::npos);

    f.platform.press(tkey::f3);
    f.platform.type(" apfel");
    f.platform.press(tkey::enter);
    EXPECT_NE(f.platform.text().find("Du nimmst den roten Apfel."), std::string::npos);
}

TEST(GameOptions, AnOptionsFileThatCannotBeWrittenIsAWarning) {
    test::GameFixture f;
    f.files.write("datei", "");
    tsettings settings(f.files.path("datei") + "/");
    f.game->useSettings(&settings);
    settings.values.rows = 20;
    f.game->applySettings();
    EXPECT_EQ(f.game->rows(), 20);
    EXPECT_EQ(f.platform.messages,
              std::vector<std::string>{"velmo.ini kann nicht geschrieben werden"});
}

TEST(GameOptions, TheOpenDialogFillsTheRecentFilesAndTheirMenu) {
    OptionsGame f;
    EXPECT_FALSE(enabled(f, tmenuaction::recentFiles));
    const std::string story = f.files.write("Garten.velmo", test::kGardenStory);
    f.platform.files.push_back(story);
    f.game->openNewStory();
    EXPECT_TRUE(f.game->storyOpen());
    EXPECT_TRUE(enabled(f, tmenuaction::recentFiles));
    EXPECT_EQ(f.platform.menuCaptions[static_cast<std::size_t>(tmenuaction::recent1)],
              "garten.velmo");
    EXPECT_EQ(f.platform.menuCaptions[static_cast<std::size_t>(tmenuaction::recent2)], "");
    EXPECT_NE(f.optionsText().find("Lastfiles=" + story + ",,\n"), std::string::npos);

    // The same path again changes nothing; the recent entry reopens it.
    f.platform.files.push_back(story);
    f.game->openNewStory();
    EXPECT_EQ(f.settings.values.lastFiles[1], "");
    f.game->closeStory();
    f.game->openRecent(0);
    EXPECT_TRUE(f.game->storyOpen());
    EXPECT_EQ(f.game->currentStoryFile(), story);

    // A new start reads the list back with its ring position.
    tsettings again(f.settings.file().substr(0, f.settings.file().size() - 9));
    ASSERT_TRUE(again.load());
    EXPECT_EQ(again.values.lastFiles[0], story);
    EXPECT_EQ(again.values.recentNext, 1);
}

TEST(GameOptions, AShownErrorEnablesTheEntriesThatStartAnotherGame) {
    OptionsGame f;
    f.settings.rememberRecent("/alt.velmo");
    ASSERT_TRUE(f.open());
    for (tmenuaction action :
         {tmenuaction::openStory, tmenuaction::restoreGame, tmenuaction::recentFiles})
        f.platform.menuEnabled[static_cast<std::size_t>(action)] = false;
    bool failed = false;
    f.game->showError(failed, 0, "kaputt");
    EXPECT_TRUE(enabled(f, tmenuaction::openStory));
    EXPECT_TRUE(enabled(f, tmenuaction::restoreGame));
    EXPECT_TRUE(enabled(f, tmenuaction::recentFiles));
}

TEST(GameOptions, TheStoryOfTheCommandLineComesBeforeTheAutoloadStory) {
    tsettings settings;
    settings.values.autoload = "/auto.velmo";
    EXPECT_EQ(storyToOpen("/named.velmo", settings), "/named.velmo");
    EXPECT_EQ(storyToOpen("", settings), "/auto.velmo");
    settings.values.autoload.clear();
    EXPECT_EQ(storyToOpen("", settings), "");
}

// The plain mode with --options uses the options folder of the tests'
// environment; each test starts from a fresh file.
struct PlainOptions {
    PlainOptions() {
        std::filesystem::remove_all(optionsFolder());
        story = files.write("garten.velmo", test::kGardenStory);
    }
    ~PlainOptions() { std::filesystem::remove_all(optionsFolder()); }
    int run(tplainoptions options, const std::string& input = "schau\n") {
        std::istringstream in(input);
        return runPlainMode(options, in, out);
    }
    test::StoryFiles files;
    std::string story;
    std::ostringstream out;
};

TEST(PlainModeOptions, WithoutOptionsTheUsersFileIsLeftAlone) {
    PlainOptions p;
    tplainoptions options;
    options.storyFile = p.story;
    EXPECT_EQ(p.run(options), kPlainOk);
    EXPECT_FALSE(std::filesystem::exists(optionsFolder()));
}

TEST(PlainModeOptions, OptionsOpenTheAutoloadStoryAndTheCommandLineSizeWins) {
    PlainOptions p;
    tplainoptions options;
    options.useOptions = true;
    EXPECT_EQ(p.run(options), kPlainUsage);  // the default file names no story
    EXPECT_EQ(readFile(optionsFolder() + kOptionsFileName), defaultOptionsText());

    toptions values;
    values.autoload = p.story;
    values.columns = 100;
    ASSERT_TRUE(saveOptions(optionsFolder() + kOptionsFileName, values));
    options.columns = 40;
    EXPECT_EQ(p.run(options, "lang\n"), kPlainOk);
    EXPECT_NE(p.out.str().find("Willkommen.\n\n>lang\nZeile 1\n"), std::string::npos)
        << p.out.str();
    // The run's size is not saved.
    EXPECT_NE(readFile(optionsFolder() + kOptionsFileName).find("ColMax=100\n"), std::string::npos);
}

TEST(PlainModeOptions, AnUnreadableFileIsOneWarningAndTheStoryStillPlays) {
    PlainOptions p;
    std::filesystem::create_directories(optionsFolder());
    std::ofstream(optionsFolder() + kOptionsFileName) << "ColMax=viele\n";
    tplainoptions options;
    options.useOptions = true;
    options.storyFile = p.story;
    EXPECT_EQ(p.run(options), kPlainOk);
    EXPECT_EQ(p.out.str().find("velmo.ini kann nicht gelesen werden\n"), 0u) << p.out.str();
    EXPECT_NE(p.out.str().find("Ein Garten."), std::string::npos);
}

}  // namespace
}  // namespace velmo
