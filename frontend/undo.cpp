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

void tgame::undo() {
    if (!story->canUndo()) {
        writeText(
            "Ich kann hier nichts r\xFC"
            "ckg\xE4ngig machen.^^>");
        return;
    }
    story->popUndo();
    updateStatusLine();
    std::string input;
    if (undoIndex >= 0 && undoIndex < static_cast<int32_t>(history.size()))
        input = history[static_cast<std::size_t>(undoIndex)].substr(1);
    writeText("Eingabe [" + input +
              "] wurde r\xFC"
              "ckgangig gemacht.^");
    writeText("^>");
    --undoIndex;
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
    std::string input = foldUmlauts(lowerCase(history.back()));
    const std::string replacement = command.size() > 5 ? command.substr(5, kCorrectionLength) : "";
    for (std::size_t at = input.find(word); at != std::string::npos;
         at = input.find(word, at + replacement.size()))
        input.replace(at, word.size(), replacement);
    input = input.substr(1, kCorrectionLength);
    parseCommand(*story, input);
    afterCommandCheck();
}

}  // namespace velmo
