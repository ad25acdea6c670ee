#include "story/loader.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "model/story.h"
#include "script/compiledexpr.h"
#include "script/interpreter.h"
#include "script/keywords.h"
#include "story/scanner.h"
#include "story/strings.h"
#include "support/story_source.h"

namespace velmo {
namespace {

using test::StorySource;

bool wrote(const StorySource& story, const std::string& text) {
    return story.services.written.find(text) != std::string::npos;
}

// The records of a node's code, as "opcode/row/line/paramText".
std::vector<std::string> records(const tnode& node) {
    std::vector<std::string> out;
    for (int32_t i = 0; i < node.code.Count(); ++i) {
        const tcode* r = node.code.At(i);
        out.push_back(std::to_string(r->opcode) + "/" + std::to_string(r->row) + "/" +
                      std::to_string(r->line) + "/" + r->paramText);
    }
    return out;
}

using Records = std::vector<std::string>;

// ---------------------------------------------------------------- tree

TEST(LoaderTree, ClassesBecomeChildrenOfTheRootWithTheirFunctions) {
    StorySource s(
        "class Ding {\n"
        "  int gewicht = 5;\n"
        "  void init() { gewicht = 6; }\n"
        "}\n"
        "class Apfel : Ding {\n"
        "  string farbe = \"rot\";\n"
        "}\n"
        "class abstract Vorlage { }\n"
        "void main() { }\n");
    ASSERT_TRUE(s.loaded) << s.services.written;
    EXPECT_EQ(s.services.written, "");
    EXPECT_EQ(s.story->storyFile, s.files.path("geschichte.velmo"));
    EXPECT_FALSE(s.story->compiled);

    tnode* ding = s.object("Ding");
    tnode* apfel = s.object("Apfel");
    tnode* vorlage = s.object("Vorlage");
    ASSERT_TRUE(ding && apfel && vorlage);
    EXPECT_EQ(apfel->superClass, ding);
    std::string value;
    EXPECT_TRUE(apfel->vars.getValue("gewicht", value));
    EXPECT_EQ(value, "5");
    EXPECT_TRUE(apfel->vars.getValue("super", value));
    EXPECT_EQ(value, "Ding");
    EXPECT_TRUE(apfel->vars.getValue("farbe", value));
    EXPECT_EQ(value, "rot");
    EXPECT_NE(apfel->findChild("init"), nullptr);  // inherited
    EXPECT_TRUE(vorlage->getAbstract());
    EXPECT_FALSE(ding->getAbstract());

    // Root: its variables, the class statements, the top-level function.
    EXPECT_TRUE(s.root().vars.exists("actor"));
    EXPECT_TRUE(s.root().vars.exists("player"));
    tnode* mainFunction = s.function(nullptr, "main");
    ASSERT_NE(mainFunction, nullptr);
    EXPECT_EQ(mainFunction->getKind(), kKindFunction);
    // A class statement is a record of the root, a function header one of
    // its class; braces belong to the node they open and close.
    EXPECT_EQ(records(s.root()), (Records{"5/17/1/Ding", "5/17/5/Apfel:Ding",
                                          "5/17/8/abstractVorlage", "17/6/9/main()"}));
    EXPECT_EQ(records(*ding), (Records{"1/0/1/", "19/5/2/gewicht=5", "17/6/3/init()", "11/1/4/"}));
    EXPECT_EQ(records(*ding->findChild("init")),
              (Records{"1/0/3/", "12/12/3/gewicht 6 =", "11/1/3/"}));
}

TEST(LoaderTree, TypeWordsDeclareFunctionsOrVariables) {
    StorySource s(
        "int zahl() { return(1); }\n"
        "int wert = 3;\n"
        "object ziel(int a, string b) { return(NULL); }\n"
        "string s = f();\n");
    ASSERT_TRUE(s.loaded) << s.services.written;
    tnode* zahl = s.function(nullptr, "zahl");
    ASSERT_NE(zahl, nullptr);
    EXPECT_EQ(zahl->getValueType(), kTypeInt);
    tnode* ziel = s.function(nullptr, "ziel");
    ASSERT_NE(ziel, nullptr);
    EXPECT_EQ(ziel->getValueType(), kTypeObject);
    EXPECT_EQ(ziel->args.Count(), 2);
    std::string value;
    EXPECT_TRUE(s.root().vars.getValue("wert", value));
    EXPECT_EQ(value, "3");
    // A parenthesis without quote or bracket makes a function of it.
    tnode* odd = s.function(nullptr, "s=f");
    ASSERT_NE(odd, nullptr);
    EXPECT_EQ(odd->getValueType(), kTypeText);
    EXPECT_FALSE(s.root().vars.exists("s"));
}

TEST(LoaderTree, ObjectDeclarationsTakeEffectAtLoadTime) {
    StorySource s(
        "class Kueche { setShort(\"-K\xFC"
        "che\"); setLong(\"Eine kleine K\xFC"
        "che.\"); }\n"
        "class Apfel {\n"
        "  with(essbar, rund);\n"
        "  setShort(\"+roter Apfel\");\n"
        "  moveto(Kueche);\n"
        "}\n"
        "verb(\"nimm #noun\", nimm, 0);\n"
        "restore(\"schau\");\n");
    ASSERT_TRUE(s.loaded) << s.services.written;
    tnode* kueche = s.object("Kueche");
    tnode* apfel = s.object("Apfel");
    ASSERT_TRUE(kueche && apfel);
    EXPECT_EQ(kueche->getShortName(),
              "-K\xFC"
              "che");
    EXPECT_EQ(kueche->getLongDescription(),
              "Eine kleine K\xFC"
              "che.");
    EXPECT_EQ(apfel->getShortName(), "+roter Apfel");
    EXPECT_TRUE(apfel->attrs->hasAttr("essbar"));
    EXPECT_TRUE(apfel->attrs->hasAttr("rund"));
    EXPECT_EQ(apfel->location, kueche);
    ASSERT_EQ(s.story->verbs.Count(), 1);
    EXPECT_EQ(s.story->verbs.At(0)->identifier, "nimm");
    EXPECT_EQ(s.story->restoreCommand, "schau");
}

TEST(LoaderTree, AMissingLastBraceIsNotReported) {
    StorySource s("class Raum {\n  void init() { write(\"x\"); }\n");
    EXPECT_TRUE(s.loaded);
    EXPECT_EQ(s.services.written, "");
    EXPECT_NE(s.object("Raum"), nullptr);
}

TEST(LoaderTree, AnUndeclaredSuperclassStopsTheLoad) {
    StorySource s("class Apfel : Ding { }\nclass Birne { }\n");
    EXPECT_FALSE(s.loaded);
    EXPECT_TRUE(wrote(s, "Zeile 1 Superklasse Ding nicht deklariert"));
    EXPECT_EQ(s.object("Birne"), nullptr);
}

// ---------------------------------------------------------------- records

TEST(LoaderRecords, AFunctionBodyBecomesRecordsWithPostfixParameters) {
    StorySource s(
        "int f(int n) {\n"
        "  int r;\n"
        "  r = 1;\n"
        "  while (n > 1) {\n"
        "    r = r * n;\n"
        "    n--;\n"
        "  }\n"
        "  return (r);\n"
        "}\n");
    ASSERT_TRUE(s.loaded) << s.services.written;
    tnode* f = s.function(nullptr, "f");
    ASSERT_NE(f, nullptr);
    EXPECT_EQ(records(*f),
              (Records{"1/0/1/", "19/5/2/r", "12/12/3/r 1 =", "49/44/4/n 1 >", "1/0/4/",
                       "12/12/5/r r n * =", "12/12/6/n \x8A", "11/1/7/", "28/32/8/r", "11/1/9/"}));
    EXPECT_EQ(f->code.At(1)->paramCount(), 0u);  // declarations stay text
    EXPECT_EQ(f->code.At(2)->paramList(), (TParameters{"r 1 ="}));
    EXPECT_EQ(f->code.At(8)->paramList(), (TParameters{"r"}));
    EXPECT_EQ(records(s.root()), (Records{"17/5/1/f(intn)"}));
}

// Parameters are compiled when a statement first runs, not at load; an
// inherited function shares its records and so their compiled forms, and
// a second run compiles nothing again.
TEST(LoaderRecords, ParametersAreCompiledOnTheFirstRun) {
    StorySource s(
        "class Ding {\n"
        "  int f(int n) {\n"
        "    int r = 1;\n"
        "    while (n > 1) { r = r * n; n--; }\n"
        "    return (r);\n"
        "  }\n"
        "}\n"
        "class Apfel : Ding { }\n"
        "int g() { return (Apfel.f(5)); }\n");
    ASSERT_TRUE(s.loaded) << s.services.written;
    const tnode* original = s.function(s.object("Ding"), "f");
    ASSERT_NE(original, nullptr);
    for (int32_t i = 0; i < original->code.Count(); ++i)
        EXPECT_FALSE(original->code.At(i)->compiled) << i;

    tinterpreter interpreter(*s.story);
    std::string result;
    interpreter.Run(0, &s.root(), result, "", "g");
    EXPECT_EQ(result, "120");
    const tcode* loop = original->code.At(2);  // shared with Apfel's copy, which ran
    ASSERT_EQ(loop->opcode, kCodeWhile);
    ASSERT_TRUE(loop->compiled);
    ASSERT_EQ(loop->compiled->size(), 1u);
    const tcompiled* form = (*loop->compiled)[0].get();
    EXPECT_EQ(form->text, "n 1 >");

    interpreter.Run(0, &s.root(), result, "", "g");
    EXPECT_EQ(result, "120");
    EXPECT_EQ((*loop->compiled)[0].get(), form);
}

namespace {

// A compiled story's program text with its string table, parsed and its
// literals restored as the loader does it after the compiled reader.
struct CompiledStory {
    CompiledStory(std::vector<std::string> table, const std::string& program) {
        scanner.isCompiled = true;
        scanner.stringTable = std::move(table);
        scanner.programText = test::lines(program);
        EXPECT_TRUE(parseProgram(scanner, story)) << services.written;
        restoreAllStrings(scanner, story.root());
    }
    test::RecordingServices services;
    tstory story{services};
    tfilelist files;
    tdeflist definitions;
    tscanner scanner{services, files, definitions};
};

}  // namespace

// A compiled story's literals are restored before any statement runs, so
// the first run compiles the restored text.
TEST(LoaderCompiled, RestoredLiteralsAreWhatRuns) {
    CompiledStory c({"250101", "Hallo, Welt"}, "voidmain(){write(\"\xFD"
                                               "1\");}");
    ASSERT_FALSE(c.scanner.error) << c.services.written;
    tstory& story = c.story;
    test::RecordingServices& services = c.services;
    tinterpreter interpreter(story);
    std::string result;
    interpreter.Run(0, &story.root(), result, "", "main");
    EXPECT_EQ(services.written, "Hallo, Welt");
}

TEST(LoaderRecords, ReceiverAndParametersAreSplit) {
    StorySource s(
        "class Tuer { }\n"
        "void main() {\n"
        "  Tuer.write(\"a, b\", 1 + 2);\n"
        "  for (i = 0; i < 3; i = i + 1) { }\n"
        "  if (x) { a = 1 }\n"
        "  dog = 1;\n"
        "  write(\"x.y\");\n"
        "}\n");
    ASSERT_TRUE(s.loaded) << s.services.written;
    const tnode* f = s.function(nullptr, "main");
    ASSERT_NE(f, nullptr);
    const tcode* write = f->code.At(1);
    EXPECT_EQ(write->receiver(), "Tuer");
    EXPECT_EQ(write->row, kRowWrite);
    EXPECT_EQ(write->paramList(), (TParameters{"\"a, b\"", "1 2 +"}));
    EXPECT_EQ(write->paramText, "\"a, b\",1 2 +");

    const tcode* loop = f->code.At(2);
    EXPECT_EQ(loop->opcode, kCodeFor);
    EXPECT_EQ(loop->paramList(), (TParameters{"i 0 =", "i 3 <", "i i 1 + ="}));
    EXPECT_EQ(loop->paramText, "i 0 =,i 3 <,i i 1 + =");

    // "if(x){a=1}" loses the assignment: "if", "{", "}" and nothing else.
    EXPECT_EQ(f->code.At(5)->row, kRowIf);
    EXPECT_EQ(f->code.At(6)->row, kRowOpen);
    EXPECT_EQ(f->code.At(7)->row, kRowClose);
    // A name that begins with a keyword is read as that keyword.
    EXPECT_EQ(f->code.At(8)->row, kRowDo);
    EXPECT_EQ(f->code.At(9)->receiver(), "");  // the "." stands inside the literal
    EXPECT_EQ(f->code.At(9)->paramList(), (TParameters{"\"x.y\""}));
}

TEST(LoaderRecords, PlainStatementsMustLookLikeExpressionsOrCalls) {
    StorySource good("void f() { f(); xy = 1; x; a[i]++; p = NULL; }\n");
    EXPECT_TRUE(good.loaded) << good.services.written;

    StorySource bad("void f() {\n  xy;\n}\n");
    EXPECT_FALSE(bad.loaded);
    EXPECT_TRUE(wrote(bad, "geschichte.velmo Zeile 2 unbekannter Bezeichner xy^"));
}

// ---------------------------------------------------------------- errors

struct BadStory {
    const char* source;
    const char* message;  // with its line, as the error report shows it
};

class LoaderErrors : public ::testing::TestWithParam<BadStory> {};

TEST_P(LoaderErrors, AreReportedWithTheirLine) {
    StorySource s(GetParam().source);
    EXPECT_FALSE(s.loaded);
    EXPECT_EQ(s.services.written, std::string("geschichte.velmo ") + GetParam().message + "^");
}

INSTANTIATE_TEST_SUITE_P(
    Loader, LoaderErrors,
    ::testing::Values(
        BadStory{"void f() {\n  return;\n}\n", "Zeile 2 Parameter erwartet"},
        BadStory{"void f() {\n}\n;\n", "Zeile 3 Syntaxfehler"},
        BadStory{"void f() {\n};\n", "Zeile 2 Syntaxfehler"},
        BadStory{"class A {\n  verb(\"nimm %1\", nimm, 0);\n}\n",
                 "Zeile 2 Anweisung in diesem Kontext nicht erlaubt: verb"},
        // The context check comes before the nesting check.
        BadStory{"class A {\n  class B { }\n}\n",
                 "Zeile 2 Anweisung in diesem Kontext nicht erlaubt: class"},
        BadStory{"void f() {\n  int g() { return(1); }\n}\n",
                 "Zeile 2 Funktionen k\xF6"
                 "nnen nicht verschachtelt werden"},
        BadStory{"void f() {\n  void g() { }\n}\n",
                 "Zeile 2 Anweisung in diesem Kontext nicht erlaubt: void"},
        BadStory{"class A {\n  int wert() {\n    write(1);\n  }\n}\n", "Zeile 4 return erwartet"},
        BadStory{"class A {\n  write(1);\n}\n",
                 "Zeile 2 Anweisung in diesem Kontext nicht erlaubt: write"},
        BadStory{"void f() {\n  x = (1));\n  y = 2;\n}\n", "Zeile 2 Zeilenende erwartet"},
        BadStory{"void f() {\n  write(\"x;\n}\n\n", "Zeile 2 Zeilenende erwartet"},
        BadStory{"void f() {\n  x = 1;\n  write((1);\n}\n", "Zeile 3 Zeilenende erwartet"},
        BadStory{"class A {\n  moveto(Nirgends);\n}\n", "Zeile 2 Klasse Nirgends nicht deklariert"},
        BadStory{"\nvoid f(zahl) { }\n", "Zeile 2 ung\xFClte Argumentenliste"}));

TEST(LoaderErrorsMore, AnErrorStopsTheParse) {
    StorySource s("class A {\n  write(1);\n}\nclass B { }\n");
    EXPECT_FALSE(s.loaded);
    EXPECT_EQ(s.object("B"), nullptr);
}

TEST(LoaderErrorsMore, AClosingBraceTooManyAtTheTopLevelIsHarmless) {
    StorySource s("class A { }\n}\nclass B { }\n");
    EXPECT_TRUE(s.loaded) << s.services.written;
    EXPECT_NE(s.object("B"), nullptr);
}

TEST(LoaderErrorsMore, AMissingFileIsReportedByTheReader) {
    StorySource s;
    s.story = std::make_unique<tstory>(s.services);
    EXPECT_FALSE(loadStory(s.files.path("fehlt.velmo"), *s.story, s.storySource));
    EXPECT_EQ(s.services.written,
              "Fehler: Datei fehlt.velmo kann nicht ge\xF6"
              "ffnet werden^");
}

TEST(LoaderErrorsMore, GarbageNeverCrashesOrHangs) {
    // Random texts made of the characters that matter to the parser.
    const std::string alphabet = "{}();\"=+-,.x1 \nclasvoidnwrte[]";
    uint32_t seed = 12345;
    for (int round = 0; round < 200; ++round) {
        std::string text;
        for (int i = 0; i < 80; ++i) {
            seed = seed * 1103515245u + 12345u;
            text += alphabet[(seed >> 16) % alphabet.size()];
        }
        StorySource s;
        if (!s.load(text)) { EXPECT_NE(s.services.written, "") << text; }
    }
    std::string binary;
    for (int i = 0; i < 512; ++i) binary += static_cast<char>((i * 37 + 11) & 0xFF);
    StorySource s;
    EXPECT_FALSE(s.load(binary));
    EXPECT_TRUE(wrote(s, "Ung\xFCltiges Zeichen"));
}

// ---------------------------------------------------------------- compiled

// Every literal of a compiled story comes back: in a variable, a short
// name, a statement of an inherited function, a verb and "restore".
TEST(LoaderCompiled, LiteralsComeBackIntoTheWholeTree) {
    CompiledStory c({"250101", "+Apfel", "rot", "Hallo, Welt", "nimm #noun", "schau"},
                    "classDing{stringfarbe=\"\xFD"
                    "2\";setShort(\"\xFD"
                    "1\");}\n"
                    "classApfel:Ding{voidinit(){write(\"\xFD"
                    "3\",\"\xFD"
                    "2\");}}\n"
                    "verb(\"\xFD"
                    "4\",nimm,0);restore(\"\xFD"
                    "5\");");
    EXPECT_FALSE(c.scanner.error) << c.services.written;
    tstory& story = c.story;

    tnode* ding = story.root().findChild("Ding");
    tnode* apfel = story.root().findChild("Apfel");
    ASSERT_TRUE(ding && apfel);
    EXPECT_EQ(ding->getShortName(), "+Apfel");
    std::string value;
    EXPECT_TRUE(apfel->vars.getValue("farbe", value));
    EXPECT_EQ(value, "rot");
    const tcode* write = apfel->findChild("init")->code.At(1);
    // Each parameter keeps its own literal, however long it comes back.
    EXPECT_EQ(write->paramText, "\"Hallo, Welt\",\"rot\"");
    EXPECT_EQ(write->paramList(), (TParameters{"\"Hallo, Welt\"", "\"rot\""}));
    EXPECT_EQ(story.verbs.At(0)->identifier, "nimm");
    EXPECT_EQ(story.restoreCommand, "schau");
}

TEST(LoaderCompiled, AMarkerOutsideTheTableIsAnError) {
    test::RecordingServices services;
    tstory story(services);
    tfilelist files;
    tdeflist definitions;
    tscanner scanner(services, files, definitions);
    scanner.isCompiled = true;
    scanner.stringTable = {"250101"};
    scanner.programText = test::lines(
        "voidf(){\nwrite(\"\xFD"
        "7\");}");
    ASSERT_TRUE(parseProgram(scanner, story));
    restoreAllStrings(scanner, story.root());
    EXPECT_TRUE(scanner.error);
    EXPECT_NE(services.written.find("Zeile 2 Syntaxfehler"), std::string::npos);
}

}  // namespace
}  // namespace velmo
