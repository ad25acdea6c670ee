#include <gtest/gtest.h>

#include <climits>
#include <string>

#include "support/expression_fixture.h"

using namespace velmo;
using velmo::test::ExpressionTest;

namespace {

const std::string kInvalid = "Fehler: ung\xFCltige Operation^";

std::string unknown(const std::string& name) {
    return "Fehler: unbekannter Bezeichner " + name + "^";
}

}  // namespace

// ----------------------------------------------------------------- values

TEST_F(ExpressionTest, ArithmeticFollowsPriorities) {
    EXPECT_EQ(eval(root, "1+2*3"), "7");
    EXPECT_EQ(eval(root, "(1+2)*3"), "9");
    EXPECT_EQ(eval(root, "10-2-3"), "5");
    EXPECT_EQ(eval(root, "-7/2"), "-3");
    EXPECT_EQ(eval(root, "(0-7)%3"), "-1");  // the remainder has the sign of a
    EXPECT_EQ(eval(root, "7%(0-3)"), "1");
    EXPECT_EQ(eval(root, "6&3|8^1"), "11");
    EXPECT_EQ(eval(root, "~0"), "-1");
    EXPECT_EQ(takeError(), "");
}

TEST_F(ExpressionTest, PlusConcatenatesUnlessBothAreIntegers) {
    EXPECT_EQ(eval(root, "\"a\"+1"), "a1");
    EXPECT_EQ(eval(root, "1+\"a\""), "1a");
    EXPECT_EQ(eval(root, "1+2"), "3");
    declare(root, "s=\"7\"", kTypeText);
    EXPECT_EQ(eval(root, "s+1"), "71");
}

TEST_F(ExpressionTest, OrderComparesTextsWhenTheLeftIsNoInteger) {
    EXPECT_EQ(eval(root, "\"10\"<\"9\""), "1");
    EXPECT_EQ(eval(root, "10<9"), "0");
    EXPECT_EQ(eval(root, "\"\xE4\">\"z\""), "1");  // bytes compare unsigned
    EXPECT_EQ(eval(root, "3>=3"), "1");
    EXPECT_EQ(eval(root, "\"007\"==7"), "0");  // equality always compares texts
    EXPECT_EQ(eval(root, "007==7"), "1");      // a number literal is its value
    EXPECT_EQ(eval(root, "\"x\"!=\"x\""), "0");
}

TEST_F(ExpressionTest, TruthIsEveryTextButZero) {
    EXPECT_EQ(eval(root, "!0"), "1");
    EXPECT_EQ(eval(root, "!5"), "0");
    EXPECT_EQ(eval(root, "!NULL"), "0");
    EXPECT_EQ(eval(root, "!\"\""), "0");
    EXPECT_EQ(eval(root, "1&&\"\""), "1");
    EXPECT_EQ(eval(root, "0||0"), "0");
}

TEST_F(ExpressionTest, ConditionalChoosesByTheTypeOfTheFirstValue) {
    declare(root, "c=1,z=0");
    EXPECT_EQ(eval(root, "c?1:2"), "1");
    EXPECT_EQ(eval(root, "z?1:2"), "2");
    EXPECT_EQ(eval(root, "z?\"ja\":\"nein\""), "nein");
    EXPECT_EQ(eval(root, "c?7:\"x\"+1"), "7");
}

TEST_F(ExpressionTest, LessOrEqualGroupsLikeAnAssignment) {
    declare(root, "a=2,b=3,c=1,x=0");
    EXPECT_EQ(eval(root, "a<=b&&c"), "0");  // a <= (b && c)
    EXPECT_EQ(eval(root, "(a<=b)&&c"), "1");
    // "x=a<=b" is "(x=a)<=b", and a text that ends in a comparison has
    // no assignment target: an invalid operation.
    EXPECT_EQ(eval(root, "x=a<=b"), "0");
    EXPECT_EQ(value(root, "x"), "0");
    EXPECT_EQ(takeError(), kInvalid);
}

