#include <gtest/gtest.h>

#include <sstream>

#include "base/codedfile.h"
#include "model/varlist.h"
#include "support/recording_services.h"

using namespace velmo;
using velmo::test::RecordingServices;

namespace {

using Dump = std::vector<std::string>;

// Every record as "name=value", the continuation marker shown as "+".
Dump dump(const tvarlist& vars) {
    Dump out;
    for (const tvar& v : vars.Records())
        out.push_back((v.name == continuationName() ? std::string("+") : v.name) + "=" + v.value);
    return out;
}

class VarList : public ::testing::Test {
protected:
    void declare(const std::string& text, int32_t type = kTypeInt) {
        vars.declare(text, type, flag, 0);
    }
    // The error shown (line 0), without "Fehler: " and the closing "^".
    std::string shown() const {
        const std::string& w = services.written;
        return w.size() < 9 ? w : w.substr(8, w.size() - 9);
    }

    RecordingServices services;
    tvarlist vars{services};
    bool flag = false;
};

}  // namespace

// ------------------------------------------------------------ declare

TEST_F(VarList, DeclarationExamples) {
    const std::pair<const char*, Dump> cases[] = {
        {"a", {"a=0"}},
        {"a=5", {"a=5"}},
        {"a[3]", {"a=0", "+=0", "+=0"}},
        {"a[3]=(1,2,3)", {"a=1", "+=2", "+=3"}},
        {"a[0]=(4,5)", {"a=4", "+=5"}},
        {"a[]", {"a=0"}},
        {"a,b=2", {"a=0", "b=2"}},
        {"a=", {"a=0"}},  // no value after "=": the default stays
    };
    for (const auto& [text, expected] : cases) {
        vars.clear();
        declare(text);
        EXPECT_EQ(dump(vars), expected) << text;
    }
    EXPECT_FALSE(flag);
}

TEST_F(VarList, TextAndObjectDeclarations) {
    declare("s,t=\"Hallo, Welt\",u[2]=(\"x,y\",\"(z)\")", kTypeText);
    declare("o,p[2]", kTypeObject);
    declare("n=\"7\"");  // quotes are only dropped from text values
    EXPECT_EQ(dump(vars), (Dump{"s=", "t=Hallo, Welt", "u=x,y", "+=(z)", "o=NULL", "p=NULL",
                                "+=NULL", "n=\"7\""}));
    EXPECT_EQ(vars.at(3).type, kTypeText);
    EXPECT_EQ(vars.at(6).type, kTypeObject);
}

TEST_F(VarList, RedefinitionKeepsFirstValueAndTheFlagSticks) {
    declare("a=1");
    declare("a=2,b=3");
    EXPECT_EQ(shown(), "\tVariable a wird redefiniert");
    EXPECT_EQ(dump(vars), (Dump{"a=1", "b=3"}));
    EXPECT_TRUE(flag);

    // The list's flag is never cleared, and a clean declaration never
    // clears the caller's.
    bool other = false;
    vars.declare("c", kTypeInt, other, 0);
    EXPECT_TRUE(other);
    tvarlist clean(services);
    clean.declare("d", kTypeInt, flag, 0);
    EXPECT_TRUE(flag);
}

TEST_F(VarList, NamesAreCutTo25CharactersAndCaseSensitive) {
    const std::string longName = "abcdefghijklmnopqrstuvwxyz0123";
    declare(longName + "=4");
    EXPECT_TRUE(vars.exists(longName.substr(0, 25)));
    EXPECT_FALSE(vars.exists(longName));
    EXPECT_FALSE(vars.exists("Abcdefghijklmnopqrstuvwxy"));
    declare(longName.substr(0, 25) + "X");
    EXPECT_EQ(shown(), "\tVariable " + longName.substr(0, 25) + " wird redefiniert");
}

TEST_F(VarList, DeclarationErrors) {
    const std::pair<const char*, const char*> cases[] = {
        {"a(5)", "Zuweisung oder Arraydeklaration erwartet"},
        {"a[x]", "Integerkonstante erwartet x"},
        {"a[0]", "Arrayindex erwartet"},
        {"a[2000000000]", "Integerkonstante erwartet 2000000000"},    // never allocated
        {"a[99999999999]", "Integerkonstante erwartet 99999999999"},  // wraps in 32 bits
    };
    for (const auto& [text, message] : cases) {
        services.clearStopped();
        services.written.clear();
        declare(text);
        EXPECT_EQ(shown(), message) << text;
        EXPECT_TRUE(vars.empty()) << text;
    }
    EXPECT_TRUE(flag);
}

TEST_F(VarList, GivenValuesStayDeclaredDespiteSizeErrors) {
    declare("a[3]=(1,2)");
    EXPECT_EQ(shown(), "Anzahl Elemente weicht von Deklaration ab");
    declare("c[x]=(5)");
    EXPECT_EQ(dump(vars), (Dump{"a=1", "+=2", "c=5"}));
}

// ------------------------------------------------------------ lookup

TEST_F(VarList, FindIndexesThroughTheWholeList) {
    declare("a[3]=(1,2,3),b=9");
    EXPECT_EQ(vars.find("a[1]", 0)->value, "2");
    EXPECT_EQ(vars.find("a[3]", 0)->name, "b");  // one past the array: the next variable
    EXPECT_EQ(vars.find("c", 0), nullptr);
    EXPECT_EQ(services.written, "");

    EXPECT_EQ(vars.find("a[4]", 5), nullptr);
    EXPECT_EQ(services.written, " Zeile 5 ung\xFCltiger Index^");
    // A negative index counts back in the list like any other; only
    // before its first record it is refused.
    EXPECT_EQ(vars.find("b[-1]", 0)->value, "3");
    EXPECT_EQ(vars.find("a[-1]", 6), nullptr);
    EXPECT_EQ(services.written, " Zeile 5 ung\xFCltiger Index^");  // only the first error shows
    EXPECT_TRUE(vars.error);
}

