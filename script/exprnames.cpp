// The evaluator's names: indexes, paths, variables, calls of story
// functions and built-ins, objects and attribute names.

#include <optional>
#include <utility>
#include <vector>

#include "game/wstrlib.h"
#include "script/builtins.h"
#include "script/expressionstate.h"
#include "script/stackguard.h"

namespace velmo {

namespace {

bool isDigit(char c) { return c >= '0' && c <= '9'; }

// Puts the variables of a running function aside while a call runs (a
// call of the same function clears them), and back afterwards. The
// storage moves; no text is copied.
class tvarsaside {
public:
    explicit tvarsaside(tnode& node) : node(node.getKind() == kKindFunction ? &node : nullptr) {
        if (this->node) {
            saved.emplace(std::move(this->node->vars));
            this->node->vars.clear();
        }
    }
    tvarsaside(const tvarsaside&) = delete;
    tvarsaside& operator=(const tvarsaside&) = delete;
    ~tvarsaside() {
        if (node) node->vars = std::move(*saved);
    }

private:
    tnode* node;
    std::optional<tvarlist> saved;
};

// Counts a call in the story's chain of nested calls.
class tdepth {
public:
    explicit tdepth(int32_t& counter) : counter(counter) { ++counter; }
    tdepth(const tdepth&) = delete;
    tdepth& operator=(const tdepth&) = delete;
    ~tdepth() { --counter; }

private:
    int32_t& counter;
};

} // namespace

const tvar* variableIn(tnode& node, std::string_view name, int32_t line, bool& bad) {
    const std::vector<tvar>& records = node.vars.Records();
    if (name.find('[') == std::string_view::npos) {
        // A plain name is the first record of that name: one scan.
        for (const tvar& record : records)
            if (record.name == name) return &record;
        return nullptr;
    }
    if (!node.vars.exists(name)) return nullptr;
    const std::ptrdiff_t at = node.vars.findIndex(name, line);
    if (at < 0) {
        bad = true;  // the list has reported the index
        return nullptr;
    }
    return &records[static_cast<std::size_t>(at)];
}

void texpression::evalName(tstate& s, const tctoken& token) {
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
// followed at run time.
void texpression::evalIndexedName(tstate& s, const tctoken& token) {
    const tindexpart& part = *token.index;
    if (!part.index || nesting >= kMaxIndexNesting) {
        invalid(s);
        return;
    }
    std::string value;
    ++nesting;
    struct tleave {
        int32_t& n;
        ~tleave() { --n; }
    } leave{nesting};
    Evaluate(s.line, *s.node, value, *part.index);
    if (failed) return;

    std::string name = part.before + value + part.after;
    tlevels lowered;
    tnode* current = s.node;
    std::size_t start = 0;
    for (std::size_t dot = name.find('.', 1); dot != std::string::npos;
         dot = name.find('.', start)) {
        current = pathStep(s, *current, std::string_view(name).substr(start, dot - start), name,
                           lowered);
        if (!current) return;
        start = dot + 1;
    }
    const bool onPath = start > 0;
    name.erase(0, start);
    act(s, token, *current, onPath, name);
    s.builtPrevious = std::move(name);
    s.previous = s.builtPrevious;
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
        if (tnode* object = root.findChild(part)) return object;
        // A variable whose value names the object: in the node or its
        // owners, else in the node's caller.
        bool bad = false;
        const tvar* variable = nullptr;
        for (tnode* n = &current; n && !variable && !bad; n = n->owner)
            variable = variableIn(*n, part, s.line, bad);
        if (!variable && !bad && current.caller)
            variable = variableIn(*current.caller, part, s.line, bad);
        if (variable) {
            if (tnode* object = root.findChild(variable->value)) return object;
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
    tnode* holder = &current;
    tnode* child = current.findChild(name);
    while (!child && !onPath && holder->owner) {
        holder = holder->owner;
        child = holder->findChild(name);
    }
    if (!child) {
        resolveOther(s, token, current, name);
    } else if (child->getKind() == kKindFunction) {
        callFunction(s, *holder, *child);
    } else {
        pushObject(*child);
    }
}

// Pushes the variable `name` if there is one, and takes it as the
// assignment target when it qualifies (only the first that does).
bool texpression::pushVariable(tstate& s, const tctoken& token, tnode& current, bool onPath,
                               std::string_view name) {
    tnode* where = nullptr;
    const tvar* variable = findVariable(s, current, onPath, name, where);
    if (!variable) return false;
    operands.Push(toperand{variable->type, variable->name, variable->value, 0, false});
    s.lastFound = where;
    if (s.form.assigns && !s.haveTarget && token.targetCandidate) {
        s.haveTarget = true;
        s.targetName = std::string(name);
        s.targetNode = where;
        if (s.node->caller) s.node = s.node->caller;
    }
    return true;
}

void texpression::resolveOther(tstate& s, const tctoken& token, tnode& current,
                               std::string_view name) {
    const bool computed = !token.index;  // the token's facts hold for this name
    const tafunction* builtin = computed ? token.builtin : findBuiltin(name);
    if (builtin) {
        callBuiltin(s, *builtin, current);
    } else if (computed ? token.hasFollows : hasFollowsName(s.form.text, name)) {
        PushText(operands, std::string(name), kTypeAttr);
    } else if (name == "NULL" || name == "super") {
        PushText(operands, "NULL", kTypeObject);
    } else {
        report(s, "unbekannter Bezeichner " + std::string(name));
    }
}

// The variable in the node and its owners up to the root, then in the
// superclass of the function's object and its owners, then in the caller
// and its owners. On a path only the path's node counts.
const tvar* texpression::findVariable(tstate& s, tnode& current, bool onPath,
                                      std::string_view name, tnode*& where) {
    bool bad = false;
    const tvar* found = nullptr;
    auto search = [&](tnode* from, bool chain) {
        for (tnode* n = from; n && !found && !bad; n = chain ? n->owner : nullptr) {
            found = variableIn(*n, name, s.line, bad);
            if (found) where = n;
        }
    };
    search(&current, !onPath);
    if (!onPath) {
        // The object that owns the function was searched above; only its
        // superclass adds anything.
        if (const tnode* object = s.node->owner; object && object->superClass)
            search(object->superClass, true);
        search(s.node->caller, true);
    }
    if (bad) invalid(s);
    return found;
}

void texpression::callFunction(tstate& s, tnode& holder, tnode& function) {
    std::string argText;
    if (!gatherArguments(s, function, argText)) return;
    int32_t& depth = runner_->callDepth();
    if (depth >= kMaxCallDepth || stackNearlyExhausted()) {
        report(s, "Zu viele verschachtelte Funktionsaufrufe");
        return;
    }
    std::string result;
    bool callFailed = false;
    {
        const tdepth counted(depth);
        const tvarsaside aside(*s.node);
        result = runner_->runFunction(s.line, holder, function.name, argText, callFailed);
    }
    if (callFailed) {
        failed = true;  // the run has reported its error
        return;
    }
    pushResult(function, result);
}

// Pops one operand per declared parameter (the last popped is the first
// argument) and joins their texts with ",".
bool texpression::gatherArguments(tstate& s, const tnode& function, std::string& argText) {
    const auto count = static_cast<std::size_t>(function.args.Count());
    std::vector<std::string> values(count);
    for (std::size_t i = count; i > 0; --i) {
        toperand argument;
        if (!operands.Pop(argument)) {
            invalid(s);
            return false;
        }
        values[i - 1] = std::move(argument.value);
    }
    for (std::size_t i = 0; i < count; ++i) {
        if (i > 0) argText += ',';
        argText += values[i];
    }
    if (!runner_) {
        invalid(s);
        return false;
    }
    return true;
}

void texpression::pushResult(const tnode& function, std::string& result) {
    PushText(operands, std::move(result), function.getValueType());
}

void texpression::pushObject(const tnode& object) { PushText(operands, object.name, kTypeObject); }

void texpression::callBuiltin(tstate& s, const tafunction& builtin, tnode& current) {
    const auto count = static_cast<std::size_t>(builtin.argCount > 0 ? builtin.argCount : 0);
    std::vector<toperand> args(count);
    for (std::size_t i = count; i > 0; --i) {
        if (!operands.Pop(args[i - 1])) {
            invalid(s);
            return;
        }
    }
    std::string result;
    tbuiltincall call{failed, s.line, current, args, result};
    builtin.handler(call);
    if (failed) return;
    PushText(operands, std::move(result), builtin.resultType);
}

} // namespace velmo
