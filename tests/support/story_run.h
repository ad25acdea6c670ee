#ifndef VELMO_TESTS_STORY_RUN_H
#define VELMO_TESTS_STORY_RUN_H

// A story written as Velmo source, loaded with the real loader and run
// with the real interpreter: `run` calls one of its functions and gives
// back the text that the call wrote (error reports included).

#include <memory>
#include <string>

#include "script/interpreter.h"
#include "support/story_source.h"

namespace velmo::test {

class StoryRun {
public:
    explicit StoryRun(const std::string& text) {
        loaded = source.load(text);
        if (!loaded) return;
        // The variables the front end declares before "main" runs.
        bool error = false;
        root().vars.declare("quote,topic,number", kTypeText, error, 0);
        root().vars.declare("count", kTypeInt, error, 0);
        interpreter = std::make_unique<tinterpreter>(*source.story);
    }
    ~StoryRun() { interpreter.reset(); }
    StoryRun(const StoryRun&) = delete;
    StoryRun& operator=(const StoryRun&) = delete;

    // Runs the function `name`, found from `from` (the root when null),
    // on this story's interpreter. Returns what it wrote; the function's
    // result is in `result`.
    std::string run(const std::string& name = "main", const std::string& args = "",
                    tnode* from = nullptr) {
        if (!interpreter) return "<not loaded: " + source.services.written + ">";
        const std::size_t before = source.services.written.size();
        interpreter->Run(0, from ? from : &root(), result, args, name);
        return source.services.written.substr(before);
    }

    tnode& root() { return source.story->root(); }
    tstory& story() { return *source.story; }
    RecordingServices& services() { return source.services; }
    tnode* object(const std::string& name) { return source.object(name); }
    // The value of a variable of `node` (the root when null), or "?".
    std::string value(const std::string& name, tnode* node = nullptr) {
        std::string v = "?";
        (node ? node : &root())->vars.getValue(name, v);
        return v;
    }

    StorySource source;
    std::unique_ptr<tinterpreter> interpreter;
    std::string result;
    bool loaded = false;
};

}  // namespace velmo::test

#endif
