#include "frontend/storycheck.h"

#include <algorithm>
#include <exception>

#include "base/encoding.h"
#include "base/internalerror.h"
#include "base/services.h"
#include "model/story.h"
#include "story/loader.h"

namespace velmo {

namespace {

// A front end for loading only: it records the errors with the path of
// the file they stand in. Loading neither writes text nor waits.
class tcheckservices : public tservices {
public:
    explicit tcheckservices(const tstorysource& lists) : source(lists) {}

    void writeText(const std::string&) override {}
    void updateStatusLine() override {}
    void showBox(const std::string&) override {}
    char waitForKey() override { return ' '; }
    std::string topicMenu(bool, const std::string&) override { return "0"; }
    void setRepeatContext(int32_t, tnode*, tnode*) override {}
    void checkMessages() override {}

    std::vector<tstoryerror> errors;

protected:
    void presentError(int32_t line, const std::string& message) override {
        tstoryerror error;
        error.line = std::max(line, 0);
        error.file = source.files.mapLineToPath(error.line);
        error.message = cp1252ToUtf8(message);
        errors.push_back(std::move(error));
    }

private:
    const tstorysource& source;
};

}  // namespace

std::vector<tstoryerror> checkStory(const std::string& path, const std::string& libraryFolder) {
    tstorysource source;
    tcheckservices services(source);
    services.libraryFolder = libraryFolder;
    try {
        tstory story(services);
        loadStory(path, story, source);
    } catch (const std::exception& failure) {
        // A fault of the program, not of the story: reported as such, and
        // the check still fails.
        reportInternalError("Laden", failure);
        services.errors.push_back({path, 0, "interner Fehler beim Laden"});
    }
    services.setLineMapper(nullptr);
    // An error before the main file was opened has no file of its own.
    for (tstoryerror& error : services.errors)
        if (error.file.empty()) error.file = path;
    return std::move(services.errors);
}

std::string formatStoryError(const tstoryerror& error) {
    std::string text = error.file + ":";
    if (error.line > 0) text += std::to_string(error.line) + ":";
    return text + " " + error.message;
}

}  // namespace velmo
