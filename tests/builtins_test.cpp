#include "script/builtins.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <utility>

#include "base/random.h"
#include "script/compiledexpr.h"
#include "script/expression.h"
#include "script/interpreter.h"
#include "script/postfix.h"
#include "support/parser_story.h"

namespace velmo {
namespace {

using test::ParserStory;

// A room with the player, a red apple in a box, and Anna.
const char* const kWorld =
    "class Raum { setShort(\"-K\xFC"
    "che\"); }\n"
    "class Spieler { setShort(\"$Ich\"); moveto(Raum); }\n"
    "class Kiste { setShort(\"-Kiste\"); with(offen); moveto(Raum); }\n"
    "class Apfel { setShort(\"+rot* Apfel, Frucht\"); setLong(\"Ein Apfel.\"); moveto(Kiste);\n"
    "  int liste[4];\n"
    "  int onAction(string v) { write(isfirst() + \":\" + issecond()); return(1); } }\n"
    "class Anna { setShort(\"$Anna\"); moveto(Raum);\n"
    "  int onAction(string v) { write(\"/\" + isfirst() + \":\" + issecond()); return(1); } }\n"
    "class Leute { setShort(\"&Leute\"); }\n"
    "class Fass { setShort(\"Fass\"); }\n"
    "int scope(object o) { return(1); }\n"
    "void parserError(int code, string word, object o) { write(\"E\" + code); }\n"
    "void main() { setPlayer(Spieler); }\n"
    "verb(\"gib #noun an #noun\", gib, 0);\n";

class BuiltinsTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(s.loaded) << s.services.written; }

    // Evaluates an expression as story code on the object (the root when
    // `on` is empty); "!" marks a failed evaluation.
    std::string eval(const std::string& expression, const std::string& on = "") {
        tnode* node = on.empty() ? &s.story->root() : s.object(on);
        tinterpreter runner(*s.story);
        texpression evaluator(&runner);
        std::string result;
        evaluator.Evaluate(0, *node, result, ToPostfix(EncodeOperators(expression)));
        return evaluator.Failed() ? "!" : result;
    }

    ParserStory s{kWorld};
};

TEST_F(BuiltinsTest, TheTableHasItsRowsInOrder) {
    ASSERT_EQ(builtinTable().size(), 29u);
    EXPECT_EQ(builtinTable().front().name, "has");
    EXPECT_EQ(builtinTable().back().name, "typedWord");
    EXPECT_EQ(findBuiltin("substr")->argCount, 3);
    EXPECT_EQ(findBuiltin("Substr"), nullptr);  // names are exact
}

// ---------------------------------------------------------------- texts

TEST_F(BuiltinsTest, SearchingInTexts) {
    EXPECT_EQ(eval("strstr(\"b\",\"abc\")"), "1");
    EXPECT_EQ(eval("strstr(\"x\",\"abc\")"), "-1");
    EXPECT_EQ(eval("strstr(\"\",\"abc\")"), "-1");
    EXPECT_EQ(eval("strrstr(\"b\",\"abcb\")"), "3");
    EXPECT_EQ(eval("strrstr(\"bz\",\"abcb\")"), "3");  // only the first character counts
    EXPECT_EQ(eval("strrstr(\"q\",\"abcb\")"), "-1");
    EXPECT_EQ(eval("strlen(\"\")"), "0");
    EXPECT_EQ(eval("strlen(\"K\xFC"
                   "che\")"),
              "5");
}

TEST_F(BuiltinsTest, Substrings) {
    EXPECT_EQ(eval("substr(\"abcdef\",2,3)"), "cde");
    EXPECT_EQ(eval("substr(\"abcdef\",4,10)"), "ef");
    EXPECT_EQ(eval("substr(\"abc\",5,1)"), "");
    EXPECT_EQ(eval("substr(\"abc\",3,1)"), "");
    EXPECT_EQ(eval("substr(\"abc\",-2,2)"), "ab");
    EXPECT_EQ(eval("substr(\"abc\",0,-1)"), "");
    EXPECT_EQ(eval("substr(\"abc\",\"\",1)"), "!");
    EXPECT_NE(s.services.written.find("ung\xFCltiger Funktionsaufruf"), std::string::npos);
}