TEST_F(ExpressionTest, MinusAfterAParenthesisSubtracts) {
    declare(root, "a=5,b=2,c=1,v[2]=(10,20)");
    EXPECT_EQ(eval(root, "(a+b)-c"), "6");
    EXPECT_EQ(eval(root, "v[1]-c"), "19");
}

// ------------------------------------------------------- integer corners

TEST_F(ExpressionTest, OverflowWrapsAround) {
    EXPECT_EQ(eval(root, "2147483647+1"), "-2147483648");
    EXPECT_EQ(eval(root, "0-2147483647-2"), "2147483647");
    EXPECT_EQ(eval(root, "65536*65536"), "0");
    EXPECT_EQ(eval(root, "(0-2147483647-1)/(0-1)"), "-2147483648");
    EXPECT_EQ(eval(root, "(0-2147483647-1)%(0-1)"), "0");
    EXPECT_EQ(eval(root, "99999999999"), "1215752191");  // digits wrap like toNumber
}

TEST_F(ExpressionTest, ShiftsAreUnsignedAndModulo32) {
    EXPECT_EQ(eval(root, "1<<33"), "2");
    EXPECT_EQ(eval(root, "(0-1)>>28"), "15");
    EXPECT_EQ(eval(root, "1<<(0-1)"), std::to_string(INT_MIN));
    EXPECT_EQ(eval(root, "(0-16)>>32"), "-16");
}

TEST_F(ExpressionTest, DivisionByZeroIsAnInvalidOperation) {
    EXPECT_EQ(eval(root, "5/0"), "0");
    EXPECT_EQ(takeError(), kInvalid);
    EXPECT_EQ(eval(root, "5%0"), "0");
    EXPECT_EQ(takeError(), kInvalid);
    declare(root, "x=5");
    EXPECT_EQ(eval(root, "x/=0"), "0");
    EXPECT_EQ(takeError(), kInvalid);
    EXPECT_EQ(value(root, "x"), "5");
}

TEST_F(ExpressionTest, AnEmptyTextHasNoIntegerValue) {
    declare(root, "n=1");
    root.vars.setValue("n", "", 0);
    EXPECT_EQ(eval(root, "n+1"), "0");
    EXPECT_EQ(takeError(), kInvalid);
    EXPECT_EQ(eval(root, "n++"), "0");
    EXPECT_EQ(takeError(), kInvalid);
    declare(root, "t=\"abc\"", kTypeText);
    EXPECT_EQ(eval(root, "t==\"abc\""), "1");  // texts need no integer
}

// ------------------------------------------------------------ assignment

TEST_F(ExpressionTest, AssignmentLeavesTheNewValueAsResult) {
    declare(root, "x=0,y=4");
    EXPECT_EQ(eval(root, "x=3"), "3");
    EXPECT_EQ(value(root, "x"), "3");
    EXPECT_EQ(eval(root, "x=x+y*2"), "11");
    EXPECT_EQ(eval(root, "x+=1"), "12");
    EXPECT_EQ(eval(root, "x-=2"), "10");
    EXPECT_EQ(eval(root, "x*=3"), "30");
    EXPECT_EQ(eval(root, "x/=4"), "7");
    EXPECT_EQ(eval(root, "x%=4"), "3");
    declare(root, "s=\"ab\"", kTypeText);
    EXPECT_EQ(eval(root, "s+=1"), "ab1");
    EXPECT_EQ(takeError(), "");
}

TEST_F(ExpressionTest, IncrementsYieldOldOrNewValue) {
    declare(root, "x=5,y=0");
    EXPECT_EQ(eval(root, "x++"), "5");
    EXPECT_EQ(value(root, "x"), "6");
    EXPECT_EQ(eval(root, "++x"), "7");
    EXPECT_EQ(eval(root, "x--"), "7");
    EXPECT_EQ(eval(root, "--x"), "5");
    EXPECT_EQ(eval(root, "++x+1"), "7");  // the new value counts as an integer
    EXPECT_EQ(eval(root, "y=x++"), "6");
    EXPECT_EQ(value(root, "x"), "7");
    EXPECT_EQ(eval(root, "5++"), "0");  // no variable to change
    EXPECT_EQ(takeError(), kInvalid);
}

