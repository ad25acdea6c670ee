// The inspector's evaluation, and the game's side of the "inspect"
// statement.

#include "frontend/inspector.h"

#include <exception>

#include "base/abort.h"
#include "base/services.h"
#include "frontend/game.h"
#include "model/parsetree.h"
#include "model/story.h"
#include "script/interpreter.h"
#include "script/postfix.h"
#include "story/characters.h"
#include "story/loader.h"

namespace velmo {

namespace {

const char* const kInvalid = "ung\xFCltiger Ausdruck";

// The typed text as the loader prepares story source: blanks outside
// literals go, the characters are checked, the two-character operators
// become their codes, and the result is converted to postfix.
bool prepare(const std::string& expression, std::string& postfix) {
    std::string checked;
    tbadcharacter bad;
    if (!applyCharacterRules(expression, checked, bad)) return false;
    if (checked.empty()) return false;
    return ToPostfix(EncodeOperators(checked), postfix);
}

}  // namespace

tinspector::tinspector(tstory& owner, const tlinemapper* mapper, int32_t stopLine,
                       tnode& function, std::vector<std::string>& history)
    : story(owner), line(stopLine), node(function), accepted(history) {
    int32_t fileLine = stopLine;
    const std::string file = mapper ? mapper->mapLine(fileLine) : std::string();
    positionLine = file + " Zeile:" + std::to_string(fileLine) + " Funktion:" + nameOf(&function);
}

std::string tinspector::evaluate(const std::string& expression) {
    if (expression.empty()) return std::string();
    std::string postfix;
    if (!prepare(expression, postfix)) return kInvalid;
    // A fresh evaluator for every expression: one that failed stays
    // failed. Story functions that the expression calls run on their own
    // interpreter, made for this evaluation.
    std::string value;
    try {
        tinterpreter runner(story);
        texpression evaluator(&runner);
        evaluator.Evaluate(line, node, value, postfix);
        if (evaluator.Failed()) return kInvalid;
    } catch (const tabort&) {
        throw;  // the expression ended the game: the story stops
    } catch (const std::exception&) { return kInvalid; }
    accepted.push_back(expression);
    return value.empty() ? std::string("undefiniert") : value;
}

// --- The game's side -------------------------------------------------------

bool tgame::runInspector(int32_t line, tnode* node) {
    if (!story || !node) return true;
    tinspector inspector(*story, source ? &source->files : nullptr, line, *node, inspectorHistory);
    return platform.runInspector(inspector);
}

}  // namespace velmo
