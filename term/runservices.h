#ifndef VELMO_TERM_RUNSERVICES_H
#define VELMO_TERM_RUNSERVICES_H

// The front-end services of "velmo-term --run": everything the story
// writes goes to standard output as UTF-8 as soon as it is written. There
// is no window, no input and no status line; waits and menus are answered
// at once.

#include <cstdio>
#include <string>
#include <string_view>

#include "story/services.h"

namespace velmo {

// Temporary: shows only the two simplest marks of the output markup, "^"
// as a line break and "\" as a double quote. The full markup (tags, names,
// styles) comes with the text output of the players and replaces this.
std::string plainOutputText(std::string_view text);

class trunservices : public tservices {
public:
    explicit trunservices(std::FILE* out) : out(out) {}

    void writeText(const std::string& text) override;
    void updateStatusLine() override {}
    void showBox(const std::string& text) override { writeText(text + "^"); }
    char waitForKey() override { return ' '; }
    std::string topicMenu(bool, const std::string&) override { return "0"; }
    void nextTurn() override { ++moves; }
    void setRepeatContext(int32_t, tnode*, tnode*) override {}
    void checkMessages() override {}

    // Ends the output with a line break unless it already ends with one.
    void finish();

private:
    std::FILE* out;
    bool atLineStart = true;
};

} // namespace velmo

#endif