TEST_F(VarList, ElementCount) {
    declare("a[3]");
    EXPECT_EQ(vars.elementCount("a"), 3);
    declare("b,c[2]");
    EXPECT_EQ(vars.elementCount("a"), 3);
    EXPECT_EQ(vars.elementCount("b"), 1);
    EXPECT_EQ(vars.elementCount("c[1]"), 2);
    EXPECT_EQ(vars.elementCount("d"), 0);
}

TEST_F(VarList, GetAndSetValues) {
    declare("a[2],b");
    EXPECT_TRUE(vars.setValue("a[1]", "x", 3));
    std::string result;
    EXPECT_TRUE(vars.getValue("a[1]", result));
    EXPECT_EQ(result, "x");

    EXPECT_FALSE(vars.setValue("q", "1", 4));
    EXPECT_EQ(services.written, " Zeile 4 Fehler bei Zuweisung an q^");
    services.clearStopped();
    services.written.clear();
    result = "alt";
    EXPECT_FALSE(vars.getValue("z", result));
    EXPECT_EQ(result, "alt");
    EXPECT_EQ(shown(), "Zugriff auf unbekannten Bezeichner z");
}

// ------------------------------------------------------- list changes

TEST_F(VarList, RemoveTakesTheWholeArrayAndRedeclareAppends) {
    declare("a,b[3]=(1,2,3),c");
    vars.remove(1);
    vars.remove(7);  // outside the list: nothing
    EXPECT_EQ(dump(vars), (Dump{"a=0", "c=0"}));
    declare("b[2]=(x,y)", kTypeText);
    EXPECT_EQ(dump(vars), (Dump{"a=0", "c=0", "b=x", "+=y"}));
}

TEST_F(VarList, CopyIntoReplacesTargetUnlessSourceIsEmpty) {
    tvarlist target(services);
    target.declare("alt=1", kTypeInt, flag, 0);
    tvarlist(services).copyInto(target);
    EXPECT_EQ(dump(target), (Dump{"alt=1"}));

    declare("a[2]=(1,2),b=3");
    vars.copyInto(target);
    EXPECT_EQ(dump(target), dump(vars));
}

// The arrangement stamp changes with every change that may move records
// and with nothing else; no two lists share one, also after a copy or a
// move (both sides get fresh ones).
TEST_F(VarList, ShapeStampsChangeExactlyWhenRecordsMayMove) {
    declare("a=1,b[2]");
    uint64_t stamp = vars.shape();
    const auto moved = [&] {
        const bool changed = vars.shape() != stamp;
        stamp = vars.shape();
        return changed;
    };
    vars.setValue("a", "5", 0);
    vars.at(1).value = "x";
    vars.restoreValues(vars.shareValues());
    EXPECT_FALSE(moved());
    vars.declarePlain("c", kTypeInt, 0);
    EXPECT_TRUE(moved());
    declare("d=1");
    EXPECT_TRUE(moved());
    vars.remove(0);
    EXPECT_TRUE(moved());
    tvarlist other(services);
    other.declare("e", kTypeInt, flag, 0);
    other.copyInto(vars);
    EXPECT_TRUE(moved());

    tvarlist copy = vars;
    EXPECT_NE(copy.shape(), vars.shape());
    const uint64_t copied = copy.shape();
    tvarlist taken = std::move(copy);
    EXPECT_NE(taken.shape(), copied);
    EXPECT_NE(copy.shape(), copied);
    EXPECT_NE(copy.shape(), taken.shape());
    vars = std::move(taken);
    EXPECT_TRUE(moved());
    EXPECT_NE(taken.shape(), stamp);
    vars.clear();
    EXPECT_TRUE(moved());
}

// ------------------------------------------------------------ undo

TEST_F(VarList, RestoreAfterRecordsChangedStaysInBoundsAndAligned) {
    declare("a=1");
    const tsharedValues one = vars.shareValues();  // one value
    declare("b=2");
    const tsharedValues two = vars.shareValues();  // two values
    vars.setValue("a", "5", 0);
    vars.remove(1);
    vars.restoreValues(two);  // more values than records
    EXPECT_EQ(dump(vars), (Dump{"a=1"}));
    declare("c=7");
    vars.setValue("a", "9", 0);
    vars.restoreValues(one);  // fewer values than records: the rest stays
    EXPECT_EQ(dump(vars), (Dump{"a=1", "c=7"}));
}

// ------------------------------------------------------------ saved games

TEST_F(VarList, SaveAndReadValuesRoundTrip) {
    std::stringstream file(std::ios::in | std::ios::out | std::ios::binary);
    vars.saveValues(file);
    EXPECT_EQ(file.str(), "");  // an empty list writes nothing

    declare(
        "s=\"gr\xFC"
        "n\",t[2]",
        kTypeText);
    vars.saveValues(file);
    tvarlist restored(services);
    restored.declare("s,t[2]", kTypeText, flag, 0);
    ASSERT_TRUE(restored.readValues(file));
    EXPECT_EQ(dump(restored), dump(vars));
}

TEST_F(VarList, ReadValuesOfShortFileFailsAndKeepsWhatWasRead) {
    declare("a,b");
    std::stringstream file(std::ios::in | std::ios::out | std::ios::binary);
    writeStr(file, "5");
    writeInt32(file, 1000000);  // a length the file cannot hold
    EXPECT_FALSE(vars.readValues(file));
    EXPECT_EQ(dump(vars), (Dump{"a=5", "b=0"}));
}
