#include "script/expression.h"

#include <exception>
#include <utility>

#include "game/wstrlib.h"
#include "script/expressionstate.h"
#include "story/abort.h"

namespace velmo {

namespace {

// Compiled forms of texts evaluated as text. When full it is emptied: the
// texts that matter are back in it after their next evaluation.
constexpr std::size_t kRecentForms = 64;

// The result of a failed evaluation. (Assigned as a character: GCC 12
// warns falsely about assigning the literal at high optimisation.)
void setZero(std::string& result) { result.assign(1, '0'); }

// Hands the operand stack back to the evaluation around this one, also
// when a call inside it unwinds with the abort.
class tstackfloor {
public:
    explicit tstackfloor(toperandstack& stack) : stack(stack), outer(stack.Enter()) {}
    tstackfloor(const tstackfloor&) = delete;
    tstackfloor& operator=(const tstackfloor&) = delete;
    ~tstackfloor() { stack.Leave(outer); }

private:
    toperandstack& stack;
    std::size_t outer;
};

} // namespace

void texpression::PushText(toperandstack& stack, std::string text, int32_t type) {
    toperand& slot = stack.PushSlot();
    slot.type = type;
    slot.name.assign(1, 'Q');
    slot.value = std::move(text);
    slot.hasNumber = false;
}

void texpression::PushInteger(toperandstack& stack, int32_t n) { stack.PushSlot().setInteger(n); }

void texpression::Evaluate(int32_t line, tnode& node, std::string& result,
                           std::string_view postfix) {
    if (failed) {
        setZero(result);
        return;
    }
    std::string key(postfix);
    auto found = recent.find(key);
    if (found == recent.end()) {
        if (recent.size() >= kRecentForms) recent.clear();
        found = recent.emplace(std::move(key), compileExpression(postfix)).first;
    }
    // Held here: an evaluation inside this one may empty the cache.
    const std::shared_ptr<const tcompiled> form = found->second;
    Evaluate(line, node, result, *form);
}

void texpression::Evaluate(int32_t line, tnode& node, std::string& result,
                           const tcompiled& form) {
    if (failed) {
        setZero(result);
        return;
    }
    tstate s(form, line, node);
    const tstackfloor floor(operands);
    for (const tctoken& token : form.tokens) {
        if (failed) break;
        try {
            step(s, token);
        } catch (const tabort&) {
            throw;
        } catch (const std::exception&) {
            invalid(s);  // no resources for the token: an invalid operation, not a crash
        }
    }
    finish(s, result);
}

// The result: "0" after a failure, else the top operand, else (an
// assignment took the last ones) the target's new value.
void texpression::finish(tstate& s, std::string& result) {
    if (failed) {
        setZero(result);
    } else if (toperand* top = operands.Peek()) {
        result.swap(top->value);
    } else if (!targetValue(s, result)) {
        invalid(s);
        setZero(result);
    }
}

void texpression::pushNumber(const tctoken& token) {
    toperand& slot = operands.PushSlot();
    slot.type = kTypeInt;
    slot.name.assign(1, 'Q');
    slot.value = token.value;
    slot.number = token.number;
    slot.hasNumber = true;
}

// Calls of story functions recurse through here, so the functions on that
// path keep their frames small: what needs temporaries lives in helpers
// that have returned before the call is made.
void texpression::step(tstate& s, const tctoken& token) {
    switch (token.kind) {
    case ttokenkind::kNumber:
        pushNumber(token);
        break;
    case ttokenkind::kText: pushLiteral(s, *s.node, token.value, token.tags.get()); break;
    case ttokenkind::kOperator: applyOperator(s, token.op); break;
    case ttokenkind::kSkip: break;
    case ttokenkind::kName:
        if (token.index) {
            evalIndexedName(s, token);
        } else {
            evalName(s, token);
        }
        return;  // the name itself becomes the previous token
    }
    s.previous = token.text;
}

// A string literal. Markup tags in it may name variables: the word two
// pieces after a piece that opens a tag is replaced by the value of a
// variable of that name, looked up in the node and its owners below the
// root. Then "actor" becomes the current actor's name.
void texpression::pushLiteral(tstate& s, tnode& current, const std::string& text,
                              const ttagpart* tags) {
    if (!tags) {
        PushText(operands, text, kTypeText);
        return;
    }
    std::string out;
    out.reserve(text.size() + 16);
    std::size_t next = 0;
    for (std::size_t i = 0; i < tags->pieces.size(); ++i) {
        const std::string& piece = tags->pieces[i];
        const tvar* variable = nullptr;
        if (next < tags->candidates.size() && tags->candidates[next] == i) {
            ++next;
            bool bad = false;
            for (tnode* n = &current; n && n->owner && !variable && !bad; n = n->owner)
                variable = variableIn(*n, piece, s.line, bad);
        }
        out += variable ? variable->value : piece;
    }
    if (const tnode* actor = s.story.actor) {
        static constexpr std::string_view kActor = "actor";
        for (std::size_t at = out.find(kActor); at != std::string::npos;
             at = out.find(kActor, at + actor->name.size())) {
            out.replace(at, kActor.size(), actor->name);
        }
    }
    PushText(operands, std::move(out), kTypeText);
}

bool texpression::targetValue(tstate& s, std::string& out) {
    if (!s.haveTarget) return false;
    bool bad = false;
    const tvar* variable = variableIn(*s.targetNode, s.targetName, s.line, bad, &s.targetHint);
    if (!variable) return false;
    out = variable->value;
    return true;
}

void texpression::invalid(tstate& s) { report(s, "ung\xFCltige Operation"); }

void texpression::report(tstate& s, const std::string& message) {
    s.story.services.showError(failed, s.line, message);
}

} // namespace velmo
