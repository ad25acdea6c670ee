// The quick run of integer expressions must give what the long way gives.
// A form's first evaluation takes the long way (its names learn where
// their variables are); the ones after it take the quick run when they
// can, so each case here evaluates one compiled form several times.

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "script/postfix.h"
#include "support/expression_fixture.h"

using namespace velmo;
using velmo::test::ExpressionTest;

namespace {

std::shared_ptr<const tcompiled> compiled(const std::string& infix) {
    return compileExpression(ToPostfix(EncodeOperators(infix)));
}

// The results of `runs` evaluations of one form, each with its changes.
std::vector<std::string> repeat(texpression& evaluator, tnode& node, const tcompiled& form,
                                int runs) {
    std::vector<std::string> results;
    for (int i = 0; i < runs; ++i) {
        std::string result;
        evaluator.Evaluate(0, node, result, form);
        results.push_back(result);
    }
    return results;
}

using tresults = std::vector<std::string>;

}  // namespace

TEST_F(ExpressionTest, QuickRunsComputeAsTheLongWay) {
    declare(root, "s=0,i=10,x=5,b=3,z=1");
    texpression evaluator(&runner);
    EXPECT_TRUE(compiled("s=s+i%7")->quick);
    EXPECT_EQ(repeat(evaluator, root, *compiled("s=s+i%7"), 3), (tresults{"3", "6", "9"}));
    EXPECT_EQ(repeat(evaluator, root, *compiled("x++*x"), 2), (tresults{"30", "42"}));
    EXPECT_EQ(value(root, "x"), "7");
    EXPECT_EQ(repeat(evaluator, root, *compiled("--x*2"), 2), (tresults{"12", "10"}));
    EXPECT_EQ(repeat(evaluator, root, *compiled("s-=b<<2"), 2), (tresults{"-3", "-15"}));
    EXPECT_EQ(repeat(evaluator, root, *compiled("!s||~b==-4"), 2), (tresults{"1", "1"}));
    EXPECT_EQ(repeat(evaluator, root, *compiled("(i>=10)+(i!=10)*2+(z&&0)"), 2),
              (tresults{"1", "1"}));
    EXPECT_EQ(repeat(evaluator, root, *compiled("2147483647+z"), 2),
              (tresults{"-2147483648", "-2147483648"}));
    EXPECT_EQ(takeError(), "");
}

TEST_F(ExpressionTest, QuickRunsReportADivisionByZeroAfterTheChangesBeforeIt) {
    declare(root, "q=0,n=0,z=1");
    texpression evaluator(&runner);
    const auto form = compiled("q=n++/z");
    EXPECT_EQ(repeat(evaluator, root, *form, 2), (tresults{"0", "1"}));
    root.vars.setValue("z", "0", 0);
    EXPECT_EQ(repeat(evaluator, root, *form, 1), (tresults{"0"}));
    EXPECT_EQ(takeError(), "Fehler: ung\xFCltige Operation^");
    EXPECT_EQ(value(root, "n"), "3");  // the increment before the division happened
    EXPECT_EQ(value(root, "q"), "1");
}

TEST_F(ExpressionTest, QuickRunsLeaveTextsToTheLongWay) {
    declare(root, "n=5");
    declare(root, "t=\"ab\",u=\"x\"", kTypeText);
    texpression evaluator(&runner);
    // The target's own value is not read: an integer goes into the text.
    EXPECT_EQ(repeat(evaluator, root, *compiled("u=n+1"), 2), (tresults{"6", "6"}));
    EXPECT_EQ(repeat(evaluator, root, *compiled("u+1"), 2), (tresults{"61", "61"}));
    EXPECT_EQ(repeat(evaluator, root, *compiled("t+=1"), 2), (tresults{"ab1", "ab11"}));
    root.vars.setValue("n", "07", 0);  // an integer variable whose text is no plain integer
    EXPECT_EQ(repeat(evaluator, root, *compiled("n==7"), 2), (tresults{"0", "0"}));
    EXPECT_EQ(takeError(), "");
}

