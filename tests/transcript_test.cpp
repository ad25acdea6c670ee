#include "frontend/transcript.h"

#include <gtest/gtest.h>

#include "support/game_fixture.h"

namespace velmo {
namespace {

using test::GameFixture;

TEST(Transcript, HoldsOutputAndInputInOrderAcrossStories) {
    GameFixture f;
    ASSERT_TRUE(f.open());
    f.enter("Nimm den \xC4pfel");
    const std::string& text = f.game->transcriptText().text();
    // The command as the parser saw it, behind the prompt written before it.
    EXPECT_NE(text.find("Willkommen.\n\n>nimm den aepfel\n"), std::string::npos) << text;
    // Opening a story again keeps it.
    ASSERT_TRUE(f.open());
    EXPECT_NE(f.game->transcriptText().text().find("nimm den aepfel"), std::string::npos);
}

TEST(Transcript, LoeschenEmptiesItButNotTheScreen) {
    GameFixture f;
    ASSERT_TRUE(f.open());
    f.enter("schau");
    f.game->transcriptText().clear();
    EXPECT_EQ(f.game->transcriptText().text(), "");
    EXPECT_EQ(f.platform.text(), "Willkommen.\n\n>schau\nEin Garten.\n\n>");
    f.enter("schau");
    EXPECT_EQ(f.game->transcriptText().text(), "schau\nEin Garten.\n\n>");
}

TEST(Transcript, KeepsTheNewestTextWithinItsBoundAndFeedsItsListener) {
    ttranscript transcript;
    std::size_t heard = 0;
    transcript.setListener([&](const std::string& text) { heard += text.size(); });
    const std::string line = std::string(99, 'x') + "\n";
    for (int i = 0; i < 6000; ++i) transcript.addText(line);
    transcript.addText("ende");
    EXPECT_LE(transcript.text().size(), ttranscript::kMaxLength);
    EXPECT_GT(transcript.text().size(), ttranscript::kMaxLength - 200);
    EXPECT_EQ(transcript.text().substr(0, 100), line);  // begins with a whole line
    EXPECT_TRUE(transcript.text().ends_with("x\nende"));
    EXPECT_EQ(heard, 6000 * line.size() + 4);
}

}  // namespace
}  // namespace velmo
