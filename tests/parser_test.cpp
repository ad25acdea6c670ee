#include "game/parser.h"

#include <gtest/gtest.h>

#include <string>

#include "support/parser_story.h"

namespace velmo {
namespace {

using test::ParserStory;

// A kitchen with the player, an apple, a pear, a box and Hans. Every
// object writes what it is asked to do; "parserError" writes its three
// arguments. `verbs` and `more` are added to the story.
std::string world(const std::string& verbs, const std::string& more = "") {
    return "class Kueche { setShort(\"-K\xFC"
           "che\"); }\n"
           "class Spieler {\n"
           "  setShort(\"$Ich\");\n"
           "  moveto(Kueche);\n"
           "  int onAction(string v) { write(\"[ich \" + v + \"]\"); return(0); }\n"
           "}\n"
           "class Apfel {\n"
           "  setShort(\"+rot* Apfel\");\n"
           "  moveto(Kueche);\n"
           "  int onAction(string v) { write(\"[apfel \" + v + \"]\"); return(1); }\n"
           "}\n"
           "class Birne {\n"
           "  setShort(\"-gelb* Birne\");\n"
           "  moveto(Kueche);\n"
           "  int onAction(string v) { write(\"[birne \" + v + \"]\"); return(1); }\n"
           "}\n"
           "class Kiste {\n"
           "  setShort(\"-Kiste\");\n"
           "  moveto(Kueche);\n"
           "  int onAction(string v) { write(\"[kiste \" + v + \"]\"); return(1); }\n"
           "}\n"
           "class Hans {\n"
           "  setShort(\"$Hans\");\n"
           "  moveto(Kueche);\n"
           "  int onOrder(string v) { write(\"[hans soll \" + v + \"]\"); return(1); }\n"
           "  int onAction(string v) { write(\"[hans \" + v + \"]\"); return(1); }\n"
           "}\n"
           "int scope(object o) { return(1); }\n"
           "void parserError(int code, string word, object o) {\n"
           "  write(\"E\" + code + \"/\" + word + \"/\" + o);\n"
           "}\n" +
           more +  // functions declared again here replace those above
           "void main() { setPlayer(Spieler); }\n" + verbs;
}

class ParserTest : public ::testing::Test {
protected:
    void load(const std::string& verbs, const std::string& more = "") {
        s = std::make_unique<ParserStory>(world(verbs, more));
        ASSERT_TRUE(s->loaded) << s->services.written;
        ASSERT_EQ(s->services.written, "");
    }
    std::string command(const std::string& text) { return s->command(text); }

