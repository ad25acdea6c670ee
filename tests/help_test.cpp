#include "frontend/help.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "support/story_files.h"

namespace velmo {
namespace {

TEST(HelpPages, RenderHeadingsParagraphsListsAndReferences) {
    const std::string html =
        "<html><head><title>Nicht zeigen</title><style>p { x }</style></head><body>\n"
        "<h1>Gro&szlig;e   &Uuml;berschrift</h1>\n"
        "<p>Ein <b>fetter</b>\n Satz &amp; &lt;mehr&gt;&#33;&#x21;<br>Neue Zeile.</p>\n"
        "<ul><li>eins</li><li>zwei</li></ul>\n"
        "<dl><dt>F1</dt><dd>Hilfe</dd></dl><!-- Kommentar --><p>&unbekannt; Ende</p>"
        "</body></html>";
    EXPECT_EQ(renderHelpPage(html, 72),
              (std::vector<std::string>{"Gro\xC3\x9F"
                                        "e \xC3\x9C"
                                        "berschrift",
                                        "=================", "", "Ein fetter Satz & <mehr>!!",
                                        "Neue Zeile.", "", "- eins", "- zwei", "", "  F1",
                                        "      Hilfe", "", "&unbekannt; Ende"}));
}

TEST(HelpPages, WrapWithAHangingIndentAtTheWidth) {
    const std::vector<std::string> lines = renderHelpPage(
        "<ul><li>alpha beta gamma delta epsilon zeta eta theta iota kappa</li></ul>"
        "<p>ein_sehr_langes_wort_ohne_blanks_das_nicht_passt</p>",
        24);
    EXPECT_EQ(lines, (std::vector<std::string>{
                         "- alpha beta gamma delta", "  epsilon zeta eta theta", "  iota kappa", "",
                         "ein_sehr_langes_wort_ohne_blanks_das_nicht_passt"}));
}

TEST(HelpPages, EveryContextHasAPageInTheSourceTree) {
    const std::string folder = findHelpFolder(programFolder());
    ASSERT_FALSE(folder.empty());
    for (thelpcontext context :
         {thelpcontext::contents, thelpcontext::display, thelpcontext::transcript,
          thelpcontext::functionKeys, thelpcontext::autostart}) {
        std::vector<std::string> lines;
        ASSERT_TRUE(loadHelpPage(context, 60, lines)) << helpPageFile(context);
        ASSERT_GT(lines.size(), 5u);
        for (const std::string& line : lines) EXPECT_EQ(line.find('<'), std::string::npos) << line;
    }
    EXPECT_EQ(helpPageFile(thelpcontext::transcript), "spielverlauf.html");
}

TEST(HelpPages, AnInstalledFolderBesideTheProgramComesFirst) {
    test::StoryFiles files;
    files.write("share/velmo/help/index.html", "<p>x</p>");
    files.write("bin/velmo-term", "");
    EXPECT_EQ(findHelpFolder(files.path("bin")), files.path("share/velmo/help"));
}

TEST(DataFolder, AnInstalledProgramNeverFallsBackToTheSourceTree) {
    // A program outside the build folder without share/velmo beside it
    // finds nothing, so a broken installation shows as broken.
    EXPECT_EQ(findDataFolder("/velmo-nirgends/bin", "help/index.html"), "");
    EXPECT_EQ(findDataFolder("", "help/index.html"), "");
    // The tests lie in the build folder: they read the source tree.
    const std::string stories = sharedStoriesFolder();
    ASSERT_FALSE(stories.empty());
    EXPECT_TRUE(std::filesystem::is_regular_file(stories + "/uhrmacher.velmo"));
}

}  // namespace
}  // namespace velmo
