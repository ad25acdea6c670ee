#ifndef VELMO_TESTS_RECORDING_SERVICES_H
#define VELMO_TESTS_RECORDING_SERVICES_H

// A front end for tests: it records what the core writes and answers key
// waits and menus from queues that the test fills.

#include <deque>
#include <string>
#include <vector>

#include "base/abort.h"
#include "base/services.h"

namespace velmo::test {

class RecordingServices : public tservices {
public:
    void writeText(const std::string& text) override { written += text; }
    void updateStatusLine() override { ++statusUpdates; }
    void showBox(const std::string& text) override { boxes.push_back(text); }
    char waitForKey() override {
        if (keys.empty()) return ' ';
        char c = keys.front();
        keys.pop_front();
        return c;
    }
    std::string topicMenu(bool, const std::string& topics) override {
        menus.push_back(topics);
        if (menuAnswers.empty()) return "0";
        std::string answer = menuAnswers.front();
        menuAnswers.pop_front();
        return answer;
    }
    void endGame(bool ask) override {
        tservices::endGame(ask);
        endedAsking = ask;
        ++ends;
    }
    void setRepeatContext(int32_t offset, tnode* first, tnode* second) override {
        repeatOffset = offset;
        repeatFirst = first;
        repeatSecond = second;
    }
    // The window closes at the check numbered `closeAtCheck` (never when 0),
    // which stops running story code as the real front end does.
    void checkMessages() override {
        if (++messageChecks == closeAtCheck) throw tabort();
    }
    void showPicture(const std::string& caption, int32_t number, int32_t line) override {
        pictures.push_back(std::to_string(number) + ":" + caption + "@" + std::to_string(line));
    }
    void closePicture() override { ++pictureCloses; }
    bool runInspector(int32_t line, tnode*) override {
        inspectedLines.push_back(line);
        inspectorShowedErrors = showErrors;
        return !cancelInspector;
    }

    std::string written;
    std::vector<std::string> boxes;
    std::vector<std::string> menus;
    std::deque<char> keys;
    std::deque<std::string> menuAnswers;
    int statusUpdates = 0;
    int messageChecks = 0;
    int closeAtCheck = 0;
    int ends = 0;
    bool endedAsking = false;
    int32_t repeatOffset = 0;
    tnode* repeatFirst = nullptr;
    tnode* repeatSecond = nullptr;
    std::vector<std::string> pictures;  // "number:caption@line"
    int pictureCloses = 0;
    std::vector<int32_t> inspectedLines;
    bool inspectorShowedErrors = true;  // showErrors while the inspector was open
    bool cancelInspector = false;
};

}  // namespace velmo::test

#endif
