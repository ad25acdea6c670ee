#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "base/abort.h"
#include "model/parsetree.h"
#include "model/story.h"
#include "script/compiledexpr.h"
#include "script/interpreter.h"
#include "script/keywords.h"
#include "support/recording_services.h"
#include "support/story_run.h"

namespace velmo {
namespace {

using test::RecordingServices;
using test::StoryRun;
using trecords = std::vector<std::pair<int32_t, std::string>>;

// A function whose records are built by hand, as the loader stores them:
// a statement with a parameter text gets it as its one compiled parameter,
// unless it is a declaration.
tnode* handBuilt(tstory& story, const std::string& declaration, const trecords& records) {
    bool error = false;
    tnode* fn = story.root().addChild(kKindFunction, declaration, &error, 1, kTypeInt);
    for (const auto& [row, text] : records) {
        tcode record;
        record.row = row;
        record.opcode = kKeywords[static_cast<std::size_t>(row)].code;
        record.paramText = text;
        if (!text.empty() && row != kRowInt) record.setParams({text});
        compileParams(record);
        fn->code.Add(std::move(record));
    }
    return fn;
}

class InterpreterRecords : public ::testing::Test {
protected:
    RecordingServices services;
    tstory story{services};
    tinterpreter interpreter{story};
    std::string result;

