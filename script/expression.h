#ifndef VELMO_SCRIPT_EXPRESSION_H
#define VELMO_SCRIPT_EXPRESSION_H

// The expression evaluator. It runs a postfix text (see ToPostfix) against
// the story tree: names are looked up as variables, story functions,
// objects, built-ins or attribute names; operators work on a stack of
// operands; assignments change variables; the result is a text.
//
// Once an evaluation has failed, the evaluator stays failed: every later
// evaluation on the same object yields "0" at once. Owners that go on
// after an error use a fresh evaluator.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "base/namehash.h"
#include "model/varlist.h"
#include "script/compiledexpr.h"
#include "script/functionrunner.h"
#include "script/operand.h"

namespace velmo {

class tnode;
struct tvar;

// The longest text an expression may build. A story that doubles a text
// in a loop would otherwise take every byte of memory before anything
// else could stop it; this is far beyond anything a screen can show.
constexpr std::size_t kMaxTextLength = std::size_t(16) << 20;

class texpression {
public:
    // `runner` runs the story functions that expressions call; without
    // one, such a call is an invalid operation.
    explicit texpression(tfunctionrunner* runner = nullptr) : runner_(runner) {}

    texpression(const texpression&) = delete;
    texpression& operator=(const texpression&) = delete;

    void setRunner(tfunctionrunner* runner) { runner_ = runner; }
    tfunctionrunner* runner() const { return runner_; }

    // Evaluates `postfix` in the context of `node` (the running function,
    // or the object a statement is addressed to). `line` goes into error
    // reports. `result` receives the value, "0" after a failure.
    void Evaluate(int32_t line, tnode& node, std::string& result, const tcompiled& postfix);
    // The quick way alone, for a value that is wanted as an integer where
    // it is one: true when it ran, with the integer in `n`, or with an
    // error reported (see Failed). False when the form must be evaluated
    // as usual.
    bool QuickNumber(int32_t line, tnode& node, const tcompiled& form, int32_t& n);
    // The same for a postfix text, compiled on the spot (recent texts are
    // kept compiled, so a text evaluated again is not split again).
    void Evaluate(int32_t line, tnode& node, std::string& result, std::string_view postfix);
    // Evaluates for a condition: true when the value is not "0" (false
    // after a failure). The value's text is never made.
    bool Holds(int32_t line, tnode& node, const tcompiled& postfix);
    // Evaluates for the effect alone (a statement of its own, the step of
    // a loop); fails exactly when Evaluate would.
    void Perform(int32_t line, tnode& node, const tcompiled& postfix);

    bool Failed() const { return failed; }
    // After an evaluation that gave a text: true when the value was an
    // integer, which is then in `n` (the text spells it exactly). A
    // caller that carries the value on can keep it as a number.
    bool LastWasInteger(int32_t& n) const {
        n = lastNumber;
        return lastInteger;
    }
    // Back to the state of a fresh evaluator, keeping the room it has
    // grown and the texts it has compiled (a pooled interpreter's).
    void Reset() { failed = false; }

    // Push a temporary operand (name "Q") of the given type, or an integer.
    static void PushText(toperandstack& stack, std::string&& text, int32_t type);
    static void PushInteger(toperandstack& stack, int32_t n);

    // Set by every error report of this evaluator; never cleared.
    bool failed = false;

private:
    struct tstate;  // one evaluation: script/expressionstate.h
    class tlevels;

