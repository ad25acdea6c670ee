#include "script/interpreter.h"

#include <exception>

#include "base/abort.h"
#include "base/scopedcount.h"
#include "model/parsetree.h"
#include "model/story.h"
#include "script/callargs.h"
#include "script/skiptable.h"
#include "script/stackguard.h"

namespace velmo {

namespace {

const char* const kRunFailed = "Syntaxfehler oder unbekannter Bezeichner";
const char* const kTooDeep = "Zu viele verschachtelte Funktionsaufrufe";

// Calls nested deeper than this make their interpreter afresh.
constexpr int32_t kPooledCallDepth = 64;

// Raises the level of the object that a "super" statement lowered, when
// the statement is done (also when it unwinds with the abort).
class tlevelguard {
public:
    tlevelguard() = default;
    tlevelguard(const tlevelguard&) = delete;
    tlevelguard& operator=(const tlevelguard&) = delete;
    ~tlevelguard() {
        if (node) node->setLevel(node->getLevel() + 1);
    }
    void lower(tnode* owner) {
        node = owner;
        if (node) node->setLevel(node->getLevel() - 1);
    }

private:
    tnode* node = nullptr;
};

}  // namespace

// The handler of each keyword-table row, in table order. Rows whose
// statements do their work when the story is loaded ("void", "class",
// "restore", function headers, "default", "verb") do nothing here.
const std::array<tinterpreter::thandler, kKeywordRows> tinterpreter::kHandlers{{
    &tinterpreter::openBlock,              // {
    &tinterpreter::closeBlock,             // }
    &tinterpreter::writeStatement,         // write
    &tinterpreter::ifStatement,            // if
    &tinterpreter::elseStatement,          // else
    &tinterpreter::declareInt,             // int
    &tinterpreter::nothing,                // void
    &tinterpreter::declareString,          // string
    &tinterpreter::nothing,                // verb
    &tinterpreter::setLongStatement,       // setLong
    &tinterpreter::setShortStatement,      // setShort
    &tinterpreter::withStatement,          // with
    &tinterpreter::plainStatement,         // statement without keyword
    &tinterpreter::nothing,                // function header
    &tinterpreter::addScoresStatement,     // addScores
    &tinterpreter::boxStatement,           // box
    &tinterpreter::breakStatement,         // break
    &tinterpreter::nothing,                // class
    &tinterpreter::caseStatement,          // case
    &tinterpreter::nothing,                // default
    &tinterpreter::doStatement,            // do
    &tinterpreter::fetchStatement,         // fetch
    &tinterpreter::fileStatement,          // file
    &tinterpreter::firstWordStatement,     // firstWord
    &tinterpreter::forStatement,           // for
    &tinterpreter::haltStatement,          // halt
    &tinterpreter::inspectStatement,       // inspect
    &tinterpreter::movetoStatement,        // moveto
    &tinterpreter::declareObject,          // object
    &tinterpreter::quitStatement,          // quit
    &tinterpreter::repeatStatement,        // repeat
    &tinterpreter::nothing,                // restore
    &tinterpreter::returnStatement,        // return
    &tinterpreter::setTimeStatement,       // setTime
    &tinterpreter::setNounStatement,       // setNoun
    &tinterpreter::setPlayerStatement,     // setPlayer
    &tinterpreter::splitStatement,         // split
    &tinterpreter::statusFormatStatement,  // StatusLineFormat
    &tinterpreter::startDaemonStatement,   // startDaemon
    &tinterpreter::startTimerStatement,    // startTimer
    &tinterpreter::stopDaemonStatement,    // stopDaemon
    &tinterpreter::stopTimerStatement,     // stopTimer
    &tinterpreter::switchStatement,        // switch
    &tinterpreter::toggleStatement,        // toggle
    &tinterpreter::whileStatement,         // while
    &tinterpreter::openWinStatement,       // openWin
    &tinterpreter::closeWinStatement,      // closeWin
}};

tinterpreter::tinterpreter(tstory& owner) : story(owner), evaluator(this) {}

tinterpreter::~tinterpreter() = default;

int32_t& tinterpreter::callDepth() { return story.callDepth; }

void tinterpreter::report(int32_t line, const std::string& message) {
    story.services.showError(failed, line, message);
}

// ------------------------------------------------------------------ Run

void tinterpreter::Run(int32_t line, tnode* node, std::string& result, const std::string& argText,
                       const std::string& name) {
    // A failed interpreter runs nothing any more, now or later.
    if (failed) {
        returnText(result);
        return;
    }
    tnode* found = node ? node->findInScope(name) : nullptr;
    if (!found) {
        refuseRun(line, kRefusedMissing, name);
    } else {
        runFound(line, *found, &argText, {});
    }
    returnText(result);
}

void tinterpreter::returnText(std::string& result) const {
    if (!returnIsInteger) {
        result = returnValue;
        return;
    }
    assignDecimal(result, returnNumber);
}

void tinterpreter::runFound(int32_t line, tnode& found, const std::string* argText,
                            std::span<toperand> args) {
    if (story.runDepth >= kMaxRunDepth || stackNearlyExhausted()) {
        refuseRun(line, kRefusedTooDeep, found.name);
        return;
    }
    runBound(line, found, argText, args);
}

// runFound once the depth is known to be safe: a call from an expression
// has checked the chain of calls and the machine stack just before.
void tinterpreter::runBound(int32_t line, tnode& found, const std::string* argText,
                            std::span<toperand> args) {
    // Counts this run in the story's chain of runs that are active at once.
    const tscopedcount counted(story.runDepth);
    currentLine = line;
    try {
        // Story code that recurses without ever closing a loop body would
        // otherwise never let the host in: no key, no closing window and
        // no Ctrl+C could stop it. Every 256th run asks, so that a call
        // costs next to nothing.
        if ((++story.runsSinceMessages & 0xFF) == 0) story.services.checkMessages();
        if (found.getKind() == kKindFunction) found.vars.clear();
        const bool bound = argText ? found.args.Bind(line, *argText, found.vars)
                                   : bindArguments(line, found, args);
        if (bound) runRecords(found);
    } catch (const tabort&) {
        failed = true;
        throw;
    } catch (const std::exception&) { refuseRun(currentLine, kRefusedFailed, found.name); }
}

// The reports of Run, kept out of it: every level of recursion pays for
// Run's frame.
void tinterpreter::refuseRun(int32_t line, trefusal why, const std::string& name) {
    switch (why) {
    case kRefusedMissing: report(line, "Funktion " + name + " nicht deklariert"); break;
    case kRefusedTooDeep: report(line, kTooDeep); break;
    case kRefusedFailed: report(line, kRunFailed); break;
    }
}

// The records of one function, from the first to the last, unless a
// failure stops them.
void tinterpreter::runRecords(tnode& fn) {
    // Runs on one interpreter do not nest in practice (calls from
    // expressions get their own), but if the front end ever starts one
    // from inside another, the outer run gets its function back.
    struct tframe {
        tinterpreter& self;
        tnode* function;
        const tcodelist* code;
        std::size_t openLoops;
        int32_t depth;
        ~tframe() {
            // Loops that this run opened and left open (a "break" out of
            // a do loop leaves its record) hold indexes into this
            // function's records: they must not steer the next run.
            while (self.loops.Count() > openLoops) self.loops.Drop();
            self.function = function;
            self.code = code;
            self.depth = depth;
        }
    } frame{*this, function, code, loops.Count(), depth};

    function = &fn;
    code = &fn.code;
    depth = 0;
    int32_t index = 0;
    while (!failed && index < code->Count()) {
        const tcode& record = *code->At(index);
        currentLine = record.line;
        tlevelguard level;
        tnode* target = &fn;
        if (record.hasReceiver()) {
            if (record.receiver() == "super") {
                level.lower(fn.getOwner());
            } else {
                target = chooseTarget(fn, record);
                if (!target) break;
            }
        }
        if (record.row < 0 || record.row >= kKeywordRows) {
            report(record.line, kRunFailed);
            break;
        }
        (this->*kHandlers[static_cast<std::size_t>(record.row)])(*target, record, index);
        ++index;
    }
}

// The object a statement with a receiver acts on: the receiver's value
// names it (an object, or a variable that holds one). The object learns
// that the running function called it.
tnode* tinterpreter::chooseTarget(tnode& fn, const tcode& record) {
    std::string& value = scratch;
    evaluator.Evaluate(record.line, fn, value, record.receiver());
    if (evaluator.Failed()) {
        failed = true;
        return nullptr;
    }
    tnode* target = fn.findClass(record.line, &failed, value);
    if (target) target->caller = &fn;
    return target;
}

tcallresult tinterpreter::runFunction(int32_t line, tnode& called, std::span<toperand> args,
                                      bool& callFailed) {
    // A fresh interpreter for the call, destroyed right after it: calls
    // inside the called function get their own in turn. It lives on the
    // heap so that deep recursion costs the machine stack only frames.
    // The interpreter of the previous call is taken again, made fresh.
    std::unique_ptr<tinterpreter> nested = std::move(spare);
    if (nested)
        nested->reset();
    else
        nested = std::make_unique<tinterpreter>(story);
    nested->runBound(line, called, nullptr, args);
    callFailed = nested->Failed();
    // The nested interpreter is made fresh before it runs again: its
    // result is taken, not copied.
    tcallresult result;
    result.isInteger = nested->returnIsInteger;
    result.number = nested->returnNumber;
    if (!result.isInteger) result.text = std::move(nested->returnValue);
    // Kept only near the top of a chain of calls: a deep recursion would
    // otherwise hold one interpreter per level for as long as this one
    // lives.
    if (story.callDepth <= kPooledCallDepth) spare = std::move(nested);
    return result;
}

void tinterpreter::reset() {
    failed = false;
    returnIsInteger = true;
    returnNumber = 0;
    // The switch values are left as they are: a case reads only a slot
    // that a switch of the same run has written.
    switchIndex = -1;
    loopDepth = 0;
    depth = 0;
    loops.Clear();
    // Most runs leave most slots as they found them.
    for (std::string& value : values)
        if (value.size() != 1 || value[0] != '0') value.assign(1, '0');
    valueZeroPending = false;
    evaluator.Reset();
    function = nullptr;
    code = nullptr;
    currentLine = 0;
}

void tinterpreter::ClearLoops() { loops.Clear(); }

tnode* tinterpreter::PlayerReady() const {
    tnode* player = story.player;
    return player && player->location ? player : nullptr;
}

// ----------------------------------------------------------- parameters

bool tinterpreter::evaluateParam(tnode& target, const tcode& record, std::size_t i,
                                 std::string& out) {
    if (const tcompiled* form = compiledParam(record, i))
        evaluator.Evaluate(record.line, target, out, *form);
    else
        evaluator.Evaluate(record.line, target, out, record.param(i));
    return !evaluator.Failed();
}

// Every parameter into `values`, in order. A statement has at most four;
// the slots it does not fill keep their values.
bool tinterpreter::evaluateParams(tnode& target, const tcode& record) {
    if (valueZeroPending) {
        assignDecimal(values[0], returnNumber);
        valueZeroPending = false;
    }
    const std::size_t count = record.paramCount();
    if (count > values.size()) {
        report(record.line, "Falsche Anzahl von Parametern oder Syntaxfehler");
        return false;
    }
    for (std::size_t i = 0; i < count && !evaluator.Failed(); ++i)
        evaluateParam(target, record, i, values[i]);
    if (evaluator.Failed()) failed = true;
    return !failed;
}

// The statement's whole parameter text as one expression. With one
// parameter that is the parameter itself, already compiled.
void tinterpreter::evaluateWhole(tnode& target, const tcode& record, std::string& out) {
    if (record.paramCount() == 1)
        evaluateParam(target, record, 0, out);
    else
        evaluator.Evaluate(record.line, target, out, record.paramText);
    if (evaluator.Failed()) failed = true;
}

void tinterpreter::performParam(tnode& target, const tcode& record, std::size_t i) {
    if (const tcompiled* form = compiledParam(record, i))
        evaluator.Perform(record.line, target, *form);
    else
        evaluator.Evaluate(record.line, target, scratch, record.param(i));
}

bool tinterpreter::holdsParam(tnode& target, const tcode& record, std::size_t i) {
    if (const tcompiled* form = compiledParam(record, i))
        return evaluator.Holds(record.line, target, *form);
    evaluator.Evaluate(record.line, target, scratch, record.param(i));
    return !evaluator.Failed() && scratch != "0";
}

void tinterpreter::performWhole(tnode& target, const tcode& record) {
    if (record.paramCount() == 1)
        performParam(target, record, 0);
    else
        evaluator.Evaluate(record.line, target, scratch, record.paramText);
    if (evaluator.Failed()) failed = true;
}

bool tinterpreter::holdsWhole(tnode& target, const tcode& record) {
    bool holds = false;
    if (record.paramCount() == 1) {
        holds = holdsParam(target, record, 0);
    } else {
        evaluator.Evaluate(record.line, target, scratch, record.paramText);
        holds = scratch != "0";
    }
    if (evaluator.Failed()) failed = true;
    return holds && !failed;
}

// The compiled form of the whole parameter text, for a loop that keeps
// its condition.
const tcompiled* tinterpreter::wholeForm(const tcode& record,
                                         std::shared_ptr<const tcompiled>& owned) {
    if (record.paramCount() == 1) return compiledParam(record, 0);
    owned = compileExpression(record.paramText);
    return owned.get();
}

const tcompiled* tinterpreter::paramForm(const tcode& record, std::size_t i,
                                         std::shared_ptr<const tcompiled>& owned) {
    if (const tcompiled* form = compiledParam(record, i)) return form;
    owned = compileExpression(record.param(i));
    return owned.get();
}

// ------------------------------------------------------- moving the index

// The row of the record at `index`, or -1 past the end.
int32_t tinterpreter::recordRow(int32_t index) const {
    const tcode* record = code->At(index);
    return record ? record->row : -1;
}

// Steps over the next statement (see script/skiptable.h).
void tinterpreter::Skip(int32_t& index) const { index = skipFrom(*code, index); }

}  // namespace velmo
