#include <gtest/gtest.h>

#include "model/parsetree.h"
#include "model/story.h"
#include "script/compiledexpr.h"
#include "script/interpreter.h"
#include "script/keywords.h"
#include "story/abort.h"
#include "support/recording_services.h"
#include "support/story_run.h"

namespace velmo {
namespace {

using test::RecordingServices;
using test::StoryRun;

// ------------------------------------------------- records built by hand

// A function whose records a test writes itself, as the loader would
// store them.
class InterpreterRecords : public ::testing::Test {
protected:
    RecordingServices services;
    tstory story{services};
    tnode& root = story.root();

    tnode* function(const std::string& declaration, int32_t valueType = kTypeInt) {
        bool error = false;
        tnode* node = root.addChild(kKindFunction, declaration, &error, 1, valueType);
        EXPECT_TRUE(node) << declaration;
        return node;
    }
    // One record; a statement with a parameter text gets it as its one
    // parameter, compiled, unless it is a declaration.
    static void add(tnode& fn, int32_t row, const std::string& paramText = "", int32_t line = 0,
                    const std::string& receiver = "") {
        tcode record;
        record.row = row;
        record.opcode = kKeywords[static_cast<std::size_t>(row)].code;
        record.line = line;
        record.receiver = receiver;
        record.paramText = paramText;
        const bool declaration = row == kRowInt || row == kRowString || row == kRowObject;
        if (!paramText.empty() && !declaration) record.params = {paramText};
        compileParams(record);
        fn.code.Add(std::move(record));
    }
};

// int f(int n) { int r; r = 1; while (n > 1) { r = r * n; n--; } return (r); }
TEST_F(InterpreterRecords, WorkedExampleYields24) {
    tnode* f = function("f(intn)");
    add(*f, kRowOpen);
    add(*f, kRowInt, "r");
    add(*f, kRowPlain, "r 1 =");
    add(*f, kRowWhile, "n 1 >");
    add(*f, kRowOpen);
    add(*f, kRowPlain, "r r n * =");
    add(*f, kRowPlain, "n \x8A");
    add(*f, kRowClose);
    add(*f, kRowReturn, "r");
    add(*f, kRowClose);

    tinterpreter interpreter(story);
    std::string result;
    interpreter.Run(0, &root, result, "4", "f");
    EXPECT_EQ(result, "24") << services.written;
    EXPECT_FALSE(interpreter.Failed());
    std::string n, r;
    f->vars.getValue("n", n);
    f->vars.getValue("r", r);
    EXPECT_EQ(n, "1");
    EXPECT_EQ(r, "24");
    // The body ran three times; each end of it checked the loop.
    EXPECT_EQ(services.messageChecks, 3);
    EXPECT_EQ(interpreter.depth, 0);
    EXPECT_TRUE(interpreter.loops.IsEmpty());
    EXPECT_EQ(interpreter.loopDepth, 1);
}

TEST_F(InterpreterRecords, ResultPersistsAcrossRunsWithoutReturn) {
    tnode* g = function("g()");
    add(*g, kRowOpen);
    add(*g, kRowReturn, "7");
    add(*g, kRowClose);
    tnode* h = function("h()");
    add(*h, kRowOpen);
    add(*h, kRowClose);
    tinterpreter interpreter(story);
    std::string result;
    interpreter.Run(0, &root, result, "", "h");
    EXPECT_EQ(result, "0");
    interpreter.Run(0, &root, result, "", "g");
    EXPECT_EQ(result, "7");
    interpreter.Run(0, &root, result, "", "h");
    EXPECT_EQ(result, "7");
}

TEST_F(InterpreterRecords, UnknownFunctionIsReportedWithTheCallersLine) {
    tinterpreter interpreter(story);
    std::string result = "x";
    interpreter.Run(0, &root, result, "", "fehlt");
    EXPECT_EQ(result, "0");
    EXPECT_EQ(services.written, "Fehler: Funktion fehlt nicht deklariert^");
    EXPECT_TRUE(interpreter.Failed());
}

TEST_F(InterpreterRecords, FailedInterpreterRunsNothingMore) {
    tnode* bad = function("bad()");
    add(*bad, kRowOpen);
    add(*bad, kRowReturn, "5");
    add(*bad, kRowPlain, "unbekannt");
    add(*bad, kRowReturn, "6");
    add(*bad, kRowClose);
    tnode* good = function("good()");
    add(*good, kRowOpen);
    add(*good, kRowReturn, "9");
    add(*good, kRowClose);
    tinterpreter interpreter(story);
    std::string result;
    interpreter.Run(0, &root, result, "", "bad");
    EXPECT_EQ(result, "5");
    EXPECT_TRUE(interpreter.Failed());
    EXPECT_EQ(services.written, "Fehler: unbekannter Bezeichner unbekannt^");
    interpreter.Run(0, &root, result, "", "good");
    EXPECT_EQ(result, "5");
}

TEST_F(InterpreterRecords, ForWithoutThreePartsIsASyntaxError) {
    tnode* f = function("f()");
    add(*f, kRowOpen);
    tcode record;
    record.row = kRowFor;
    record.opcode = kCodeFor;
    record.line = 4;
    record.params = {"i 0 =", "i 3 <"};
    record.paramText = "i 0 =,i 3 <";
    f->code.Add(record);
    add(*f, kRowOpen);
    add(*f, kRowClose);
    add(*f, kRowClose);
    tinterpreter interpreter(story);
    std::string result;
    interpreter.Run(0, &root, result, "", "f");
    EXPECT_EQ(services.written, " Zeile 4 Syntaxfehler^");
}

TEST_F(InterpreterRecords, MoreThanFourParametersAreRefused) {
    tnode* f = function("f()");
    add(*f, kRowOpen);
    tcode record;
    record.row = kRowReturn;
    record.opcode = kCodeReturn;
    record.params = {"1", "2", "3", "4", "5"};
    record.paramText = "1,2,3,4,5";
    f->code.Add(record);
    add(*f, kRowClose);
    tinterpreter interpreter(story);
    std::string result;
    interpreter.Run(0, &root, result, "", "f");
    EXPECT_EQ(services.written, "Fehler: Falsche Anzahl von Parametern oder Syntaxfehler^");
}

TEST_F(InterpreterRecords, RowOutsideTheTableStopsTheRun) {
    tnode* f = function("f()");
    add(*f, kRowOpen);
    tcode record;
    record.row = 99;
    record.line = 2;
    f->code.Add(record);
    add(*f, kRowReturn, "1");
    add(*f, kRowClose);
    tinterpreter interpreter(story);
    std::string result;
    interpreter.Run(0, &root, result, "", "f");
    EXPECT_EQ(result, "0");
    EXPECT_EQ(services.written, " Zeile 2 Syntaxfehler oder unbekannter Bezeichner^");
}

TEST_F(InterpreterRecords, PlayerReadyNeedsALocatedPlayer) {
    bool error = false;
    tnode* hero = root.addChild(kKindObject, "Held", &error, 1, 3);
    tnode* room = root.addChild(kKindObject, "Raum", &error, 1, 3);
    tinterpreter interpreter(story);
    EXPECT_EQ(interpreter.PlayerReady(), nullptr);
    story.player = hero;
    EXPECT_EQ(interpreter.PlayerReady(), nullptr);
    hero->moveTo(room);
    EXPECT_EQ(interpreter.PlayerReady(), hero);
}

// ------------------------------------------------------------- branches

TEST_F(InterpreterRecords, IfWithoutBracesSkipsExactlyOneStatement) {
    tnode* f = function("f(intx)", kTypeVoid);
    add(*f, kRowOpen);
    add(*f, kRowIf, "x 1 \x80");
    add(*f, kRowWrite, "\"a\"");
    add(*f, kRowWrite, "\"b\"");
    add(*f, kRowClose);
    tinterpreter interpreter(story);
    std::string result;
    interpreter.Run(0, &root, result, "2", "f");
    EXPECT_EQ(services.written, "b");
    interpreter.Run(0, &root, result, "1", "f");
    EXPECT_EQ(services.written, "bab");
}

TEST(InterpreterBranches, IfElseRunsExactlyOneBlock) {
    StoryRun s(R"(
void zeige(int x) {
  if (x == 1) { write("eins"); write("!"); } else { write("anders"); write("?"); }
  write(";");
}
)");
    EXPECT_EQ(s.run("zeige", "1"), "eins!;");
    EXPECT_EQ(s.run("zeige", "2"), "anders?;");
}

TEST(InterpreterBranches, NestedIfElse) {
    StoryRun s(R"(
void zeige(int x) {
  if (x == 1) { write("a"); } else { if (x == 2) { write("b"); } else { write("c"); } }
  write(".");
}
)");
    EXPECT_EQ(s.run("zeige", "1"), "a.");
    EXPECT_EQ(s.run("zeige", "2"), "b.");
    EXPECT_EQ(s.run("zeige", "3"), "c.");
}

TEST(InterpreterBranches, ReturnDoesNotEndTheFunction) {
    StoryRun s(R"(
int f() {
  return (1);
  write("weiter");
  return (2);
}
)");
    EXPECT_EQ(s.run("f"), "weiter");
    EXPECT_EQ(s.result, "2");
}

// ---------------------------------------------------------------- loops

TEST(InterpreterLoops, ForRunsThreeTimesAndLeavesTheCounterAtThree) {
    StoryRun s(R"(
void main() {
  int i;
  for (i = 0; i < 3; i++) { write(i); }
  write("|" + i);
}
)");
    ASSERT_TRUE(s.loaded) << s.services().written;
    EXPECT_EQ(s.run(), "012|3");
}

TEST(InterpreterLoops, ForWhoseConditionFailsAtOnceSkipsTheBody) {
    StoryRun s(R"(
void main() {
  int i;
  for (i = 5; i < 3; i++) { write("x"); }
  write(i);
}
)");
    EXPECT_EQ(s.run(), "5");
}

TEST(InterpreterLoops, DoWhileRunsTheBodyOnceEvenWhenFalse) {
    StoryRun s(R"(
void main() {
  int n;
  n = 0;
  do { write("x"); n++; } while (n > 5);
  do { write(n); n++; } while (n < 4);
}
)");
    EXPECT_EQ(s.run(), "x123");
}

TEST(InterpreterLoops, NestedLoops) {
    StoryRun s(R"(
void main() {
  int i; int j;
  for (i = 0; i < 3; i++) {
    j = 0;
    while (j < i) { write(i + "" + j + " "); j++; }
  }
}
)");
    EXPECT_EQ(s.run(), "10 20 21 ");
}

TEST(InterpreterLoops, BreakLeavesTheInnermostLoop) {
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
)");
    EXPECT_EQ(s.run(), "01/01/01/e");
}

TEST(InterpreterLoops, BreakOutsideAnyLoopEndsTheFunction) {
    StoryRun s(R"(
void main() {
  write("a");
  break;
  write("b");
}
)");
    EXPECT_EQ(s.run(), "a");
    EXPECT_FALSE(s.interpreter->Failed());
}

TEST(InterpreterLoops, BreakOutOfADoLoopDoesNotLeakIntoTheNextRun) {
    StoryRun s(R"(
void a() {
  do { write("a"); break; } while (1);
}
void b() {
  int n;
  n = 0;
  while (n < 2) { write(n); n++; }
}
)");
    EXPECT_EQ(s.run("a"), "a");
    EXPECT_EQ(s.run("b"), "01");
    EXPECT_TRUE(s.interpreter->loops.IsEmpty());
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
void mitWhile() {
  object o; int i;
  fetch (o, o.essbar, 1) {
    i = 0;
    while (i < 2) { write(i); i++; }
    write(o + " ");
  }
}
)"};
};

