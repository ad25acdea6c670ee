#include "story/analyser.h"

#include <exception>
#include <string_view>

#include "base/internalerror.h"
#include "base/tokenizer.h"
#include "base/wstrlib.h"
#include "model/parsetree.h"
#include "model/story.h"
#include "script/keywords.h"
#include "script/postfix.h"
#include "story/scanner.h"
#include "story/strings.h"

namespace velmo {

namespace {

// A failure inside the analysis; reported as "Syntaxfehler".
struct tsyntaxerror {};

bool isDigit(char c) { return c >= '0' && c <= '9'; }

bool contains(std::string_view text, std::string_view part) {
    return text.find(part) != std::string_view::npos;
}

std::string withoutQuotes(const std::string& text) {
    std::string out;
    out.reserve(text.size());
    for (char c : text)
        if (c != '"') out += c;
    return out;
}

// The receiver: an object written before the first "." (when that "." stands
// before any literal) is the statement's receiver.
std::string takeReceiver(std::string& statement) {
    const std::size_t dot = statement.find('.');
    if (dot == std::string::npos) return {};
    const std::size_t quote = statement.find('"');
    if (quote != std::string::npos && quote < dot) return {};
    std::string receiver = statement.substr(0, dot);
    if (!isIdentifier(receiver)) return {};
    statement.erase(0, dot + 1);
    return receiver;
}

bool contextAllows(tcontext context, const tnode& node) {
    switch (context) {
    case kTopLevelOnly: return node.getKind() == kKindRoot;
    case kInFunctionOnly: return node.getKind() == kKindFunction;
    case kOutsideFunction: return node.getKind() != kKindFunction;
    case kInObjectOrFunction:
        return node.getKind() == kKindObject || node.getKind() == kKindFunction;
    case kAnywhere: return true;
    }
    return false;
}

// Function or variables: "int", "object", "string" and "void" declare a
// function when the
// rest has a parenthesis and neither a bracket nor a literal.
bool declaresFunction(const tcode& record) {
    switch (record.opcode) {
    case kCodeInt:
    case kCodeObject:
    case kCodeString:
    case kCodeVoid: break;
    default: return false;
    }
    return contains(record.paramText, "(") && !contains(record.paramText, "[") &&
           !contains(record.paramText, "\"");
}

int32_t returnTypeOf(int32_t opcode) {
    switch (opcode) {
    case kCodeInt: return kTypeInt;
    case kCodeString: return kTypeText;
    case kCodeObject: return kTypeObject;
    default: return kTypeVoid;
    }
}

// Parameter text: these statements keep theirs as written; all others
// have their parameters in parentheses.
bool keepsParentheses(int32_t opcode) {
    switch (opcode) {
    case kCodeClass:
    case kCodePlain:
    case kCodeFunction:
    case kCodeInt:
    case kCodeObject:
    case kCodeString:
    case kCodeVoid: return true;
    default: return false;
    }
}

// Conversion to postfix: declarations and attribute lists are read by
// their own lists at run time, not evaluated, so they are not converted.
bool convertsParameters(int32_t opcode) {
    switch (opcode) {
    case kCodeInt:
    case kCodeObject:
    case kCodeWith:
    case kCodeString: return false;
    default: return true;
    }
}

std::string postfixOf(std::string_view infix) {
    std::string postfix;
    if (!ToPostfix(infix, postfix)) throw tsyntaxerror{};
    return postfix;
}

// Splits the parameters at "," ("for": at ";"), keeping literals and
// parenthesised parts whole, and converts each to postfix.
void convertParameters(tcode& record) {
    const tcharset separators(record.opcode == kCodeFor ? ";" : ",");
    static const tcharset grouping("\"()");
    ttokenizer parts(record.paramText, separators, grouping, false);
    TParameters forms;
    forms.reserve(parts.Tokens().size());
    for (const std::string& part : parts.Tokens()) forms.push_back(postfixOf(part));
    record.setParams(forms);
}

class tanalysis {
public:
    tanalysis(tscanner& source, tparserstate& parserState)
        : scanner(source), state(parserState), line(source.lineCount) {}