    void run(const std::string& name, const std::string& args = "") {
        interpreter.Run(0, &story.root(), result, args, name);
    }
};

// int f(int n) { int r; r = 1; while (n > 1) { r = r * n; n--; } return (r); }
TEST_F(InterpreterRecords, WorkedExampleYields24) {
    tnode* f = handBuilt(story, "f(intn)",
                         {{kRowOpen, ""},
                          {kRowInt, "r"},
                          {kRowPlain, "r 1 ="},
                          {kRowWhile, "n 1 >"},
                          {kRowOpen, ""},
                          {kRowPlain, "r r n * ="},
                          {kRowPlain, "n \x8A"},
                          {kRowClose, ""},
                          {kRowReturn, "r"},
                          {kRowClose, ""}});
    run("f", "4");
    EXPECT_EQ(result, "24") << services.written;
    std::string n, r;
    f->vars.getValue("n", n);
    f->vars.getValue("r", r);
    EXPECT_EQ(n + " " + r, "1 24");
    // The body ran three times; each end of it looked at the loop.
    EXPECT_EQ(services.messageChecks, 3);
    EXPECT_EQ(interpreter.depth, 0);
    EXPECT_EQ(interpreter.loopDepth, 1);
    EXPECT_TRUE(interpreter.loops.IsEmpty());
}

TEST_F(InterpreterRecords, ResultPersistsAcrossRunsWithoutReturn) {
    handBuilt(story, "g()", {{kRowOpen, ""}, {kRowReturn, "7"}, {kRowClose, ""}});
    handBuilt(story, "h()", {{kRowOpen, ""}, {kRowClose, ""}});
    run("h");
    EXPECT_EQ(result, "0");
    run("g");
    run("h");
    EXPECT_EQ(result, "7");
}

TEST_F(InterpreterRecords, IfWithoutBracesSkipsExactlyOneStatement) {
    handBuilt(story, "f(intx)",
              {{kRowOpen, ""},
               {kRowIf, "x 1 \x80"},
               {kRowWrite, "\"a\""},
               {kRowWrite, "\"b\""},
               {kRowClose, ""}});
    run("f", "2");
    run("f", "1");
    EXPECT_EQ(services.written, "bab");
}

TEST_F(InterpreterRecords, UnknownFunctionIsReported) {
    result = "x";
    run("fehlt");
    EXPECT_EQ(result, "0");
    EXPECT_EQ(services.written, "Fehler: Funktion fehlt nicht deklariert^");
    EXPECT_TRUE(interpreter.Failed());
}

TEST_F(InterpreterRecords, FailedInterpreterRunsNothingMore) {
    handBuilt(story, "bad()",
              {{kRowOpen, ""},
               {kRowReturn, "5"},
               {kRowPlain, "unbekannt"},
               {kRowReturn, "6"},
               {kRowClose, ""}});
    handBuilt(story, "good()", {{kRowOpen, ""}, {kRowReturn, "9"}, {kRowClose, ""}});
    run("bad");
    EXPECT_EQ(result, "5");
    EXPECT_EQ(services.written, "Fehler: unbekannter Bezeichner unbekannt^");
    run("good");
    EXPECT_EQ(result, "5");
}

TEST_F(InterpreterRecords, PlayerReadyNeedsALocatedPlayer) {
    bool error = false;
    tnode* hero = story.root().addChild(kKindObject, "Held", &error, 1, 3);
    tnode* room = story.root().addChild(kKindObject, "Raum", &error, 1, 3);
    EXPECT_EQ(interpreter.PlayerReady(), nullptr);
    story.player = hero;
    EXPECT_EQ(interpreter.PlayerReady(), nullptr);
    hero->moveTo(room);
    EXPECT_EQ(interpreter.PlayerReady(), hero);
}

// ------------------------------------------------------ branches, loops

TEST(InterpreterBranches, IfElseRunsExactlyOneBlockAndReturnGoesOn) {
    StoryRun s(R"(
int zeige(int x) {
  if (x == 1) { write("eins"); write("!"); } else { write("anders"); }
  return (1);
  write(";");
  return (2);
}
)");
    EXPECT_EQ(s.run("zeige", "1"), "eins!;");
    EXPECT_EQ(s.run("zeige", "2"), "anders;");
    EXPECT_EQ(s.result, "2");
}

// Only the text "0" is false: an empty text and "00" hold. A condition that
// fails stops the function without running either branch.
TEST(InterpreterBranches, IfConditionsHoldUnlessTheirTextIsZero) {
    StoryRun s(R"(
void main() {
  string leer; string nullen = "00";
  if (leer) { write("a"); }
  if ("0") { write("b"); } else { write("c"); }
  if (nullen) { write("d"); }
  if (3 - 3) { write("e"); }
  if (1 / 0) { write("f"); } else { write("g"); }
  write("h");
}
)");
    EXPECT_EQ(s.run(), "acdgeschichte.velmo Zeile 8 ung\xFCltige Operation^");
}

TEST(InterpreterLoops, ForWhileAndDo) {
    StoryRun s(R"(
void main() {
  int i; int n;
  for (i = 0; i < 3; i++) { write(i); }
  write("|" + i + "|");
  for (i = 5; i < 3; i++) { write("nie"); }
  n = 0;
  do { write("d"); n++; } while (n > 5);
  while (n < 3) { write(n); n++; }
}
)");
    ASSERT_TRUE(s.loaded) << s.services().written;
    EXPECT_EQ(s.run(), "012|3|d12");
}

TEST(InterpreterLoops, BreakLeavesTheInnermostLoopOrTheFunction) {
    StoryRun s(R"(
void main() {
  int i; int j;
  for (i = 0; i < 3; i++) {
    j = 0;
    while (1) { if (j == 2) { break; } write(j); j++; }
    write("/");
  }
  write("e");
}
void ohneSchleife() { write("a"); break; write("b"); }
)");
    EXPECT_EQ(s.run(), "01/01/01/e");
    EXPECT_EQ(s.run("ohneSchleife"), "a");
    EXPECT_FALSE(s.interpreter->Failed());
}

TEST(InterpreterLoops, BreakOutOfADoLoopDoesNotLeakIntoTheNextRun) {
    // The do loop's record stays behind when "break" leaves it; a "while"
    // of the next run must not take it for the end of that loop.
    StoryRun s(R"(
void a() { do { write("a"); break; } while (1); }
void b() { int n; n = 0; while (n < 2) { write(n); n++; } }
)");
    EXPECT_EQ(s.run("a"), "a");
    EXPECT_EQ(s.run("b"), "01");
    EXPECT_TRUE(s.interpreter->loops.IsEmpty());
}

// A front end whose exit command, handled while story code lets messages
// through, drops the open loops.
class ExitingServices : public RecordingServices {
public:
    void checkMessages() override {
        RecordingServices::checkMessages();
        if (interpreter) interpreter->ClearLoops();
    }
    tinterpreter* interpreter = nullptr;
};

TEST(InterpreterLoops, LoopsDroppedWhileMessagesRunEndTheLoop) {
    ExitingServices services;
    tstory story(services);
    handBuilt(story, "main()",
              {{kRowOpen, ""},
               {kRowWhile, "1"},
               {kRowOpen, ""},
               {kRowWrite, "\"x\""},
               {kRowClose, ""},
               {kRowClose, ""}});
    tinterpreter interpreter(story);
    services.interpreter = &interpreter;
    std::string result;
    interpreter.Run(0, &story.root(), result, "", "main");
    EXPECT_EQ(services.written, "x");
}

class InterpreterFetch : public ::testing::Test {
protected:
    StoryRun s{R"(
class Apfel { int essbar = 1; }
class Stein { int essbar = 0; }
class abstract Vorlage { int essbar = 1; }
class Birne { int essbar = 1; }
void alle() {
  object o;
  fetch (o, o.essbar == 1, 1) { write(o + " "); }
  write("/" + count + "/" + o);
}
void keins() {
  object o;
  fetch (o, o.essbar == 7, 1) { write("x"); }
  write(count + " " + o);
}
void imBlick() {
  object o; int i;
  fetch (o, o.essbar, 0) { i = 0; while (i < 2) { write(i); i++; } write(o + " "); }
}
void element() {
  object o[2];
  fetch (o[1], o[1].essbar == 1, 1) { write(o[1] + " "); }
  write(o[0]);
}
)"};
};

TEST_F(InterpreterFetch, VisitsMatchesInReverseOrderAndCountsThem) {
    EXPECT_EQ(s.run("alle"), "Birne Apfel /2/Apfel");
}

// The loop variable may be an element; a plain name is found once per
// fetch, an element every time.
TEST_F(InterpreterFetch, ALoopVariableWithAnIndexIsSetForEveryCandidate) {
    EXPECT_EQ(s.run("element"), "Birne Apfel NULL");
}

TEST_F(InterpreterFetch, NoMatchGivesNullCountZeroAndSkipsTheBody) {
    EXPECT_EQ(s.run("keins"), "0 NULL");
}

TEST_F(InterpreterFetch, ScopeListLimitsTheCandidatesUnlessTheFlagIsSet) {
    // A "while" in the body is a loop of its own.
    EXPECT_EQ(s.run("imBlick"), "01Birne 01Apfel ");
    s.story().scope.assign({s.object("Stein"), s.object("Apfel")});
    EXPECT_EQ(s.run("imBlick"), "01Apfel ");
    EXPECT_EQ(s.run("alle"), "Birne Apfel /2/Apfel");
}

class InterpreterSwitch : public ::testing::Test {
protected:
    StoryRun s{R"(
void mitBreak(int x) {
  switch (x) {
    case (1); write("eins"); break;
    case (2); write("zwei"); break;
    default; write("sonst");
  }
  write(".");
}
void ohneBreak(int x) {
  switch (x) { case (1); write("eins"); case (2); write("zwei"); default; write("sonst"); }
  write(".");
}
void ohneDefault(int x) {
  switch (x) { case (1); write("eins"); break; }
  write(".");
}
)"};
};

TEST_F(InterpreterSwitch, OnlyTheMatchingBranchRunsWithBreak) {
    EXPECT_EQ(s.run("mitBreak", "2"), "zwei.");
    EXPECT_EQ(s.run("mitBreak", "9"), "sonst.");
}

TEST_F(InterpreterSwitch, WithoutBreakTheBranchesFallThrough) {
    EXPECT_EQ(s.run("ohneBreak", "2"), "zweisonst.");
    EXPECT_EQ(s.run("ohneBreak", "1"), "einszweisonst.");
}

TEST_F(InterpreterSwitch, NoMatchAndNoDefaultLeavesTheSwitch) {
    EXPECT_EQ(s.run("ohneDefault", "3"), ".");
    EXPECT_EQ(s.run("ohneDefault", "1"), "eins.");
}

// ---------------------------------------------------------------- calls

TEST(InterpreterCalls, RecursionKeepsEachCallsVariables) {
    StoryRun s(R"(
int fib(int n) {
  int r;
  if (n < 2) { r = n; } else { r = fib(n - 1) + fib(n - 2); }
  return (r);
}
void main() { write(fib(15)); }
)");
    EXPECT_EQ(s.run(), "610");
}

TEST(InterpreterCalls, EndlessRecursionStopsWithAMessage) {
    StoryRun s(R"(
int tief(int n) { int r; r = tief(n + 1); return (r); }
void main() { write(tief(0)); write("nie"); }
)");
    const std::string written = s.run();
    EXPECT_NE(written.find("Zu viele verschachtelte Funktionsaufrufe"), std::string::npos)
        << written;
    EXPECT_EQ(written.find("nie"), std::string::npos);
    EXPECT_EQ(s.story().callDepth, 0);
    EXPECT_EQ(s.story().runDepth, 0);
}

// Recursion that never closes a loop body still lets the host in, so a
// closing window (or Ctrl+C in the terminal) stops it.
TEST(InterpreterCalls, RecursionWithoutLoopsCanBeStoppedByTheHost) {
    StoryRun s(R"(
int f(int n) { if (n > 0) { f(n - 1); f(n - 1); } return (0); }
void main() { f(60); write("nie"); }
)");
    s.services().closeAtCheck = 3;
    EXPECT_THROW(s.run(), tabort);
    EXPECT_EQ(s.services().messageChecks, 3);
    EXPECT_EQ(s.services().written.find("nie"), std::string::npos);
    EXPECT_EQ(s.story().callDepth, 0);
    EXPECT_EQ(s.story().runDepth, 0);
}

// A text that doubles in a loop stops at the length limit with an error
// instead of taking all memory; "+=" likewise.
TEST(InterpreterCalls, TextDoublingStopsWithAnErrorInsteadOfExhaustingMemory) {
    for (const char* body : {"s = s + s;", "s += s;"}) {
        StoryRun s(std::string(R"(
void main() { string s; s = "x"; while (1) { )") +
                   body + R"( } }
)");
        const std::string written = s.run();
        EXPECT_NE(written.find("Text zu lang"), std::string::npos) << body << written;
    }
}

// A front end that starts story code again while story code writes: the
// runs nest without any call from an expression.
class ReenteringServices : public RecordingServices {
public:
    void writeText(const std::string& text) override {
        RecordingServices::writeText(text);
        if (!story || text != "x") return;
        tinterpreter nested(*story);
        std::string result;
        nested.Run(0, &story->root(), result, "", "main");
    }
    tstory* story = nullptr;
};

TEST(InterpreterCalls, RunsNestedWithoutEndStopWithAMessage) {
    ReenteringServices services;
    tstory story(services);
    services.story = &story;
    handBuilt(story, "main()", {{kRowOpen, ""}, {kRowWrite, "\"x\""}, {kRowClose, ""}});
    tinterpreter interpreter(story);
    std::string result;
    interpreter.Run(0, &story.root(), result, "", "main");
    EXPECT_NE(services.written.find("Fehler: Zu viele verschachtelte Funktionsaufrufe"),
              std::string::npos);
    EXPECT_EQ(story.runDepth, 0);
}

TEST(InterpreterCalls, ArgumentsAreSplitAtCommasAndMissingOnesAreEmpty) {
    StoryRun s(R"(
void zwei(string a, string b) { write("[" + a + "|" + b + "]"); }
void main() { zwei("x,y", "z"); }
)");
    EXPECT_EQ(s.run(), "[x|y]");
    EXPECT_EQ(s.run("zwei", "x"), "[x|]");
    // A caller that quotes a value itself keeps its comma.
    EXPECT_EQ(s.run("zwei", "\"x,y\",z"), "[x,y|z]");
}

// Values without a comma or a double quote are bound as they are, the
// others through the joined text: both ways must give what the text gave.
TEST(InterpreterCalls, ValuesBindAsTheJoinedTextWouldBindThem) {
    StoryRun s(R"(
void drei(int a, string b, int c) { write("[" + a + "|" + b + "|" + c + "]"); }
void main() {
  string leer;
  string zahl;
  zahl = "007";
  drei(6 * 7, leer, zahl);
  drei(leer, "a,b", 1);
  drei(-5, "x", leer);
}
)");
    EXPECT_EQ(s.run(), "[42||007][0|a|b][-5|x|0]");
}

// A result the function computed as an integer reaches the caller as a
// number, without its digits; it must read exactly as its text would:
// in arithmetic, joined to a text, from a text function, and after a
// later return in the same run that gave a text.
TEST(InterpreterCalls, IntegerResultsReadAsTheirTexts) {
    StoryRun s(R"(
int doppelt(int n) { return(n * 2); }
string zahl() { return(6 * 7); }
int gemischt(int n) { string t; t = "007"; return(n + 1); if (n > 0) { return(t); } }
void main() {
  write(doppelt(4) + doppelt(-3)); write("|");
  write("x" + doppelt(5)); write("|");
  write(zahl() + 1); write("|");
  write(gemischt(0) + 1); write("|");
  write(gemischt(7));
}
)");
    EXPECT_EQ(s.run(), "2|x10|421|2|007");
}

TEST(InterpreterCalls, ReceiverRunsTheStatementOnTheObject) {
    StoryRun s(R"(
class Zaehler {
  int zahl = 0;
  void plus() { zahl = zahl + 1; }
}
void main() { int i; for (i = 0; i < 5; i++) { Zaehler.plus(); } write(Zaehler.zahl); }
void niemand() { Niemand.plus(); write("nie"); }
void leer() { object o; o.plus(); write("nie"); }
)");
    EXPECT_EQ(s.run(), "5");
    EXPECT_EQ(s.object("Zaehler")->caller, s.root().findChild("main"));
    EXPECT_EQ(s.run("niemand"), "geschichte.velmo Zeile 7 unbekannter Bezeichner Niemand^");
    StoryRun t(R"(
void leer() { object o; o.plus(); write("nie"); }
)");
    EXPECT_EQ(t.run("leer"), "geschichte.velmo Zeile 2 Klasse NULL nicht deklariert^");
}

TEST(InterpreterCalls, SuperCallsTheInheritedFunction) {
    StoryRun s(R"(
class Ding { void name() { write("Ding"); } }
class Apfel : Ding { void name() { write("Apfel+"); super.name(); } }
)");
    EXPECT_EQ(s.run("name", "", s.object("Apfel")), "Apfel+Ding");
    EXPECT_EQ(s.object("Apfel")->getLevel(), 1);
}

TEST(InterpreterCalls, QuitUnwindsThroughNestedCalls) {
    StoryRun s(R"(
int innen() { quit; return (1); }
void main() { int x; x = innen(); write("nie"); }
)");
    EXPECT_THROW(s.run(), tabort);
    EXPECT_TRUE(s.interpreter->Failed());
    EXPECT_EQ(s.services().written.find("nie"), std::string::npos);
    EXPECT_EQ(s.story().callDepth, 0);
    EXPECT_EQ(s.story().runDepth, 0);
}

// ------------------------------------------------------------ bad input

TEST_F(InterpreterRecords, MalformedRecordsEndTheRunQuietly) {
    // A "}" too many, an "if" with nothing to skip, a case scan that runs
    // off the end, a missing closing brace.
    handBuilt(story, "f()",
              {{kRowOpen, ""},
               {kRowClose, ""},
               {kRowClose, ""},
               {kRowWrite, "\"a\""},
               {kRowSwitch, "1"},
               {kRowOpen, ""},
               {kRowCase, "2"},
               {kRowWrite, "\"x\""}});
    handBuilt(story, "g()", {{kRowOpen, ""}, {kRowWrite, "\"b\""}, {kRowIf, "0"}});
    run("f");
    run("g");
    EXPECT_EQ(services.written, "ab");
    EXPECT_FALSE(interpreter.Failed());
}

TEST_F(InterpreterRecords, BadParameterCountsAndRowsAreReported) {
    tnode* f = handBuilt(story, "f()", {{kRowOpen, ""}});
    tcode record;
    record.row = kRowFor;
    record.line = 4;
    record.setParams({"i 0 =", "i 3 <"});
    f->code.Add(record);
    run("f");
    EXPECT_EQ(services.written, " Zeile 4 Syntaxfehler^");

    struct tcase {
        int32_t row;
        std::vector<std::string> params;
        const char* message;
    };
    for (const tcase& c : {tcase{kRowReturn,
                                 {"1", "2", "3", "4", "5"},
                                 "Falsche Anzahl von Parametern oder Syntaxfehler"},
                           tcase{99, {}, "Syntaxfehler oder unbekannter Bezeichner"},
                           tcase{kRowCase, {"1"}, "Syntaxfehler oder unbekannter Bezeichner"}}) {
        RecordingServices fresh;
        tstory other(fresh);
        tnode* g = handBuilt(other, "g()", {{kRowOpen, ""}});
        tcode bad;
        bad.row = c.row;
        bad.setParams(c.params);
        g->code.Add(bad);
        tinterpreter own(other);
        own.Run(0, &other.root(), result, "", "g");
        EXPECT_EQ(fresh.written, std::string("Fehler: ") + c.message + "^") << c.row;
    }
}

TEST(InterpreterBadInput, UnclosedFunctionAndFetchWithoutCondition) {
    StoryRun s(R"(
void f() { object o; fetch (o) { write("x"); } write("nie"); }
void a() { write("a"); if (1) { write("b");
)");
    EXPECT_EQ(s.run("a"), "ab");
    EXPECT_EQ(s.run("f"), "geschichte.velmo Zeile 2 Syntaxfehler in fetch^");
}

// A loop whose function calls itself: while the inner call runs, the
// outer call's variables lie aside; each call's loop works on its own.
TEST(InterpreterCalls, LoopsInRecursionKeepEachCallsVariables) {
    StoryRun s(R"(
int summe(int n) {
  int s; int i;
  for (i = 0; i < n; i++) { s += i; if (i == 1) { s += summe(n - 1); } }
  return (s * 10 + i);
}
void main() { write(summe(4)); }
)");
    ASSERT_TRUE(s.loaded) << s.services().written;
    EXPECT_EQ(s.run(), "2594");
}

// A loop that calls functions keeps the places of its names across the
// calls: its variables come back as they were, while the functions
// declare, loop over and change variables of the same names, recurse,
// and call into the looping function itself.
TEST(InterpreterCalls, LoopsThatCallFunctionsKeepTheirVariables) {
    StoryRun s(R"(
int tief(int n) { int i; int s; for (i = 0; i < n; i++) { s = s + i; } if (n > 0) { s = s + tief(n - 1); } return(s); }
int zurueck(int n) { int a[3]; int s; a[1] = n; if (n > 1) { s = schleife(n - 1); } return(a[1] + s); }
int schleife(int n) {
  int s; int i; int a[2];
  for (i = 0; i < n; i = i + 1) { s = s + tief(i) + zurueck(i); a[1] = a[1] + 1; }
  return(s * 100 + i * 10 + a[1]);
}
void main() { write(schleife(4)); write(" " + schleife(1)); }
)");
    ASSERT_TRUE(s.loaded) << s.services().written;
    EXPECT_EQ(s.run(), "14444 11");
}

}  // namespace
}  // namespace velmo

namespace velmo {
namespace {

// Calls from expressions reuse the interpreter of the previous call; each
// call must still start as on a fresh one: no result of an earlier call,
// no switch or loop left from it.
TEST(InterpreterCalls, EveryCallStartsFresh) {
    StoryRun s(R"(
int mitReturn() { return(7); }
int ohneReturn() { if (0) { return(5); } write("o"); }
int wahl(int n) {
  switch (n) { case(1); write("eins"); break; default; write("sonst"); }
  return(n);
}
int summe(int n) {
  if (n > 0) { return(n + summe(n - 1)); } else { return(0); }
}
void main() {
  write(mitReturn()); write(ohneReturn());
  write(wahl(1)); write(wahl(2));
  write(" " + summe(150) + " " + summe(3));
}
)");
    ASSERT_TRUE(s.loaded) << s.services().written;
    EXPECT_EQ(s.run(), "7o0eins1sonst2 11325 6");
    EXPECT_EQ(s.run(), "7o0eins1sonst2 11325 6");
    EXPECT_EQ(s.story().callDepth, 0);
}

// The increment operators find their variable where the name found it,
// also behind a large array and on elements.
TEST(InterpreterCalls, IncrementsBehindAnArray) {
    StoryRun s(R"(
void main() {
  int a[1000]; int i; int k;
  for (k = 0; k < 3; k++) { for (i = 0; i < 5; i++) { a[i] = a[i] + i; } }
  i = 5;
  while (i > 0) { --i; write(a[i]); }
  a[2]++; ++a[3]; a[4]--;
  write(" " + k + i + a[2] + a[3] + a[4]);
}
)");
    ASSERT_TRUE(s.loaded) << s.services().written;
    EXPECT_EQ(s.run(), "129630 3071011");
}

}  // namespace
}  // namespace velmo