TEST_F(InterpreterFetch, VisitsMatchesInReverseOrderAndCountsThem) {
    EXPECT_EQ(s.run("alle"), "Birne Apfel /2/Apfel");
}

TEST_F(InterpreterFetch, NoMatchGivesNullCountZeroAndSkipsTheBody) {
    EXPECT_EQ(s.run("keins"), "0 NULL");
}

TEST_F(InterpreterFetch, WhileInsideFetchIsALoopOfItsOwn) {
    EXPECT_EQ(s.run("mitWhile"), "01Birne 01Apfel ");
}

TEST_F(InterpreterFetch, ScopeListLimitsTheCandidatesUnlessTheFlagIsSet) {
    // The flag 1 takes every object even when there is a scope list.
    s.story().scope = {s.object("Stein"), s.object("Apfel")};
    EXPECT_EQ(s.run("alle"), "Birne Apfel /2/Apfel");

    StoryRun t(R"(
class Apfel { int essbar = 1; }
class Birne { int essbar = 1; }
void imBlick() {
  object o;
  fetch (o, o.essbar, 0) { write(o + " "); }
}
)");
    t.story().scope = {t.object("Apfel")};
    EXPECT_EQ(t.run("imBlick"), "Apfel ");
    t.story().scope.clear();
    EXPECT_EQ(t.run("imBlick"), "Birne Apfel ");
}

