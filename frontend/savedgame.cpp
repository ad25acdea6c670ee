// Saved games: the ".memo" file names the story and holds its changeable
// state (clock, moves, score, status format, player, and every class and
// object node). Restoring reloads the story from its files without running
// "init" and "main" and then puts the stored state over the fresh one.
//
// The file is a plain sequence of fields: the story path, the number of
// nodes in the root's list, the clock, moves, score, status format, the
// player's index, the root's record and the records of every non-function
// node in list order. The node count is the only guard that the file fits
// the story; everything read is checked before it is used.

#include <filesystem>
#include <fstream>
#include <system_error>

#include "base/abort.h"
#include "base/atomicfile.h"
#include "base/codedfile.h"
#include "base/encoding.h"
#include "base/internalerror.h"
#include "base/scopedcount.h"
#include "base/wstrlib.h"
#include "frontend/game.h"
#include "frontend/savemessages.h"
#include "game/parser.h"
#include "model/story.h"
#include "model/time.h"
#include "script/interpreter.h"
#include "story/loader.h"

namespace velmo {

namespace {

// A failure while restoring: the number of its message and why.
struct trestorefailure {
    int number;
    trestorereason reason;
};

std::size_t nameStart(const std::string& path) {
    const std::size_t slash = path.find_last_of("/\\");
    return slash == std::string::npos ? 0 : slash + 1;
}

// The chosen file name gets ".memo" when it has no extension.
std::string withExtension(const std::string& path) {
    if (path.find('.', nameStart(path)) == std::string::npos) return path + ".memo";
    return path;
}

// The file is created under the chosen name in lower case; the folder
// stays as it was chosen.
std::string withLowerCaseName(const std::string& path) {
    const std::size_t start = nameStart(path);
    return path.substr(0, start) + lowerCase(path.substr(start));
}

// A name typed in another letter case than the file was saved under: the
// lower-case name in the same folder is taken when the name as written
// does not exist.
std::string existingFile(const std::string& path) {
    std::error_code error;
    if (std::filesystem::exists(path, error)) return path;
    const std::string lower = withLowerCaseName(path);
    return std::filesystem::exists(lower, error) ? lower : path;
}

// The beginning of a story path up to and including its first comma;
// empty for a path without one.
std::string beforeFirstComma(const std::string& path) {
    const std::size_t comma = path.find(',');
    return comma == std::string::npos ? std::string() : path.substr(0, comma + 1);
}

void writeFields(std::ostream& out, const std::string& storyFile, const tstory& story) {
    const tnode& root = story.root();
    writeStr(out, storyFile);
    writeInt32(out, static_cast<int32_t>(root.children().size()));
    story.clock.save(out);
    writeInt32(out, story.moves);
    writeInt32(out, story.score);
    writeInt32(out, story.statusFormat);
    writeInt32(out, root.indexOfChild(story.player));
    root.saveState(out);
    for (const auto& child : root.children())
        if (child->getKind() != kKindFunction) child->saveState(out);
}

// A field that cannot be read: a short file is a read error (5), a value
// that does not fit the story is another failure (6).
void need(bool ok, const std::istream& in) {
    if (!ok) throw trestorefailure{in.good() ? 6 : 5, trestorereason::damaged};
}

// A saved game begins with the path of its story: text without control
// characters. Anything else is some other file.
bool plausibleStoryPath(const std::string& path) {
    if (path.empty()) return false;
    for (char c : path) {
        const unsigned char u = static_cast<unsigned char>(c);
        if (u < ' ' || u == 0x7F) return false;
    }
    return true;
}

// The saved game's file cannot be opened: missing, or there but unreadable.
trestorereason openFailure(const std::string& path) {
    std::error_code error;
    return std::filesystem::exists(path, error) ? trestorereason::unreadable
                                                : trestorereason::missing;
}

}  // namespace

tsaveresult tgame::saveGame(const std::string& proposedName) {
    if (!storyOpen()) return tsaveresult::noStory;
    if (history.empty()) {
        platform.showMessage(
            tmessagekind::information,
            "Ein Spielstand kann erst nach der ersten Eingabe gespeichert werden.");
        return tsaveresult::tooEarly;
    }
    std::string path;
    if (!platform.chooseSaveFile("Spielstand speichern", "Spielstand (*.memo)|*.memo", "memo",
                                 saveFolder, proposedName, path)) {
        // Not saving was the player's own choice: quitting need not ask.
        saveDone = true;
        return tsaveresult::cancelled;
    }
    path = withLowerCaseName(withExtension(path));
    bool written = false;
    try {
        written = writeFileAtomically(path, [this](std::ostream& out) {
            writeFields(out, storyFile, *story);
            return static_cast<bool>(out);
        });
    } catch (const std::exception& failure) {
        reportInternalError("Speichern", failure);
        written = false;
    }
    // A failed save leaves the game unsaved, so that quitting still asks.
    if (!written) {
        platform.showMessage(tmessagekind::warning, saveFailureText(path));
        return tsaveresult::failed;
    }
    saveDone = true;
    tellPlayer(savedText(path));
    return tsaveresult::saved;
}

// The prompt after a restore that changed nothing: a command ("laden")
// gets its prompt back; at the prompt itself there is nothing to add.
void tgame::promptAfterRestore() {
    if (storyOpen() && commandSplitter) writeText("^>");
}

// Moves the running game out of the way of the one being restored.
void tgame::setAside(tsetaside& kept) {
    kept.interpreter = std::move(interpreter);
    kept.story = std::move(story);
    kept.source = std::move(source);
    kept.storyFile = storyFile;
    kept.history = std::move(history);
    kept.historyIndex = historyIndex;
    kept.undoLabels = std::move(undoLabels);
    history.clear();
    historyIndex = 0;
    undoLabels.clear();
}

// After a restore that failed: the half-restored story goes, the game set
// aside comes back as it was. False when there was none to give back.
bool tgame::giveBack(tsetaside& kept) {
    if (!kept.story) return false;
    releaseStory();
    interpreter = std::move(kept.interpreter);
    story = std::move(kept.story);
    source = std::move(kept.source);
    setLineMapper(&source->files);
    storyFile = kept.storyFile;
    history = std::move(kept.history);
    historyIndex = kept.historyIndex;
    undoLabels = std::move(kept.undoLabels);
    clearStopped();
    platform.setInputEnabled(true);
    enableMenu(tmenuaction::saveGame, true);
    enableMenu(tmenuaction::restoreGame, true);
    enableMenu(tmenuaction::playScript, true);
    updateStatusLine();
    return true;
}

// A half-restored game is never played on: the game set aside comes
// back, or, when there was none, no story stays open.
void tgame::abandonRestore(tsetaside& kept) {
    if (giveBack(kept)) {
        promptAfterRestore();
        return;
    }
    stopped = true;
    if (story) closeStory();
}

// Sets the open story aside, loads the saved one's story afresh and reads
// the fields after the node count over it. False when the game did not
// come back (its message is shown); a field that does not fit throws.
bool tgame::restoreFromFile(std::istream& in, int32_t count, const std::string& file,
                            const std::string& savedStory, tsetaside& kept) {
    clearStopped();
    setAside(kept);
    enableMenu(tmenuaction::restoreGame, false);
    enableMenu(tmenuaction::compile, false);
    enableMenu(tmenuaction::copyPictures, false);
    pageStart = platform.lineCount();
    waitingForKey = false;
    menuOpen = false;
    menuCancelled = true;
    enableMenu(tmenuaction::openStory, true);

    if (!loadStoryFile(storyFile)) {
        platform.showMessage(
            tmessagekind::warning,
            restoreFailureText(3, trestorereason::storyNotLoaded, file, storyFile));
        enableMenu(tmenuaction::restoreGame, true);
        return false;
    }
    tnode& root = story->root();
    if (!root.vars.exists("quote")) declareParserVariables();
    if (settings.seed) story->random.seed(*settings.seed);
    interpreter = std::make_unique<tinterpreter>(*story);
    if (stopped) throw trestorefailure{6, trestorereason::damaged};

    need(story->clock.read(in), in);
    int32_t value = 0;
    need(readInt32(in, value) && value >= 0, in);
    story->moves = value;
    need(readInt32(in, value), in);
    story->score = value;
    need(readInt32(in, value), in);
    story->statusFormat = value;
    need(readInt32(in, value), in);
    tnode* player = value < 0 ? nullptr : root.childAt(value);
    need(player && player->getKind() == kKindObject, in);

    need(root.restoreState(in), in);
    if (static_cast<int64_t>(root.children().size()) != count) {
        platform.showMessage(
            tmessagekind::warning,
            restoreFailureText(2, countMismatchReason(savedStory, storyFile), file, savedStory));
        enableMenu(tmenuaction::restoreGame, true);
        return false;
    }
    for (const auto& child : root.children())
        if (child->getKind() != kKindFunction) need(child->restoreState(in), in);

    story->player = player;
    story->actor = player;
    story->rebuildScope(player);
    // A player placed nowhere cannot play on.
    need(interpreter->PlayerReady() != nullptr, in);

    platform.setInputEnabled(true);
    enableMenu(tmenuaction::saveGame, true);
    enableMenu(tmenuaction::restoreGame, true);
    enableMenu(tmenuaction::playScript, true);
    updateStatusLine();
    if (stopped) throw trestorefailure{6, trestorereason::damaged};
    writeText("^");
    display(restoredText(file) + "\n", {});
    runRestoreCommand();
    if (!stopped) writeText("^>");
    return true;
}

bool tgame::restoreGame() {
    if (menuOpen) return false;
    std::string chosen;
    if (!platform.chooseOpenFile("Datei \xF6"
                                 "ffnen",
                                 "Spielstanddateien (*.memo)|*.MEMO;*.MEM", saveFolder, chosen)) {
        promptAfterRestore();
        return false;
    }
    return restoreGameFile(chosen);
}

bool tgame::restoreGameFile(const std::string& path) {
    if (menuOpen) return false;
    const std::string file = withExtension(path);
    std::ifstream in(existingFile(file), std::ios::binary);
    std::string savedStory;
    // A failure before the open story is set aside leaves it as it was;
    // one after gives it back.
    tsetaside kept;
    bool changed = false;
    bool restored = false;
    {
        const tscopedcount running(busy);
        try {
            if (!in) throw trestorefailure{5, openFailure(file)};
            if (!readStr(in, savedStory)) throw trestorefailure{5, trestorereason::notSaved};
            if (!plausibleStoryPath(savedStory)) throw trestorefailure{6, trestorereason::notSaved};
            if (storyFile.empty()) storyFile = savedStory;
            if (storyFile != savedStory && storyOpen() &&
                beforeFirstComma(storyFile) != beforeFirstComma(savedStory))
                throw trestorefailure{4, trestorereason::otherStory};
            int32_t count = 0;
            if (!readInt32(in, count)) throw trestorefailure{5, trestorereason::notSaved};
            if (storyOpen() && static_cast<int64_t>(story->root().children().size()) != count) {
                platform.showMessage(
                    tmessagekind::error,
                    restoreFailureText(1, countMismatchReason(savedStory, storyFile), file,
                                       savedStory));
                promptAfterRestore();
                return false;
            }

            changed = true;
            restored = restoreFromFile(in, count, file, savedStory, kept);
            if (!restored) {
                abandonRestore(kept);
                return false;
            }
        } catch (const trestorefailure& failure) {
            platform.showMessage(
                tmessagekind::warning,
                restoreFailureText(failure.number, failure.reason, file, savedStory));
            if (changed)
                abandonRestore(kept);
            else
                promptAfterRestore();
            return false;
        } catch (const tabort&) {
            // "quit" in the story's restore command.
            stopped = true;
        } catch (const std::exception& failure) {
            reportInternalError("Spielstand laden", failure);
            platform.showMessage(tmessagekind::warning,
                                 restoreFailureText(6, trestorereason::damaged, file, savedStory));
            if (changed)
                abandonRestore(kept);
            else
                promptAfterRestore();
            return false;
        }
    }
    if (stopped && storyOpen()) {
        handleStop();
        return false;
    }
    if (storyOpen()) platform.setCaption(lowerCase(baseFileName(storyFile)));
    return restored && storyOpen();
}

// The story's own command after a restore (typically a look around). It
// takes no turn: a restored game stands exactly where it was saved, so
// neither the clock nor the moves go on and no daemon or timer runs.
void tgame::runRestoreCommand() {
    const std::string command = story->restoreCommand;
    if (command.empty()) return;
    story->noTurn = true;
    parseCommand(*story, command);
    // A command that was not recognised leaves the mark; it must not
    // spare the player's next command its turn.
    if (story) story->noTurn = false;
}

}  // namespace velmo
