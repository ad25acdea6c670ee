#ifndef VELMO_SCRIPT_INTERPRETER_H
#define VELMO_SCRIPT_INTERPRETER_H

// The statement interpreter: runs the functions of a story. A function is
// the list of statement records in its node's code; the interpreter walks
// them with an index, hands each to the handler of its keyword-table row,
// and steers blocks, conditionals, loops and switches by moving that index
// and by a stack of open loops.
//
// Each handler is a member function and works on the interpreter that
// runs it: there is no global table to rebind. A function called from an
// expression runs on a fresh interpreter made for that call and destroyed
// after it, so interpreters come and go last in, first out.

#include <array>
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "base/stack.h"
#include "model/codelist.h"
#include "script/expression.h"
#include "script/keywords.h"

namespace velmo {

class tnode;
class tstory;

// One open loop of a running function.
struct tloop {
    std::string condition;   // postfix condition (for, while); loop variable (fetch); empty (do)
    std::string step;        // postfix step of a for loop
    int32_t startIndex = 0;  // index in the function's code of the opening statement
    int32_t depth = 0;       // block depth when the loop was opened
    int32_t loopKind = 0;    // 0 for, 1 fetch, 2 while, 3 do
    tStringStack pending;    // fetch: object names still to visit
};

enum : int32_t { kLoopFor = 0, kLoopFetch = 1, kLoopWhile = 2, kLoopDo = 3 };

// An open loop as the interpreter keeps it: the loop record plus the
// compiled forms of its condition and step, taken from the statement
// record once, so that the end of the loop body evaluates without
// splitting text again.
struct trunloop : tloop {
    const tcompiled* conditionForm = nullptr;
    const tcompiled* stepForm = nullptr;
    // Owns a form compiled on the spot (a condition of several joined
    // parameters has none stored in the record).
    std::shared_ptr<const tcompiled> ownedCondition;
    std::shared_ptr<const tcompiled> ownedStep;
};

// The most runs that may be active at once for one story: calls from
// expressions (bounded by kMaxCallDepth already) and runs started while
// story code waits, for example from the front end. Story code that
// recurses without end stops with a message instead of overflowing the
// stack.
constexpr int32_t kMaxRunDepth = kMaxCallDepth + 16;

class tinterpreter : public tfunctionrunner {
public:
    explicit tinterpreter(tstory& story);
    ~tinterpreter() override;

    tinterpreter(const tinterpreter&) = delete;
    tinterpreter& operator=(const tinterpreter&) = delete;

    // Runs the function `name` found from `node` with the arguments
    // `argText` (values joined with ","). `line` is the line for reports
    // that belong to no statement. `result` receives the function result.
    // The "Abbruch" abort passes through to the caller.
    void Run(int32_t line, tnode* node, std::string& result, const std::string& argText,
             const std::string& name);

    // Drops every open loop.
    void ClearLoops();
    // The current player when it has a location, else null.
    tnode* PlayerReady() const;
    bool Failed() const { return failed; }

    // Calls from expressions: a fresh interpreter runs the function.
    tcallresult runFunction(int32_t line, tnode& called, std::span<toperand> args,
                            bool& callFailed) override;
    // Every interpreter of a story counts nested calls in the story.
    int32_t& callDepth() override;

    // State, as the statements see it.
    bool failed = false;
    // The value the last "return" gave: the integer `returnNumber` when
    // `returnIsInteger`, else the text `returnValue` (see returnText). A
    // function that returns nothing gives 0.
    std::string returnValue;
    bool returnIsInteger = true;
    int32_t returnNumber = 0;
    std::array<std::string, 3> switchValues;  // ring of the open switches' values
    int32_t switchIndex = -1;
    int32_t loopDepth = 0;  // block depth of the innermost loop or switch
    int32_t depth = 0;      // current block depth
    tStackList<trunloop> loops;
    std::array<std::string, 4> values{"0", "0", "0", "0"};

private:
    using thandler = void (tinterpreter::*)(tnode& target, const tcode& record, int32_t& index);
    static const std::array<thandler, kKeywordRows> kHandlers;

    // Running: `found` with its arguments as the text of Run, or as the
    // values of a call from an expression when `argText` is null.
    void runFound(int32_t line, tnode& found, const std::string* argText, std::span<toperand> args);
    void runBound(int32_t line, tnode& found, const std::string* argText, std::span<toperand> args);
    void runRecords(tnode& function);
    enum trefusal { kRefusedMissing, kRefusedTooDeep, kRefusedFailed };
    void returnText(std::string& result) const;
    [[gnu::noinline]] void refuseRun(int32_t line, trefusal why, const std::string& name);
    tnode* chooseTarget(tnode& function, const tcode& record);
    void report(int32_t line, const std::string& message);