    // What the caller wants of the value.
    // kNumber: the integer alone, in lastNumber (quick runs only).
    enum class twant : uint8_t { kText, kNumber, kTruth, kNothing };
    // The long way, in a call of its own so that the callers' quick runs
    // stay small.
    [[gnu::noinline]] bool evaluate(int32_t line, tnode& node, const tcompiled& form, twant want,
                                    std::string* text);
    // The quick run of a form planned for it: the truth of the value when
    // it ran (the value is in `text` when wanted), kNotRun when the long
    // way must run the form, nothing having changed. (Its caller runs the
    // long way, so that the quick run's frame is gone by then: a call of
    // a story function inside the long way nests below it.)
    enum class tquickrun : uint8_t { kFalse, kTrue, kNotRun };
    tquickrun quickRun(int32_t line, tnode& node, const tcompiled& form, twant want,
                       std::string* text);
    tquickrun quickSingle(tnode& node, const tcompiled& form, twant want, std::string* text);
    [[gnu::always_inline]] tquickrun quickGives(int32_t value, twant want, std::string* text);
    // Whether every name was found, and whether one holds a text.
    enum class tquickfound : uint8_t { kMissing, kIntegers, kTexts };
    [[gnu::always_inline]] static bool quickNames(const tcompiled& form, tnode& node,
                                                  tquickslot* found, const tquickslot*& names);
    [[gnu::always_inline]] static tquickfound quickValues(const tcompiled& form,
                                                          const tquickslot* names);
    [[gnu::noinline]] static tquickfound quickOtherValues(const tcompiled& form,
                                                          const tquickslot* names);
    enum class tquickend : uint8_t { kRan, kFailed, kGaveUp };
    template <bool kTexts>
    [[gnu::always_inline]] static tquickend quickSteps(const tcompiled& form,
                                                       const tquickslot* names, int32_t& value);
    [[gnu::noinline]] static tquickend quickTextSteps(const tcompiled& form,
                                                      const tquickslot* names, int32_t& value);
    [[gnu::always_inline]] static const tvar* quickFind(tnode& context, const tctoken& token,
                                                        tnode*& where);
    [[gnu::noinline]] static const tvar* quickFarName(tnode& context, const tctoken& token,
                                                      tnode*& where);
    static const tvar* quickPathVariable(tnode& context, const tctoken& token, tnode*& where);
    static const tvar* quickRunElement(tnode& context, const tctoken& token);
    bool quickCopy(tnode& node, const tcompiled& form);
    // "w = "a" + i + ...": the text built in `joined` and exchanged with
    // the target's value. False when the long way must run the statement,
    // nothing having changed.
    bool quickJoin(tnode& node, const tcompiled& form);
    bool joinPieces(tnode& context, const tcompiled& form);
    [[gnu::noinline]] void quickFailed(int32_t line, tnode& node, const tcompiled& form,
                                       std::string* text);
    // The tokens in order. A call of a story function recurses through
    // run and callFunction (the first time a name is met, through
    // evalName, act and resolveName in between); the helpers marked
    // noinline hold the temporaries, so those frames stay small and deep
    // recursion fits on the machine stack (also with the sanitizers,
    // whose frames grow with every local).
    void run(tstate& s);
    // A form "target ... =" with a plain name as its target
    // (tcompiled::targetFirst): the target's value is copied only if a
    // token reaches it. Returns the token the token loop goes on from.
    const tctoken* runAssignment(tstate& s);
    bool readingStep(tstate& s, const tctoken*& at, std::size_t above);
    void evalName(tstate& s, const tctoken& token);
    // A plain name found in the context's own list where its token last
    // found it: pushed at once. False when the long way must decide.
    [[gnu::always_inline]] bool quickVariable(tstate& s, const tctoken& token);
    // A story function's or built-in's name that can be nothing else:
    // called at once. False when the long way must decide.
    bool quickCall(tstate& s, const tctoken& token);
    // A string literal and the "+" after it, applied at once. False when
    // the long way must decide.
    bool appendLiteral(tstate& s, const tctoken& literal, const tctoken& next);
    [[gnu::noinline]] const tctoken* literal(tstate& s, const tctoken* at, const tctoken* end);
    // A binary operator on two integers: applied at once. False when the
    // long way must decide (texts, a division by zero, other operators).
    bool quickOperator(unsigned char op);
    void pushFound(tstate& s, const tctoken& token, const tvar& variable, tnode& where,
                   std::string_view name);
    [[gnu::noinline]] void takeTarget(tstate& s, const tctoken& token, tnode& where,
                                      std::string_view name);
    void evalIndexedName(tstate& s, const tctoken& token);
    enum class tindexvalue : uint8_t { kNone, kInteger, kText };
    [[gnu::noinline]] tindexvalue simpleIndex(tstate& s, const tcompiled& index, std::string& value,
                                              int32_t& element);
    [[gnu::noinline]] bool evaluateIndex(tstate& s, const tcompiled& index, std::string& value);
    [[gnu::noinline]] bool quickElement(tstate& s, const tctoken& token, int32_t element);
    void act(tstate& s, const tctoken& token, tnode& current, bool onPath, std::string_view name);
    [[gnu::noinline]] void actOther(tstate& s, tnode& current, std::string_view name);
    [[gnu::noinline]] bool finish(tstate& s, twant want, std::string* text);

