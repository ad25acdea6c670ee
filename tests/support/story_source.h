#ifndef VELMO_TESTS_STORY_SOURCE_H
#define VELMO_TESTS_STORY_SOURCE_H

// A story written as Velmo source in a test: the text is written to a
// fresh temporary file and loaded with the real reader and loader, against
// a recording front end. Errors show up in `services.written`.

#include <memory>
#include <string>

#include "model/story.h"
#include "story/loader.h"
#include "support/recording_services.h"
#include "support/story_files.h"

namespace velmo::test {

class StorySource {
public:
    StorySource() = default;
    explicit StorySource(const std::string& source) { load(source); }
    ~StorySource() { services.setLineMapper(nullptr); }
    StorySource(const StorySource&) = delete;
    StorySource& operator=(const StorySource&) = delete;

    // Writes `source` as "geschichte.velmo" (or `fileName`) and loads it
    // into a new story; true when it loaded without an error.
    bool load(const std::string& source, const std::string& fileName = "geschichte.velmo") {
        story = std::make_unique<tstory>(services);
        loaded = loadStory(files.write(fileName, source), *story, storySource);
        return loaded;
    }

    tnode& root() { return story->root(); }
    // A child of the root by name, or null.
    tnode* object(const std::string& name) { return story->root().findChild(name); }
    // A function of an object (or of the root when `owner` is null).
    tnode* function(tnode* owner, const std::string& name) {
        return (owner ? owner : &story->root())->findChild(name);
    }

    RecordingServices services;
    StoryFiles files;
    tstorysource storySource;
    std::unique_ptr<tstory> story;
    bool loaded = false;
};

}  // namespace velmo::test

#endif