// A built-in's name is called at once from the second evaluation of a
// form on (the first learns that no node has that name): both give the
// same value or the same failure. Integer results are integers to the
// operators, and a counter given as a text stays a text.
TEST_F(BuiltinsTest, AFormGivesTheSameValueEveryTime) {
    s.story->moves = 7;
    const std::pair<const char*, const char*> cases[] = {
        {"strlen(\"abc\")+1", "4"},
        {"strlen(\"ab\")+\"x\"", "2x"},
        {"strlen(\"abc\")==3", "1"},
        {"strstr(\"z\",\"abc\")-1", "-2"},
        {"substr(\"abcdef\",strlen(\"ab\"),2)", "cd"},
        {"substr(\"abcdef\",1+1,1+1)", "cd"},
        {"pnoun(1-1,1-1)==pnoun(0,0)", "1"},  // the second is read as a text
        {"strlen(strlen(\"abcdefghij\"))", "2"},
        {"strlen(substr(\"Haus1t\xFCr\",2,3))", "3"},
        {"moves()+1", "71"},
        {"isfirst()+1", "1"},
        {"strlen()", "!"},
        {"substr(\"abc\",\"\",1)", "!"},
    };
    for (const auto& [infix, expected] : cases) {
        const auto form = compileExpression(ToPostfix(EncodeOperators(infix)));
        for (int round = 0; round < 2; ++round) {
            tinterpreter runner(*s.story);
            texpression evaluator(&runner);
            std::string result;
            evaluator.Evaluate(0, s.story->root(), result, *form);
            EXPECT_EQ(evaluator.Failed() ? "!" : result, expected) << infix << " " << round;
        }
    }
}

TEST_F(BuiltinsTest, PronounsByGenderAndCase) {
    EXPECT_EQ(eval("pnoun(0,0)", "Apfel"), "er");
    EXPECT_EQ(eval("pnoun(1,0)", "Apfel"), "ihn");
    EXPECT_EQ(eval("pnoun(1,1)", "Kiste"), "Sie");
    EXPECT_EQ(eval("pnoun(3,0)", "Leute"), "ihnen");
    EXPECT_EQ(eval("pnoun(2,1)", "Fass"), "Seine");
    // A proper name ending in a, e or i counts as feminine.
    EXPECT_EQ(eval("pnoun(3,0)", "Anna"), "ihr");
    EXPECT_EQ(eval("pnoun(0,0)", "Spieler"), "er");
    EXPECT_EQ(eval("pnoun(4,0)", "Apfel"), "");
}

// ---------------------------------------------------------------- objects

TEST_F(BuiltinsTest, PlaceInTheWorld) {
    EXPECT_EQ(eval("location()", "Apfel"), "Kiste");
    EXPECT_EQ(eval("location()", "Leute"), "NULL");
    EXPECT_EQ(eval("room()", "Apfel"), "Raum");
    EXPECT_EQ(eval("room()", "Raum"), "Raum");
    EXPECT_EQ(eval("in(Kiste)", "Apfel"), "1");
    EXPECT_EQ(eval("in(Raum)", "Apfel"), "0");
    EXPECT_EQ(eval("in(\"Nirgends\")", "Apfel"), "!");
    EXPECT_NE(s.services.written.find("Klasse Nirgends nicht deklariert"), std::string::npos);
}

TEST_F(BuiltinsTest, ItemsDoNotCountThePlayer) {
    EXPECT_EQ(eval("items()", "Raum"), "2");
    EXPECT_EQ(eval("items()", "Kiste"), "1");
    tnode* raum = s.object("Raum");
    s.object("Kiste")->moveTo(nullptr);
    s.object("Anna")->moveTo(nullptr);
    ASSERT_EQ(raum->contents.size(), 1u);
    EXPECT_EQ(eval("items()", "Raum"), "0");
}

TEST_F(BuiltinsTest, NamesAndAttributes) {
    EXPECT_EQ(eval("getShort(1,1)", "Apfel"), "den roten Apfel");
    EXPECT_EQ(eval("getShort(0,2)", "Kiste"), "eine Kiste");
    EXPECT_EQ(eval("getShort(0,1)", "Raum"),
              "die K\xFC"
              "che");
    EXPECT_EQ(eval("getLong()", "Apfel"), "Ein Apfel.");
    EXPECT_EQ(eval("gender()", "Apfel"), "0");
    EXPECT_EQ(eval("gender()", "Anna"), "3");
    EXPECT_EQ(eval("gender()", "Leute"), "4");
    EXPECT_EQ(eval("has(offen)", "Kiste"), "1");
    EXPECT_EQ(eval("has(zu)", "Kiste"), "0");
    // The root has no attributes.
    EXPECT_EQ(eval("has(offen)"), "!");
    EXPECT_EQ(eval("sizeof(liste)", "Apfel"), "4");
}

TEST_F(BuiltinsTest, WhatTheParserLeftOnTheObjects) {
    EXPECT_EQ(eval("used()", "Apfel"), "0");
    s.command("gib frucht an anna");
    EXPECT_EQ(eval("used()", "Apfel"), "1");
    EXPECT_EQ(eval("name()", "Apfel"), "1");  // named by its second variant
    // During the command: the apple is in the first list, Anna in the second.
    EXPECT_EQ(s.services.written, "1:0/0:1");
    EXPECT_EQ(eval("isfirst()", "Apfel"), "0");  // the lists end with the command
}