TEST_F(ExpressionTest, QuickRunsFindNamesWhereTheLongWayFindsThem) {
    tnode* one = object("Eins");
    tnode* two = object("Zwei");
    declare(*one, "v=1");
    declare(*two, "w=0,v=2");
    texpression evaluator(&runner);
    const auto form = compiled("v+1");
    EXPECT_EQ(repeat(evaluator, *one, *form, 2), (tresults{"2", "2"}));
    EXPECT_EQ(repeat(evaluator, *two, *form, 2), (tresults{"3", "3"}));
    EXPECT_EQ(repeat(evaluator, *one, *form, 1), (tresults{"2"}));

    // The target is the addressed object's, the rest its caller's.
    tnode* f = function(root, "f", {});
    declare(*f, "y=9");
    declare(*one, "y=1");
    one->caller = f;
    EXPECT_EQ(repeat(evaluator, *one, *compiled("v=y+1"), 2), (tresults{"10", "10"}));
    EXPECT_EQ(value(*one, "v"), "10");
    EXPECT_EQ(takeError(), "");
}

// A function's own variables come before its object's: a local that
// shadows a member, or is declared after the member was found, wins; a
// member that holds a text leaves the form to the long way.
TEST_F(ExpressionTest, QuickRunsReadAndWriteTheObjectsVariablesBehindTheLocals) {
    tnode* thing = object("Ding");
    declare(*thing, "n=5,t=0");
    tnode* f = function(*thing, "f", {});
    texpression evaluator(&runner);
    const auto step = compiled("n=n+1");
    EXPECT_EQ(repeat(evaluator, *f, *step, 3), (tresults{"6", "7", "8"}));
    EXPECT_EQ(repeat(evaluator, *f, *compiled("n++"), 2), (tresults{"8", "9"}));
    EXPECT_EQ(value(*thing, "n"), "10");

    declare(*f, "n=100");  // now the local is the one
    EXPECT_EQ(repeat(evaluator, *f, *step, 2), (tresults{"101", "102"}));
    EXPECT_EQ(value(*thing, "n"), "10");

    const auto sum = compiled("t+1");
    EXPECT_EQ(repeat(evaluator, *f, *sum, 2), (tresults{"1", "1"}));
    thing->vars.setValue("t", "x", 0);
    EXPECT_EQ(repeat(evaluator, *f, *sum, 1), (tresults{"73"}));  // as the long way reads "x"
    EXPECT_EQ(takeError(), "");
}

// Elements with a number or a plain name for index: read and written as
// the long way does, also where the long way must decide (an index
// outside the list, a text in an element, an increment that would change
// an index before the element is read).
TEST_F(ExpressionTest, QuickRunsTakeElementsAsTheLongWay) {
    declare(root, "a[3]=(1,2,3),i=0,k=5");
    texpression evaluator(&runner);
    const auto add = compiled("a[i]=a[i]+i+a[2]");
    EXPECT_TRUE(add->quick);
    EXPECT_EQ(repeat(evaluator, root, *add, 3), (tresults{"4", "7", "10"}));
    root.vars.setValue("i", "1", 0);
    EXPECT_EQ(repeat(evaluator, root, *add, 2), (tresults{"6", "10"}));
    EXPECT_EQ(value(root, "a[1]"), "10");

    // An increment changes the index before the element is read.
    root.vars.setValue("i", "0", 0);
    EXPECT_FALSE(compiled("++i+a[i]")->quick);
    EXPECT_EQ(repeat(evaluator, root, *compiled("++i+a[i]"), 2), (tresults{"11", "5"}));

    // A text element: read as text by the long way, written over freely.
    root.vars.setValue("a[0]", "x", 0);
    EXPECT_EQ(repeat(evaluator, root, *compiled("a[0]+1"), 2), (tresults{"73", "73"}));
    EXPECT_EQ(repeat(evaluator, root, *compiled("a[k-5]=7"), 2), (tresults{"7", "7"}));
    EXPECT_EQ(takeError(), "");

    // Past the array lies the next variable (i itself); past the list an
    // error.
    root.vars.setValue("i", "3", 0);
    EXPECT_EQ(repeat(evaluator, root, *compiled("a[i]+1"), 2), (tresults{"4", "4"}));
    root.vars.setValue("i", "9", 0);
    EXPECT_EQ(repeat(evaluator, root, *compiled("a[i]+1"), 1), (tresults{"0"}));
    EXPECT_EQ(takeError(), "Fehler: ung\xFCltiger Index^");
}

