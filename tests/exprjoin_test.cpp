// The quick join of a text built and assigned must leave what the long way
// leaves. A statement runs through Perform (the quick ways); its first run
// takes the long way, where its names learn where their variables are.

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "script/postfix.h"
#include "support/expression_fixture.h"

using namespace velmo;
using velmo::test::ExpressionTest;

namespace {

std::shared_ptr<const tcompiled> compiled(const std::string& infix) {
    return compileExpression(ToPostfix(EncodeOperators(infix)));
}

// Runs the statement `runs` times as a statement of its own.
void perform(texpression& evaluator, tnode& node, const tcompiled& form, int runs) {
    for (int i = 0; i < runs; ++i) evaluator.Perform(0, node, form);
}

}  // namespace

TEST_F(ExpressionTest, QuickJoinsBuildTheTextTheLongWayBuilds) {
    declare(root, "i=7,k=-3,n=0");
    declare(root, "w,e,z=\"07\"", kTypeText);
    texpression evaluator(&runner);
    const auto build = compiled("w=\"Wort\"+i+\"x\"");
    EXPECT_TRUE(build->quickJoin);
    perform(evaluator, root, *build, 3);
    EXPECT_EQ(value(root, "w"), "Wort7x");
    EXPECT_EQ(eval(evaluator, root, "w<\"Wort8\""), "1");

    // A literal second: the first "+" already appends. Numbers, negative
    // integers, empty texts and texts that spell no plain integer keep
    // their digits.
    perform(evaluator, root, *compiled("w=k+\"|\"+z+e+12+\"|\""), 2);
    EXPECT_EQ(value(root, "w"), "-3|0712|");
    // The target read among the pieces: its old value, each run.
    const auto grow = compiled("w=\"a\"+w");
    perform(evaluator, root, *grow, 3);
    EXPECT_EQ(value(root, "w"), "aaa-3|0712|");
    // A single literal.
    perform(evaluator, root, *compiled("w=\"neu\""), 2);
    EXPECT_EQ(value(root, "w"), "neu");

    // An integer variable gets the text, and reads as that number after.
    perform(evaluator, root, *compiled("n=\"1\"+i"), 2);
    EXPECT_EQ(eval(evaluator, root, "n+1"), "18");
    EXPECT_EQ(eval(evaluator, root, "n==17"), "1");
    EXPECT_EQ(takeError(), "");
}

TEST_F(ExpressionTest, QuickJoinsLeaveOtherShapesToTheLongWay) {
    // Integers added before a text is met, markup filled in, an element,
    // a plain copy, a call, a "+" that is not the chain's.
    EXPECT_FALSE(compiled("w=i+k+\"x\"")->quickJoin);
    EXPECT_FALSE(compiled("w=\"<i>\"+i")->quickJoin);
    EXPECT_FALSE(compiled("w=\"a\"+t[i]")->quickJoin);
    EXPECT_FALSE(compiled("w=i")->quickJoin);
    EXPECT_FALSE(compiled("w=\"a\"+strlen(w)")->quickJoin);
    EXPECT_FALSE(compiled("w=\"a\"+(i-k)")->quickJoin);
    EXPECT_FALSE(compiled("w+=\"a\"+i")->quickJoin);

    declare(root, "i=4,k=1");
    declare(root, "w", kTypeText);
    texpression evaluator(&runner);
    perform(evaluator, root, *compiled("w=i+k+\"x\""), 2);
    EXPECT_EQ(value(root, "w"), "5x");
    EXPECT_EQ(takeError(), "");
}

// A name that is no variable near the context is left to the long way,
// which reports it; the target keeps its value.
TEST_F(ExpressionTest, QuickJoinsLeaveUnknownNamesToTheLongWay) {
    declare(root, "w=\"alt\"", kTypeText);
    texpression evaluator(&runner);
    perform(evaluator, root, *compiled("w=\"a\"+nix"), 1);
    EXPECT_EQ(takeError(), "Fehler: unbekannter Bezeichner nix^");
    EXPECT_EQ(value(root, "w"), "alt");
}

// A text past the longest a text may be: the long way reports it, and the
// target keeps its value.
TEST_F(ExpressionTest, QuickJoinsLeaveTooLongTextsToTheLongWay) {
    declare(root, "w,v=\"x\"", kTypeText);
    const auto twice = compiled("w=\"\"+v+v");
    texpression learning(&runner);
    perform(learning, root, *twice, 2);  // the names learn their places
    EXPECT_EQ(value(root, "w"), "xx");
    root.vars.setValue("v", std::string(kMaxTextLength / 2 + 1, 'x'), 0);
    texpression evaluator(&runner);
    perform(evaluator, root, *twice, 1);
    EXPECT_EQ(takeError(), "Fehler: Text zu lang^");
    EXPECT_EQ(value(root, "w"), "xx");
}

// The target is written as a change of its list (an undo level taken
// before holds the old text), in the list where the long way finds it;
// when the target is a variable of an object addressed from a function,
// the pieces are read in that function.
TEST_F(ExpressionTest, QuickJoinsWriteWhereTheLongWayWrites) {
    declare(root, "w=\"alt\"", kTypeText);
    texpression evaluator(&runner);
    const auto grow = compiled("w=\"+\"+w");
    perform(evaluator, root, *grow, 2);
    const tsharedValues before = root.vars.shareValues();
    perform(evaluator, root, *grow, 1);
    const tsharedValues after = root.vars.shareValues();
    EXPECT_EQ((*after)[0], "+++alt");
    root.vars.restoreValues(before);
    EXPECT_EQ(value(root, "w"), "++alt");

    tnode* thing = object("Ding");
    declare(*thing, "titel=\"Ding\"", kTypeText);
    tnode* f = function(*thing, "f", {});
    declare(*f, "titel=\"Kiste\"", kTypeText);
    const auto label = compiled("titel=\"die \"+titel");
    perform(evaluator, *f, *label, 2);  // the function's own variable
    EXPECT_EQ(value(*f, "titel"), "die die Kiste");
    perform(evaluator, *thing, *label, 2);  // the object's own
    EXPECT_EQ(value(*thing, "titel"), "die die Ding");
    thing->caller = f;
    perform(evaluator, *thing, *label, 1);  // the object's, read in f
    EXPECT_EQ(value(*thing, "titel"), "die die die Kiste");
    EXPECT_EQ(takeError(), "");
}
