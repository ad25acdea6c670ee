// The statements that steer the order of execution: blocks, conditionals,
// loops, switch and return. They move the index through the function's
// records and keep the open loops on the interpreter's loop stack.

#include <vector>

#include "model/parsetree.h"
#include "model/story.h"
#include "script/compiledexpr.h"
#include "script/interpreter.h"
#include "script/jumptable.h"

namespace velmo {

namespace {

// A switch value of this form says that a case has matched; story values
// never have it.
const std::string kMatched(1, '\0');

bool isFalse(const std::string& value) { return value.size() == 1 && value[0] == '0'; }

// Sets the loop variable of a fetch for one candidate. The record is found
// by name the first time and then taken where it was (`slot`) while a
// record of that name is still there: a fetch over many objects does not
// search the list for every one. A name with an index is searched every
// time.
bool setFetchVariable(tvarlist& vars, std::ptrdiff_t& slot, const std::string& name,
                      const std::string& value, int32_t line) {
    const std::vector<tvar>& records = vars.RecordsAsTheyAre();
    if (slot >= 0 && static_cast<std::size_t>(slot) < records.size() &&
        records[static_cast<std::size_t>(slot)].name == name) {
        vars.at(static_cast<std::size_t>(slot)).value = value;
        return true;
    }
    if (!vars.setValue(name, value, line)) return false;
    slot = name.find('[') == std::string::npos ? vars.findIndex(name, line) : -1;
    return true;
}

}  // namespace

void tinterpreter::nothing(tnode&, const tcode&, int32_t&) {}

void tinterpreter::openBlock(tnode&, const tcode&, int32_t&) { ++depth; }

void tinterpreter::plainStatement(tnode& target, const tcode& record, int32_t&) {
    performWhole(target, record);
}

void tinterpreter::returnStatement(tnode& target, const tcode& record, int32_t&) {
    // The function goes on after "return": the value only becomes the
    // result, which a later "return" may overwrite. An integer is kept as
    // it is: most results go straight back into an expression, and only
    // Run writes its digits.
    const tcompiled* form = record.paramCount() == 1 ? compiledParam(record, 0) : nullptr;
    int32_t n = 0;
    if (form && evaluator.QuickNumber(record.line, target, *form, n)) {
        if (evaluator.Failed()) {
            failed = true;
            return;
        }
        returnIsInteger = true;
        returnNumber = n;
        valueZeroPending = true;  // as the parameter would have left it
        return;
    }
    if (!evaluateParams(target, record)) return;
    returnIsInteger = record.paramCount() == 1 && evaluator.LastWasInteger(returnNumber);
    if (!returnIsInteger) returnValue = values[0];
}

// ------------------------------------------------------------ if / else

void tinterpreter::ifStatement(tnode& target, const tcode& record, int32_t& index) {
    // A single condition is only asked whether it holds: no text is made.
    if (record.paramCount() == 1) {
        const bool holds = holdsParam(target, record, 0);
        if (evaluator.Failed()) failed = true;
        if (failed || holds) return;
    } else if (!evaluateParams(target, record) || !isFalse(values[0])) {
        return;
    }
    Skip(index);
    // Land on the "else" so that its branch runs next; a then-branch that
    // ran meets the "else" itself, which skips the else-branch.
    if (recordRow(index + 1) == kRowElse) ++index;
}

void tinterpreter::elseStatement(tnode&, const tcode&, int32_t& index) { Skip(index); }

// ---------------------------------------------------------------- loops

void tinterpreter::doStatement(tnode&, const tcode&, int32_t& index) {
    trunloop loop;
    loop.startIndex = index;
    loop.depth = depth;
    loop.loopKind = kLoopDo;
    loops.Push(std::move(loop));
}

void tinterpreter::forStatement(tnode& target, const tcode& record, int32_t& index) {
    loopDepth = depth;
    if (record.paramCount() != 3) {
        report(record.line, "Syntaxfehler");
        return;
    }
    performParam(target, record, 0);
    const bool holds = !evaluator.Failed() && holdsParam(target, record, 1);
    if (evaluator.Failed()) {
        failed = true;
        return;
    }
    if (!holds) {
        Skip(index);
        return;
    }
    trunloop loop;
    loop.condition = record.param(1);
    loop.step = record.param(2);
    loop.conditionForm = paramForm(record, 1, loop.ownedCondition);
    loop.stepForm = paramForm(record, 2, loop.ownedStep);
    loop.startIndex = index;
    loop.depth = depth;
    loop.loopKind = kLoopFor;
    loops.Push(std::move(loop));
}

void tinterpreter::whileStatement(tnode& target, const tcode& record, int32_t& index) {
    // A "while" right after the body of a "do" at this depth closes that
    // loop; otherwise it opens a loop of its own.
    trunloop* top = loops.Peek();
    const bool closesDo = top && top->loopKind == kLoopDo && top->depth >= depth;
    const bool holds = holdsWhole(target, record);
    if (failed) return;
    if (holds) {
        if (closesDo) {
            index = top->startIndex;
            return;
        }
        loopDepth = depth;
        trunloop loop;
        loop.condition = record.paramText;
        loop.conditionForm = wholeForm(record, loop.ownedCondition);
        loop.startIndex = index;
        loop.depth = depth;
        loop.loopKind = kLoopWhile;
        loops.Push(std::move(loop));
    } else if (closesDo) {
        loops.Drop();
    } else {
        Skip(index);
    }
}

// The end of a block: when it ends the body of the innermost loop, the
// loop either runs its body again (the index goes back to the loop
// statement, so the body's "{" comes next) or ends.
void tinterpreter::closeBlock(tnode& target, const tcode&, int32_t& index) {
    --depth;
    if (loops.IsEmpty()) return;
    story.services.checkMessages();
    // The front end may have dropped the loops while it let messages
    // through (its exit command does).
    trunloop* loop = loops.Peek();
    if (!loop || loop->depth != depth || loop->loopKind == kLoopDo) return;
    if (!continueLoop(target, *loop, index)) loops.Drop();
}

// True when the loop runs its body again; the index is then its start.
// The fetch has a call of its own: its text would cost every round of the
// other loops a larger frame.
bool tinterpreter::continueLoop(tnode& target, trunloop& loop, int32_t& index) {
    if (loop.loopKind == kLoopFetch) return nextFetched(target, loop, index);
    if (!loop.step.empty()) evaluator.Perform(currentLine, target, *loop.stepForm);
    const bool holds = evaluator.Holds(currentLine, target, *loop.conditionForm);
    if (evaluator.Failed()) failed = true;
    if (failed || !holds) return false;
    restartLoop(loop, index);
    return true;
}

// A fetch's next object, when one is left.
bool tinterpreter::nextFetched(tnode& target, trunloop& loop, int32_t& index) {
    std::string next;
    if (!loop.pending.Pop(next)) return false;
    if (!setFetchVariable(target.vars, loop.variableSlot, loop.condition, next, currentLine))
        failed = true;
    restartLoop(loop, index);
    return true;
}

// Back to the statement after the loop's own record. A "{" there does
// nothing but count the depth: it is counted here, so that every round
// of the loop does not run it as a statement of its own.
void tinterpreter::restartLoop(const trunloop& loop, int32_t& index) {
    index = loop.startIndex;
    const tcode* next = code->At(index + 1);
    if (next && next->row == kRowOpen && !next->hasReceiver()) {
        ++depth;
        ++index;
    }
}

// "fetch(variable, condition, everywhere)": visits the objects for which
// the condition holds, one per run of the body, with the variable naming
// the object. Candidates are the objects in scope, or every object that
// is not abstract when there is no scope or the third parameter is not
// "0". The objects are visited in the reverse order of finding them; the
// root's "count" tells how many there are.
void tinterpreter::fetchStatement(tnode& target, const tcode& record, int32_t& index) {
    loopDepth = depth;
    if (record.paramCount() < 2 || record.paramCount() > 3) {
        report(record.line, "Syntaxfehler in fetch");
        return;
    }
    const std::string variable(record.param(0));
    std::vector<tnode*> found;
    collectFetch(target, record, found);
    if (failed) return;
    tnode& root = *target.rootOf();
    if (!root.vars.setValue("count", std::to_string(found.size()), record.line)) {
        failed = true;
        return;
    }
    if (found.empty()) {
        if (!target.vars.setValue(variable, "NULL", record.line)) failed = true;
        Skip(index);
        return;
    }
    trunloop loop;
    loop.condition = variable;
    loop.startIndex = index;
    loop.depth = depth;
    loop.loopKind = kLoopFetch;
    for (std::size_t i = 0; i + 1 < found.size(); ++i) loop.pending.PushString(found[i]->name);
    if (!target.vars.setValue(variable, found.back()->name, record.line)) {
        failed = true;
        return;
    }
    loops.Push(std::move(loop));
}

namespace {

// Sets the story's fetched object for the length of one fetch, and puts
// back the one of a fetch further out (a condition may call a function
// that fetches) also when the abort passes through.
class tfetchedguard {
public:
    explicit tfetchedguard(tnode*& fetched) : slot(fetched), outer(fetched) {}
    ~tfetchedguard() { slot = outer; }
    tfetchedguard(const tfetchedguard&) = delete;
    tfetchedguard& operator=(const tfetchedguard&) = delete;

private:
    tnode*& slot;
    tnode* const outer;
};

}  // namespace

void tinterpreter::collectFetch(tnode& target, const tcode& record, std::vector<tnode*>& found) {
    bool everywhere = story.scope.empty();
    if (record.paramCount() == 3 && !everywhere) {
        evaluateParam(target, record, 2, scratch);
        everywhere = !isFalse(scratch);
    }
    // The candidates are taken first: a condition may call functions that
    // move objects and so change the scope list.
    std::vector<tstory::tfetchable> candidates;
    if (everywhere) {
        candidates = story.fetchableObjects();
    } else {
        for (tnode* node : story.scope.nodes()) candidates.push_back({node, false});
    }
    const std::string variable(record.param(0));
    // The condition's form is taken once, not for every candidate as
    // evaluateParam would take it.
    const tcompiled* condition = compiledParam(record, 1);
    std::ptrdiff_t slot = -1;
    const tfetchedguard guard(story.fetchedObject);
    for (const tstory::tfetchable& candidate : candidates) {
        if (evaluator.Failed()) break;
        if (!setFetchVariable(target.vars, slot, variable, candidate.node->name, record.line)) {
            failed = true;
            return;
        }
        story.fetchedObject = candidate.foundByName ? candidate.node : nullptr;
        if (condition)
            evaluator.Evaluate(record.line, target, scratch, *condition);
        else
            evaluateParam(target, record, 1, scratch);
        if (!evaluator.Failed() && fetchHolds()) found.push_back(candidate.node);
    }
    if (evaluator.Failed()) failed = true;
}

// Whether the condition's value in `scratch` takes the object: neither
// "0" nor "NULL". An integer is decided without reading the text.
bool tinterpreter::fetchHolds() const {
    int32_t number = 0;
    if (evaluator.LastWasInteger(number)) return number != 0;
    return !isFalse(scratch) && scratch != "NULL";
}

// "break" leaves the innermost loop or switch: it moves the index to the
// "}" that brings the depth back to where that loop or switch was opened.
// Where that brace lies is kept per record (script/jumptable.h).
void tinterpreter::breakStatement(tnode&, const tcode&, int32_t& index) {
    if (loopDepth < depth) {
        index = blockEnd(*code, index, depth - loopDepth);
        trunloop* top = loops.Peek();
        if (top && top->depth == loopDepth) loops.Drop();
        depth = loopDepth;
    } else if (loops.IsEmpty()) {
        // Nothing to leave: on to the end of the enclosing block.
        index = blockEnd(*code, index, 1);
    }
}

// --------------------------------------------------------------- switch

// The values of the open switches are kept in a ring of three slots, so
// that a switch inside a case branch does not lose the outer value.
void tinterpreter::switchStatement(tnode& target, const tcode& record, int32_t& index) {
    // A case past the end of a switch lowers the index; below the ring it
    // starts again at the first slot.
    switchIndex = (switchIndex > 1 || switchIndex < -1) ? 0 : switchIndex + 1;
    loopDepth = depth;
    if (!evaluateParams(target, record)) return;
    std::string& value = switchValues[static_cast<std::size_t>(switchIndex)];
    // A switch of the plain shape does at once what its "{" and the case
    // records up to the matching one would do in turn.
    const tswitchplan* plan = switchPlan(*code, index);
    if (!plan) {
        value = values[0];
        return;
    }
    ++depth;
    // An integer's text equals a label exactly when the label spells the
    // same integer.
    int32_t number = 0;
    const bool isInteger = record.paramCount() == 1 && evaluator.LastWasInteger(number);
    for (const tswitchplan::tcase& branch : plan->cases) {
        if (isInteger ? branch.isInteger && branch.number == number : branch.label == values[0]) {
            value = kMatched;
            index = branch.index;
            return;
        }
    }
    value = values[0];
    --switchIndex;
    index = plan->missIndex;
    if (plan->missAtEnd) depth = loopDepth;
}

// A case whose label equals the switch value (as text, not evaluated)
// lets its branch run; after a match every later case falls through. A
// case that does not match moves on to the next case or "default", or
// past the end of the switch.
void tinterpreter::caseStatement(tnode&, const tcode& record, int32_t& index) {
    if (switchIndex < 0 || switchIndex > 2) {
        report(record.line, "Syntaxfehler oder unbekannter Bezeichner");  // no switch is open
        return;
    }
    std::string& value = switchValues[static_cast<std::size_t>(switchIndex)];
    if (value == kMatched) return;
    if (value == record.paramText) {
        value = kMatched;
        return;
    }
    const int32_t count = code->Count();
    int32_t counter = depth;
    int32_t at = index;
    for (;;) {
        if (++at >= count) {
            index = count;
            return;
        }
        const int32_t row = code->At(at)->row;
        if (row == kRowOpen)
            ++counter;
        else if (row == kRowClose)
            --counter;
        else if (row == kRowDefault)
            --switchIndex;
        if (row == kRowCase || row == kRowDefault || counter == loopDepth) break;
    }
    if (counter == loopDepth) {
        --switchIndex;
        index = at;
        depth = loopDepth;
    } else {
        index = at - 1;
    }
}

}  // namespace velmo