    tcode run(std::string statement);

private:
    bool report(const std::string& message) {
        scanner.services.showError(scanner.error, line, message);
        return false;
    }
    bool keywordStatement(std::string& statement, int32_t row);
    bool plainStatement(const std::string& statement);
    void structuralAction();
    void declareClass();
    void declareFunction();
    void closeBlock();
    void declareVariables(int32_t type);
    void setInitialLocation();
    void setNameOrDescription();
    void declareVerb();
    void declareRestoreCommand();
    std::string restored(std::string text);
    tnode& node() { return *state.current; }

    tscanner& scanner;
    tparserstate& state;
    const int32_t line;
    tcode record;
};

tcode tanalysis::run(std::string statement) {
    record.setReceiver(takeReceiver(statement));
    // ";" or "{" right after a terminator, or a receiver with nothing after it.
    if (statement.empty()) throw tsyntaxerror{};
    record.line = line;
    const int32_t row = findKeywordRow(statement);
    const bool good = row >= 0 ? keywordStatement(statement, row) : plainStatement(statement);
    if (!good) return std::move(record);
    if (state.inFunction && !record.paramText.empty() && convertsParameters(record.opcode))
        convertParameters(record);
    structuralAction();
    // The analysis is used once: its record is handed over, not copied.
    return std::move(record);
}

bool tanalysis::keywordStatement(std::string& statement, int32_t row) {
    const tkeyword& keyword = kKeywords[static_cast<std::size_t>(row)];
    if (!contextAllows(keyword.context, node()))
        return report("Anweisung in diesem Kontext nicht erlaubt: " + std::string(keyword.text));
    record.opcode = keyword.code;
    record.row = row;
    if (keyword.needsParams) {
        if (statement.size() <= keyword.text.size()) return report("Parameter erwartet");
        record.paramText = statement.substr(keyword.text.size());
    }
    if (declaresFunction(record)) {
        record.opcode = kCodeFunction;
        state.returnType = returnTypeOf(keyword.code);
    }
    if (!keepsParentheses(record.opcode)) {
        const std::size_t size = record.paramText.size();
        record.paramText = size < 2 ? std::string() : record.paramText.substr(1, size - 2);
    }
    return true;
}

bool tanalysis::plainStatement(const std::string& statement) {
    record.opcode = kCodePlain;
    record.row = kRowPlain;
    record.paramText = statement;
    if (isPlainStatement(statement)) return true;
    // A statement cut inside an open literal is not reported here.
    bool inString = false;
    for (char c : statement)
        if (c == '"') inString = !inString;
    if (inString) return true;
    return report("unbekannter Bezeichner " + statement);
}

void tanalysis::structuralAction() {
    const bool atLoadTime = !state.inFunction;
    switch (record.opcode) {
    case kCodeClass: declareClass(); break;
    case kCodeFunction: declareFunction(); break;
    case kCodeOpen:
        if (state.inClass) ++state.classDepth;
        if (state.inFunction) ++state.functionDepth;
        break;
    case kCodeClose: closeBlock(); break;
    case kCodeReturn: state.returnSeen = true; break;
    case kCodeInt:
        if (atLoadTime) declareVariables(kTypeInt);
        break;
    case kCodeString:
        if (atLoadTime) declareVariables(kTypeText);
        break;
    case kCodeObject:
        if (atLoadTime) declareVariables(kTypeObject);
        break;
    case kCodeMoveto:
        if (atLoadTime) setInitialLocation();
        break;
    case kCodeWith:
        if (atLoadTime && node().attrs)
            node().attrs->withAttr(record.paramText, line, scanner.error);
        break;
    case kCodeSetLong:
    case kCodeSetShort:
        if (atLoadTime) setNameOrDescription();
        break;
    case kCodeVerb: declareVerb(); break;
    case kCodeRestore: declareRestoreCommand(); break;
    default: break;
    }
}

void tanalysis::declareClass() {
    if (state.inClass) {
        report(
            "Klassen k\xF6"
            "nnen nicht verschachtelt werden");
        return;
    }
    tnode* child = node().addChild(kKindObject, record.paramText, &scanner.error, line, kTypeVoid);
    // A class that could not be created (its superclass is not declared)
    // has been reported by the tree; the load ends there.
    if (!child) {
        scanner.error = true;
        return;
    }
    state.current = child;
    state.inClass = true;
    state.classDepth = 0;
}

void tanalysis::declareFunction() {
    if (state.inFunction) {
        report(
            "Funktionen k\xF6"
            "nnen nicht verschachtelt werden");
        return;
    }
    tnode* child =
        node().addChild(kKindFunction, record.paramText, &scanner.error, line, state.returnType);
    if (!child) {
        scanner.error = true;
        return;
    }
    state.current = child;
    state.inFunction = true;
    state.functionDepth = 0;
}

// A "}" too many at the top level closes nothing; a depth that falls below
// zero (a class without "{") still leaves the node.
void tanalysis::closeBlock() {
    if (state.inClass) {
        state.inClass = --state.classDepth > 0;
        if (!state.inClass && node().getOwner()) state.current = node().getOwner();
    }
    if (state.inFunction) {
        state.inFunction = --state.functionDepth > 0;
        if (state.inFunction) return;
        if (node().getOwner()) state.current = node().getOwner();
        if (!state.returnSeen && state.returnType != kTypeVoid) report("return erwartet");
        state.returnSeen = false;
    }
}

// In a compiled story the literals of string variables come back with all
// other texts of the tree once the parse is done.
void tanalysis::declareVariables(int32_t type) {
    node().vars.declare(record.paramText, type, scanner.error, line);
}

void tanalysis::setInitialLocation() {
    tnode* destination = node().findClass(line, &scanner.error, record.paramText);
    if (destination && !scanner.error) node().moveTo(destination);
}

void tanalysis::setNameOrDescription() {
    const std::string text = withoutQuotes(restored(postfixOf(record.paramText)));
    if (record.opcode == kCodeSetShort)
        node().setShortName(text);
    else
        node().setLongDescription(text);
}

void tanalysis::declareVerb() {
    const std::string text = withoutQuotes(restored(record.paramText));
    std::string parts[3];
    std::size_t start = 0;
    for (std::string& part : parts) {
        if (start > text.size()) break;
        std::size_t comma = text.find(',', start);
        if (comma == std::string::npos) comma = text.size();
        part = text.substr(start, comma - start);
        start = comma + 1;
    }
    node().registerVerb(line, parts[0], parts[1], parts[2]);
    if (node().getError()) scanner.error = true;
}

void tanalysis::declareRestoreCommand() {
    node().story().restoreCommand = withoutQuotes(restored(record.paramText));
}

std::string tanalysis::restored(std::string text) {
    if (scanner.isCompiled) restoreStrings(scanner, text, line);
    return text;
}

}  // namespace

bool isPlainStatement(const std::string& statement) {
    if (statement.size() == 1) return true;
    const std::size_t call = statement.find("()");
    if (call != std::string::npos && call + 2 == statement.size()) return true;
    if (contains(statement, "NULL")) return true;
    bool inString = false;
    for (char c : statement) {
        if (c == '"') {
            inString = !inString;
        } else if (!inString && (isOperatorChar(c) || c == '(' || c == ')' || isDigit(c))) {
            return true;
        }
    }
    return false;
}

tcode analyseStatement(tscanner& scanner, const std::string& statement, tparserstate& state) {
    const int32_t line = scanner.lineCount;
    try {
        return tanalysis(scanner, state).run(statement);
    } catch (const tsyntaxerror&) {
    } catch (const std::exception& failure) { reportInternalError("Einlesen", failure); }
    scanner.services.showError(scanner.error, line, "Syntaxfehler");
    return tcode{};
}

}  // namespace velmo