    // Names, paths and calls.
    [[gnu::noinline]] tnode* pathStep(tstate& s, tnode& current, std::string_view part,
                                      std::string_view whole, tlevels& lowered);
    void resolveName(tstate& s, const tctoken& token, tnode& current, bool onPath,
                     std::string_view name);
    void resolveNode(tstate& s, const tctoken& token, tnode& current, bool onPath,
                     std::string_view name);
    [[gnu::noinline]] static tnode* findNode(tnode& current, bool onPath, std::string_view name);
    [[gnu::noinline]] bool pushVariable(tstate& s, const tctoken& token, tnode& current,
                                        bool onPath, std::string_view name);
    [[gnu::noinline]] const tvar* findVariable(tstate& s, tnode& current, bool onPath,
                                               std::string_view name, const tctoken& token,
                                               tnode*& where);
    [[gnu::noinline]] void resolveOther(tstate& s, const tctoken& token, tnode& current,
                                        std::string_view name);
    void callFunction(tstate& s, tnode& function);
    tcallresult runCall(tstate& s, tnode& function, std::span<toperand> args, int32_t& depth,
                        bool& callFailed);
    [[gnu::noinline]] void pushResult(const tnode& function, std::string& result);
    [[gnu::noinline]] void pushObject(const tnode& object);
    [[gnu::noinline]] void callBuiltin(tstate& s, const tafunction& builtin, tnode& current);
    [[gnu::noinline]] void pushLiteral(tstate& s, tnode& current, const std::string& text,
                                       const ttagpart* tags);

    // Operators.
    [[gnu::noinline]] void applyOperator(tstate& s, unsigned char op);
    void arithmetic(tstate& s, unsigned char op);
    void compare(tstate& s, unsigned char op);
    void choose(tstate& s);
    void compound(tstate& s, unsigned char op);
    void increment(tstate& s, unsigned char op);
    bool peekTwo(tstate& s, toperand*& a, toperand*& b);
    bool integer(tstate& s, const toperand& operand, int32_t& out);
    void assignTarget(tstate& s, toperand& value);

    // The assignment target's record, found again where it was found
    // (null after a report when it is gone); `bad` is set when its index
    // left the list. With an empty stack its value is the result.
    const tvar* targetRecord(tstate& s, bool& bad);
    [[gnu::noinline]] void invalid(tstate& s);
    // Appends the text of `b` (or `tail`) to the text of `a`; reports
    // "Text zu lang" and leaves `a` as it was when the result would pass
    // kMaxTextLength.
    bool appendText(tstate& s, toperand& a, const toperand& b);
    bool appendText(tstate& s, toperand& a, std::string_view tail);
    [[gnu::noinline]] void report(tstate& s, const std::string& message);

    // Texts looked up without making a key string. Most are short (an
    // object's name before a statement, "n 1 -"), where the byte-wise
    // name hash is the cheaper one.
    struct ttextHash {
        using is_transparent = void;
        std::size_t operator()(std::string_view text) const noexcept {
            return text.size() < 32 ? nameHash(text) : std::hash<std::string_view>{}(text);
        }
    };

    tfunctionrunner* runner_;
    bool lastInteger = false;
    int32_t lastNumber = 0;
    toperandstack operands;
    int32_t nesting = 0;  // index evaluations running inside one another
    // An emptied list of variables, kept for the functions this evaluator
    // calls (see tvarsaside).
    std::vector<tvar> spareLocals;
    // The room the quick join builds its texts in.
    std::string joined;
    std::unordered_map<std::string, std::shared_ptr<const tcompiled>, ttextHash, std::equal_to<>>
        recent;
};

}  // namespace velmo

#endif
