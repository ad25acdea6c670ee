#include "script/expression.h"

#include <exception>
#include <utility>

#include "base/internalerror.h"
#include "script/expressionstate.h"

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
    explicit tstackfloor(toperandstack& operands) : stack(operands), outer(operands.Enter()) {}
    tstackfloor(const tstackfloor&) = delete;
    tstackfloor& operator=(const tstackfloor&) = delete;
    ~tstackfloor() { stack.Leave(outer); }

private:
    toperandstack& stack;
    std::size_t outer;
};

}  // namespace

void texpression::PushText(toperandstack& stack, std::string&& text, int32_t type) {
    toperand& slot = stack.PushSlot();
    slot.type = type;
    slot.value = std::move(text);
    slot.hasNumber = false;
    slot.lazy = false;
    slot.setTemporary();
}

void texpression::PushInteger(toperandstack& stack, int32_t n) { stack.PushSlot().setInteger(n); }

void texpression::Evaluate(int32_t line, tnode& node, std::string& result,
                           std::string_view postfix) {
    if (failed) {
        setZero(result);
        return;
    }
    auto found = recent.find(postfix);
    if (found == recent.end()) {
        if (recent.size() >= kRecentForms) recent.clear();
        found = recent.emplace(std::string(postfix), compileExpression(postfix)).first;
    }
    // Held here: an evaluation inside this one may empty the cache.
    const std::shared_ptr<const tcompiled> form = found->second;
    Evaluate(line, node, result, *form);
}

// The quick run is tried first, in each of these three, which every loop
// round calls. (Written out in each rather than through a helper: without
// optimisation a helper's frame would lie on the stack of every nested
// call of a story function.)
void texpression::Evaluate(int32_t line, tnode& node, std::string& result, const tcompiled& form) {
    if (form.quick && !failed &&
        quickRun(line, node, form, twant::kText, &result) != tquickrun::kNotRun)
        return;
    if (form.quickSingle && !failed &&
        quickSingle(node, form, twant::kText, &result) != tquickrun::kNotRun)
        return;
    evaluate(line, node, form, twant::kText, &result);
}

bool texpression::QuickNumber(int32_t line, tnode& node, const tcompiled& form, int32_t& n) {
    tquickrun ran = tquickrun::kNotRun;
    if (failed) return false;
    if (form.quick)
        ran = quickRun(line, node, form, twant::kNumber, nullptr);
    else if (form.quickSingle)
        ran = quickSingle(node, form, twant::kNumber, nullptr);
    n = lastNumber;
    return ran != tquickrun::kNotRun;
}

bool texpression::Holds(int32_t line, tnode& node, const tcompiled& form) {
    if (form.quick && !failed) {
        const tquickrun ran = quickRun(line, node, form, twant::kTruth, nullptr);
        if (ran != tquickrun::kNotRun) return ran == tquickrun::kTrue;
    } else if (form.quickSingle && !failed) {
        const tquickrun ran = quickSingle(node, form, twant::kTruth, nullptr);
        if (ran != tquickrun::kNotRun) return ran == tquickrun::kTrue;
    }
    return evaluate(line, node, form, twant::kTruth, nullptr);
}

void texpression::Perform(int32_t line, tnode& node, const tcompiled& form) {
    if (form.quick && !failed &&
        quickRun(line, node, form, twant::kNothing, nullptr) != tquickrun::kNotRun)
        return;
    evaluate(line, node, form, twant::kNothing, nullptr);
}

// Runs the tokens the long way; the value goes into `text` or becomes the
// truth that is returned, as the caller wants.
bool texpression::evaluate(int32_t line, tnode& node, const tcompiled& form, twant want,
                           std::string* text) {
    if (failed) {
        if (text) setZero(*text);
        return false;
    }
    lastInteger = false;
    // The quick ways only a statement of its own takes: a copy, a text
    // built and assigned.
    if (want == twant::kNothing && (form.quickCopy || form.quickJoin) &&
        (form.quickCopy ? quickCopy(node, form) : quickJoin(node, form)))
        return false;
    tstate s(form, line, node);
    const tstackfloor floor(operands);
    try {
        run(s);
    } catch (const std::exception& failure) {
        // No resources for a token: an invalid operation, not a crash.
        reportInternalError("Ausdruck", failure);
        invalid(s);
    }
    return finish(s, want, text);
}

