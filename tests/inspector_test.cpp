#include "frontend/inspector.h"

#include <gtest/gtest.h>

#include "model/parsetree.h"
#include "model/story.h"
#include "support/game_fixture.h"

namespace velmo {
namespace {

using test::GameFixture;

// A story whose "pruefe" opens the inspector inside the player's
// onAction, where "schritt" is a local variable.
const char* const kInspectStory = R"(
verb("pruefe",prue,1);
class raum { setShort("+Raum"); string StatusLine() { return("Raum"); } }
class spieler {
  setShort("+Spieler");
  moveto(raum);
  int zahl = 41;
  string leer = "";
  int scope(object o) { return(1); }
  int doppelt(int n) { return(n * 2); }
  int laut() { write("Hallo!^"); return(1); }
  int onAction(string v) {
    int schritt = 7;
    write("Vorher.^");
    inspect;
    write("Nachher: " + zahl + ".^");
    return(1);
  }
}
void main() { setPlayer(spieler); write("Los.^"); }
)";

TEST(Inspector, EvaluatesInTheRunningFunctionAndKeepsAcceptedExpressions) {
    GameFixture f;
    ASSERT_TRUE(f.open(kInspectStory, "pruefung.velmo"));
    f.platform.inspectorInput = {"zahl + 1", "schritt*6", "doppelt(schritt)", "leer", "zahl +* 2",
                                 "nichtda",  "laut()",    "zahl = 50",        ""};
    f.enter("pruefe");
    EXPECT_EQ(f.platform.positions,
              std::vector<std::string>{"pruefung.velmo Zeile:15 Funktion:onAction"});
    EXPECT_EQ(f.platform.values,
              (std::vector<std::string>{"42", "42", "14", "undefiniert", "ung\xFCltiger Ausdruck",
                                        "ung\xFCltiger Ausdruck", "1", "50"}));
    // OK: the function goes on after "inspect", with what was assigned.
    EXPECT_EQ(f.after(">pruefe"), ">pruefe\nVorher.\nHallo!\nNachher: 50.\n\n>");
    EXPECT_TRUE(f.game->storyOpen());
    // Errors were not shown and did not stop the story.
    EXPECT_FALSE(f.game->stopped);
    EXPECT_TRUE(f.game->showErrors);

    // A second opening sees what the first one assigned.
    f.platform.inspectorInput = {"zahl", ""};
    f.enter("pruefe");
    EXPECT_EQ(f.platform.values.back(), "50");
}

TEST(Inspector, HistoryHoldsOnlyValidExpressions) {
    GameFixture f;
    ASSERT_TRUE(f.open(kInspectStory));
    std::vector<std::string> history;
    tinspector inspector(*f.game->currentStory(), nullptr, 3, f.game->currentStory()->root(),
                         history);
    EXPECT_EQ(inspector.position(), " Zeile:3 Funktion:root");
    EXPECT_EQ(inspector.evaluate(""), "");
    EXPECT_EQ(inspector.evaluate("\"\""), "undefiniert");
    EXPECT_EQ(inspector.evaluate("1)"), "ung\xFCltiger Ausdruck");
    EXPECT_EQ(inspector.evaluate("\"a\" + \"b c\""), "ab c");
    EXPECT_EQ(inspector.evaluate("\"\""), "undefiniert");
    EXPECT_EQ(history, (std::vector<std::string>{"\"\"", "\"a\" + \"b c\"", "\"\""}));
}

TEST(Inspector, CancelEndsTheGameWithoutAskingAndAbortsTheCode) {
    GameFixture f;
    ASSERT_TRUE(f.open(kInspectStory));
    f.platform.inspectorInput = {"zahl", "\x1B"};
    f.enter("pruefe");
    EXPECT_EQ(f.platform.values, std::vector<std::string>{"41"});
    EXPECT_FALSE(f.game->storyOpen());
    EXPECT_EQ(f.after(">pruefe"), ">pruefe\nVorher.\n");
    EXPECT_TRUE(f.platform.waits.empty());  // no end-of-game question
    EXPECT_TRUE(f.platform.menuEnabled[static_cast<std::size_t>(tmenuaction::compile)]);
    EXPECT_TRUE(f.game->showErrors);
}

}  // namespace
}  // namespace velmo