// --------------------------------------------------------------- switch

class InterpreterSwitchBranches : public ::testing::Test {
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
  switch (x) {
    case (1); write("eins");
    case (2); write("zwei");
    default; write("sonst");
  }
  write(".");
}
void ohneDefault(int x) {
  switch (x) {
    case (1); write("eins"); break;
  }
  write(".");
}
)"};
};

TEST_F(InterpreterSwitchBranches, OnlyTheMatchingBranchRunsWithBreak) {
    EXPECT_EQ(s.run("mitBreak", "2"), "zwei.");
    EXPECT_EQ(s.run("mitBreak", "1"), "eins.");
    EXPECT_EQ(s.run("mitBreak", "9"), "sonst.");
}

TEST_F(InterpreterSwitchBranches, WithoutBreakTheBranchesFallThrough) {
    EXPECT_EQ(s.run("ohneBreak", "2"), "zweisonst.");
    EXPECT_EQ(s.run("ohneBreak", "1"), "einszweisonst.");
}

TEST_F(InterpreterSwitchBranches, NoMatchAndNoDefaultLeavesTheSwitch) {
    EXPECT_EQ(s.run("ohneDefault", "3"), ".");
    EXPECT_EQ(s.run("ohneDefault", "1"), "eins.");
}

TEST(InterpreterSwitch, CaseWithoutSwitchIsReported) {
    StoryRun s(R"(
void main() {
  write("a");
  case (1);
  write("b");
}
)");
    EXPECT_EQ(s.run(), "ageschichte.velmo Zeile 4 Syntaxfehler oder unbekannter Bezeichner^");
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
int tief(int n) {
  int r;
  r = tief(n + 1);
  return (r);
}
void main() { write(tief(0)); write("nie"); }
)");
    const std::string written = s.run();
    EXPECT_NE(written.find("Zu viele verschachtelte Funktionsaufrufe"), std::string::npos) << written;
    EXPECT_EQ(written.find("nie"), std::string::npos);
    EXPECT_EQ(s.story().callDepth, 0);
    EXPECT_EQ(s.story().runDepth, 0);
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

