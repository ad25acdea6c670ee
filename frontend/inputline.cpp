// The input line: the last line of the text area, behind the prompt ">".
// The key handlers keep the caret there, filter the characters, browse
// the history, insert the function-key texts and submit the line.

#include "base/encoding.h"
#include "base/wstrlib.h"
#include "frontend/game.h"

namespace velmo {

namespace {

// German quotation marks ("„", "“", "”", "»", "«"): typed as they are,
// they stand for the double quote in the command.
bool isGermanQuote(unsigned char u) {
    return u == 0x84 || u == 0x93 || u == 0x94 || u == 0xAB || u == 0xBB;
}

// The only characters that may be typed or end a key wait.
bool allowedCharacter(char c) {
    const unsigned char u = static_cast<unsigned char>(c);
    if ((u >= '0' && u <= ':') || (u >= 'A' && u <= 'Z') || (u >= 'a' && u <= 'z')) return true;
    if (isGermanQuote(u)) return true;
    switch (u) {
    case 8:
    case ' ':
    case '"':
    case ',':
    case '.':
    case 0xC4:
    case 0xD6:
    case 0xDC:
    case 0xDF:
    case 0xE4:
    case 0xF6:
    case 0xFC: return true;
    default: return false;
    }
}

int functionKeyIndex(tkey key) {
    switch (key) {
    case tkey::f2: return 0;
    case tkey::f3: return 1;
    case tkey::f4: return 2;
    case tkey::f5: return 3;
    case tkey::f6: return 4;
    case tkey::f7: return 5;
    case tkey::f8: return 6;
    case tkey::f9: return 7;
    case tkey::f10: return 8;
    default: return -1;
    }
}

constexpr char kCtrlD = 4;
constexpr char kCtrlL = 12;
constexpr char kCtrlS = 19;

}  // namespace

// The command text of a line as shown: lower case, umlauts folded, and
// every German quotation mark a double quote, so that quoted text typed
// either way is one quoted word.
std::string commandText(const std::string& shown) {
    return foldUmlauts(lowerCase(typedText(shown)));
}

// The line as typed, only with every German quotation mark a double
// quote: the words of this text fold to the words of the command text.
std::string typedText(const std::string& shown) {
    std::string text = shown;
    for (char& c : text)
        if (isGermanQuote(static_cast<unsigned char>(c))) c = '"';
    return text;
}

std::string tgame::inputText() const { return platform.line(platform.lineCount() - 1); }

void tgame::setInputText(const std::string& text) {
    const int32_t last = platform.lineCount() - 1;
    platform.replaceLine(last, text);
    caret = static_cast<int32_t>(text.size());
    platform.setCaret(last, caret);
}

void tgame::keyDown(tkey key, tmodifiers modifiers) {
    if (menuOpen) {
        menuKey(key);
        return;
    }
    if (waitingForKey) {
        // Only the character ends the wait; it arrives with keyPress.
        blockKey = false;
        if (key == tkey::f1) platform.showHelp();
        return;
    }
    if (!storyOpen() || busy > 0) {
        blockKey = true;
        if (key == tkey::f1) platform.showHelp();
        return;
    }
    editKey(key, modifiers);
}

void tgame::editKey(tkey key, tmodifiers /*modifiers*/) {
    const std::string text = inputText();
    const int32_t column = caret + 1;  // counted from 1; right after ">" it is 2
    // The prompt cannot be deleted, and a full line takes only deleting,
    // moving left and Enter: a line that cannot be submitted once it is
    // full would leave the player stuck without a word.
    blockKey = (key == tkey::backspace && column < 3) ||
               (column > settings.columns && key != tkey::backspace && key != tkey::left &&
                key != tkey::enter);
    homePressed = key == tkey::home;

    if (key == tkey::up || key == tkey::down) browseHistory(key);
    if (blockKey) return;

    switch (key) {
    case tkey::backspace:
        setInputText(text.substr(0, static_cast<std::size_t>(caret - 1)) +
                     text.substr(static_cast<std::size_t>(caret)));
        caret = column - 2;
        platform.setCaret(platform.lineCount() - 1, caret);
        break;
    case tkey::del:
        if (caret < static_cast<int32_t>(text.size())) {
            const int32_t keep = caret;
            setInputText(text.substr(0, static_cast<std::size_t>(caret)) +
                         text.substr(static_cast<std::size_t>(caret) + 1));
            caret = keep;
            platform.setCaret(platform.lineCount() - 1, caret);
        }
        break;
    case tkey::left:
        if (column > 2) platform.setCaret(platform.lineCount() - 1, --caret);
        break;
    case tkey::right:
        if (caret < static_cast<int32_t>(text.size()))
            platform.setCaret(platform.lineCount() - 1, ++caret);
        break;
    case tkey::end:
        platform.setCaret(platform.lineCount() - 1, caret = static_cast<int32_t>(text.size()));
        break;
    case tkey::enter:
        if (text.size() > 1) {
            pageStart = platform.lineCount();
            submitLine();
        }
        break;
    case tkey::f1: platform.showHelp(); break;
    case tkey::escape: setInputText(">"); break;
    default: {
        const int index = functionKeyIndex(key);
        if (index < 0) break;
        const std::string& insert = settings.functionKeys[static_cast<std::size_t>(index)];
        if (!insert.empty() &&
            text.size() + insert.size() < static_cast<std::size_t>(settings.columns))
            insertText(insert);
        break;
    }
    }
}

void tgame::browseHistory(tkey key) {
    const int32_t count = static_cast<int32_t>(history.size());
    if (count == 0) return;
    if (historyIndex > count) historyIndex = count;
    if (key == tkey::up) {
        if (historyIndex == count) editedLine = inputText();
        if (--historyIndex < 0) {
            setInputText(editedLine);
            historyIndex = count;
        } else {
            setInputText(history[static_cast<std::size_t>(historyIndex)]);
        }
    } else if (historyIndex < count) {
        if (++historyIndex == count)
            setInputText(editedLine);
        else
            setInputText(history[static_cast<std::size_t>(historyIndex)]);
    }
}

void tgame::insertText(const std::string& insert) {
    std::string text = inputText();
    const std::size_t at = std::min(static_cast<std::size_t>(caret), text.size());
    text.insert(at, insert);
    const int32_t newCaret = static_cast<int32_t>(at + insert.size());
    setInputText(text);
    caret = newCaret;
    platform.setCaret(platform.lineCount() - 1, caret);
}

void tgame::keyPress(char character) {
    const unsigned char code = static_cast<unsigned char>(character);
    if (code >= 1 && code <= 26 && code != 8) {
        // Control characters never reach the text; three are shortcuts.
        const bool free = busy == 0 && !waiting();
        if (character == kCtrlL && free && !menuOpen)
            restoreGame();
        else if (character == kCtrlS && free && storyOpen())
            saveGame();
        else if (character == kCtrlD) { /* the display options belong to the window */
        }
        return;
    }
    if (blockKey && !waitingForKey) return;
    if (!allowedCharacter(character)) return;
    if (waitingForKey) {
        lastKey = character;
        waitingForKey = false;
        return;
    }
    if (menuOpen || !storyOpen() || busy > 0 || code == 8) return;
    // The line never grows past the width, also when typing in its middle.
    if (inputText().size() >= static_cast<std::size_t>(settings.columns)) return;
    insertText(std::string(1, character));
}

void tgame::keyUp(tkey /*key*/) {
    if (!homePressed) return;
    homePressed = false;
    caret = 1;
    platform.setCaret(platform.lineCount() - 1, caret);
}

void tgame::submitLine() {
    // A script waiting for replay takes the place of the typed line.
    if (!scriptFile.empty()) {
        replayScript();
        return;
    }
    const std::string shown = inputText();
    std::string command = commandText(shown);
    command.erase(0, 1);
    if (command.size() > static_cast<std::size_t>(settings.columns))
        command.resize(static_cast<std::size_t>(settings.columns));
    while (!command.empty() && static_cast<unsigned char>(command.back()) < ' ') command.pop_back();
    executeLine(command, shown);
}

std::size_t tgame::typeLine(const std::string& line) {
    // Where the last full stop of the line being typed was: its place in
    // `line` and the input line's length right after it.
    std::size_t stopAt = std::string::npos;
    std::size_t lengthAtStop = 0;
    std::size_t i = 0;
    for (; i < line.size(); ++i) {
        const char c = line[i];
        // Control characters are no typed text (Ctrl+S would save).
        if (static_cast<unsigned char>(c) < ' ') continue;
        // A typist stops where the line is full.
        if (inputText().size() >= static_cast<std::size_t>(settings.columns)) {
            if (stopAt == std::string::npos || !storyOpen()) break;
            // Commands separated by full stops go on in a line of their
            // own, so a long line of short commands loses none of them.
            setInputText(inputText().substr(0, lengthAtStop));
            keyDown(tkey::enter, {});
            keyUp(tkey::enter);
            i = stopAt;
            while (i + 1 < line.size() && line[i + 1] == ' ') ++i;
            stopAt = std::string::npos;
            continue;
        }
        keyDown(tkey::other, {});
        keyPress(c);
        keyUp(tkey::other);
        if (c == '.') {
            stopAt = i;
            lengthAtStop = inputText().size();
        }
    }
    keyDown(tkey::enter, {});
    keyUp(tkey::enter);
    std::size_t dropped = 0;
    for (; i < line.size(); ++i)
        if (static_cast<unsigned char>(line[i]) >= ' ') ++dropped;
    return dropped;
}

}  // namespace velmo