// The value: "0" after a failure, else the top operand, else (an
// assignment took the last ones) the target's new value. Returns whether
// it is true.
bool texpression::finish(tstate& s, twant want, std::string* text) {
    if (failed) {
        if (text) setZero(*text);
        return false;
    }
    if (toperand* top = operands.Peek()) {
        if (want != twant::kText) return !top->isFalse();
        if (top->lazy) {
            assignDecimal(*text, top->number);
            lastInteger = true;
            lastNumber = top->number;
        } else {
            text->swap(top->value);
        }
        return true;
    }
    // Only an assignment empties the stack, and nothing after the last
    // one can take its target away: a statement that wants no value has
    // nothing left to look at.
    if (want == twant::kNothing && s.haveTarget) return false;
    bool bad = false;
    const tvar* target = targetRecord(s, bad);
    if (!target) {
        invalid(s);
        if (text) setZero(*text);
        return false;
    }
    if (want == twant::kText) *text = target->text();
    int32_t n = 0;
    return target->exactNumber(n) ? n != 0
                                  : !(target->value.size() == 1 && target->value[0] == '0');
}

// A string literal. Markup tags in it may name variables: the word two
// pieces after a piece that opens a tag is replaced by the value of a
// variable of that name, looked up in the node and its owners below the
// root. Then "actor" becomes the current actor's name.
void texpression::pushLiteral(tstate& s, tnode& current, const std::string& text,
                              const ttagpart* tags) {
    if (!tags) {
        operands.PushSlot().setText(text, kTypeText);  // into the slot's room, no copy between
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
        out += variable ? variable->text() : piece;
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

const tvar* texpression::targetRecord(tstate& s, bool& bad) {
    if (!s.haveTarget) return nullptr;
    tnode& node = *s.targetNode;
    if (s.targetElement) {
        const tvar* first = plainVariableIn(node, s.targetName, s.targetHint);
        const std::vector<tvar>& records = node.vars.RecordsAsTheyAre();
        const int64_t position = first ? (first - records.data()) + int64_t{s.targetOffset} : -1;
        if (position >= 0 && position < static_cast<int64_t>(records.size()))
            return &records[static_cast<std::size_t>(position)];
        // The list changed in between: the long way, by the element's
        // name, which reports what is wrong.
        s.targetBuilt += '[';
        appendDecimal(s.targetBuilt, s.targetOffset);
        s.targetBuilt += ']';
        s.targetName = s.targetBuilt;
        s.targetElement = false;
    }
    if (!s.targetIndexed) return plainVariableIn(node, s.targetName, s.targetHint);
    return variableIn(node, s.targetName, s.line, bad, &s.targetHint);
}

void texpression::invalid(tstate& s) { report(s, "ung\xFCltige Operation"); }

bool texpression::appendText(tstate& s, toperand& a, const toperand& b) {
    if (!b.lazy) return appendText(s, a, b.value);
    // An integer's digits go straight behind the text.
    char digits[kMaxIntDigits];
    return appendText(s, a, std::string_view(digits, decimalText(b.number, digits)));
}

bool texpression::appendText(tstate& s, toperand& a, std::string_view tail) {
    a.makeTextIfLazy();
    if (a.value.size() + tail.size() > kMaxTextLength) {
        report(s, "Text zu lang");
        return false;
    }
    a.value += tail;
    return true;
}

void texpression::report(tstate& s, const std::string& message) {
    s.story.services.showError(failed, s.line, message);
}

}  // namespace velmo