TEST(InterpreterCalls, ReceiverRunsTheStatementOnTheObject) {
    StoryRun s(R"(
class Zaehler {
  int zahl = 0;
  void plus() { zahl = zahl + 1; }
}
void main() {
  int i;
  for (i = 0; i < 5; i++) { Zaehler.plus(); }
  write(Zaehler.zahl);
}
)");
    EXPECT_EQ(s.run(), "5");
    EXPECT_EQ(s.object("Zaehler")->caller, s.root().findChild("main"));
}

TEST(InterpreterCalls, UnknownReceiverIsReported) {
    StoryRun s(R"(
void main() { Niemand.plus(); write("nie"); }
)");
    EXPECT_EQ(s.run(), "geschichte.velmo Zeile 2 unbekannter Bezeichner Niemand^");
}

TEST(InterpreterCalls, SuperCallsTheInheritedFunction) {
    StoryRun s(R"(
class Ding {
  void name() { write("Ding"); }
}
class Apfel : Ding {
  void name() { write("Apfel+"); super.name(); }
}
)");
    EXPECT_EQ(s.run("name", "", s.object("Apfel")), "Apfel+Ding");
    EXPECT_EQ(s.object("Apfel")->getLevel(), 1);
}

// ---------------------------------------------------------------- abort

TEST(InterpreterAbort, QuitUnwindsThroughNestedCalls) {
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

TEST(InterpreterBadInput, UnclosedBlocksAndExtraBracesEndQuietly) {
    StoryRun s(R"(
void a() { write("a"); if (1) { write("b");
)");
    // The unclosed function is stored as it is; it runs to its last record.
    EXPECT_EQ(s.run("a"), "ab");
}

TEST(InterpreterBadInput, FetchWithoutConditionIsReported) {
    StoryRun s(R"(
void main() { object o; fetch (o) { write("x"); } write("nie"); }
)");
    EXPECT_EQ(s.run(), "geschichte.velmo Zeile 2 Syntaxfehler in fetch^");
}

TEST(InterpreterBadInput, ReceiverHoldingNoObjectIsReported) {
    StoryRun s(R"(
void main() { object o; o.plus(); write("nie"); }
)");
    EXPECT_EQ(s.run(), "geschichte.velmo Zeile 2 Klasse NULL nicht deklariert^");
}

TEST_F(InterpreterRecords, BraceTooManyAndMissingBracesDoNotStopTheRun) {
    tnode* f = function("f()");
    add(*f, kRowOpen);
    add(*f, kRowClose);
    add(*f, kRowClose);
    add(*f, kRowWrite, "\"a\"");
    add(*f, kRowIf, "0");  // an "if" at the very end has nothing to skip
    tinterpreter interpreter(story);
    std::string result;
    interpreter.Run(0, &root, result, "", "f");
    EXPECT_EQ(services.written, "a");
    EXPECT_FALSE(interpreter.Failed());
}

TEST_F(InterpreterRecords, CaseScanRunningOffTheEndEndsTheFunction) {
    tnode* f = function("f()");
    add(*f, kRowOpen);
    add(*f, kRowSwitch, "1");
    add(*f, kRowOpen);
    add(*f, kRowCase, "2");
    add(*f, kRowWrite, "\"x\"");
    tinterpreter interpreter(story);
    std::string result;
    interpreter.Run(0, &root, result, "", "f");
    EXPECT_EQ(services.written, "");
    EXPECT_FALSE(interpreter.Failed());
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
    bool error = false;
    tnode* main = story.root().addChild(kKindFunction, "main()", &error, 1, kTypeVoid);
    ASSERT_TRUE(main);
    const std::vector<std::pair<int32_t, std::string>> records{
        {kRowOpen, ""}, {kRowWhile, "1"}, {kRowOpen, ""}, {kRowWrite, "\"x\""},
        {kRowClose, ""}, {kRowClose, ""}};
    for (const auto& [row, text] : records) {
        tcode record;
        record.row = row;
        record.opcode = kKeywords[static_cast<std::size_t>(row)].code;
        record.paramText = text;
        if (!text.empty()) record.params = {text};
        compileParams(record);
        main->code.Add(std::move(record));
    }
    tinterpreter interpreter(story);
    services.interpreter = &interpreter;
    std::string result;
    interpreter.Run(0, &story.root(), result, "", "main");
    EXPECT_EQ(services.written, "x");
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

TEST(InterpreterBadInput, RunsNestedWithoutEndStopWithAMessage) {
    ReenteringServices services;
    tstory story(services);
    services.story = &story;
    bool error = false;
    tnode* main = story.root().addChild(kKindFunction, "main()", &error, 1, kTypeVoid);
    ASSERT_TRUE(main);
    for (int32_t row : {kRowOpen, kRowWrite, kRowClose}) {
        tcode record;
        record.row = row;
        record.opcode = kKeywords[static_cast<std::size_t>(row)].code;
        if (row == kRowWrite) {
            record.paramText = "\"x\"";
            record.params = {record.paramText};
        }
        compileParams(record);
        main->code.Add(std::move(record));
    }
    tinterpreter interpreter(story);
    std::string result;
    interpreter.Run(0, &story.root(), result, "", "main");
    EXPECT_NE(services.written.find("Fehler: Zu viele verschachtelte Funktionsaufrufe"),
              std::string::npos);
    EXPECT_EQ(story.runDepth, 0);
}

} // namespace
} // namespace velmo
