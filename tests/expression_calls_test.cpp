#include <gtest/gtest.h>

#include <pthread.h>

#include <string>

#include "support/expression_fixture.h"

using namespace velmo;
using velmo::test::ExpressionTest;

TEST_F(ExpressionTest, CallsBindArgumentsInOrder) {
    function(root, "minus(inta,intb)", {"return a-b"});
    function(root, "f(inta,intb)", {"return a*b"});
    declare(root, "x=0,a=2,b=3");
    EXPECT_EQ(eval(root, "minus(7,2)"), "5");
    EXPECT_EQ(eval(root, "x=f(a,b)+1"), "7");
    EXPECT_EQ(eval(root, "minus(f(2,5),minus(4,1))"), "7");
    EXPECT_EQ(takeError(), "");
}

TEST_F(ExpressionTest, ResultTakesTheFunctionsType) {
    function(root, "text()", {"return 4"}, kTypeText);
    function(root, "number()", {"return 4"}, kTypeInt);
    EXPECT_EQ(eval(root, "text()+1"), "41");
    EXPECT_EQ(eval(root, "number()+1"), "5");
}

TEST_F(ExpressionTest, RecursionKeepsTheCallersVariables) {
    function(root, "fac(intn)", {"return 1", "if n>1", "return n*fac(n-1)"});
    EXPECT_EQ(eval(root, "fac(6)"), "720");
    tnode* g = function(root, "g", {});
    declare(*g, "n=7");
    EXPECT_EQ(eval(*g, "fac(3)+n"), "13");
    EXPECT_EQ(value(*g, "n"), "7");
    tnode* fac = root.findChild("fac");
    fac->vars.setValue("n", "5", 0);  // a call from inside the function itself
    EXPECT_EQ(eval(*fac, "fac(4)+n"), "29");
    EXPECT_EQ(value(*fac, "n"), "5");
}

TEST_F(ExpressionTest, MethodsThroughPathsAndSuper) {
    tnode* animal = object("Tier");
    function(*animal, "laut()", {"return \"Tier\""}, kTypeText);
    tnode* dog = object("Hund:Tier");
    function(*dog, "laut()", {"return \"Hund\""}, kTypeText);
    tnode* f = function(*dog, "f", {});
    const int32_t level = dog->getLevel();
    EXPECT_EQ(eval(*f, "laut()"), "Hund");
    EXPECT_EQ(eval(*f, "super.laut()"), "Tier");
    EXPECT_EQ(dog->getLevel(), level);
    EXPECT_EQ(eval(root, "Hund.laut()+Tier.laut()"), "HundTier");
    EXPECT_EQ(takeError(), "");
}

TEST_F(ExpressionTest, AFailedCallFailsTheExpression) {
    function(root, "kaputt()", {"return nirgends"});
    declare(root, "x=1");
    EXPECT_EQ(eval(root, "x=kaputt()+1"), "0");
    EXPECT_EQ(value(root, "x"), "1");
    EXPECT_EQ(takeError(), "Fehler: unbekannter Bezeichner nirgends^");
}

TEST_F(ExpressionTest, CallsNeedTheirArgumentsOnTheStack) {
    function(root, "zwei(inta,intb)", {"return a+b"});
    texpression evaluator(&runner);
    std::string result;
    evaluator.Evaluate(0, root, result, "1 zwei");
    EXPECT_EQ(result, "0");
    EXPECT_EQ(takeError(),
              "Fehler: ung\xFC"
              "ltige Operation^");
    EXPECT_EQ(runner.calls, 0);
}

TEST_F(ExpressionTest, EndlessRecursionStopsWithAMessage) {
    function(root, "tiefer(intn)", {"return tiefer(n+1)"});
    EXPECT_EQ(eval(root, "tiefer(0)"), "0");
    EXPECT_EQ(takeError(), "Fehler: Zu viele verschachtelte Funktionsaufrufe^");
    EXPECT_EQ(runner.deepest, kMaxCallDepth);
    EXPECT_EQ(runner.depth, 0);
    const auto perCall = (runner.stackTop - runner.stackLow) / kMaxCallDepth;
    RecordProperty("stackBytesPerCall", std::to_string(perCall));
    std::printf("stack per nested call: %zu bytes\n", static_cast<std::size_t>(perCall));
}

TEST_F(ExpressionTest, ASmallStackStopsRecursionBeforeTheCount) {
    function(root, "tiefer(intn)", {"return tiefer(n+1)"});
    struct tjob {
        ExpressionTest* test;
        std::string result;
    } job{this, ""};
    pthread_attr_t attributes;
    pthread_attr_init(&attributes);
    pthread_attr_setstacksize(&attributes, 1024 * 1024);
    pthread_t thread;
    auto body = [](void* argument) -> void* {
        auto* run = static_cast<tjob*>(argument);
        run->result = run->test->eval(run->test->root, "tiefer(0)");
        return nullptr;
    };
    ASSERT_EQ(pthread_create(&thread, &attributes, body, &job), 0);
    pthread_join(thread, nullptr);
    pthread_attr_destroy(&attributes);
    EXPECT_EQ(job.result, "0");
    EXPECT_LT(runner.deepest, kMaxCallDepth);
    EXPECT_EQ(takeError(), "Fehler: Zu viele verschachtelte Funktionsaufrufe^");
}

