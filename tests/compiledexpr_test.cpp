#include <gtest/gtest.h>

#include <random>
#include <string>

#include "model/codelist.h"
#include "script/compiledexpr.h"
#include "script/postfix.h"
#include "support/expression_fixture.h"

using namespace velmo;
using velmo::test::ExpressionTest;

TEST(CompiledExpression, TokensArePreClassified) {
    const auto form = compileExpression("x a b   f 1 + =");
    ASSERT_EQ(form->tokens.size(), 7u);
    EXPECT_TRUE(form->assigns);
    EXPECT_EQ(form->tokens[0].kind, ttokenkind::kName);
    EXPECT_TRUE(form->tokens[0].targetCandidate);
    EXPECT_FALSE(form->tokens[1].targetCandidate);
    EXPECT_EQ(form->tokens[4].kind, ttokenkind::kNumber);
    EXPECT_EQ(form->tokens[4].number, 1);
    EXPECT_EQ(form->tokens[5].kind, ttokenkind::kOperator);
    EXPECT_EQ(form->tokens[5].op, '+');
}

TEST(CompiledExpression, LiteralsPathsAndIndexes) {
    const auto form = compileExpression("\"<der o> ist da\" Kiste.super.x a[i+1].y ( ?");
    ASSERT_EQ(form->tokens.size(), 5u);
    const tctoken& text = form->tokens[0];
    EXPECT_EQ(text.kind, ttokenkind::kText);
    EXPECT_EQ(text.value, "<der o> ist da");
    ASSERT_TRUE(text.tags);
    ASSERT_EQ(text.tags->candidates.size(), 1u);
    EXPECT_EQ(text.tags->pieces[text.tags->candidates[0]], "o");

    const tctoken& path = form->tokens[1];
    EXPECT_EQ(path.text, "x");
    EXPECT_EQ(path.path, (std::vector<std::string>{"Kiste", "super"}));

    const tctoken& indexed = form->tokens[2];
    ASSERT_TRUE(indexed.index);
    EXPECT_EQ(indexed.index->before, "a[");
    EXPECT_EQ(indexed.index->after, "].y");
    ASSERT_TRUE(indexed.index->index);
    EXPECT_EQ(indexed.index->index->text, "i 1 +");

    EXPECT_EQ(form->tokens[3].kind, ttokenkind::kSkip);
    EXPECT_EQ(form->tokens[4].kind, ttokenkind::kSkip);  // "?" is no operator of its own
}

TEST(CompiledExpression, TargetRuleNeedsTheWholeName) {
    EXPECT_TRUE(compileExpression("a 1 =")->tokens[0].targetCandidate);
    EXPECT_FALSE(compileExpression("ab 1 =")->tokens.back().targetCandidate);
    EXPECT_FALSE(compileExpression("a 1 +")->tokens[0].targetCandidate);    // no assignment
    EXPECT_FALSE(compileExpression("o.a 1 =")->tokens[0].targetCandidate);  // a path
    EXPECT_TRUE(compileExpression("o.a[1] 1 =")->tokens[0].targetCandidate);
}

TEST(CompiledExpression, DeepIndexNestingIsCut) {
    std::string text = "a";
    for (int i = 0; i < 200; ++i) text = "a[" + text + "]";
    const auto form = compileExpression(text);  // must not recurse without bound
    const tctoken* token = &form->tokens.at(0);
    int depth = 0;
    while (token->index && token->index->index) {
        token = &token->index->index->tokens.at(0);
        ++depth;
    }
    EXPECT_LE(depth, kMaxIndexNesting);
}

TEST(CompiledExpression, ParamsOfARecord) {
    tcode record;
    record.setParams({"x 1 =", "y"});
    compileParams(record);
    ASSERT_TRUE(record.compiled);
    ASSERT_EQ(record.compiled->size(), 2u);
    EXPECT_EQ((*record.compiled)[0]->text, "x 1 =");
    const tcode copy = record;  // copies share the compiled forms
    EXPECT_EQ(copy.compiled, record.compiled);
    EXPECT_EQ(compiledParam(copy, 1), (*record.compiled)[1].get());
    EXPECT_EQ(compiledParam(copy, 2), nullptr);
}