TEST_F(ExpressionTest, IncrementChangesTheVariableWhereItWasFound) {
    tnode* lamp = object("Lampe");
    declare(*lamp, "x=1,y=0");
    tnode* f = function(*lamp, "f", {});
    EXPECT_EQ(eval(*f, "y=x++"), "1");
    EXPECT_EQ(value(*lamp, "x"), "2");
    EXPECT_EQ(eval(*f, "x++"), "2");
    EXPECT_EQ(value(*lamp, "x"), "3");
    EXPECT_EQ(takeError(), "");
}

TEST_F(ExpressionTest, OnlyTheFirstQualifyingTokenIsTheTarget) {
    declare(root, "a[3]=(1,2,0),b[3]=(0,0,0),i=1,ab=9");
    EXPECT_EQ(eval(root, "a[2]=a[0]+a[1]"), "3");
    EXPECT_EQ(value(root, "a[2]"), "3");
    EXPECT_EQ(value(root, "a[1]"), "2");
    EXPECT_EQ(eval(root, "b[2]=a[0]+a[1]"), "3");
    EXPECT_EQ(value(root, "b[2]"), "3");
    EXPECT_EQ(eval(root, "a[i]=a[i+1]*2"), "6");
    EXPECT_EQ(value(root, "a[1]"), "6");
    EXPECT_EQ(eval(root, "a=ab"), "9");  // "a" is no prefix match of "ab"
    EXPECT_EQ(value(root, "ab"), "9");
    EXPECT_EQ(value(root, "a[0]"), "9");
}

TEST_F(ExpressionTest, AnAddressedObjectTakesTheTargetAndItsCallerTheRest) {
    tnode* box = object("Kiste");
    declare(*box, "inhalt=0,y=1");
    tnode* f = function(root, "f", {});
    declare(*f, "y=9");
    box->caller = f;
    EXPECT_EQ(eval(*box, "inhalt=y"), "9");  // y of the caller, not of the box
    EXPECT_EQ(value(*box, "inhalt"), "9");
}

// "x ... =" pushes x's value first, and whatever reaches that operand
// before the "=" gets the value x had then: an operator, a call taking it
// as its argument, or the "=" itself when more operands lie above it.
// Each form runs again and again: from the second run on it knows where x
// is, and a form whose target was read 64 times goes to the token loop.
TEST_F(ExpressionTest, TheTargetsOwnValueIsThereForWhateverReadsIt) {
    declare(root, "x=5");
    declare(root, "s", kTypeText);
    function(root, "doppelt(inta)", {"return a*2"});
    function(root, "setzt()", {"x=9", "return 1"});
    tnode* thing = object("Ding");
    declare(*thing, "t", kTypeText);
    tnode* f = function(*thing, "f", {});
    tnode* box = object("Kiste");
    declare(*box, "inhalt=0,y=1");
    box->caller = f;
    declare(*f, "y=9");
    struct tcase {
        tnode* node;
        const char* postfix;
        const char* expected;
    };
    const tcase cases[] = {
        {&root, "x 1 2 =", "5"},             // "=" assigns 2; x's old value is left
        {&root, "x \"a\" + 1 2 =", "5a"},  // "+" reads it
        {&root, "x doppelt 1 2 =", "10"},    // the call takes it as its argument
        {&root, "x setzt + 1 2 =", "6"},     // read before the call changed x
        {&root, "x 7 =", "7"},
        {&root, "x x 2 * x + =", "15"},
        {&root, "s s \"c\" + s + =", "abcab"},
        {&root, "s \"<\" s + \">\" + =", "<ab>"},
        {f, "t t \"!\" + =", "T!"},  // the owner's variable
        {box, "inhalt y =", "9"},      // y of the caller, not of the box
    };
    for (const tcase& c : cases) {
        const auto form = compileExpression(c.postfix);
        for (int round = 0; round < 66; ++round) {
            root.vars.setValue("x", "5", 0);
            root.vars.setValue("s", "ab", 0);
            thing->vars.setValue("t", "T", 0);
            texpression evaluator(&runner);
            std::string result;
            evaluator.Evaluate(0, *c.node, result, *form);
            EXPECT_EQ(result, c.expected) << c.postfix << " " << round;
        }
    }
    EXPECT_EQ(takeError(), "");
}

