// "zurueck" takes back the last command (the story's state, the clock and
// the score), and "huch" repeats the last input with its unrecognised word
// replaced.

#include "base/encoding.h"
#include "base/wstrlib.h"
#include "frontend/game.h"
#include "game/parser.h"
#include "model/story.h"
#include "model/time.h"

namespace velmo {

namespace {

constexpr std::size_t kCorrectionLength = 80;

}  // namespace

void tgame::noteUndoLabel(const std::string& shown) {
    // The snapshot just pushed is the newest; labels of snapshots that an
    // undo has taken off since go.
    const std::size_t depth = story->undoDepth();
    if (depth == 0) return;
    undoLabels.resize(depth - 1);
    undoLabels.push_back(shown);
}

void tgame::undo() {
    if (!story->canUndo()) {
        writeText(
            "Ich kann hier nichts r\xFC"
            "ckg\xE4ngig machen.^^>");
        return;
    }
    const std::size_t depth = story->undoDepth();
    std::string input;
    if (depth <= undoLabels.size()) input = undoLabels[depth - 1].substr(1);
    story->popUndo();
    updateStatusLine();
    writeText("Eingabe [" + input +
              "] wurde r\xFC"
              "ckg\xE4ngig gemacht.^");
    writeText("^>");
}

void tgame::correct(const std::string& command) {
    const std::string word = story->unrecognisedWord;
    if (word.empty() || history.empty()) {
        writeText("Ich kann hier nichts korrigieren.^^>");
        return;
    }
    // The last input, as the parser saw it, so that the word is found
    // whatever its letter case on screen was. (The last one even when the
    // player browsed the history before typing the correction.)
    std::string input = commandText(history.back());
    const std::string replacement = command.size() > 5 ? command.substr(5, kCorrectionLength) : "";
    for (std::size_t at = input.find(word); at != std::string::npos;
         at = input.find(word, at + replacement.size()))
        input.replace(at, word.size(), replacement);
    input = input.substr(1, kCorrectionLength);
    parseCommand(*story, input);
    afterCommandCheck();
}

}  // namespace velmo