// "a = b" as a statement copies whatever b holds, as the long way: texts,
// integers, elements both ways, and b from the caller when a is the
// addressed object's. As a value the long way gives it.
TEST_F(ExpressionTest, QuickCopiesCopyTextsAndIntegers) {
    declare(root, "i=1");
    declare(root, "t[3]=(\"eins\",\"zwei\",\"drei\"),w", kTypeText);
    texpression evaluator(&runner);
    const auto take = compiled("w=t[i]");
    const auto put = compiled("t[0]=w");
    EXPECT_TRUE(take->quickCopy);
    for (int round = 0; round < 3; ++round) {
        evaluator.Perform(0, root, *take);
        evaluator.Perform(0, root, *put);
    }
    EXPECT_EQ(value(root, "t[0]"), "zwei");
    root.vars.setValue("i", "2", 0);
    evaluator.Perform(0, root, *take);
    EXPECT_EQ(value(root, "w"), "drei");
    evaluator.Perform(0, root, *compiled("w=i"));
    evaluator.Perform(0, root, *compiled("w=i"));
    EXPECT_EQ(value(root, "w"), "2");
    EXPECT_EQ(repeat(evaluator, root, *compiled("w=t[1]"), 2), (tresults{"zwei", "zwei"}));
    // A text that spells no plain integer stays one in the copy; one that
    // spells an integer is read as that integer.
    declare(root, "n,m");
    const auto number = compiled("n=w");
    for (const char* text : {"07", "8"}) {
        root.vars.setValue("w", text, 0);
        for (int round = 0; round < 2; ++round) evaluator.Perform(0, root, *number);
        evaluator.Perform(0, root, *compiled("m=(n==8)*10+n+1"));
        EXPECT_EQ(value(root, "m"), std::string(text) == "8" ? "19" : "8") << text;
    }

    tnode* thing = object("Ding");
    declare(*thing, "name", kTypeText);
    tnode* f = function(root, "f", {});
    declare(*f, "name=\"Kiste\"", kTypeText);
    thing->caller = f;
    for (int round = 0; round < 2; ++round) evaluator.Perform(0, *thing, *compiled("name=name"));
    EXPECT_EQ(value(*thing, "name"), "Kiste");
    EXPECT_EQ(takeError(), "");
}

// "o.v": the object is the one named o, else the one o's value names; its
// own variable v is read, written through a copy, and left to the long
// way where that must decide (no such object, a text, an increment).
TEST_F(ExpressionTest, QuickRunsFollowPathsAsTheLongWay) {
    tnode* one = object("Eins");
    tnode* two = object("Zwei");
    declare(*one, "v=1");
    declare(*two, "w=0,v=2");
    declare(root, "s=0");
    declare(root, "o=\"Eins\"", kTypeText);
    texpression evaluator(&runner);
    const auto form = compiled("o.v*10+Zwei.v");
    EXPECT_TRUE(form->quick);
    EXPECT_EQ(repeat(evaluator, root, *form, 2), (tresults{"12", "12"}));
    root.vars.setValue("o", "Zwei", 0);
    EXPECT_EQ(repeat(evaluator, root, *form, 2), (tresults{"22", "22"}));
    EXPECT_TRUE(compiled("s=o.v")->quickCopy);
    EXPECT_EQ(repeat(evaluator, root, *compiled("s=o.v"), 2), (tresults{"2", "2"}));
    EXPECT_EQ(value(root, "s"), "2");

    EXPECT_FALSE(compiled("o.v++")->quick);
    two->vars.setValue("v", "x", 0);
    EXPECT_EQ(repeat(evaluator, root, *form, 2), (tresults{"792", "792"}));
    EXPECT_EQ(takeError(), "");

    // An object named like the variable is the one the path means.
    tnode* named = object("o");
    declare(*named, "v=7");
    EXPECT_EQ(repeat(evaluator, root, *compiled("o.v+1"), 2), (tresults{"8", "8"}));

    texpression other(&runner);
    const auto missing = compiled("p.v+1");
    declare(root, "p=\"Eins\"", kTypeText);
    EXPECT_EQ(repeat(other, root, *missing, 2), (tresults{"2", "2"}));
    root.vars.setValue("p", "Nichts", 0);
    EXPECT_EQ(repeat(other, root, *missing, 1), (tresults{"0"}));
    EXPECT_EQ(takeError(), "Fehler: unbekannter Bezeichner p.v^");
}