TEST_F(ExpressionTest, CompiledAndTextEvaluationAgree) {
    declare(root, "x=1,s=\"a\"", kTypeInt);
    const auto form = compileExpression(ToPostfix("x=x*2+1"));
    texpression evaluator(&runner);
    std::string fromForm, fromText;
    evaluator.Evaluate(0, root, fromForm, *form);
    EXPECT_EQ(fromForm, "3");
    evaluator.Evaluate(0, root, fromText, ToPostfix("x=x*2+1"));
    EXPECT_EQ(fromText, "7");
    evaluator.Evaluate(0, root, fromText, ToPostfix("x=x*2+1"));  // from the cache
    EXPECT_EQ(fromText, "15");
}

TEST_F(ExpressionTest, BadInputNeverCrashes) {
    declare(root, "a[3]=(1,2,3),i=1,s=\"x\"", kTypeInt);
    object("Kiste");
    function(root, "f(inta)", {"return a"});
    const std::string pieces[] = {
        "a", "i", "s",  "f",  "Kiste", ".",  "[",  "]",     "(",     ")",   "\"",   "<", ">",  "=",
        "+", "-", "*",  "/",  "%",     "!",  "~",  "?",     ":",     ",",   "0",    "1", "99", "&",
        "|", "^", "==", "<=", "++",    "--", "+=", "super", "actor", "has", "NULL", "<<"};
    std::mt19937 random(12345);
    std::uniform_int_distribution<std::size_t> pick(0, std::size(pieces) - 1);
    std::uniform_int_distribution<int> length(1, 12);
    for (int round = 0; round < 3000; ++round) {
        std::string infix;
        for (int n = length(random); n > 0; --n) infix += pieces[pick(random)];
        std::string postfix;
        ToPostfix(EncodeOperators(infix), postfix);
        texpression evaluator(&runner);
        std::string result;
        evaluator.Evaluate(0, root, result, postfix);
        if (evaluator.Failed()) { EXPECT_EQ(result, "0") << infix; }
        services.written.clear();
        services.clearStopped();
    }
}

TEST_F(ExpressionTest, RememberedPlacesNeverHideAChangedList) {
    declare(root, "n=1");
    tnode* f = function(root, "f", {});
    declare(*f, "a=0,b=0");
    const auto form = compileExpression("n");
    texpression evaluator(&runner);
    std::string result;
    evaluator.Evaluate(0, *f, result, *form);
    EXPECT_EQ(result, "1");  // from the root, remembered there
    declare(*f, "n=2");      // now the function's own comes first
    evaluator.Evaluate(0, *f, result, *form);
    EXPECT_EQ(result, "2");
    f->vars.clear();
    declare(*f, "n=3,a=0");  // another place in the list
    evaluator.Evaluate(0, *f, result, *form);
    EXPECT_EQ(result, "3");
    const auto assign = compileExpression("n 7 =");
    f->vars.clear();
    declare(*f, "z=0,n=4");
    evaluator.Evaluate(0, *f, result, *assign);
    EXPECT_EQ(value(*f, "n"), "7");
    EXPECT_EQ(value(root, "n"), "1");
}

TEST_F(ExpressionTest, SimpleAndComputedIndexesAgree) {
    declare(root, "a[4]=(5,6,7,8),i=2");
    function(root, "zwei()", {"return 2"});
    EXPECT_EQ(eval(root, "a[i]"), "7");
    EXPECT_EQ(eval(root, "a[2]"), "7");
    EXPECT_EQ(eval(root, "a[zwei()]"), "7");  // a call as index takes the long way
    EXPECT_EQ(eval(root, "a[i]=a[i]+i"), "9");
    EXPECT_EQ(value(root, "a[2]"), "9");
    declare(root, "far=50");
    EXPECT_EQ(eval(root, "a[far]"), "0");
    EXPECT_EQ(takeError(), "Fehler: ung\xFCltiger Index^");
}
