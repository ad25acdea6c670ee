#include "script/builtins.h"

#include <array>

#include "base/wstrlib.h"
#include "model/parsetree.h"
#include "model/story.h"
#include "script/builtinsupport.h"

namespace velmo {

namespace {

// Searched from the first row; the first exact match wins.
constexpr std::array<tafunction, 29> kBuiltins{{
    {"has", kTypeInt, 1, builtinHas},
    {"location", kTypeObject, 0, builtinLocation},
    {"in", kTypeInt, 1, builtinIn},
    {"this", kTypeObject, 0, builtinThis},
    {"isfirst", kTypeInt, 0, builtinIsFirst},
    {"issecond", kTypeInt, 0, builtinIsSecond},
    {"day", kTypeInt, 0, builtinDay},
    {"getLong", kTypeText, 0, builtinGetLong},
    {"getShort", kTypeText, 2, builtinGetShort, 0b11},
    {"getKey", kTypeText, 0, builtinGetKey},
    {"getWord", kTypeText, 0, builtinGetWord},
    {"gender", kTypeInt, 0, builtinGender},
    {"items", kTypeInt, 0, builtinItems},
    {"menu", kTypeInt, 2, builtinMenu, 0b01},
    {"used", kTypeInt, 0, builtinUsed},
    {"moves", kTypeText, 0, builtinMoves},
    {"name", kTypeInt, 0, builtinName},
    {"pnoun", kTypeText, 2, builtinPnoun, 0b01},
    {"random", kTypeInt, 1, builtinRandom, 0b1},
    {"room", kTypeObject, 0, builtinRoom},
    {"scores", kTypeText, 0, builtinScores},
    {"serial", kTypeText, 0, builtinSerial},
    {"sizeof", kTypeInt, 1, builtinSizeof},
    {"strstr", kTypeInt, 2, builtinStrstr},
    {"strrstr", kTypeInt, 2, builtinStrrstr},
    {"strlen", kTypeInt, 1, builtinStrlen},
    {"substr", kTypeText, 3, builtinSubstr, 0b110},
    {"time", kTypeInt, 0, builtinTime},
    {"typedWord", kTypeText, 1, builtinTypedWord},
}};

}  // namespace

std::span<const tafunction> builtinTable() { return kBuiltins; }

const tafunction* findBuiltin(std::string_view name) {
    for (const tafunction& row : builtinTable())
        if (row.name == name) return &row;
    return nullptr;
}

tnode& subjectOf(const tbuiltincall& call) {
    if (call.node.getKind() == kKindFunction && call.node.getOwner()) return *call.node.getOwner();
    return call.node;
}

tstory& storyOf(const tbuiltincall& call) { return call.node.story(); }

void invalidCall(tbuiltincall& call) {
    storyOf(call).services.showError(call.failed, call.line, "ung\xFCltiger Funktionsaufruf");
}

bool integerArg(const toperand& arg, int32_t& value) {
    if (arg.hasNumber) {
        value = arg.number;
        return true;
    }
    if (arg.value.empty()) return false;
    value = toNumber(arg.value);
    return true;
}

}  // namespace velmo