// Comparisons take texts: string literals and names that only a comparison
// reads. Equality compares texts (an integer's are its digits); an order
// compares bytes, unsigned, when its left side is a text, and leaves an
// integer on the left with a text on the right to the long way.
TEST_F(ExpressionTest, QuickRunsCompareTextsAsTheLongWay) {
    declare(root, "n=0,z=7");
    declare(root, "w=\"Wort12\",u=\"07\",e", kTypeText);
    texpression evaluator(&runner);
    const auto count = compiled("n=n+(w<\"Wort5\")");
    EXPECT_TRUE(count->quick);
    EXPECT_EQ(repeat(evaluator, root, *count, 3), (tresults{"1", "2", "3"}));
    root.vars.setValue("w", "Wort7", 0);
    EXPECT_EQ(repeat(evaluator, root, *count, 2), (tresults{"3", "3"}));
    root.vars.setValue("w", "\xFC", 0);  // above every ASCII letter
    EXPECT_EQ(repeat(evaluator, root, *compiled("w>\"z\""), 2), (tresults{"1", "1"}));
    EXPECT_EQ(repeat(evaluator, root, *compiled("(u==z)+(u==\"07\")*2+(z==\"7\")*4+(w!=e)*8"), 2),
              (tresults{"14", "14"}));
    EXPECT_EQ(repeat(evaluator, root, *compiled("u>=z"), 2), (tresults{"0", "0"}));
    EXPECT_EQ(repeat(evaluator, root, *compiled("z<u"), 2), (tresults{"0", "0"}));
    EXPECT_EQ(repeat(evaluator, root, *compiled("w=(w<\"x\")"), 2), (tresults{"0", "1"}));
    EXPECT_EQ(takeError(), "");
    texpression failing(&runner);  // an evaluator that failed stays failed
    EXPECT_EQ(repeat(failing, root, *compiled("z<e"), 1), (tresults{"0"}));
    EXPECT_EQ(takeError(), "Fehler: ung\xFCltige Operation^");

    // Left to the long way: a change before a comparison of texts, a text
    // in arithmetic or as the result, a literal whose variables are filled in.
    EXPECT_FALSE(compiled("n++ + (w==\"x\")")->quick);
    EXPECT_FALSE(compiled("\"a\"+1")->quick);
    EXPECT_FALSE(compiled("\"a\"")->quick);
    EXPECT_FALSE(compiled("w==\"<n>\"")->quick);
}

// A form keeps where it found its names while the lists keep their
// arrangement (from its second run in a row on the same list on; each
// stage here runs it often enough to be kept before the next change). Every way records move must make it look again: a record
// removed before them, the list cleared and declared anew, copied over,
// moved; a member's list changed behind a function's locals; a caller
// set on the node. Values put back (an undo) are read as they are.
TEST_F(ExpressionTest, QuickRunsLookAgainWhenTheRecordsMove) {
    declare(root, "x=100,a=1,b=0");
    texpression evaluator(&runner);
    const auto add = compiled("b=b+a");
    EXPECT_EQ(repeat(evaluator, root, *add, 3), (tresults{"1", "2", "3"}));
    root.vars.remove(0);  // a and b move one place up
    EXPECT_EQ(repeat(evaluator, root, *add, 3), (tresults{"4", "5", "6"}));
    root.vars.clear();
    declare(root, "b=10,a=5");
    EXPECT_EQ(repeat(evaluator, root, *add, 3), (tresults{"15", "20", "25"}));

    tnode* thing = object("Ding");
    declare(*thing, "a=7,b=0");
    thing->vars.copyInto(root.vars);  // the records change places in the same room
    EXPECT_EQ(repeat(evaluator, root, *add, 3), (tresults{"7", "14", "21"}));
    EXPECT_EQ(value(*thing, "b"), "0");

    // A function's list moved away: its names are then its object's.
    tnode* f = function(*thing, "f", {});
    declare(*f, "a=3,b=0");
    EXPECT_EQ(repeat(evaluator, *f, *add, 3), (tresults{"3", "6", "9"}));
    tvarlist aside = std::move(root.vars);
    root.vars = std::move(f->vars);
    EXPECT_EQ(repeat(evaluator, *f, *add, 1), (tresults{"7"}));
    EXPECT_EQ(repeat(evaluator, root, *add, 1), (tresults{"12"}));
    root.vars = std::move(aside);
    EXPECT_EQ(repeat(evaluator, root, *add, 1), (tresults{"28"}));

    const tsharedValues before = root.vars.shareValues();
    EXPECT_EQ(repeat(evaluator, root, *add, 2), (tresults{"35", "42"}));
    root.vars.restoreValues(before);
    EXPECT_EQ(repeat(evaluator, root, *add, 1), (tresults{"35"}));
    EXPECT_EQ(takeError(), "");
}