TEST_F(ExpressionTest, AssignmentThroughAPathWithIndex) {
    tnode* box = object("Kiste");
    declare(*box, "a[2]=(0,0)");
    tnode* f = function(root, "f", {});
    declare(*f, "i=1");
    EXPECT_EQ(eval(*f, "Kiste.a[i]=5"), "5");
    EXPECT_EQ(value(*box, "a[1]"), "5");
}

TEST_F(ExpressionTest, NothingToAssignAndNothingLeftIsInvalid) {
    EXPECT_EQ(eval(root, ""), "0");
    EXPECT_EQ(takeError(), kInvalid);
    EXPECT_EQ(eval(root, "1=2"), "0");  // no variable as target
    EXPECT_EQ(takeError(), kInvalid);
}

// A statement evaluated for its effect alone assigns as one evaluated for
// its value, and fails where that fails.
TEST_F(ExpressionTest, AnAssignmentPerformedForItsEffect) {
    declare(root, "x=0");
    declare(root, "s", kTypeText);
    for (const char* infix : {"x=3", "s=\"a\"+x+\"b\"", "x+=2"}) {
        texpression evaluator(&runner);
        evaluator.Perform(0, root, *compileExpression(ToPostfix(EncodeOperators(infix))));
        EXPECT_FALSE(evaluator.Failed()) << infix;
    }
    EXPECT_EQ(value(root, "x"), "5");
    EXPECT_EQ(value(root, "s"), "a3b");
    for (const char* postfix : {"", "1 2 =", "=", "x 1 = ++"}) {
        texpression evaluator(&runner);
        evaluator.Perform(0, root, *compileExpression(postfix));
        EXPECT_TRUE(evaluator.Failed()) << postfix;
        EXPECT_EQ(takeError(), kInvalid) << postfix;
    }
}

// ------------------------------------------------------------- names

TEST_F(ExpressionTest, VariablesAreFoundUpTheOwnersThenInTheCaller) {
    declare(root, "r=1");
    tnode* lamp = object("Lampe");
    declare(*lamp, "l=2");
    tnode* f = function(*lamp, "f", {});
    declare(*f, "v=3,l=4");
    EXPECT_EQ(eval(*f, "v*100+l*10+r"), "341");
    tnode* other = object("Tisch");
    declare(*other, "c=5");
    f->caller = other;
    EXPECT_EQ(eval(*f, "c"), "5");
    declare(root, "_x=6");
    EXPECT_EQ(eval(*f, "_x+1"), "7");  // a leading underscore is a name
}

TEST_F(ExpressionTest, UnknownNamesAreReportedUnlessHasFollows) {
    EXPECT_EQ(eval(root, "wolke+1"), "0");
    EXPECT_EQ(takeError(), unknown("wolke"));
    // A name with "has" after it is an attribute name, no error.
    texpression evaluator(&runner);
    std::string result;
    evaluator.Evaluate(0, root, result, "offen hasnot");
    EXPECT_FALSE(evaluator.Failed());
    EXPECT_EQ(result, "hasnot");
    EXPECT_EQ(takeError(), "");
    EXPECT_EQ(eval(root, "NULL"), "NULL");
    EXPECT_EQ(eval(root, "super"), "NULL");
}

TEST_F(ExpressionTest, ObjectsAndClassesAreTheirNames) {
    object("Apfel");
    declare(root, "o=NULL", kTypeObject);
    EXPECT_EQ(eval(root, "Apfel"), "Apfel");
    EXPECT_EQ(eval(root, "o=Apfel"), "Apfel");
    EXPECT_EQ(eval(root, "o==Apfel"), "1");
}

TEST_F(ExpressionTest, FailureStaysSetForTheEvaluator) {
    texpression evaluator(&runner);
    EXPECT_EQ(eval(evaluator, root, "1/0"), "0");
    EXPECT_TRUE(evaluator.Failed());
    EXPECT_EQ(eval(evaluator, root, "1+1"), "0");
    EXPECT_EQ(takeError(), kInvalid);
    EXPECT_EQ(eval(root, "1+1"), "2");  // a fresh one works
}

