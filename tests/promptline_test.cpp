// The terminal player's file prompt: the line editor and Tab completion.

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "term/lineeditor.h"
#include "term/pathcompletion.h"

namespace velmo {
namespace {

tkeyevent key(tkey k) {
    tkeyevent event;
    event.key = k;
    return event;
}

tkeyevent typed(const std::string& utf8) {
    tkeyevent event;
    event.key = tkey::other;
    event.text = utf8;
    return event;
}

TEST(LineEditor, EditsWholeUtf8Characters) {
    tlineeditor editor("/tmp/\xC3\xBC");
    EXPECT_EQ(editor.length(), 6);
    EXPECT_EQ(editor.cursor(), 6);
    editor.apply(key(tkey::backspace));
    EXPECT_EQ(editor.text(), "/tmp/");
    editor.apply(key(tkey::home));
    editor.apply(typed("\xD0\x96"));  // no Windows-1252 form, still a path character
    EXPECT_EQ(editor.text(), "\xD0\x96/tmp/");
    editor.apply(key(tkey::del));
    EXPECT_EQ(editor.text(), "\xD0\x96tmp/");
    EXPECT_EQ(editor.cursor(), 1);
}

TEST(LineEditor, EndsAndControlKeysChangeNothing) {
    tlineeditor editor("ab");
    EXPECT_FALSE(editor.apply(key(tkey::right)));
    EXPECT_FALSE(editor.apply(key(tkey::del)));
    editor.apply(key(tkey::home));
    EXPECT_FALSE(editor.apply(key(tkey::left)));
    EXPECT_FALSE(editor.apply(key(tkey::backspace)));
    tkeyevent ctrlS = typed("\x13");
    ctrlS.modifiers.ctrl = true;
    EXPECT_FALSE(editor.apply(ctrlS));
    EXPECT_FALSE(editor.apply(typed("\t")));
    EXPECT_EQ(editor.text(), "ab");
    // Control characters in a preset text are left out too.
    EXPECT_EQ(tlineeditor("a\nb").text(), "ab");
}

class PathCompletionTest : public ::testing::Test {
protected:
    std::filesystem::path folder;
    void SetUp() override {
        const char* base = std::getenv("VELMO_TEST_TMP");
        folder = base ? std::filesystem::path(base) : std::filesystem::temp_directory_path();
        folder /= "pathcompletion_" +
                  std::to_string(std::chrono::steady_clock::now().time_since_epoch().count());
        std::filesystem::create_directories(folder / "spiele");
        for (const char* name :
             {"spiel1.memo", "spiel2.memo", "\xC3\xA4pfel", "\xC3\xB6l", ".versteckt"})
            std::ofstream(folder / name) << "x";
    }
    void TearDown() override {
        std::error_code ignored;
        std::filesystem::remove_all(folder, ignored);
    }
    std::string in(const std::string& name) const { return folder.string() + "/" + name; }
};

TEST_F(PathCompletionTest, CompletesAsFarAsTheNamesAgree) {
    std::vector<std::string> choices;
    EXPECT_EQ(completePath(in("spiel1"), choices), in("spiel1.memo"));
    EXPECT_TRUE(choices.empty());
    EXPECT_EQ(completePath(in("sp"), choices), in("spiel"));
    EXPECT_EQ(choices, (std::vector<std::string>{"spiel1.memo", "spiel2.memo", "spiele/"}));
    EXPECT_EQ(completePath(in("spiele"), choices), in("spiele/"));  // a folder
    EXPECT_EQ(completePath(in("spiele/"), choices), in("spiele/"));
    EXPECT_EQ(completePath(in("x"), choices), in("x"));
    EXPECT_TRUE(choices.empty());
}

TEST_F(PathCompletionTest, HiddenNamesOnlyOnRequestAndUtf8NeverCut) {
    std::vector<std::string> choices;
    EXPECT_EQ(completePath(in("."), choices), in(".versteckt"));
    completePath(in(""), choices);
    for (const std::string& choice : choices) EXPECT_NE(choice[0], '.');
    // "ä" and "ö" share their first byte: the common part is empty.
    EXPECT_EQ(completePath(in("\xC3"), choices), in("\xC3"));
    EXPECT_EQ(completePath(in("\xC3\xA4"), choices), in("\xC3\xA4pfel"));
    // A folder that cannot be read completes nothing.
    EXPECT_EQ(completePath(in("nicht/da"), choices), in("nicht/da"));
}

}  // namespace
}  // namespace velmo