TEST_F(ExpressionTest, QuickRunsLookAgainBehindTheLocalsAndForACaller) {
    tnode* thing = object("Ding");
    declare(*thing, "m=0,n=5,v=1");
    tnode* f = function(*thing, "f", {});
    declare(*f, "k=2");
    texpression evaluator(&runner);
    const auto step = compiled("n=n+k");
    EXPECT_EQ(repeat(evaluator, *f, *step, 3), (tresults{"7", "9", "11"}));
    thing->vars.clear();  // the members change places in the same room; the locals stay
    declare(*thing, "n=20,m=0,v=1");
    EXPECT_EQ(repeat(evaluator, *f, *step, 3), (tresults{"22", "24", "26"}));
    EXPECT_EQ(value(*thing, "n"), "26");

    // Kept without a caller; with one, the names after the target are
    // the caller's.
    const auto form = compiled("v=n+1");
    EXPECT_EQ(repeat(evaluator, *thing, *form, 3), (tresults{"27", "27", "27"}));
    tnode* g = function(root, "g", {});
    declare(*g, "n=40");
    thing->caller = g;
    EXPECT_EQ(repeat(evaluator, *thing, *form, 2), (tresults{"41", "41"}));
    thing->caller = nullptr;
    EXPECT_EQ(repeat(evaluator, *thing, *form, 1), (tresults{"27"}));
    EXPECT_EQ(takeError(), "");
}

// Every shape the quick run joins into one step (a name with a number and
// an operator, a name with an increment), alone and among other steps,
// with integers and with texts: the same values, changes and errors as
// the long way, which runs a copy of the form that the quick run gave up.
TEST_F(ExpressionTest, JoinedQuickStepsGiveWhatTheLongWayGives) {
    const char* const forms[] = {
        "i++",    "++i",     "i--",   "--i",     "i<5",   "i>=5",  "5<i",     "i%7",
        "s+=i%7", "s=s+i%7", "i=i+1", "x=i++*2", "--i*2", "i++*s", "--i*s+2", "(w==\"ab\")+i++",
        "w<5",    "w==12",   "s%0",   "x=i++/0", "w<\"b\"", "w>=\"ab\"", "i==\"4\"",
        "x=(w<\"b\")+(s!=\"3\")"};
    const auto outcome = [&](const char* infix, bool quick) {
        root.vars.clear();
        declare(root, "s=3,i=4,x=0");
        declare(root, "w=\"ab\"", kTypeText);
        const auto form = compiled(infix);
        auto& misses = const_cast<tcompiled&>(*form).quickMisses;
        misses = quick ? 0 : 64;
        texpression evaluator(&runner);
        std::string all;
        for (const std::string& result : repeat(evaluator, root, *form, 3)) all += result + " ";
        if (quick) {
            EXPECT_EQ(misses, 1) << infix;  // the first run's names were not yet known
        }
        return all + value(root, "s") + " " + value(root, "i") + " " + value(root, "x") + " " +
               value(root, "w") + " " + takeError();
    };
    for (const char* infix : forms) {
        EXPECT_TRUE(compiled(infix)->quick) << infix;
        EXPECT_EQ(outcome(infix, true), outcome(infix, false)) << infix;
    }
}

