// Game control: opening and closing a story, the turn cycle of one input
// line, the special words, and the end of a game.

#include <array>
#include <string_view>

#include "base/abort.h"
#include "base/charset.h"
#include "base/encoding.h"
#include "base/internalerror.h"
#include "base/scopedcount.h"
#include "base/tokenizer.h"
#include "base/wstrlib.h"
#include "frontend/datafolder.h"
#include "frontend/game.h"
#include "game/parser.h"
#include "model/story.h"
#include "model/time.h"
#include "script/interpreter.h"
#include "story/loader.h"

namespace velmo {

namespace {

// The special words, in the order that decides between them: a command
// that begins with several of them is the last one's.
enum tspecial { kOrdinary, kSave, kRestore, kRestart, kPronoun, kEnd, kCorrect, kUndo };
const std::array<const char*, 7> kSpecialWords = {"speichern", "laden", "neustart", "pronomen",
                                                  "ende",      "huch",  "zurueck"};

tspecial specialWord(const std::string& command) {
    int k = kOrdinary;
    for (std::size_t i = 0; i < kSpecialWords.size(); ++i)
        if (command.starts_with(kSpecialWords[i])) k = static_cast<int>(i) + 1;
    return static_cast<tspecial>(k);
}

// The commands of a line: split at "." outside double quotes.
std::vector<std::string> splitCommands(const std::string& line) {
    return ttokenizer(line, tcharset("."), tcharset("\""), false).Tokens();
}

std::string withoutLeadingBlanks(const std::string& text) {
    std::size_t first = text.find_first_not_of(' ');
    return first == std::string::npos ? std::string() : text.substr(first);
}

}  // namespace

tgame::tgame(tplatform& host, const tgamesettings& requested)
    : platform(host), settings(requested) {
    settings.columns = std::max<int32_t>(settings.columns, 8);
    settings.rows = std::max<int32_t>(settings.rows, 4);
    platform.setEventTarget(this);
    enableMenu(tmenuaction::openStory, true);
    enableMenu(tmenuaction::restoreGame, true);
    enableMenu(tmenuaction::saveGame, false);
    enableMenu(tmenuaction::playScript, false);
    enableMenu(tmenuaction::compile, true);
    enableMenu(tmenuaction::copyPictures, true);
    enableMenu(tmenuaction::display, true);
    clearScreen();
    libraryFolder = sharedStoriesFolder();
}

tgame::~tgame() {
    if (storyOpen() || story) releaseStory();
    if (platform.eventTarget() == this) platform.setEventTarget(nullptr);
}

void tgame::enableMenu(tmenuaction action, bool on) {
    menuState[static_cast<std::size_t>(action)] = on;
    platform.enableMenu(action, on);
}

void tgame::setStatus(const std::string& text) {
    statusText = text;
    platform.setStatusText(text);
}

// --- Opening and closing -------------------------------------------------

bool tgame::openStory(const std::string& fileName) {
    // A story still open (a restart) is closed first, so nothing of the old
    // game survives a failed reload.
    if (story) closeStory();
    clearStopped();
    saveDone = false;
    waitingForKey = false;
    askAfterEnd = false;
    platform.clearText();
    clearScreen();
    storyFile = fileName;
    setStatus("");

    const tscopedcount running(busy);
    if (!loadStoryFile(fileName)) return false;
    startStory();
    return true;
}

// A fresh story from the file; false (and no story) when it cannot be
// loaded, the loader's error shown.
bool tgame::loadStoryFile(const std::string& fileName) {
    source = std::make_unique<tstorysource>();
    story = std::make_unique<tstory>(*this);
    bool loaded = false;
    try {
        loaded = loadStory(fileName, *story, *source);
    } catch (const std::exception& failure) {
        reportInternalError("Laden", failure);
        loaded = false;
    }
    if (!loaded) releaseStory();
    return loaded;
}

void tgame::startStory() {
    platform.setCaption(baseFileName(storyFile));
    history.clear();
    historyIndex = 0;
    undoLabels.clear();
    enableMenu(tmenuaction::compile, false);
    enableMenu(tmenuaction::copyPictures, false);
    if (settings.seed) story->random.seed(*settings.seed);
    interpreter = std::make_unique<tinterpreter>(*story);

    try {
        runInits();
        if (!stopped) declareParserVariables();
        std::string result;
        if (!stopped) interpreter->Run(0, &story->root(), result, "", "main");
    } catch (const tabort&) {
        // "quit" during the start-up: stopped is set, the story closes below.
    } catch (const std::exception& failure) {
        reportInternalError("Start", failure);
        stopped = true;
    }
    if (stopped || !interpreter->PlayerReady()) {
        closeStory();
        return;
    }
    enableMenu(tmenuaction::saveGame, true);
    enableMenu(tmenuaction::restoreGame, true);
    enableMenu(tmenuaction::playScript, true);
    try {
        updateStatusLine();
    } catch (const tabort&) {
        stopped = true;  // "quit" in the status line
    } catch (const std::exception& failure) {
        reportInternalError("Statuszeile", failure);
        stopped = true;
    }
    // A story whose status line fails cannot be played on.
    if (stopped) {
        closeStory();
        return;
    }
    platform.setInputEnabled(true);
    writeText("^>");
}

// Every object, in the order of the root's list, that has a function
// "init" of its own or inherited.
void tgame::runInits() {
    std::string result;
    const auto& children = story->root().children();
    for (std::size_t i = 0; i < children.size() && !stopped; ++i) {
        tnode* node = children[i].get();
        if (node->getKind() != kKindObject || !node->findChild("init")) continue;
        interpreter->Run(0, node, result, "", "init");
    }
}

// The variables the command parser fills. A story that declares one of
// them itself gets the declaration error shown before it is closed.
void tgame::declareParserVariables() {
    bool failed = false;
    tvarlist& vars = story->root().vars;
    vars.declare("quote,topic,number", kTypeText, failed, 0);
    vars.declare("count", kTypeInt, failed, 0);
    if (failed) stopped = true;
}

void tgame::releaseStory() {
    // Interpreters go before the tree, the tree before the file list that
    // maps its lines.
    interpreter.reset();
    story.reset();
    setLineMapper(nullptr);
    source.reset();
}

void tgame::closeStory() {
    try {
        releaseStory();
    } catch (...) { stopped = true; }
    closePicture();  // its story's picture goes with the story
    platform.setInputEnabled(false);
    history.clear();
    historyIndex = 0;
    undoLabels.clear();
    platform.setCaption("Velmo");
    enableMenu(tmenuaction::saveGame, false);
    enableMenu(tmenuaction::playScript, false);
    enableMenu(tmenuaction::compile, true);
    enableMenu(tmenuaction::copyPictures, true);
    menuCancelled = false;
    menuOpen = false;
    menuLast = 0;
    waitingForKey = false;
}

bool tgame::requestQuit() {
    waitingForKey = false;
    menuOpen = false;
    menuLast = 0;
    menuCancelled = true;
    if (storyOpen() && !saveDone && history.size() >= 2) {
        const tanswer answer = platform.ask("Spielstand speichern?");
        if (answer == tanswer::cancel) return false;
        // A save that did not happen keeps the program running: quitting
        // then would lose the game.
        if (answer == tanswer::yes && saveGame() != tsaveresult::saved) return false;
    }
    if (interpreter) interpreter->ClearLoops();
    closeRequested();
    return true;
}

// --- The turn cycle ------------------------------------------------------

void tgame::executeLine(const std::string& line, const std::string& shown) {
    transcript.addText(line);
    writeText("^");

    // Each command keeps the text that shows it, so that the history and
    // the undo message name that command, not the whole line.
    std::vector<std::string> commands = splitCommands(line);
    // A line of blanks and full stops holds no command; it still gets its
    // prompt back.
    if (commands.empty()) commands.emplace_back();
    std::string shownText = shown.empty() ? shown : shown.substr(1);
    const std::vector<std::string> shownCommands = splitCommands(shownText);
    commandSplitter.emplace();
    for (std::size_t i = 0; i < commands.size(); ++i) {
        std::string display = i < shownCommands.size() && shownCommands.size() == commands.size()
                                  ? withoutLeadingBlanks(shownCommands[i])
                                  : withoutLeadingBlanks(commands[i]);
        commandSplitter->push_back({commands[i], ">" + display});
    }

    const tscopedcount running(busy);
    try {
        while (!commandSplitter->empty() && !stopped && storyOpen()) {
            tpending next = std::move(commandSplitter->front());
            commandSplitter->pop_front();
            runCommand(next.command, next.shown);
        }
        // A stop that no command has handled (for example an error in the
        // status line after an undo) still ends the game.
        if (stopped && storyOpen()) handleStop();
    } catch (const tabort&) {
        if (stopped && storyOpen()) handleStop();
    } catch (const std::exception& failure) {
        reportInternalError("Eingabe", failure);
        writeText("Wie bitte?^^>");
        scriptFile.clear();
    }
    commandSplitter.reset();
}

void tgame::runCommand(const std::string& text, const std::string& shown) {
    // Leading blanks go before anything looks at the command, so the
    // words after a full stop are recognised as well.
    const std::string command = withoutLeadingBlanks(text);
    if (command.empty()) {
        if (commandSplitter->empty()) writeText("^>");
        return;
    }
    if (replaying) {
        writeText("^>" + command + "^");
        pageStart -= 2;
    }
    if (runSpecial(command)) {
        if (stopped && storyOpen()) handleStop();
        return;
    }
    runOrdinary(command, shown);
}

void tgame::runOrdinary(const std::string& command, const std::string& shown) {
    story->pushUndo();
    noteUndoLabel(shown);
    history.push_back(shown);
    historyIndex = static_cast<int32_t>(history.size());

    // The answers may quote the player's words as typed; nothing else of
    // the typed text reaches the parse.
    story->typedInput = shown.empty() ? std::string() : typedText(shown.substr(1));
    parseCommand(*story, command, repeatFirst, repeatSecond);
    if (story) story->typedInput.clear();
    if (repeatFirst && storyOpen() && !stopped) {
        tnode* first = repeatFirst;
        tnode* second = repeatSecond;
        const int64_t index = static_cast<int64_t>(history.size()) - 1 - repeatOffset;
        repeatFirst = repeatSecond = nullptr;
        if (index >= 0 && index < static_cast<int64_t>(history.size())) {
            std::string again = commandText(history[static_cast<std::size_t>(index)]);
            again.erase(0, 1);
            if (static_cast<int64_t>(again.size()) > settings.columns)
                again.resize(static_cast<std::size_t>(settings.columns));
            parseCommand(*story, again, first, second);
        }
    }
    repeatOffset = 0;
    repeatFirst = repeatSecond = nullptr;
    afterCommandCheck();
}

bool tgame::runSpecial(const std::string& command) {
    switch (specialWord(command)) {
    case kOrdinary: return false;
    case kSave:
        // "speichern spiel1" offers "spiel1" in the dialog. How it went is
        // told by the save itself: never "Ok" when nothing was saved.
        saveGame(withoutLeadingBlanks(command.substr(std::string_view(kSpecialWords[0]).size())));
        writeText("^>");
        break;
    case kRestore: restoreGame(); break;
    case kRestart: openStory(storyFile); break;
    case kPronoun:
        if (story->pronounText.empty())
            writeText("kein Pronomen^^>");
        else
            writeText(story->pronounText + "^^>");
        break;
    case kEnd: askToEnd(); break;
    case kCorrect: correct(command); break;
    case kUndo: undo(); break;
    }
    return true;
}

void tgame::afterCommandCheck() {
    if (stopped)
        handleStop();
    else if (!commandSplitter || commandSplitter->empty())
        writeText("^>");
}

// The game has stopped (an error, "quit", the window closing): the rest
// of the line is dropped, the story closes, and after the end of a game
// the player chooses how to go on.
void tgame::handleStop() {
    if (commandSplitter) commandSplitter->clear();
    if (askAfterEnd && !windowClosing) {
        afterDeath();
        return;
    }
    closeStory();
}

// The question after the end of a game. The story stays open while the
// player chooses, so that the command that ended it (drinking the poison)
// can still be taken back. A restore that was cancelled or failed asks
// again: the player chose to go on, not to quit.
void tgame::afterDeath() {
    bool canUndo = storyOpen() && story->canUndo();
    for (;;) {
        writeText(canUndo ? "^M\xF6"
                            "chtest du (1) das Spiel neu beginnen, (2) einen Spielstand laden, (3) "
                            "das Spiel beenden oder (4) den letzten Zug zur\xFC"
                            "cknehmen? "
                          : "^M\xF6"
                            "chtest du (1) das Spiel neu beginnen, (2) einen Spielstand laden oder "
                            "(3) das Spiel beenden? ");
        const char last = canUndo ? '4' : '3';
        char key = 0;
        while (!windowClosing) {
            key = waitForKey();
            if (key >= '1' && key <= last) break;
        }
        if (windowClosing) {
            closeStory();
            return;
        }
        writeText(std::string(1, key) + "^");
        if (key == '4') {
            resumeAfterEnd();
            return;
        }
        if (storyOpen()) closeStory();
        canUndo = false;
        if (key == '1') {
            openStory(storyFile);
        } else if (key == '3') {
            // The program stays open with no story.
            askAfterEnd = false;
        } else if (!restoreGame() && !storyOpen() && !windowClosing) {
            continue;
        }
        return;
    }
}

// The game goes on from before the command that ended it.
void tgame::resumeAfterEnd() {
    askAfterEnd = false;
    saveDone = false;
    clearStopped();
    writeText("^");
    undo();
}

void tgame::askToEnd() {
    writeText("Spiel beenden? (j/n) ");
    char key = 0;
    while (!windowClosing) {
        key = waitForKey();
        if (key == 'j' || key == 'n') break;
    }
    if (windowClosing) return;
    writeText(std::string(1, key) + "^");
    if (key == 'j')
        closeStory();
    else
        writeText("^>");
}

// --- Services the core calls ---------------------------------------------

void tgame::endGame(bool ask) {
    askAfterEnd = ask;
    tservices::endGame(ask);
    if (!ask) {
        enableMenu(tmenuaction::compile, true);
        enableMenu(tmenuaction::copyPictures, true);
    }
}

const tclock* tgame::gameClock() const { return story ? &story->clock : nullptr; }

void tgame::setRepeatContext(int32_t offset, tnode* first, tnode* second) {
    repeatOffset = offset;
    repeatFirst = first;
    repeatSecond = second;
}

void tgame::checkMessages() {
    platform.processEvents();
    // The window is closing: story code that is still running stops here
    // instead of looping on.
    if (windowClosing && busy > 0) throw tabort();
}

void tgame::closeRequested() {
    windowClosing = true;
    waitingForKey = false;
    menuOpen = false;
    menuLast = 0;
    menuCancelled = true;
    askAfterEnd = false;
    // Whatever runs now ends with the command it is in.
    if (storyOpen()) stopped = true;
}

void tgame::fileDropped(const std::string& path) {
    if (busy > 0 || waiting()) return;
    const std::string lower = lowerCase(path);
    if (lower.find(".vel") != std::string::npos || lower.find(".dat") != std::string::npos)
        openStory(path);
    else
        platform.showMessage(tmessagekind::information,
                             "Dieser Dateityp kann mit Velmo nicht ge\xF6"
                             "ffnet werden.");
}

}  // namespace velmo