TEST_F(ExpressionTest, TooFewOperandsAreInvalid) {
    for (const char* postfix : {"1 +", "=", "1 2 :", "~", "!", "1 <", "\"a\" +"}) {
        texpression evaluator(&runner);
        std::string result;
        evaluator.Evaluate(0, root, result, postfix);
        EXPECT_EQ(result, "0") << postfix;
        EXPECT_EQ(takeError(), kInvalid) << postfix;
    }
}

TEST_F(ExpressionTest, UnclosedParenthesisIsSkipped) {
    EXPECT_EQ(eval(root, "(1+2"), "3");
    EXPECT_EQ(takeError(), "");
}

// --------------------------------------------------------------- indexes

TEST_F(ExpressionTest, IndexesAreEvaluatedFirst) {
    declare(root, "a[3]=(10,20,30),i=1,after=99");
    EXPECT_EQ(eval(root, "a[i+1]"), "30");
    EXPECT_EQ(eval(root, "a[a[0]/10]"), "20");
    EXPECT_EQ(eval(root, "a[3]"), "1");        // one past the array is the next variable
    EXPECT_EQ(eval(root, "after[0-1]"), "1");  // one before is the previous one
}

TEST_F(ExpressionTest, ElementsReadAndWrittenByEveryKindOfIndex) {
    declare(root, "a[3]=(10,20,30),i=1");
    declare(root, "t=\"2\",z=\"02\"", kTypeText);
    EXPECT_EQ(eval(root, "a[t]"), "30");  // a text that spells an integer
    EXPECT_EQ(eval(root, "a[z]"), "30");  // digits read as a number
    EXPECT_EQ(eval(root, "a[t]=a[i]+a[0]"), "30");
    EXPECT_EQ(value(root, "a[2]"), "30");
    EXPECT_EQ(eval(root, "a[i]++"), "20");  // an increment names the element itself
    EXPECT_EQ(value(root, "a[1]"), "21");
    EXPECT_EQ(eval(root, "--a[i]"), "20");
    EXPECT_EQ(eval(root, "a[i]+=5"), "25");
    EXPECT_EQ(eval(root, "a[i]=a[i]"), "25");
    EXPECT_EQ(takeError(), "");
}

TEST_F(ExpressionTest, ElementsOfTheOwnersArrayFromItsFunction) {
    tnode* box = object("Kiste");
    declare(*box, "a[3]=(1,2,3)");
    tnode* f = function(*box, "f", {});
    declare(*f, "i=2");
    EXPECT_EQ(eval(*f, "a[i]=a[i]*a[i-1]"), "6");
    EXPECT_EQ(value(*box, "a[2]"), "6");
    EXPECT_EQ(eval(*f, "a[i+1]"), "0");
    EXPECT_EQ(takeError(), "Fehler: ung\xFCltiger Index^");
}

TEST_F(ExpressionTest, IndexOutsideEveryListIsReported) {
    declare(root, "a[3]=(10,20,30)");
    EXPECT_EQ(eval(root, "a[7]+1"), "0");
    EXPECT_EQ(takeError(), "Fehler: ung\xFCltiger Index^");
    EXPECT_EQ(eval(root, "a[0-1]"), "0");
    EXPECT_EQ(takeError(), "Fehler: ung\xFCltiger Index^");
    EXPECT_EQ(eval(root, "a[1)]"), "0");  // an index that does not convert
    EXPECT_EQ(takeError(), kInvalid);
}

// ----------------------------------------------------------------- paths

TEST_F(ExpressionTest, PathsLeadThroughObjectsAndVariables) {
    tnode* box = object("Kiste");
    declare(*box, "inhalt=5,list[2]=(Kiste,Tisch)");
    tnode* table = object("Tisch");
    declare(*table, "beine=4");
    tnode* f = function(root, "f", {});
    declare(*f, "o=Tisch", kTypeObject);
    EXPECT_EQ(eval(*f, "Kiste.inhalt"), "5");
    EXPECT_EQ(eval(*f, "o.beine"), "4");
    EXPECT_EQ(eval(*box, "list[1].beine"), "4");
    story.player = box;
    EXPECT_EQ(eval(*f, "player.inhalt"), "5");
    EXPECT_EQ(takeError(), "");
}