    std::unique_ptr<ParserStory> s;
};

// ---------------------------------------------------------------- objects

TEST_F(ParserTest, ObjectsAreNamedInAnyCaseWithOrWithoutArticleAndAdjective) {
    load("verb(\"nimm #noun\", nimm, 0);\n");
    EXPECT_EQ(command("nimm apfel"), "[apfel nimm]");
    EXPECT_EQ(command("nimm den roten apfel"), "[apfel nimm]");
    EXPECT_EQ(command("nimm roten apfel"), "[apfel nimm]");
    EXPECT_EQ(command("nimm einen roten apfel"), "[apfel nimm]");
    EXPECT_EQ(command("nimm die gelbe birne"), "[birne nimm]");
    // A wrong ending is no form of the name.
    EXPECT_EQ(command("nimm den rote apfel"), "E0/rote/NULL");
    EXPECT_TRUE(s->object("Apfel")->isMentioned());
}

TEST_F(ParserTest, SeveralObjectsJoinedByUndOrCommaGoToOneList) {
    load("verb(\"nimm #multi\", nimm, 0);\n");
    EXPECT_EQ(command("nimm apfel und birne"), "[apfel nimm][birne nimm]");
    EXPECT_EQ(command("nimm apfel, birne und kiste"), "[apfel nimm][birne nimm][kiste nimm]");
    // A conjunction must be followed by another object.
    // The failure lies past the last word: the unrecognised word is empty.
    EXPECT_EQ(command("nimm apfel und"), "E0//Apfel");
}

TEST_F(ParserTest, SingleAndMultiSlotsCountTheObjects) {
    load("verb(\"nimm #single\", nimm, 0);\nverb(\"iss #multi\", iss, 0);\n");
    EXPECT_EQ(command("nimm apfel und birne"), "E2/birne/Birne");
    EXPECT_EQ(command("iss apfel"), "E3/apfel/Apfel");
}

TEST_F(ParserTest, TheFirstObjectInScopeOrderThatPassesWins) {
    load("verb(\"nimm #noun\", nimm, 0);\n",
         "class Zwilling1 { setShort(\"+Zwilling\"); moveto(Kueche);\n"
         "  int onAction(string v) { write(\"[eins]\"); return(1); } }\n"
         "class Zwilling2 { setShort(\"+Zwilling\"); moveto(Kueche);\n"
         "  int onAction(string v) { write(\"[zwei]\"); return(1); } }\n");
    EXPECT_EQ(command("nimm zwilling"), "[eins]");
}

TEST_F(ParserTest, TheStorysScopeFunctionHidesObjects) {
    load("verb(\"nimm #noun\", nimm, 0);\n",
         "class Geist { setShort(\"+Geist\"); moveto(Kueche); }\n"
         "int scope(object o) {\n  int r = 1;\n  if (o == Geist) { r = 0; }\n  return(r);\n}\n");
    // Recognised but not in scope: failure code 1, the ghost named.
    EXPECT_EQ(command("nimm geist"), "E1/geist/Geist");
    EXPECT_FALSE(s->object("Geist")->isMentioned());
}

// Objects are found through the words their names end in; a name changed
// by story code counts from the next command on, also in the middle of a
// search (the scope function renames the frog while the parser asks it).
TEST_F(ParserTest, ARenamedObjectIsNamedByItsNewName) {
    load("verb(\"nimm #noun\", nimm, 0);\nverb(\"kuesse #noun\", kuss, 0);\n",
         "class Frosch { setShort(\"+Frosch\"); moveto(Kueche);\n"
         "  int onAction(string v) {\n"
         "    if (v == \"kuss\") { setShort(\"+Prinz\"); }\n"
         "    write(\"[\" + v + \"]\"); return(1); } }\n"
         "class Kobold { setShort(\"+Kobold\"); moveto(Kueche);\n"
         "  int onAction(string v) { write(\"[kobold]\"); return(1); } }\n"
         "int scope(object o) {\n"
         "  if (o == Apfel) { Kobold.setShort(\"+Wicht\"); }\n"
         "  return(1);\n}\n");
    EXPECT_EQ(command("kuesse frosch"), "[kuss]");
    EXPECT_EQ(command("nimm frosch"), "E0/frosch/NULL");
    EXPECT_EQ(command("nimm prinz"), "[nimm]");
    EXPECT_EQ(command("nimm wicht"), "E0/wicht/NULL");
    EXPECT_EQ(command("nimm apfel und wicht"), "[apfel nimm][kobold]");
}

TEST_F(ParserTest, SecondNameVariantSetsTheNameIndex) {
    load("verb(\"nimm #noun\", nimm, 0);\n",
         "class Buch { setShort(\"Buch, -alt* Schwarte\"); moveto(Kueche);\n"
         "  int onAction(string v) { write(\"[buch \" + name + \"]\"); return(1); } }\n");
    EXPECT_EQ(command("nimm buch"), "[buch 0]");
    EXPECT_EQ(command("nimm die alte schwarte"), "[buch 1]");
}

// A search sets the name index of every object it passes on the way to
// the one it takes back to 0, also of objects whose names do not fit,
// and before it asks the story about the next one; the objects after the
// one it takes keep theirs.
TEST_F(ParserTest, ASearchSetsTheNameIndexOfTheObjectsItPassesBackToZero) {
    load("verb(\"nimm #noun\", nimm, 0);\n",
         "class Buch { setShort(\"Buch, -alt* Schwarte\"); moveto(Kueche);\n"
         "  int variante() { return(name); }\n"
         "  int onAction(string v) { return(1); } }\n"
         "class Tasse { setShort(\"-Tasse\"); moveto(Kueche);\n"
         "  int onAction(string v) { write(\"[tasse]\"); return(1); } }\n"
         "int scope(object o) {\n"
         "  if (o == Tasse) { write(\"<\" + Buch.variante() + \">\"); }\n"
         "  return(1);\n}\n");
    tnode* book = s->object("Buch");
    command("nimm die alte schwarte");
    EXPECT_EQ(book->nameIndex, 1);
    // The apple comes before the book.
    EXPECT_EQ(command("nimm apfel"), "[apfel nimm]");
    EXPECT_EQ(book->nameIndex, 1);
    EXPECT_EQ(command("nimm tasse"), "<0>[tasse]");
    EXPECT_EQ(book->nameIndex, 0);
    // A search that takes nothing passes every object.
    command("nimm die alte schwarte");
    EXPECT_EQ(command("nimm den gruenen stein"), "E0/gruenen/NULL");
    EXPECT_EQ(book->nameIndex, 0);
}

// ---------------------------------------------------------------- words

TEST_F(ParserTest, ATypedWordMatchesAnAlternativeWithAnAddedE) {
    load("verb(\"gehe|laufe\", gehe, 0);\nverb(\"renn\", renn, 0);\n");
    EXPECT_EQ(command("geh"), "[ich gehe]Das geht leider nicht.^");
    EXPECT_EQ(command("lauf"), "[ich gehe]Das geht leider nicht.^");
    // Never the reverse: "renne" is no form of "renn".
    EXPECT_EQ(command("renne"), "E10/renne/NULL");
}

TEST_F(ParserTest, NumbersInDigitsOrWords) {
    load("verb(\"drehe #noun auf #number\", dreh, 0);\n");
    command("drehe kiste auf f\xFCnf");
    EXPECT_EQ(s->rootValue("number"), "5");
    command("drehe kiste auf fuenf");
    EXPECT_EQ(s->rootValue("number"), "5");
    EXPECT_EQ(command("drehe kiste auf 12"), "[kiste dreh]");
    EXPECT_EQ(s->rootValue("number"), "12");
    EXPECT_EQ(command("drehe kiste auf blau"), "E0/blau/Kiste");
    EXPECT_EQ(command("drehe kiste auf -3"), "E0/-3/Kiste");
}

TEST_F(ParserTest, TopicTakesTheWordsUpToTheNextElement) {
    load(
        "verb(\"frage #noun nach #topic\", frag, 0);\n"
        "verb(\"erzaehle #topic zu #noun\", erz, 0);\n");
    EXPECT_EQ(command("frage hans nach dem alten schatz"), "[hans frag]");
    EXPECT_EQ(s->rootValue("topic"), "dem alten schatz");
    EXPECT_EQ(command("erzaehle vom alten schatz zu hans"), "[hans erz]");
    EXPECT_EQ(s->rootValue("topic"), "vom alten schatz");
    // Nothing before the terminator: an empty topic.
    EXPECT_EQ(command("erzaehle zu hans und apfel"), "[hans erz][apfel erz]");
    EXPECT_EQ(s->rootValue("topic"), "");
    // The quick test counts the words: too few for the pattern.
    EXPECT_EQ(command("erzaehle zu hans"), "E8/erzaehle/NULL");
}

TEST_F(ParserTest, QuotedTextIsOneWord) {
    load("verb(\"sage #quote zu #noun\", sage, 0);\n");
    EXPECT_EQ(command("sage \"guten tag\" zu hans"), "[hans sage]");
    EXPECT_EQ(s->rootValue("quote"), "guten tag");
    EXPECT_EQ(command("sage hallo zu hans"), "E0/hallo/NULL");
    // An unclosed quote reaches "parserError" as one word whose quote is
    // the output markup's; nothing of the argument text leaks into it.
    EXPECT_EQ(command("\"hallo welt"), "E10/\\hallo welt/NULL");
    EXPECT_EQ(command("\""), "E10/\\/NULL");
    EXPECT_EQ(s->story->unrecognisedWord, "\"");  // "huch" replaces it as typed
}

TEST_F(ParserTest, ACommaInsideQuotesLeavesAnEmptyLastWord) {
    load("verb(\"sage #quote\", sage, 0);\n");
    // Not addressed to anyone: the commas are counted, the quoted one does
    // not split, so an empty word is left over.
    EXPECT_EQ(command("sage \"a,b\""), "E0//NULL");
    EXPECT_EQ(s->story->words.size(), 3u);
    EXPECT_EQ(s->story->words[2], "");
}

TEST_F(ParserTest, TheWordCursorReadsTheCommandAgain) {
    load("verb(\"sage #topic\", sage, 0);\n",
         "class Echo { void beforeAction(string v) { write(getWord() + \"|\" + getWord());\n"
         "  firstWord; write(\"|\" + getWord() + \"|\"); } }\n");
    EXPECT_EQ(command("sage eins zwei"), "sage|eins|sage|[ich sage]Das geht leider nicht.^");
    s->story->wordCursor = 3;
    EXPECT_EQ(s->story->nextWord(), "");
    s->story->resetWordCursor();
    EXPECT_EQ(s->story->nextWord(), "sage");
}

// ---------------------------------------------------------------- pronouns

TEST_F(ParserTest, APronounStandsForTheOneObjectOfTheLastCommand) {
    load("verb(\"nimm #multi\", nimm, 0);\nverb(\"iss #noun\", iss, 0);\n");
    EXPECT_EQ(command("iss den roten apfel"), "[apfel iss]");
    EXPECT_EQ(s->story->pronounText, "roter apfel");
    EXPECT_EQ(command("iss ihn"), "[apfel iss]");
    // A failed command keeps the pronoun.
    command("iss xyz");
    EXPECT_EQ(command("iss es"), "[apfel iss]");
    // Two objects leave no pronoun; "ihn" stays a plain word.
    EXPECT_EQ(command("nimm apfel und birne"), "[apfel nimm][birne nimm]");
    EXPECT_EQ(s->story->pronounText, "");
    EXPECT_EQ(command("iss ihn"), "E0/ihn/NULL");
}

// ---------------------------------------------------------------- actor

TEST_F(ParserTest, ACommandAddressedToSomeoneInScopeGoesToTheirOnOrder) {
    load("verb(\"nimm #noun\", nimm, 0);\n",
         "class Haken { void beforeAction(string v) { write(\"[vorher \" + v + \" \" + actor + "
         "\"]\"); } }\n");
    EXPECT_EQ(command("hans, nimm apfel"), "[vorher nimm Hans][hans soll nimm]");
    EXPECT_EQ(s->rootValue("actor"), "Hans");
    EXPECT_EQ(command("nimm apfel"), "[vorher nimm Spieler][apfel nimm]");
    EXPECT_EQ(s->rootValue("actor"), "Spieler");
}

TEST_F(ParserTest, AnOrderNotHandledGoesOnToTheObjects) {
    load("verb(\"nimm #noun\", nimm, 0);\n",
         "class Grete { setShort(\"$Grete\"); moveto(Kueche);\n"
         "  int onOrder(string v) { return(0); }\n"
         "  int onAction(string v) { write(\"[grete]\"); return(0); } }\n");
    EXPECT_EQ(command("grete, nimm apfel"), "[apfel nimm]");
    // Nobody handles it: the actor's own onAction, then the default.
    load("verb(\"warte\", wart, 0);\n",
         "class Grete { setShort(\"$Grete\"); moveto(Kueche);\n"
         "  int onOrder(string v) { return(0); }\n"
         "  int onAction(string v) { write(\"[grete]\"); return(0); } }\n");
    EXPECT_EQ(command("grete, warte"), "[grete]Das geht leider nicht.^");
}

TEST_F(ParserTest, TwoCommasMakeAnOrdinaryCommandWithCommaWords) {
    load("verb(\"nimm #multi\", nimm, 0);\n");
    // "hans" is no verb and the second word is a comma: code 9.
    EXPECT_EQ(command("hans, nimm apfel, birne"), "E9/hans/NULL");
    EXPECT_EQ(s->story->words.size(), 6u);
    EXPECT_EQ(s->story->words[1], ",");
    EXPECT_EQ(command("nimm apfel, birne"), "[apfel nimm][birne nimm]");
}

// ---------------------------------------------------------------- failures

TEST_F(ParserTest, FailureCodesOfTheSlots) {
    load(
        "verb(\"nimm #reachable\", nimm, 0);\n"
        "verb(\"wirf #held\", wirf, 0);\n"
        "verb(\"pruefe #function=essbar;\", pruef, 0);\n",
        "class Tasche { setShort(\"-Tasche\"); moveto(Spieler);\n"
        "  int onAction(string v) { write(\"[tasche \" + v + \"]\"); return(1); } }\n"
        "int essbar(object o) { return(o == Apfel); }\n");
    EXPECT_EQ(command("nimm tasche"), "E4/tasche/Tasche");
    EXPECT_EQ(command("wirf apfel"), "E5/apfel/Apfel");
    EXPECT_EQ(command("wirf tasche"), "[tasche wirf]");
    EXPECT_EQ(command("pruefe birne"), "E7/birne/Birne");
    // The verb identifier is cut to four characters.
    EXPECT_EQ(command("pruefe apfel"), "[apfel prue]");
}

TEST_F(ParserTest, InsideChecksTheContainerNamedLater) {
    load(
        "verb(\"nimm #inside aus #noun\", nimm, 0);\n"
        "verb(\"leg #noun in #inside\", leg, 0);\n",
        "class Ring { setShort(\"+Ring\"); moveto(Kiste);\n"
        "  int onAction(string v) { write(\"[ring \" + v + \"]\"); return(1); } }\n");
    EXPECT_EQ(command("nimm ring aus kiste"), "[ring nimm][kiste nimm]");
    EXPECT_EQ(command("nimm apfel aus kiste"), "E6/kiste/Apfel");
    // The second list: the object must lie in the first object.
    EXPECT_EQ(command("leg kiste in ring"), "[kiste leg][ring leg]");
    EXPECT_EQ(command("leg apfel in ring"), "E6/ring/Ring");
}

TEST_F(ParserTest, UnrecognisedWordSkipsAnArticleAndAnAdjective) {
    load("verb(\"nimm #noun\", nimm, 0);\n");
    EXPECT_EQ(command("nimm den xyz"), "E0/xyz/NULL");
    EXPECT_EQ(command("nimm den roten xyz"), "E0/xyz/NULL");
    EXPECT_EQ(s->story->unrecognisedWord, "xyz");
    EXPECT_EQ(command("nimm apfel sofort"), "E0/sofort/Apfel");
    // Only whole article words are skipped, not pieces of the list.
    EXPECT_EQ(command("nimm er xyz"), "E0/er/NULL");
    EXPECT_EQ(command("nimm e xyz"), "E0/e/NULL");
}

TEST_F(ParserTest, FailuresAtTheFirstWord) {
    load("verb(\"nimm #noun\", nimm, 0);\nverb(\"oeffne #noun mit #noun\", oeff, 0);\n");
    EXPECT_EQ(command("tanze"), "E10/tanze/NULL");
    EXPECT_EQ(command("tanze wild"), "E10/tanze/NULL");
    // A verb whose pattern is longer than the command: code 8.
    EXPECT_EQ(command("nimm"), "E8/nimm/NULL");
    EXPECT_EQ(command("oeffne kiste"), "E8/oeffne/NULL");
    // Addressed to nobody known: code 9.
    EXPECT_EQ(command("xyz, nimm apfel"), "E9/xyz/NULL");
}

TEST_F(ParserTest, AFailureWhileRunningTheCommandIsCode11) {
    // No player: the command has no actor whose handler could run.
    ParserStory story(
        "void parserError(int code, string word, object o) { write(\"E\" + code + \"/\" + word + "
        "\"/\" + o); }\n"
        "void beforeAction(string v) { write(\"[vorher]\"); }\n"
        "verb(\"warte\", wart, 0);\n");
    ASSERT_TRUE(story.loaded) << story.services.written;
    EXPECT_EQ(story.command("warte"), "[vorher]E11//NULL");
    EXPECT_EQ(story.story->moves, 0);
}

TEST_F(ParserTest, AVeryLongCommandIsParsedWithoutTrouble) {
    load("verb(\"nimm #multi\", nimm, 0);\nverb(\"sage #topic\", sage, 0);\n");
    std::string many = "nimm apfel";
    std::string words = "sage";
    for (int i = 0; i < 20000; ++i) {
        many += " und birne";
        words += " wort";
    }
    // The pear is taken once, however often it is named.
    EXPECT_EQ(command(many), "[apfel nimm][birne nimm]");
    EXPECT_EQ(command(words), "[ich sage]Das geht leider nicht.^");
    EXPECT_EQ(s->rootValue("topic").size(), 20000u * 5 - 1);
    EXPECT_EQ(command(many + " und"), "E0//Birne");
}

TEST_F(ParserTest, NoVerbsNoAnswer) {
    ParserStory story("void parserError(int code, string word, object o) { write(\"E\"); }\n");
    ASSERT_TRUE(story.loaded);
    EXPECT_EQ(story.command("nimm apfel"), "");
}

// ---------------------------------------------------------------- running

TEST_F(ParserTest, NobodyHandlingACommandGivesTheDefaultAnswer) {
    load("verb(\"warte\", wart, 0);\nverb(\"nimm #noun\", nimm, 0);\n",
         "class Stein { setShort(\"+Stein\"); moveto(Kueche);\n"
         "  int onAction(string v) { write(\"[stein]\"); return(0); } }\n");
    EXPECT_EQ(command("warte"), "[ich wart]Das geht leider nicht.^");
    EXPECT_EQ(command("nimm stein"), "[stein][ich nimm]Das geht leider nicht.^");
    EXPECT_EQ(command("nimm apfel"), "[apfel nimm]");
}

TEST_F(ParserTest, HaltEndsTheCallsOfTheCommandEarly) {
    load(
        "verb(\"nimm #noun mit #noun\", nimm, 0);\nverb(\"nimm #multi\", nimm, 0);\n"
        "verb(\"nimm #noun\", nimm, 0);\n",
        "class Halt1 { setShort(\"+Halt\"); moveto(Kueche);\n"
        "  int onAction(string v) { write(\"[halt]\"); halt(1); return(1); } }\n"
        "class Halt2 { setShort(\"-Pause\"); moveto(Kueche);\n"
        "  int onAction(string v) { write(\"[pause]\"); halt(2); return(1); } }\n"
        "class Halt3 { setShort(\"+Stopp\"); moveto(Kueche);\n"
        "  int onAction(string v) { write(\"[stopp]\"); halt(3); return(1); } }\n");
    EXPECT_EQ(command("nimm halt und apfel"), "[halt]");
    EXPECT_EQ(command("nimm pause mit apfel"), "[pause]");
    EXPECT_EQ(command("nimm pause und apfel mit birne"), "[pause][apfel nimm]");
    EXPECT_EQ(command("nimm pause und apfel"), "[pause][apfel nimm]");
    const int32_t moves = s->story->moves;
    EXPECT_EQ(command("nimm stopp"), "[stopp]");
    EXPECT_EQ(s->story->moves, moves);
    EXPECT_FALSE(s->story->noTurn);
    command("nimm apfel");
    EXPECT_EQ(s->story->moves, moves + 1);
}

TEST_F(ParserTest, HaltThreeInParserErrorCountsForTheNextRecognisedCommand) {
    load("verb(\"warte\", wart, 0);\n",
         "void parserError(int code, string word, object o) { halt(3); }\n");
    command("xyz");
    EXPECT_TRUE(s->story->noTurn);
    command("abc");
    EXPECT_TRUE(s->story->noTurn);
    command("warte");
    EXPECT_EQ(s->story->moves, 0);
    EXPECT_FALSE(s->story->noTurn);
    command("warte");
    EXPECT_EQ(s->story->moves, 1);
}

TEST_F(ParserTest, HooksRunForEveryRecognisedCommandInOrder) {
    load("verb(\"nimm #noun\", nimm, 0);\n",
         "class HakenA { void beforeAction(string v) { write(\"[a \" + v + \"]\"); } }\n"
         "class HakenB { void beforeAction(string v) { write(\"[b]\"); } }\n");
    EXPECT_EQ(command("nimm apfel"), "[a nimm][b][apfel nimm]");
    EXPECT_EQ(command("nimm xyz"), "E0/xyz/NULL");
}

TEST_F(ParserTest, TheReplacementNodeTakesTheReplacedOnesPlace) {
    load("verb(\"nimm #noun\", nimm, 0);\nverb(\"warte\", wart, 0);\n");
    EXPECT_EQ(s->command("nimm apfel", s->object("Apfel"), s->object("Birne")), "[birne nimm]");
    // The actor replaced: the replacement's onAction first.
    EXPECT_EQ(s->command("warte", s->object("Spieler"), s->object("Kiste")), "[kiste wart]");
}

TEST_F(ParserTest, EachCommandClearsTheCancelledMenuAndTheObjectLists) {
    load("verb(\"nimm #noun\", nimm, 0);\n");
    s->services.menuCancelled = true;
    command("nimm apfel");
    EXPECT_FALSE(s->services.menuCancelled);
    EXPECT_TRUE(s->story->firstObjects.empty());
    EXPECT_GT(s->services.statusUpdates, 0);
}

TEST_F(ParserTest, AFailedCommandTakesNoTurnAndKeepsTheStatusLine) {
    load("verb(\"nimm #noun\", nimm, 0);\nverb(\"schau\", schau, 1);\n");
    const int updates = s->services.statusUpdates;
    command("nimm xyz");
    EXPECT_EQ(s->story->moves, 0);
    EXPECT_EQ(s->services.statusUpdates, updates);
    // A verb that takes no time: handled, status refreshed, no move.
    command("schau");
    EXPECT_EQ(s->story->moves, 0);
    EXPECT_EQ(s->services.statusUpdates, updates + 1);
    command("nimm apfel");
    EXPECT_EQ(s->story->moves, 1);
}

TEST_F(ParserTest, QuitInAnActionEndsTheCommandQuietly) {
    load("verb(\"nimm #noun\", nimm, 0);\n",
         "class Falle { setShort(\"-Falle\"); moveto(Kueche);\n"
         "  int onAction(string v) { write(\"[aus]\"); quit; return(1); } }\n");
    EXPECT_EQ(command("nimm falle"), "[aus]");
    EXPECT_TRUE(s->services.isStopped());
    EXPECT_EQ(s->story->moves, 0);
}

}  // namespace
}  // namespace velmo
