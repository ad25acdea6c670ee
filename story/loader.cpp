#include "story/loader.h"

#include "model/story.h"
#include "story/analyser.h"
#include "story/scanner.h"
#include "story/statementsplitter.h"
#include "story/strings.h"

namespace velmo {

namespace {

void declareRootVariable(tnode& root, const char* name, bool& error) {
    if (!root.vars.exists(name)) root.vars.declare(name, kTypeObject, error, 0);
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
    // The records' parameters are compiled when each statement first runs.
    return true;
}

}  // namespace velmo