TEST_F(ExpressionTest, BrokenPathsAreReported) {
    tnode* f = function(root, "f", {});
    EXPECT_EQ(eval(*f, "actor.x"), "0");  // no actor
    EXPECT_EQ(takeError(), kInvalid);
    EXPECT_EQ(eval(*f, "Nirgends.x"), "0");
    EXPECT_EQ(takeError(), unknown("Nirgends.x"));
    declare(*f, "o=NULL", kTypeObject);
    EXPECT_EQ(eval(*f, "o.x"), "0");
    EXPECT_EQ(takeError(), unknown("o.x"));
    EXPECT_EQ(eval(root, "super.x"), "0");  // the root has no owner
    EXPECT_EQ(takeError(), kInvalid);
}

// ---------------------------------------------------------------- texts

TEST_F(ExpressionTest, TagsTakeVariableValuesAndTheActorsName) {
    declare(root, "rootvar=\"R\"", kTypeText);
    tnode* hero = object("Held");
    tnode* f = function(*hero, "f", {});
    declare(*f, "o=Apfel", kTypeObject);
    EXPECT_EQ(eval(*f, "\"<der o> liegt hier.\""), "<der Apfel> liegt hier.");
    EXPECT_EQ(eval(*f, "\"<der rootvar>\""), "<der rootvar>");  // not from the root
    EXPECT_EQ(eval(*f, "\"<actor> sieht actor\""), "<actor> sieht actor");
    story.actor = hero;
    EXPECT_EQ(eval(*f, "\"<actor> sieht actor\""), "<Held> sieht Held");
    EXPECT_EQ(eval(*f, "\"actor ohne Tag\""), "actor ohne Tag");
}

// Whatever stands on either side of "+" and is no integer makes it append;
// an integer appended is its decimal text, and the result is a text.
TEST_F(ExpressionTest, TextsAreBuiltFromLiteralsAndDigits) {
    declare(root, "i=42");
    declare(root, "t=\"T\"", kTypeText);
    EXPECT_EQ(eval(root, "\"a\"+i+\"b\""), "a42b");
    EXPECT_EQ(eval(root, "i+\"b\"+i"), "42b42");
    EXPECT_EQ(eval(root, "\"a\"+(0-2147483647-1)"), "a-2147483648");
    EXPECT_EQ(eval(root, "1+\"\"+1"), "11");    // the empty text makes a text
    EXPECT_EQ(eval(root, "(1+\"2\")+3"), "123");  // and it stays one
    EXPECT_EQ(eval(root, "(i+\"\")<5"), "1");    // compared as a text
    EXPECT_EQ(eval(root, "t+\"x\"+\"y\"+t"), "TxyT");
    EXPECT_EQ(eval(root, "\"a\"+\"<b t>\""), "a<b t>");
    EXPECT_EQ(value(root, "t"), "T");
    EXPECT_EQ(takeError(), "");
}

// Every way of appending stops at the length limit with the same report.
TEST_F(ExpressionTest, AppendingStopsAtTheLengthLimit) {
    declare(root, "big", kTypeText);
    root.vars.setValue("big", std::string(kMaxTextLength, 'x'), 0);
    EXPECT_EQ(eval(root, "big+\"\"").size(), kMaxTextLength);
    for (const char* infix : {"big+\"x\"", "big+1", "\"x\"+big", "big+\"\"+\"x\""}) {
        EXPECT_EQ(eval(root, infix), "0") << infix;
        EXPECT_EQ(takeError(), "Fehler: Text zu lang^") << infix;
    }
}

TEST_F(ExpressionTest, LiteralsKeepSignsAndCommas) {
    EXPECT_EQ(eval(root, "\"-Kiste\""), "-Kiste");
    EXPECT_EQ(eval(root, "\"a,b\"+\"c\""), "a,bc");
    EXPECT_EQ(eval(root, "\"1+2\""), "1+2");
}
