// The evaluator's names: indexes, paths, variables, calls of story
// functions and built-ins, objects and attribute names.

#include <utility>
#include <vector>

#include "base/wstrlib.h"
#include "script/builtins.h"
#include "script/expressionstate.h"
#include "script/stackguard.h"

namespace velmo {

namespace {

bool isDigit(char c) { return c >= '0' && c <= '9'; }

// Puts the variables of a running function aside while a call runs (a
// call of the same function clears them), and back afterwards. Only the
// records' storage changes hands; no text is copied. The function
// meanwhile gets the storage in `spare`, whose room earlier calls have
// grown, and gives it back emptied: a call then rarely allocates records.
// (Calls made by one evaluator do not nest; if they did, the inner one
// would find `spare` empty and the outer one's storage would be kept.)
class tvarsaside {
public:
    tvarsaside(tnode& function, std::vector<tvar>& spare)
        : node(function.getKind() == kKindFunction ? &function : nullptr), room(spare) {
        if (!node) return;
        saved.swap(room);
        shapeThen = node->vars.shape();
        node->vars.swapRecords(saved);
    }
    tvarsaside(const tvarsaside&) = delete;
    tvarsaside& operator=(const tvarsaside&) = delete;
    ~tvarsaside() {
        if (!node) return;
        node->vars.takeBackRecords(saved, shapeThen);
        saved.clear();
        room.swap(saved);
    }

private:
    tnode* node;
    std::vector<tvar>& room;
    std::vector<tvar> saved;  // the caller's records while the function runs
    uint64_t shapeThen = 0;   // their arrangement
};

// Counts a call in the story's chain of nested calls.
class tdepth {
public:
    explicit tdepth(int32_t& depth) : counter(depth) { ++counter; }
    tdepth(const tdepth&) = delete;
    tdepth& operator=(const tdepth&) = delete;
    ~tdepth() { --counter; }

private:
    int32_t& counter;
};

}  // namespace

// As the list's own lookup: the index is the number between the first "["
// and the first "]" after it (none: 0), counted in the whole list.
const tvar* variableIn(tnode& node, std::string_view name, int32_t line, bool& bad,
                       tvarhint* hint) {
    const std::size_t open = name.find('[');
    const std::string_view base = name.substr(0, open);
    const tvar* found =
        hint ? plainVariableIn(node, base, *hint) : scanFor(node.vars.RecordsAsTheyAre(), base);
    if (!found || open == std::string_view::npos) return found;

    const std::size_t close = name.find(']', open + 1);
    const std::string_view indexText =
        name.substr(open + 1, close == std::string_view::npos ? close : close - open - 1);
    const int64_t index = indexText.empty() ? 0 : toNumber(indexText);
    const int64_t position = (found - node.vars.RecordsAsTheyAre().data()) + index;
    if (position < 0 || position >= static_cast<int64_t>(node.vars.size())) {
        node.vars.findIndex(name, line);  // reports the index
        bad = true;
        return nullptr;
    }
    return &node.vars.RecordsAsTheyAre()[static_cast<std::size_t>(position)];
}

void texpression::evalName(tstate& s, const tctoken& token) {
    if (token.path.empty()) {
        act(s, token, *s.node, false, token.text);
        s.previous = token.text;
        return;
    }
    tlevels lowered;
    tnode* current = s.node;
    for (const std::string& part : token.path) {
        current = pathStep(s, *current, part, token.value, lowered);
        if (!current) return;
    }
    act(s, token, *current, !token.path.empty(), token.text);
    s.previous = token.text;
}

// A name with an index: the first bracket pair is evaluated and its value
// put in its place; then the path, which may now hold the value, is
// followed at run time. A plain element with an integer index is taken
// from the array at once when the array is in the context's own list.
void texpression::evalIndexedName(tstate& s, const tctoken& token) {
    const tindexpart& part = *token.index;
    if (!part.index || nesting >= kMaxIndexNesting) {
        invalid(s);
        return;
    }
    std::string value;
    int32_t element = 0;
    const tindexvalue got = simpleIndex(s, *part.index, value, element);
    if (got == tindexvalue::kNone && !evaluateIndex(s, *part.index, value)) return;
    bool isInteger = got == tindexvalue::kInteger;
    if (token.plainElement) {
        if (!isInteger) isInteger = exactInteger(value, element);
        if (isInteger && quickElement(s, token, element)) return;
    }
    if (got == tindexvalue::kInteger) { assignDecimal(value, element); }

    std::string name = part.before + value + part.after;
    tlevels lowered;
    tnode* current = s.node;
    std::size_t start = 0;
    for (std::size_t dot = name.find('.', 1); dot != std::string::npos;
         dot = name.find('.', start)) {
        current =
            pathStep(s, *current, std::string_view(name).substr(start, dot - start), name, lowered);
        if (!current) return;
        start = dot + 1;
    }
    const bool onPath = start > 0;
    name.erase(0, start);
    act(s, token, *current, onPath, name);
    s.builtPrevious = std::move(name);
    s.previous = s.builtPrevious;
}

// The index's value by a nested evaluation; false when it failed.
bool texpression::evaluateIndex(tstate& s, const tcompiled& index, std::string& value) {
    ++nesting;
    struct tleave {
        int32_t& n;
        ~tleave() { --n; }
    } leave{nesting};
    Evaluate(s.line, *s.node, value, index);
    return !failed;
}

// An index that is a number or a variable has its value at once, as the
// evaluation of its text would give it: an integer goes into `element`,
// a text into `value`. Anything else is left to a nested evaluation.
texpression::tindexvalue texpression::simpleIndex(tstate& s, const tcompiled& index,
                                                  std::string& value, int32_t& element) {
    if (index.tokens.size() != 1) return tindexvalue::kNone;
    const tctoken& token = index.tokens.front();
    if (token.kind == ttokenkind::kNumber) {
        element = token.number;
        return tindexvalue::kInteger;
    }
    if (token.kind != ttokenkind::kName || token.index || !token.path.empty())
        return tindexvalue::kNone;
    tnode* where = nullptr;
    const tvar* variable = plainVariableIn(*s.node, token.text, token.hint);
    if (!variable) variable = findVariable(s, *s.node, false, token.text, token, where);
    if (!variable) return tindexvalue::kNone;  // a function, an object, an error: evaluate it
    if (variable->exactNumber(element)) return tindexvalue::kInteger;
    value = variable->text();
    return tindexvalue::kText;
}

// The element `element` of the token's array, found in the context's own
// list (the first place the long way looks) and inside the list's bounds:
// pushed, and taken as the assignment target when it qualifies. False
// when the long way must decide.
bool texpression::quickElement(tstate& s, const tctoken& token, int32_t element) {
    tnode& node = *s.node;
    const tvar* first = plainVariableIn(node, token.index->array, token.hint);
    if (!first) return false;
    const std::vector<tvar>& records = node.vars.RecordsAsTheyAre();
    const int64_t position = (first - records.data()) + int64_t{element};
    if (position < 0 || position >= static_cast<int64_t>(records.size())) return false;
    operands.PushSlot().setVariableCopy(records[static_cast<std::size_t>(position)]);
    s.lastFound = &node;
    s.lastHint = &token.hint;
    if (token.targetCandidate && s.form.assigns && !s.haveTarget) {
        takeTarget(s, token, node, token.index->array);
        s.targetElement = true;
        s.targetOffset = element;
    }
    s.previous = token.text;  // no increment follows a plain element
    return true;
}

// What the token's first character asks for, once the path is followed.
void texpression::act(tstate& s, const tctoken& token, tnode& current, bool onPath,
                      std::string_view name) {
    if (name.empty()) return;
    if (isNameStart(name.front())) {
        resolveName(s, token, current, onPath, name);
    } else {
        actOther(s, current, name);
    }
}

// A path whose last part is no name: a number, a literal or an operator.
void texpression::actOther(tstate& s, tnode& current, std::string_view name) {
    const char first = name.front();
    if (isDigit(first)) {
        PushInteger(operands, toNumber(name));
    } else if (first == '"') {
        std::string text;
        for (char c : name)
            if (c != '"') text += c;
        ttagpart tags;
        if (text.find('<') != std::string::npos) {
            tags.pieces = splitTagPieces(text);
            tags.candidates = tagCandidates(tags.pieces);
        }
        pushLiteral(s, current, text, tags.pieces.empty() ? nullptr : &tags);
    } else if (isEvalOperator(first)) {
        applyOperator(s, static_cast<unsigned char>(first));
    }
}

// One part of a path: the node it leads to, or null after a report.
tnode* texpression::pathStep(tstate& s, tnode& current, std::string_view part,
                             std::string_view whole, tlevels& lowered) {
    tnode* next = nullptr;
    if (part == "actor" || part == "player") {
        next = part == "actor" ? s.story.actor : s.story.player;
    } else if (part == "super") {
        // The owner, with its level lowered for the rest of the token, so
        // that its lookup passes over its own overrides.
        next = current.owner;
        if (next && !lowered.lower(*next)) next = nullptr;
    } else {
        tnode& root = s.story.root();
        // Mostly the part is a variable holding an object's name: the
        // story's name set rules out the search for a node of that name.
        if (s.story.nodeNames.mayHold(part)) {
            if (tnode* object = root.findChild(part)) return object;
        }
        // A variable whose value names the object: in the node or its
        // owners, else in the node's caller.
        bool bad = false;
        const tvar* variable = nullptr;
        for (tnode* n = &current; n && !variable && !bad; n = n->owner)
            variable = variableIn(*n, part, s.line, bad);
        if (!variable && !bad && current.caller)
            variable = variableIn(*current.caller, part, s.line, bad);
        if (variable) {
            if (tnode* object = root.findChild(variable->text())) return object;
        }
        if (bad) {
            invalid(s);
        } else {
            report(s, "unbekannter Bezeichner " + std::string(whole));
        }
        return nullptr;
    }
    if (!next) invalid(s);  // no actor, no player, or nothing above
    return next;
}

// A name is a variable, else a story function or an object, else a
// built-in, else an attribute name or "NULL"; anything else is unknown.
void texpression::resolveName(tstate& s, const tctoken& token, tnode& current, bool onPath,
                              std::string_view name) {
    if (pushVariable(s, token, current, onPath, name) || failed) return;
    resolveNode(s, token, current, onPath, name);
}

// A name that no variable holds: a story function or an object, else
// what resolveOther decides.
void texpression::resolveNode(tstate& s, const tctoken& token, tnode& current, bool onPath,
                              std::string_view name) {
    tnode* child = nullptr;
    if (token.index) {
        if (s.story.nodeNames.mayHold(name)) child = findNode(current, onPath, name);
    } else if (lookupKept(token, current)) {
        child = token.lookupFound;  // nothing the search depends on has changed since
    } else {
        // A token without an index names `name` as it stands, hashed once.
        if (s.story.nodeNames.mayHoldHashed(token.textHash))
            child = findNode(current, onPath, name);
        token.lookupFrom = &current;
        token.lookupFound = child;
        token.lookupCount = tnode::lookupChanges();
    }
    if (!child) {
        resolveOther(s, token, current, name);
    } else if (child->getKind() == kKindFunction) {
        callFunction(s, *child);
    } else {
        pushObject(*child);
    }
}

// The child `name` of the node, else (off a path) of its owners up to the
// root; null when there is none.
tnode* texpression::findNode(tnode& current, bool onPath, std::string_view name) {
    tnode* holder = &current;
    tnode* child = current.findChild(name);
    while (!child && !onPath && holder->owner) {
        holder = holder->owner;
        child = holder->findChild(name);
    }
    return child;
}

// Pushes the variable `name` if there is one.
bool texpression::pushVariable(tstate& s, const tctoken& token, tnode& current, bool onPath,
                               std::string_view name) {
    tnode* where = nullptr;
    const tvar* variable = findVariable(s, current, onPath, name, token, where);
    if (!variable) return false;
    pushFound(s, token, *variable, *where, name);
    return true;
}

// The first variable that qualifies is the assignment target. The rest
// of the expression then runs in the context of the node's caller, if it
// has one.
void texpression::takeTarget(tstate& s, const tctoken& token, tnode& where, std::string_view name) {
    s.haveTarget = true;
    if (token.index) {
        // The name was built for this evaluation only.
        s.targetBuilt = name;
        s.targetName = s.targetBuilt;
    } else {
        s.targetName = name;
    }
    s.targetIndexed = token.index != nullptr;
    s.targetNode = &where;
    s.targetHint = token.hint;
    if (s.node->caller) s.node = s.node->caller;
}

void texpression::resolveOther(tstate& s, const tctoken& token, tnode& current,
                               std::string_view name) {
    const bool computed = !token.index;  // the token's facts hold for this name
    const tafunction* builtin = computed ? token.builtin : findBuiltin(name);
    if (builtin) {
        callBuiltin(s, *builtin, current);
    } else if (computed ? token.hasFollows : hasFollowsName(s.form.text, name)) {
        operands.PushSlot().setText(name, kTypeAttr);
    } else if (name == "NULL" || name == "super") {
        operands.PushSlot().setText("NULL", kTypeObject);
    } else {
        report(s, "unbekannter Bezeichner " + std::string(name));
    }
}

// The variable in the node and its owners up to the root, then in the
// superclass of the function's object and its owners, then in the caller
// and its owners. On a path only the path's node counts. A token without
// an index names exactly `name`: its lists are searched without looking
// for an index first, which matters most where the search fails (every
// call of a story function by name). Such a name is the token's text, and
// one that no variable list has ever held is not searched for at all.
const tvar* texpression::findVariable(tstate& s, tnode& current, bool onPath, std::string_view name,
                                      const tctoken& token, tnode*& where) {
    bool bad = false;
    const tvar* found = nullptr;
    const bool plain = !token.index;
    if (plain && !tvarlist::heldNames().mayHoldHashed(token.textHash)) return nullptr;
    // The later chains end where the first one did (at the root): the
    // lists there were searched already.
    tnode* top = nullptr;
    auto search = [&](tnode* from, bool chain, bool first) {
        for (tnode* n = from; n && n != top && !found && !bad; n = chain ? n->owner : nullptr) {
            found = plain ? plainVariableIn(*n, name, token.hint)
                          : variableIn(*n, name, s.line, bad, &token.hint);
            if (found) where = n;
            if (first && !n->owner) top = n;
        }
    };
    search(&current, !onPath, true);
    if (!onPath) {
        // The object that owns the function was searched above; only its
        // superclass adds anything.
        if (const tnode* object = s.node->owner; object && object->superClass)
            search(object->superClass, true, false);
        search(s.node->caller, true, false);
    }
    if (bad) invalid(s);
    return found;
}

void texpression::callFunction(tstate& s, tnode& function) {
    const auto count = static_cast<std::size_t>(function.args.Count());
    if (operands.Count() < count || !runner_) {
        invalid(s);
        return;
    }
    int32_t& depth = runner_->callDepth();
    if (depth >= kMaxCallDepth || stackNearlyExhausted()) {
        report(s, "Zu viele verschachtelte Funktionsaufrufe");
        return;
    }
    // The arguments lie on the stack in order, the first lowest; the run
    // binds them before anything else can touch this stack.
    const std::span<toperand> args(count ? operands.Peek(count - 1) : nullptr, count);
    bool callFailed = false;
    tcallresult result = runCall(s, function, args, depth, callFailed);
    operands.Drop(count);
    if (callFailed) {
        failed = true;  // the run has reported its error
        return;
    }
    if (result.isInteger) {
        if (function.getValueType() == kTypeInt) {
            operands.PushSlot().setInteger(result.number);
            return;
        }
        assignDecimal(result.text, result.number);
    }
    pushResult(function, result.text);
}

// The call itself, counted and with the caller's locals set aside. The
// result is made in place, not moved: every call passes here.
inline tcallresult texpression::runCall(tstate& s, tnode& function, std::span<toperand> args,
                                        int32_t& depth, bool& callFailed) {
    const tdepth counted(depth);
    const tvarsaside aside(*s.node, spareLocals);
    return runner_->runFunction(s.line, function, args, callFailed);
}

void texpression::pushResult(const tnode& function, std::string& result) {
    PushText(operands, std::move(result), function.getValueType());
}

void texpression::pushObject(const tnode& object) {
    operands.PushSlot().setText(object.name, kTypeObject);
}

// The arguments stay on the stack while the built-in runs: they lie there
// in order, the first argument lowest.
void texpression::callBuiltin(tstate& s, const tafunction& builtin, tnode& current) {
    const auto count = static_cast<std::size_t>(builtin.argCount > 0 ? builtin.argCount : 0);
    if (operands.Count() < count) {
        invalid(s);
        return;
    }
    toperand* const first = count ? operands.Peek(count - 1) : nullptr;
    for (std::size_t i = 0; i < count; ++i)
        if (!((builtin.integerArgs >> i) & 1u)) first[i].makeTextIfLazy();
    const std::span<const toperand> args(first, count);
    std::string result;
    tbuiltincall call{failed, s.line, current, args, result, false, 0};
    builtin.handler(call);
    operands.Drop(count);
    if (failed) return;
    if (!call.isInteger) {
        PushText(operands, std::move(result), builtin.resultType);
    } else if (builtin.resultType == kTypeInt) {
        operands.PushSlot().setInteger(call.number);  // its digits are written when read
    } else {
        char digits[kMaxIntDigits];
        operands.PushSlot().setText(std::string_view(digits, decimalText(call.number, digits)),
                                    builtin.resultType);
    }
}

}  // namespace velmo