    // Parameters.
    bool evaluateParams(tnode& target, const tcode& record);
    bool evaluateParam(tnode& target, const tcode& record, std::size_t i, std::string& out);
    void evaluateWhole(tnode& target, const tcode& record, std::string& out);
    // The same when only the effect counts, or only whether the value is
    // not "0" (the text of the value is then never made).
    void performParam(tnode& target, const tcode& record, std::size_t i);
    bool holdsParam(tnode& target, const tcode& record, std::size_t i);
    void performWhole(tnode& target, const tcode& record);
    bool holdsWhole(tnode& target, const tcode& record);
    const tcompiled* wholeForm(const tcode& record, std::shared_ptr<const tcompiled>& owned);
    const tcompiled* paramForm(const tcode& record, std::size_t i,
                               std::shared_ptr<const tcompiled>& owned);
    bool needInteger(const tcode& record, std::size_t count);

    // Moving the index.
    void Skip(int32_t& index) const;
    int32_t recordRow(int32_t index) const;

    // The object a statement acts on.
    tnode* ownerObject(tnode& target) const;
    tnode* enclosingObject(tnode& target) const;

    // Statements that steer the order of execution.
    void openBlock(tnode& target, const tcode& record, int32_t& index);
    void closeBlock(tnode& target, const tcode& record, int32_t& index);
    void plainStatement(tnode& target, const tcode& record, int32_t& index);
    void ifStatement(tnode& target, const tcode& record, int32_t& index);
    void elseStatement(tnode& target, const tcode& record, int32_t& index);
    void returnStatement(tnode& target, const tcode& record, int32_t& index);
    void doStatement(tnode& target, const tcode& record, int32_t& index);
    void forStatement(tnode& target, const tcode& record, int32_t& index);
    void whileStatement(tnode& target, const tcode& record, int32_t& index);
    void fetchStatement(tnode& target, const tcode& record, int32_t& index);
    void breakStatement(tnode& target, const tcode& record, int32_t& index);
    void switchStatement(tnode& target, const tcode& record, int32_t& index);
    void caseStatement(tnode& target, const tcode& record, int32_t& index);
    void nothing(tnode& target, const tcode& record, int32_t& index);
    bool continueLoop(tnode& target, trunloop& loop, int32_t& index);
    [[gnu::noinline]] bool nextFetched(tnode& target, trunloop& loop, int32_t& index);
    void restartLoop(const trunloop& loop, int32_t& index);
    void collectFetch(tnode& target, const tcode& record, std::vector<std::string>& found);

    // Statements that act on the story world and the front end.
    void writeStatement(tnode& target, const tcode& record, int32_t& index);
    void boxStatement(tnode& target, const tcode& record, int32_t& index);
    void fileStatement(tnode& target, const tcode& record, int32_t& index);
    void declareInt(tnode& target, const tcode& record, int32_t& index);
    void declareString(tnode& target, const tcode& record, int32_t& index);
    void declareObject(tnode& target, const tcode& record, int32_t& index);
    void withStatement(tnode& target, const tcode& record, int32_t& index);
    void toggleStatement(tnode& target, const tcode& record, int32_t& index);
    void setLongStatement(tnode& target, const tcode& record, int32_t& index);
    void setShortStatement(tnode& target, const tcode& record, int32_t& index);
    void movetoStatement(tnode& target, const tcode& record, int32_t& index);
    void setNounStatement(tnode& target, const tcode& record, int32_t& index);
    void setPlayerStatement(tnode& target, const tcode& record, int32_t& index);
    void addScoresStatement(tnode& target, const tcode& record, int32_t& index);
    void statusFormatStatement(tnode& target, const tcode& record, int32_t& index);
    void setTimeStatement(tnode& target, const tcode& record, int32_t& index);
    void startDaemonStatement(tnode& target, const tcode& record, int32_t& index);
    void stopDaemonStatement(tnode& target, const tcode& record, int32_t& index);
    void startTimerStatement(tnode& target, const tcode& record, int32_t& index);
    void stopTimerStatement(tnode& target, const tcode& record, int32_t& index);
    void haltStatement(tnode& target, const tcode& record, int32_t& index);
    void repeatStatement(tnode& target, const tcode& record, int32_t& index);
    void firstWordStatement(tnode& target, const tcode& record, int32_t& index);
    void splitStatement(tnode& target, const tcode& record, int32_t& index);
    void openWinStatement(tnode& target, const tcode& record, int32_t& index);
    void closeWinStatement(tnode& target, const tcode& record, int32_t& index);
    void inspectStatement(tnode& target, const tcode& record, int32_t& index);
    void quitStatement(tnode& target, const tcode& record, int32_t& index);

    // Back to the state of a fresh interpreter, for another call.
    void reset();

    tstory& story;
    texpression evaluator;
    // The interpreter that ran this one's last call from an expression,
    // kept for the next: a call costs no new interpreter, and its
    // evaluator keeps the operand room and compiled texts it has grown.
    std::unique_ptr<tinterpreter> spare;
    // The function being run and its records; set for the length of a run.
    tnode* function = nullptr;
    const tcodelist* code = nullptr;
    int32_t currentLine = 0;
    std::string scratch;  // condition values, reused to spare allocations
};

}  // namespace velmo

#endif