TEST_F(ExpressionTest, DoubleRecursionStopsAtTheFirstFailure) {
    // Without the stop every level would call again after the failure.
    function(root, "zwei(intn)", {"return zwei(n+1)+zwei(n+1)"});
    EXPECT_EQ(eval(root, "zwei(0)"), "0");
    EXPECT_EQ(runner.calls, kMaxCallDepth);
}

TEST_F(ExpressionTest, TheAbortPassesThroughAndRestoresTheState) {
    tnode* animal = object("Tier");
    function(*animal, "laut()", {"return 1"});
    tnode* dog = object("Hund:Tier");
    tnode* f = function(*dog, "f", {});
    declare(*f, "n=3");
    const int32_t level = dog->getLevel();
    runner.abortAt = 1;
    texpression evaluator(&runner);
    std::string result;
    EXPECT_THROW(evaluator.Evaluate(0, *f, result, ToPostfix("super.laut()")), tabort);
    EXPECT_EQ(dog->getLevel(), level);
    EXPECT_EQ(value(*f, "n"), "3");
    EXPECT_EQ(runner.depth, 0);
    EXPECT_EQ(takeError(), "");
}

TEST_F(ExpressionTest, WithoutARunnerACallIsInvalid) {
    function(root, "f()", {"return 1"});
    texpression evaluator;
    std::string result;
    evaluator.Evaluate(0, root, result, "f");
    EXPECT_EQ(result, "0");
    EXPECT_EQ(takeError(),
              "Fehler: ung\xFC"
              "ltige Operation^");
}

// A name no variable list has held is called at once; once a variable of
// that name is declared anywhere on the search path, the variable wins.
TEST_F(ExpressionTest, AVariableDeclaredLaterHidesAFunctionOfItsName) {
    function(root, "zuerstGerufen()", {"return 3"});
    tnode* g = function(root, "g", {});
    const auto form = compileExpression(ToPostfix(EncodeOperators("zuerstGerufen()+1")));
    std::string result;
    texpression evaluator(&runner);
    evaluator.Evaluate(0, *g, result, *form);
    EXPECT_EQ(result, "4");
    declare(*g, "zuerstGerufen=10");
    evaluator.Evaluate(0, *g, result, *form);
    EXPECT_EQ(result, "11");
    EXPECT_EQ(takeError(), "");
}

// A name keeps the function it found while nothing changes that the
// search depends on: a function linked nearer, or a level lowered so that
// the nearer one is out of sight, is found by the next evaluation.
TEST_F(ExpressionTest, ANameFindsTheFunctionAnewAfterTheTreeChanged) {
    function(root, "wer()", {"return 1"});
    tnode* thing = object("Ding");
    tnode* f = function(*thing, "f", {});
    const auto form = compileExpression(ToPostfix(EncodeOperators("wer()*10")));
    texpression evaluator(&runner);
    std::string result;
    evaluator.Evaluate(0, *f, result, *form);
    EXPECT_EQ(result, "10");
    evaluator.Evaluate(0, *f, result, *form);
    EXPECT_EQ(result, "10");

    function(*thing, "wer()", {"return 2"});
    evaluator.Evaluate(0, *f, result, *form);
    EXPECT_EQ(result, "20");

    const int32_t level = thing->getLevel();
    thing->setLevel(level - 1);  // the object's own function is above its level now
    evaluator.Evaluate(0, *f, result, *form);
    EXPECT_EQ(result, "10");
    thing->setLevel(level);
    evaluator.Evaluate(0, *f, result, *form);
    EXPECT_EQ(result, "20");
    EXPECT_EQ(takeError(), "");
}

// A built-in's name calls the built-in at once while its token knows that
// no node has the name and no variable list has ever held it; a variable
// or a function of that name declared later is found by the next
// evaluation, as the long way finds it.
TEST_F(ExpressionTest, AVariableOrFunctionDeclaredLaterHidesABuiltIn) {
    tnode* g = function(root, "g", {});
    const auto length = compileExpression(ToPostfix(EncodeOperators("strlen(\"abc\")+1")));
    const auto search = compileExpression(ToPostfix(EncodeOperators("strrstr(\"b\",\"abcb\")")));
    texpression evaluator(&runner);
    std::string result;
    for (int round = 0; round < 2; ++round) {
        evaluator.Evaluate(0, *g, result, *length);
        EXPECT_EQ(result, "4");
        evaluator.Evaluate(0, *g, result, *search);
        EXPECT_EQ(result, "3");
    }
    declare(*g, "strlen=10");
    evaluator.Evaluate(0, *g, result, *length);
    EXPECT_EQ(result, "11");  // "abc" stays below the variable's 10 + 1
    function(root, "strrstr(stringa,stringb)", {"return 7"});
    evaluator.Evaluate(0, *g, result, *search);
    EXPECT_EQ(result, "7");
    EXPECT_EQ(takeError(), "");
}
