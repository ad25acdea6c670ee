// Built-ins that look at objects and their place in the world.

#include <algorithm>

#include "base/declension.h"
#include "model/parsetree.h"
#include "model/story.h"
#include "script/builtinsupport.h"

namespace velmo {

namespace {

bool listHolds(const std::vector<tnode*>& list, const tnode* node) {
    return std::find(list.begin(), list.end(), node) != list.end();
}

}  // namespace

void builtinHas(tbuiltincall& call) {
    const tnode& object = subjectOf(call);
    if (!object.attrs) {
        invalidCall(call);  // the root and its functions have no attributes
        return;
    }
    setTruth(call, object.attrs->hasAttr(call.args[0].value));
}

void builtinLocation(tbuiltincall& call) { call.result = nameOf(subjectOf(call).location); }

void builtinIn(tbuiltincall& call) {
    bool notFound = false;
    tnode* container = call.node.findClass(call.line, &notFound, call.args[0].value);
    if (!container) {
        call.failed = true;  // findClass has reported the missing class
        return;
    }
    setTruth(call, listHolds(container->contents, &subjectOf(call)));
}

void builtinThis(tbuiltincall& call) {
    tnode* node = call.node.caller ? call.node.caller : &call.node;
    while (node && node->getKind() == kKindFunction) node = node->getOwner();
    if (!node) {
        invalidCall(call);
        return;
    }
    call.result = node->name;
}

void builtinIsFirst(tbuiltincall& call) {
    setTruth(call, listHolds(storyOf(call).firstObjects, &subjectOf(call)));
}

void builtinIsSecond(tbuiltincall& call) {
    setTruth(call, listHolds(storyOf(call).secondObjects, &subjectOf(call)));
}

void builtinGetLong(tbuiltincall& call) { call.result = subjectOf(call).getLongDescription(); }

void builtinGetShort(tbuiltincall& call) {
    int32_t grammaticalCase = 0;
    int32_t articleKind = 0;
    if (!integerArg(call.args[0], grammaticalCase) || !integerArg(call.args[1], articleKind)) {
        call.result.clear();
        return;
    }
    call.result = subjectOf(call).nameForm(grammaticalCase, true, articleKind);
}

void builtinGender(tbuiltincall& call) { setNumber(call, subjectOf(call).grammarClass()); }

void builtinItems(tbuiltincall& call) {
    const tnode& object = subjectOf(call);
    const tnode* player = storyOf(call).player;
    setNumber(call, std::count_if(object.contents.begin(), object.contents.end(),
                                  [player](const tnode* n) { return n != player; }));
}

void builtinUsed(tbuiltincall& call) { setTruth(call, subjectOf(call).isMentioned()); }

void builtinName(tbuiltincall& call) { setNumber(call, subjectOf(call).nameIndex); }

void builtinRoom(tbuiltincall& call) {
    tnode* node = &subjectOf(call);
    // Locations may form a ring for a moment (a saved game is restored one
    // object at a time); a walk longer than the objects there are is one.
    std::size_t steps = node->rootOf()->children().size() + 1;
    while (node->location) {
        if (steps-- == 0) {
            invalidCall(call);
            return;
        }
        node = node->location;
    }
    call.result = node->name;
}

void builtinSizeof(tbuiltincall& call) {
    setNumber(call, call.node.elementCount(std::string(call.args[0].name()), call.line));
}

}  // namespace velmo
