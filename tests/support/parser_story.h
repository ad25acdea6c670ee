#ifndef VELMO_TESTS_PARSER_STORY_H
#define VELMO_TESTS_PARSER_STORY_H

// A story to type commands into: the source is loaded by the real loader,
// the command parser's variables are declared as the front end declares
// them, every object's "init" and the root's "main" run, and then each
// command goes through parseCommand.

#include <memory>
#include <string>

#include "base/abort.h"
#include "game/parser.h"
#include "model/story.h"
#include "script/interpreter.h"
#include "story/loader.h"
#include "support/recording_services.h"
#include "support/story_files.h"

namespace velmo::test {

class ParserStory {
public:
    explicit ParserStory(const std::string& source) {
        story = std::make_unique<tstory>(services);
        loaded = loadStory(files.write("geschichte.velmo", source), *story, storySource);
        if (!loaded) return;
        tvarlist& vars = story->root().vars;
        vars.declare("quote,topic,number", kTypeText, services.stopped, 0);
        vars.declare("count", kTypeInt, services.stopped, 0);
        start();
    }
    ~ParserStory() {
        story.reset();
        services.setLineMapper(nullptr);
    }
    ParserStory(const ParserStory&) = delete;
    ParserStory& operator=(const ParserStory&) = delete;

    // Parses one command and returns what it wrote.
    std::string command(const std::string& text, tnode* replaced = nullptr,
                        tnode* replacement = nullptr) {
        const std::size_t before = services.written.size();
        parseCommand(*story, text, replaced, replacement);
        return services.written.substr(before);
    }

    std::string rootValue(const std::string& name) {
        std::string value;
        story->root().vars.getValue(name, value);
        return value;
    }
    std::string value(const std::string& objectName, const std::string& name) {
        std::string value;
        if (tnode* node = object(objectName)) node->vars.getValue(name, value);
        return value;
    }
    tnode* object(const std::string& name) { return story->root().findChild(name); }

    RecordingServices services;
    StoryFiles files;
    tstorysource storySource;
    std::unique_ptr<tstory> story;
    bool loaded = false;

private:
    void start() {
        tinterpreter interpreter(*story);
        std::string result;
        try {
            for (const auto& child : story->root().children()) {
                if (child->getKind() == kKindObject && child->findChild("init"))
                    interpreter.Run(0, child.get(), result, "", "init");
            }
            if (story->root().findChild("main"))
                interpreter.Run(0, &story->root(), result, "", "main");
        } catch (const tabort&) {}
    }
};

}  // namespace velmo::test

#endif
