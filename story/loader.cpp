#include "story/loader.h"

#include <unordered_set>

#include "model/story.h"
#include "script/compiledexpr.h"
#include "story/analyser.h"
#include "story/scanner.h"
#include "story/statementsplitter.h"
#include "story/strings.h"

namespace velmo {

namespace {

void declareRootVariable(tnode& root, const char* name, bool& error) {
    if (!root.vars.exists(name)) root.vars.declare(name, kTypeObject, error, 0);
}

// Gives every statement record the pre-split form of its parameters, once
// their texts are final, so that running a statement never splits text.
// Inherited functions share their records; each record is compiled once.
void compileRecords(tnode& node, std::unordered_set<const tcode*>& done) {
    for (int32_t i = 0; i < node.code.Count(); ++i) {
        tcode* record = node.code.MutableAt(i);
        if (!record->params.empty() && done.insert(record).second) compileParams(*record);
    }
    for (const auto& child : node.children()) compileRecords(*child, done);
}

}  // namespace

bool parseProgram(tscanner& scanner, tstory& story) {
    tnode& root = story.root();
    declareRootVariable(root, "actor", scanner.error);
    declareRootVariable(root, "player", scanner.error);
    if (scanner.error) return false;

    tparserstate state;
    state.current = &root;
    scanner.lineCount = 1;
    auto analyse = [&](const std::string& statement) {
        tnode* owner = state.current;  // the record belongs to the node current before
        tcode record = analyseStatement(scanner, statement, state);
        if (scanner.error) return false;
        owner->code.Add(std::move(record));
        return true;
    };
    // An unclosed class or function at the end is not an error.
    if (splitStatements(scanner.programText, scanner.lineCount, analyse) ==
        tsplitresult::unbalanced)
        scanner.services.showError(scanner.error, scanner.lineCount, "Zeilenende erwartet");
    return !scanner.error;
}

bool loadStory(const std::string& fileName, tstory& story, tstorysource& source) {
    tscanner scanner(story.services, source.files, source.definitions);
    story.storyFile = fileName;
    if (!scanner.readProgram(fileName, true)) return false;
    // The "file" statement reads the coded companions of a compiled story.
    story.compiled = scanner.isCompiled;
    story.serial = scanner.serial;
    if (!parseProgram(scanner, story)) return false;
    if (scanner.isCompiled) {
        restoreAllStrings(scanner, story.root());
        scanner.stringTable.clear();
        if (scanner.error) return false;
    }
    std::unordered_set<const tcode*> done;
    compileRecords(story.root(), done);
    return true;
}

}  // namespace velmo