// Forms with elements keep their arrays' places and their indexes: each
// run reads the index as it is then. Whatever the index holds (past the
// array, past the list, negative, a text), the records moving under a kept
// form, an index in the object behind a function's locals, and the undo
// level of an element written: the quick ways leave what the long way
// leaves, reports included.
TEST_F(ExpressionTest, KeptElementsGiveWhatTheLongWayGives) {
    const auto scenario = [&](bool quick) {
        const auto sum = compiled("s=s+a[i]");
        const auto take = compiled("w=t[i]");
        const auto put = compiled("t[i]=w");
        for (const auto& form : {sum, take, put})
            const_cast<tcompiled&>(*form).quickMisses = quick ? 0 : 64;
        std::string log;
        const auto rounds = [&](tnode& node, tnode& holder, const char* index) {
            holder.vars.setValue("i", index, 0);
            texpression evaluator(&runner);
            for (int round = 0; round < 3; ++round) {
                std::string result;
                evaluator.Evaluate(0, node, result, *sum);
                evaluator.Perform(0, node, *take);
                evaluator.Perform(0, node, *put);
                log += result + "," + value(node, "w") + ";";
            }
            log += takeError() + "|";
        };
        tnode& place = *object(quick ? "Quick" : "Long");
        declare(place, "a[3]=(10,20,30),i=0,s=0");
        declare(place, "t[2]=(\"eins\",\"zwei\"),w", kTypeText);
        for (const char* index : {"0", "1", "2"}) rounds(place, place, index);
        place.vars.clear();  // the same names in other places
        declare(place, "s=5,i=1");
        declare(place, "w,t[2]=(\"drei\",\"vier\")", kTypeText);
        declare(place, "a[2]=(1,2)");
        for (const char* index : {"1", "0", "2", "3", "7", "-1", "x", "1"})
            rounds(place, place, index);

        // The arrays a function's locals, the index its object's.
        tnode* thing = object(quick ? "QuickDing" : "LongDing");
        declare(*thing, "i=0");
        tnode* f = function(*thing, "f", {});
        declare(*f, "a[2]=(3,4),s=0");
        declare(*f, "t[2]=(\"fuenf\",\"sechs\"),w", kTypeText);
        for (const char* index : {"0", "1"}) rounds(*f, *thing, index);
        thing->vars.clear();
        declare(*thing, "z=1,i=0");
        rounds(*f, *thing, "0");

        // An element written is a change of its list.
        texpression evaluator(&runner);
        evaluator.Perform(0, place, *take);
        place.vars.setValue("i", "0", 0);
        const tsharedValues before = place.vars.shareValues();
        evaluator.Perform(0, place, *put);
        const tsharedValues after = place.vars.shareValues();
        log += (*before)[3] + ">" + (*after)[3];
        return log;
    };
    EXPECT_EQ(scenario(true), scenario(false));
}

// A form that is one name alone takes a shorter way than the other quick
// forms. As a value and as a condition it must give what the long way
// gives, and tell an integer result as the long way tells it: integers,
// texts (also of digits), an integer variable holding a text, elements,
// paths, and the errors for a name that is not there.
TEST_F(ExpressionTest, SingleNamesGiveWhatTheLongWayGives) {
    const char* const forms[] = {"n",    "m",    "t",    "d",      "e",  "u",
                                 "a[1]", "a[k]", "a[9]", "Eins.v", "nix"};
    object("Eins");
    const auto outcome = [&](const char* infix, bool quick) {
        root.vars.clear();
        root.vars.error = false;  // set for good by an earlier form's error
        declare(root, "n=5,m=0,u=0,k=2,a[3]=(4,0,6)");
        declare(root, "t=\"ab\",d=\"12\",e", kTypeText);
        root.vars.setValue("u", "07", 0);
        tnode& one = *root.findChild("Eins");
        one.vars.clear();
        declare(one, "v=3");
        const auto form = compiled(infix);
        auto& misses = const_cast<tcompiled&>(*form).quickMisses;
        misses = quick ? 0 : 64;
        texpression evaluator(&runner);
        std::string all;
        for (int i = 0; i < 3; ++i) {
            std::string result;
            evaluator.Evaluate(0, root, result, *form);
            int32_t n = 0;
            all += result + (evaluator.LastWasInteger(n) ? "i " : " ");
        }
        for (int i = 0; i < 2; ++i) all += evaluator.Holds(0, root, *form) ? "ja " : "nein ";
        return all + takeError();
    };
    for (const char* infix : forms) {
        EXPECT_TRUE(compiled(infix)->quickSingle) << infix;
        EXPECT_EQ(outcome(infix, true), outcome(infix, false)) << infix;
    }
    EXPECT_EQ(outcome("n", true), "5i 5i 5i ja ja ");
}
