#include "frontend/storyrunner.h"

#include "model/story.h"
#include "script/interpreter.h"
#include "story/abort.h"
#include "story/loader.h"
#include "story/services.h"

namespace velmo {

tstoryrunner::tstoryrunner(tservices& services) : services(services) {}

tstoryrunner::~tstoryrunner() { close(); }

bool tstoryrunner::open(const std::string& fileName) {
    close();
    resetGameState();
    source = std::make_unique<tstorysource>();
    story_ = std::make_unique<tstory>(services);
    if (!loadStory(fileName, *story_, *source)) {
        // The error has been shown with its file and line; nothing of the
        // story stays.
        close();
        return false;
    }
    interpreter_ = std::make_unique<tinterpreter>(*story_);
    // Story code that ends the game ("quit") unwinds to here; the story
    // stays open with `stopped` set, for the front end to close.
    try {
        startStory(*story_, *interpreter_);
    } catch (const tabort&) {
    }
    return true;
}

void tstoryrunner::close() {
    // Interpreters and the tree go before the file list that maps lines.
    interpreter_.reset();
    story_.reset();
    services.setLineMapper(nullptr);
    source.reset();
}

bool tstoryrunner::playable() const {
    return interpreter_ && interpreter_->PlayerReady() && !services.isStopped();
}

void tstoryrunner::resetGameState() {
    services.clearStopped();
    services.saveDone = false;
    services.serial = "000000";
    services.moves = 0;
    services.score = 0;
    services.statusFormat = 0;
    services.noTurn = false;
    // A story that declares no restore command must not inherit the
    // previous story's.
    services.restoreCommand.clear();
}

void startStory(tstory& story, tinterpreter& interpreter) {
    runInits(story, interpreter);
    declareParserVariables(story);
    std::string result;
    interpreter.Run(0, &story.root(), result, "", "main");
}

void runInits(tstory& story, tinterpreter& interpreter) {
    std::string result;
    for (const auto& child : story.root().children()) {
        if (child->getKind() != kKindObject || !child->findChild("init")) continue;
        interpreter.Run(0, child.get(), result, "", "init");
    }
}

void declareParserVariables(tstory& story) {
    tvarlist& vars = story.root().vars;
    vars.declare("quote,topic,number", kTypeText, story.services.stopped, 0);
    vars.declare("count", kTypeInt, story.services.stopped, 0);
}

} // namespace velmo
