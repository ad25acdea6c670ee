#include <gtest/gtest.h>

#include "model/argslist.h"
#include "model/varlist.h"
#include "support/recording_services.h"

using namespace velmo;
using velmo::test::RecordingServices;

namespace {

const std::string kBadList = "Fehler: ung\xFClte Argumentenliste^";
const std::string kBadBinding =
    "Fehler: \xFC"
    "bergebene Argumente stimmen nicht mit Deklaration \xFC"
    "berein^";

// Every local as "name:type=value".
std::vector<std::string> dump(const tvarlist& vars) {
    std::vector<std::string> out;
    for (const tvar& v : vars.Records())
        out.push_back(v.name + ":" + std::to_string(v.type) + "=" + v.value);
    return out;
}

class ArgsList : public ::testing::Test {
protected:
    RecordingServices services;
    tvarlist locals{services};
};

}  // namespace

// ------------------------------------------------------------ declaration

TEST_F(ArgsList, TypeWordsGiveTypedParametersInOrder) {
    targslist args(services, "intn,stringtext,objectwho,integer", 3);
    ASSERT_EQ(args.Count(), 4);
    EXPECT_EQ(args.Items()[0].name, "n");
    EXPECT_EQ(args.Items()[0].type, kTypeInt);
    EXPECT_EQ(args.Items()[1].name, "text");
    EXPECT_EQ(args.Items()[1].type, kTypeText);
    EXPECT_EQ(args.Items()[2].name, "who");
    EXPECT_EQ(args.Items()[2].type, kTypeObject);
    EXPECT_EQ(args.Items()[3].name, "eger");  // the type word is only a prefix
    EXPECT_FALSE(args.Failed());
    EXPECT_EQ(services.written, "");
}

TEST_F(ArgsList, EntryWithoutNameOrTypeWordIsReportedUntilOneIsRecognised) {
    targslist bare(services, "int", 0);  // a type word alone names nothing
    EXPECT_EQ(services.written, kBadList);
    EXPECT_TRUE(bare.Failed());
    EXPECT_EQ(bare.Count(), 0);

    services.clearStopped();
    services.written.clear();
    targslist later(services, "inta,float,b", 0);  // bad entries after a good one are ignored
    EXPECT_EQ(services.written, "");
    EXPECT_FALSE(later.Failed());
    EXPECT_EQ(later.Count(), 1);
}

TEST_F(ArgsList, EmptyDeclarationGivesEmptyListThatBinds) {
    targslist none(services, "", 0);
    EXPECT_EQ(none.Count(), 0);
    EXPECT_FALSE(none.Failed());
    EXPECT_TRUE(none.Bind(0, "1,2", locals));
    EXPECT_TRUE(locals.empty());
    EXPECT_EQ(services.written, "");
}

// ------------------------------------------------------------ binding

TEST_F(ArgsList, BindDeclaresEachParameterFromItsValue) {
    targslist args(services, "intn,strings,objecto", 0);
    ASSERT_TRUE(args.Bind(0, "11,\"\",NULL", locals));
    EXPECT_EQ(dump(locals), (std::vector<std::string>{"n:0=11", "s:1=", "o:2=NULL"}));
}

TEST_F(ArgsList, MissingValuesTakeTheDefaultAndSurplusValuesAreIgnored) {
    targslist args(services, "intn,strings,objecto", 0);
    ASSERT_TRUE(args.Bind(0, "4", locals));
    EXPECT_EQ(dump(locals), (std::vector<std::string>{"n:0=4", "s:1=", "o:2=NULL"}));

    tvarlist more(services);
    targslist one(services, "intn", 0);
    ASSERT_TRUE(one.Bind(0, "1,2,3", more));
    EXPECT_EQ(dump(more), (std::vector<std::string>{"n:0=1"}));
}

TEST_F(ArgsList, CommaSplitsAValueButQuotesGroupAndEmptyValuesKeepTheirPlace) {
    targslist args(services, "stringa,stringb,intc", 0);
    // A string value with a comma, joined by the caller without quotes,
    // becomes two values.
    ASSERT_TRUE(args.Bind(0, "Hallo, Welt,7", locals));
    EXPECT_EQ(dump(locals), (std::vector<std::string>{"a:1=Hallo", "b:1= Welt", "c:0=7"}));

    tvarlist quoted(services);
    ASSERT_TRUE(args.Bind(0, "\"x,y\",,7", quoted));
    EXPECT_EQ(dump(quoted), (std::vector<std::string>{"a:1=x,y", "b:1=", "c:0=7"}));
}

TEST_F(ArgsList, ValueIsTakenWholeEvenWithDeclarationCharacters) {
    targslist args(services, "stringa", 0);
    ASSERT_TRUE(args.Bind(0, "sagt (leise) a=b [1]", locals));
    EXPECT_EQ(dump(locals), (std::vector<std::string>{"a:1=sagt (leise) a=b [1]"}));
}

TEST_F(ArgsList, BindFailsWhenAParameterIsAlreadyDeclared) {
    targslist args(services, "inta,intb,inta", 9);
    EXPECT_FALSE(args.Bind(0, "1,2,3", locals));
    EXPECT_EQ(services.written, kBadBinding);
    EXPECT_TRUE(args.Failed());
    // Once failed, the list binds nothing more and reports nothing more.
    services.clearStopped();
    services.written.clear();
    tvarlist fresh(services);
    EXPECT_FALSE(args.Bind(0, "1,2,3", fresh));
    EXPECT_EQ(services.written, "");
    EXPECT_TRUE(fresh.empty());
}

TEST_F(ArgsList, BindChecksEveryNameWhereTheLocalsAreNotEmptyOrANameIsNotPlain) {
    targslist args(services, "inta,intb", 0);
    locals.declarePlain("b", kTypeInt, 0);
    EXPECT_FALSE(args.Bind(0, "1,2", locals));
    EXPECT_EQ(services.written, kBadBinding);
    services.clearStopped();
    services.written.clear();

    targslist indexed(services, "inta[2]", 0);
    tvarlist fresh(services);
    EXPECT_FALSE(indexed.Bind(0, "1", fresh));
    EXPECT_EQ(services.written, kBadBinding);
}

TEST_F(ArgsList, NamesThatAreEqualOnceCutAreOneVariableTwice) {
    const std::string name(30, 'n');
    targslist args(services, "int" + name + "a,int" + name + "b", 0);
    EXPECT_FALSE(args.Bind(0, "1,2", locals));
    EXPECT_EQ(services.written, kBadBinding);
}