TEST_F(BuiltinsTest, ThisIsTheObjectTheCodeRunsFor) {
    tnode* apfel = s.object("Apfel");
    tnode* action = apfel->findChild("onAction");
    ASSERT_NE(action, nullptr);
    tinterpreter runner(*s.story);
    texpression evaluator(&runner);
    std::string result;
    evaluator.Evaluate(0, *action, result, ToPostfix("this()"));
    EXPECT_EQ(result, "Apfel");
    action->caller = s.object("Anna");
    evaluator.Evaluate(0, *action, result, ToPostfix("this()"));
    EXPECT_EQ(result, "Anna");
    action->caller = nullptr;
}

// ---------------------------------------------------------------- the game

TEST_F(BuiltinsTest, CountersAndClock) {
    s.story->moves = 7;
    s.story->score = 12;
    s.story->serial = "123456";
    s.story->clock.setClock(1430, 20);
    s.story->clock.tick();
    EXPECT_EQ(eval("moves()"), "7");
    EXPECT_EQ(eval("scores()"), "12");
    EXPECT_EQ(eval("serial()"), "123456");
    EXPECT_EQ(eval("time()"), "10");
    EXPECT_EQ(eval("day()"), "1");
}

TEST_F(BuiltinsTest, KeysMenusAndWords) {
    s.services.keys.push_back('j');
    EXPECT_EQ(eval("getKey()"), "j");
    s.services.menuAnswers.push_back("2");
    s.services.menuAnswers.push_back("");
    EXPECT_EQ(eval("menu(1,\"Titel^a^b\")"), "2");
    EXPECT_EQ(eval("menu(0,\"a^b\")"), "0");
    EXPECT_EQ(s.services.menus.back(), "a^b");
    s.command("hallo welt");
    EXPECT_EQ(eval("getWord()"), "hallo");
    EXPECT_EQ(eval("getWord()"), "welt");
    EXPECT_EQ(eval("getWord()"), "");
}

// The typed command keeps letter case, umlauts and quotes; the words the
// parser hands over are folded and find their typed form.
TEST_F(BuiltinsTest, WordsAsTheyWereTyped) {
    s.story->typedInput =
        "\xD6"
        "ffne die K\xFC"
        "chent\xFC"
        "r, sage \"Gr\xFC\xDF Gott\"";
    EXPECT_EQ(eval("typedWord(\"kuechentuer\")"),
              "K\xFC"
              "chent\xFC"
              "r");
    EXPECT_EQ(eval("typedWord(\"oeffne\")"),
              "\xD6"
              "ffne");
    // A quoted text comes with or without its quotes, as asked.
    EXPECT_EQ(eval("typedWord(\"gruess gott\")"), "Gr\xFC\xDF Gott");
    // Several words (a topic) are looked up one by one.
    EXPECT_EQ(eval("typedWord(\"die kuechentuer\")"),
              "die K\xFC"
              "chent\xFC"
              "r");
    // A word not typed (a pronoun's stand-in) stays as it is.
    EXPECT_EQ(eval("typedWord(\"roter apfel\")"), "roter apfel");
    EXPECT_EQ(eval("typedWord(\"\")"), "");
    s.story->typedInput.clear();
    EXPECT_EQ(eval("typedWord(\"kuechentuer\")"), "kuechentuer");
}

TEST_F(BuiltinsTest, RandomNumbersStayInRangeAndFollowTheSeed) {
    EXPECT_EQ(eval("random(1)"), "0");
    std::set<std::string> seen;
    for (int i = 0; i < 200; ++i) seen.insert(eval("random(3)"));
    EXPECT_EQ(seen, (std::set<std::string>{"0", "1", "2"}));
    EXPECT_EQ(eval("random(0)"), "!");

    // One seed, one walk, on every machine: the engine's sequence is fixed
    // and the mapping to the range is our own.
    trandom a;
    a.seed(42);
    std::string walk;
    for (int i = 0; i < 8; ++i) walk += std::to_string(a.below(10));
    trandom b;
    b.seed(42);
    std::string again;
    for (int i = 0; i < 8; ++i) again += std::to_string(b.below(10));
    EXPECT_EQ(walk, again);
    std::mt19937 engine(42);
    EXPECT_EQ(walk.front() - '0', static_cast<int>(engine() % 10));
    EXPECT_EQ(a.below(-5), 0);
}

TEST_F(BuiltinsTest, AStoryNameHidesABuiltIn) {
    ParserStory story("int strlen = 99;\nint time() { return(5); }\n");
    ASSERT_TRUE(story.loaded) << story.services.written;
    tinterpreter runner(*story.story);
    texpression evaluator(&runner);
    std::string result;
    evaluator.Evaluate(0, story.story->root(), result, ToPostfix("strlen"));
    EXPECT_EQ(result, "99");
    evaluator.Evaluate(0, story.story->root(), result, ToPostfix("time()"));
    EXPECT_EQ(result, "5");
}

}  // namespace
}  // namespace velmo
