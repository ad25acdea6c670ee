#ifndef VELMO_TESTS_TEST_PLATFORM_H
#define VELMO_TESTS_TEST_PLATFORM_H

// A player host for tests: the text area lives in memory, and waits are
// answered from a queue of scripted events (keys, characters, typed text,
// topic numbers). When a wait finds the queue empty, the window "closes",
// as it would for a user who gives up, so no test can hang.

#include <deque>
#include <string>
#include <vector>

#include "frontend/bufferedplatform.h"
#include "frontend/inspector.h"

namespace velmo::test {

class TestPlatform : public tbufferedplatform {
public:
    explicit TestPlatform(int32_t width = 72) : tbufferedplatform(width) {}

    struct Event {
        enum Kind { key, character, topic } kind = key;
        tkey code = tkey::none;
        char c = 0;
        int32_t number = 0;
    };

    // --- Scripting ---------------------------------------------------
    void pushKey(tkey code) { queue.push_back({Event::key, code, 0, 0}); }
    void pushChar(char c) { queue.push_back({Event::character, tkey::other, c, 0}); }
    void pushText(const std::string& text) {
        for (char c : text) pushChar(c);
    }
    void pushTopic(int32_t number) { queue.push_back({Event::topic, tkey::none, 0, number}); }

    // Delivers one event now, as if typed while nothing waits.
    void deliver(const Event& e) {
        if (!events) return;
        if (e.kind == Event::topic) {
            events->chooseTopic(e.number);
            return;
        }
        events->keyDown(e.code, {});
        if (e.kind == Event::character) events->keyPress(e.c);
        events->keyUp(e.code);
    }
    void press(tkey code) { deliver({Event::key, code, 0, 0}); }
    void type(const std::string& text) {
        for (char c : text) deliver({Event::character, tkey::other, c, 0});
    }

    // --- The platform ------------------------------------------------
    bool pagesOutput() const override { return paging; }
    void setStatusText(const std::string& text) override {
        tbufferedplatform::setStatusText(text);
        statuses.push_back(text);
    }
    void showHelp(thelpcontext context) override {
        ++helpShown;
        helpContexts.push_back(context);
    }
    // With `closeAtPass` set, the window closes at that pass, as when the
    // player closes it (or presses Ctrl+C) while story code runs.
    void processEvents() override {
        if (++eventPasses == closeAtPass && events) events->closeRequested();
    }
    void processEventsWhile(const bool& running, twait kind) override {
        waits.push_back(kind);
        lastLineAtWait.push_back(lastLine());
        while (running) {
            if (queue.empty()) {
                if (events) events->closeRequested();
                return;
            }
            Event e = queue.front();
            queue.pop_front();
            deliver(e);
        }
    }
    void showBox(const std::vector<std::string>& lines) override {
        tbufferedplatform::showBox(lines);
        boxesShown.push_back(lines);
    }
    void showMessage(tmessagekind kind, const std::string& text) override {
        messages.push_back(text);
        messageKinds.push_back(kind);
    }
    tanswer ask(const std::string& text) override {
        questions.push_back(text);
        if (answers.empty()) return tanswer::cancel;
        tanswer a = answers.front();
        answers.pop_front();
        return a;
    }
    // The inspector takes its expressions from `inspectorInput`: an empty
    // one closes it with OK, "\x1B" (or running out) with Cancel.
    bool runInspector(tinspector& inspector) override {
        positions.push_back(inspector.position());
        while (!inspectorInput.empty()) {
            const std::string line = inspectorInput.front();
            inspectorInput.pop_front();
            if (line.empty()) return true;
            if (line == "\x1B") return false;
            values.push_back(inspector.evaluate(line));
        }
        return false;
    }
    bool chooseOpenFile(const std::string&, const std::string&, const std::string&,
                        std::string& path) override {
        return nextFile(path);
    }
    bool chooseSaveFile(const std::string&, const std::string&, const std::string&,
                        const std::string&, const std::string& proposedName,
                        std::string& path) override {
        proposedNames.push_back(proposedName);
        return nextFile(path);
    }

    // --- Reading the screen ------------------------------------------
    // Every stored line joined with "\n".
    std::string screen() const {
        std::string text;
        for (int32_t i = buffer.firstStoredLine(); i < buffer.lineCount(); ++i) {
            if (i > buffer.firstStoredLine()) text += '\n';
            text += buffer.line(i);
        }
        return text;
    }
    // The screen without the blank lines at its top.
    std::string text() const {
        std::string all = screen();
        std::size_t first = all.find_first_not_of('\n');
        return first == std::string::npos ? std::string() : all.substr(first);
    }
    std::string lastLine() const { return buffer.line(buffer.lineCount() - 1); }

    std::deque<Event> queue;
    std::deque<tanswer> answers;
    std::deque<std::string> files;
    std::vector<std::string> proposedNames;  // of each save dialog
    std::deque<std::string> inspectorInput;
    std::vector<std::string> positions;  // of each inspector opened
    std::vector<std::string> values;     // each inspector result
    bool paging = true;
    std::vector<twait> waits;
    std::vector<std::string> lastLineAtWait;  // the last line when each wait began
    std::vector<std::vector<std::string>> boxesShown;
    std::vector<std::string> statuses;
    std::vector<std::string> messages;
    std::vector<tmessagekind> messageKinds;
    std::vector<std::string> questions;
    int helpShown = 0;
    std::vector<thelpcontext> helpContexts;
    int eventPasses = 0;
    int closeAtPass = 0;

private:
    bool nextFile(std::string& path) {
        if (files.empty() || files.front().empty()) {
            if (!files.empty()) files.pop_front();
            return false;
        }
        path = files.front();
        files.pop_front();
        return true;
    }
};

}  // namespace velmo::test

#endif
