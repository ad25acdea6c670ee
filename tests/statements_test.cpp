#include <gtest/gtest.h>

#include "base/abort.h"
#include "base/codedfile.h"
#include "base/declension.h"
#include "model/parsetree.h"
#include "model/story.h"
#include "model/time.h"
#include "support/story_run.h"

namespace velmo {
namespace {

using test::StoryRun;

TEST(StatementsOutput, WriteBoxAndAFailedWriteThatWritesNothing) {
    StoryRun s(R"(
void main() { write("Hallo " + 3 + "^"); box("Kasten"); write(5 / 0); write("nie"); }
)");
    EXPECT_EQ(s.run(), "Hallo 3^geschichte.velmo Zeile 2 ung\xFCltige Operation^");
    EXPECT_EQ(s.services().boxes, std::vector<std::string>{"Kasten"});
}

class StatementsFile : public ::testing::Test {
protected:
    StoryRun s{R"(
void ganz() { file("texte.txt"); }
void teil() { file("texte.txt",zwei); }
void fehlt() { file("fehlt.txt"); }
)"};
    void SetUp() override {
        s.source.files.write("texte.txt",
                             "eins\r\n#zwei\r\nA\r\nB\r\n#drei\r\nC\r\n#zwei\r\nD\r\n");
    }
};

TEST_F(StatementsFile, WholeFileOrOneSection) {
    EXPECT_EQ(s.run("ganz"), "eins#zweiAB#dreiC#zweiD");
    // The marker switches output on, any other "#" line off, and the
    // marker met again on once more.
    EXPECT_EQ(s.run("teil"), "ABD");
    EXPECT_EQ(s.run("fehlt"), "geschichte.velmo Zeile 4 Textdatei nicht gefunden: fehlt.txt^");
}

TEST_F(StatementsFile, CompiledStoryReadsTheCodedCompanion) {
    // Text after the last line end is not part of a coded file.
    std::string coded;
    for (char c : std::string("#zwei\r\nX\r\n#drei\r\nrest"))
        coded += static_cast<char>(codeByte(static_cast<unsigned char>(c)));
    s.source.files.write("texte.text", coded);
    s.story().compiled = true;
    EXPECT_EQ(s.run("teil"), "X");
    EXPECT_EQ(s.run("fehlt"), "geschichte.velmo Zeile 4 Textdatei nicht gefunden: fehlt.text^");
}

TEST(StatementsDeclarations, DeclareOnEachRunAndReportRedeclaration) {
    StoryRun s(R"(
void main() { int a = 4; string b = "x"; object c; write(a + b + c); }
void zweimal() { int a; string a; write("weiter"); }
)");
    EXPECT_EQ(s.run(), "4xNULL");
    EXPECT_EQ(s.run(), "4xNULL");  // each run starts with the function's variables cleared
    const std::string twice = s.run("zweimal");
    EXPECT_NE(twice.find("Variable a wird redefiniert"), std::string::npos);
    EXPECT_EQ(twice.find("weiter"), std::string::npos);  // the run stops there
}

// ---------------------------------------------------------- the world

class StatementsWorld : public ::testing::Test {
protected:
    StoryRun s{R"(
class Raum { }
class Kiste {
  with(offen);
  void umschalten() { toggle(offen); }
  void zu() { with(~offen, gross); }
  void namen() { setShort("-gro)"
               "\xDF"
               R"(* Kiste"); setLong("Eine Kiste."); }
  void hinein() { moveto(Raum); }
  void hinaus() { moveto(NULL); }
  void nirgends() { moveto(Nirgends); }
  void daemon() { startDaemon; startDaemon; }
  void still() { stopDaemon; }
  void wecker() { startTimer(3); startTimer(0); }
  void kein() { stopTimer; }
  void leer() { startTimer(""); }
}
)"};
    tnode* kiste() { return s.object("Kiste"); }
    void run(const std::string& name) { s.run(name, "", kiste()); }
};

TEST_F(StatementsWorld, ToggleTwiceRestoresTheAttribute) {
    run("umschalten");
    EXPECT_FALSE(kiste()->attrs->hasAttr("offen"));
    run("umschalten");
    EXPECT_TRUE(kiste()->attrs->hasAttr("offen"));
    run("zu");
    EXPECT_FALSE(kiste()->attrs->hasAttr("offen"));
    EXPECT_TRUE(kiste()->attrs->hasAttr("gross"));
}

TEST_F(StatementsWorld, NamesAndDescriptionGoToTheFunctionsObject) {
    run("namen");
    EXPECT_EQ(kiste()->getLongDescription(), "Eine Kiste.");
    EXPECT_EQ(kiste()->nameForm(kNominative, true, kDefinite),
              "die gro\xDF"
              "e Kiste");
}

TEST_F(StatementsWorld, MovetoAPlaceOrNullAndNothingForAnUnknownPlace) {
    run("hinein");
    EXPECT_EQ(s.object("Raum")->contents, std::vector<tnode*>{kiste()});
    run("hinaus");
    EXPECT_EQ(kiste()->location, nullptr);
    EXPECT_TRUE(s.object("Raum")->contents.empty());
    run("hinein");
    EXPECT_EQ(s.run("nirgends", "", kiste()),
              "geschichte.velmo Zeile 10 unbekannter Bezeichner Nirgends^");
    EXPECT_EQ(kiste()->location, s.object("Raum"));
}

TEST_F(StatementsWorld, DaemonsAndTimers) {
    run("daemon");
    EXPECT_EQ(s.root().daemons, std::vector<tnode*>{kiste()});  // listed once
    run("still");
    EXPECT_TRUE(s.root().daemons.empty());

    run("wecker");
    ASSERT_EQ(s.root().timers.size(), 2u);
    EXPECT_EQ(s.root().timers[0].remaining, 3);
    EXPECT_EQ(s.root().timers[0].beforeTick, 3);
    s.root().timers.push_back(ttimer{5, 5, s.object("Raum")});
    run("kein");
    ASSERT_EQ(s.root().timers.size(), 1u);
    EXPECT_EQ(s.root().timers[0].object, s.object("Raum"));
    EXPECT_EQ(s.run("leer", "", kiste()), "geschichte.velmo Zeile 15 Timerfehler^");
}

TEST(StatementsPlayer, SetPlayerSetsActorScopeAndRootVariables) {
    StoryRun s(R"(
class Raum { }
class Held { moveto(Raum); }
class Apfel { moveto(Raum); }
void main() { setPlayer(Held); write(player + "," + actor); }
)");
    EXPECT_EQ(s.run(), "Held,Held");
    EXPECT_EQ(s.story().actor, s.object("Held"));
    EXPECT_EQ(s.story().scope.nodes(),
              (std::vector<tnode*>{s.object("Raum"), s.object("Held"), s.object("Apfel")}));
    EXPECT_EQ(s.interpreter->PlayerReady(), s.object("Held"));
}

// A name that finds no object, or NULL, leaves no one to play: an error,
// and the player stays who it was.
TEST(StatementsPlayer, SetPlayerWithoutAnObjectIsAnError) {
    const std::string story = R"(
class Raum { }
class Held { moveto(Raum); }
void main() { setPlayer(Held); }
void niemand() { setPlayer(NULL); write("weiter"); }
void unbekannt() { string n = "Gibtsnicht"; setPlayer(n); }
)";
    for (const char* function : {"niemand", "unbekannt"}) {
        StoryRun s(story);
        s.run();
        EXPECT_EQ(s.run(function).substr(0, 25),
                  "geschichte.velmo Zeile " + std::string(function[0] == 'n' ? "5" : "6") + " ");
        EXPECT_NE(s.source.services.written.find("Syntaxfehler oder unbekannter Bezeichner^"),
                  std::string::npos);
        EXPECT_EQ(s.story().player, s.object("Held"));
        EXPECT_EQ(s.story().actor, s.object("Held"));
        EXPECT_FALSE(s.story().scope.empty());
    }
}

TEST(StatementsPlayer, SetNounTakesTheSearchFormWithAdjectives) {
    StoryRun s(R"(
class Tuer { setShort("-gr)"
               "\xFC"
               "n* T\xFC"
               R"(r"); }
class Leer { }
void main() { setNoun(Tuer); }
void ohneNamen() { setNoun(Leer); }
)");
    s.run();
    EXPECT_EQ(s.story().pronounText, "gruene tuer");
    EXPECT_EQ(s.run("ohneNamen"), "geschichte.velmo Zeile 5 Klasse oder Objektvariable erwartet^");
}

TEST(StatementsGameState, ScoreFormatAndClock) {
    StoryRun s(R"(
void main() { addScores(5); addScores(-2); StatusLineFormat(2); setTime(600, 10); }
void leer() { addScores(""); }
)");
    s.run();
    EXPECT_EQ(s.story().score, 3);
    EXPECT_EQ(s.story().statusFormat, 1);
    EXPECT_EQ(s.story().clock.minutes(), 600);
    EXPECT_EQ(s.story().clock.getStep(), 10);
    EXPECT_EQ(s.run("leer"), "geschichte.velmo Zeile 3 Integerwert erwartet^");
    EXPECT_EQ(s.story().score, 3);
    StoryRun t(R"(
void keineZeit() { setTime("", 1); }
)");
    EXPECT_EQ(t.run("keineZeit"), "geschichte.velmo Zeile 2 Integerwert erwartet^");
}

// ---------------------------------------------------- the current command

TEST(StatementsCommand, HaltRepeatAndFirstWord) {
    StoryRun s(R"(
class A { }
class B { }
void halt1() { halt(1); }
void halt2() { halt(2); }
void halt3() { halt(3); }
void halt9() { halt(9); }
void main() { repeat(A, NULL); firstWord; }
)");
    tnode* a = s.object("A");
    tnode* b = s.object("B");
    s.story().firstObjects = {a};
    s.story().secondObjects = {b};
    s.run("halt9");
    s.run("halt2");
    EXPECT_EQ(s.story().firstObjects, std::vector<tnode*>{a});
    EXPECT_TRUE(s.story().secondObjects.empty());
    s.story().secondObjects = {b};
    s.run("halt1");
    EXPECT_TRUE(s.story().firstObjects.empty() && s.story().secondObjects.empty());
    EXPECT_FALSE(s.story().noTurn);
    s.run("halt3");
    EXPECT_TRUE(s.story().noTurn);

    s.story().wordCursor = 4;
    s.run();
    EXPECT_EQ(s.services().repeatOffset, 1);
    EXPECT_EQ(s.services().repeatFirst, a);
    EXPECT_EQ(s.services().repeatSecond, nullptr);
    EXPECT_EQ(s.story().wordCursor, 0);
}

TEST(StatementsCommand, SplitFillsAStringArray) {
    StoryRun s(R"(
void teile(string text) {
  string woerter;
  split(woerter, text, " ");
  write(woerter[0] + "|" + woerter[1] + "|" + woerter[2]);
}
void ohne() { split(fehlt, "a b", " "); }
)");
    EXPECT_EQ(s.run("teile", "  a b  c "), "a|b|c");
    tnode* teile = s.root().findChild("teile");
    EXPECT_EQ(teile->vars.elementCount("woerter"), 3);
    EXPECT_EQ(s.run("ohne"), "geschichte.velmo Zeile 7 unbekannter Bezeichner fehlt^");

    StoryRun t(R"(
void leer() { string w; split(w, "", " "); }
void ohneTrenner() { string w; split(w, "a", ""); }
)");
    t.run("leer");  // an empty text leaves one empty element
    EXPECT_EQ(t.root().findChild("leer")->vars.elementCount("w"), 1);
    EXPECT_EQ(t.run("ohneTrenner"), "geschichte.velmo Zeile 3 Syntaxfehler^");
}

// ------------------------------------------- pictures, inspector, quit

TEST(StatementsFrontEnd, PictureWindowAndInspector) {
    StoryRun s(R"(
void main() { openWin(3, "Turm"); closeWin; inspect; write("weiter"); }
)");
    EXPECT_EQ(s.run(), "weiter");
    EXPECT_EQ(s.services().pictures, std::vector<std::string>{"3:Turm@2"});
    EXPECT_EQ(s.services().pictureCloses, 1);
    EXPECT_EQ(s.services().inspectedLines, std::vector<int32_t>{2});
    EXPECT_FALSE(s.services().inspectorShowedErrors);
    EXPECT_TRUE(s.services().showErrors);

    // Cancelling the inspector ends the game without asking.
    s.services().cancelInspector = true;
    EXPECT_THROW(s.run(), tabort);
    EXPECT_EQ(s.services().ends, 1);
    EXPECT_FALSE(s.services().endedAsking);
    EXPECT_TRUE(s.services().showErrors);
}

TEST(StatementsFrontEnd, QuitUpdatesTheStatusLineAndAsks) {
    StoryRun s(R"(
void main() { write("a"); quit; write("b"); }
)");
    EXPECT_THROW(s.run(), tabort);
    EXPECT_EQ(s.services().written, "a");
    EXPECT_EQ(s.services().statusUpdates, 1);
    EXPECT_TRUE(s.services().endedAsking);
}

}  // namespace
}  // namespace velmo
