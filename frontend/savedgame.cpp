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
#include "game/parser.h"
#include "model/story.h"
#include "model/time.h"
#include "script/interpreter.h"
#include "story/loader.h"

namespace velmo {

namespace {

const char* const kNotSaved = "Spielstand kann nicht gespeichert werden";

std::string notRestored(int number) {
    return "Spielstand dieser Datei kann nicht wiederhergestellt werden (" +
           std::to_string(number) + ")";
}

// A failure while restoring, with the number of its message.
struct trestorefailure {
    int number;
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
    if (!ok) throw trestorefailure{in.good() ? 6 : 5};
}

}  // namespace

void tgame::saveGame() {
    if (!storyOpen()) return;
    if (history.empty()) {
        platform.showMessage(
            tmessagekind::information,
            "Ein Spielstand kann erst nach der ersten Eingabe gespeichert werden.");
        return;
    }
    std::string path;
    if (platform.chooseSaveFile("Spielstand speichern", "Spielstand (*.memo)|*.memo", "memo",
                                saveFolder, std::string(), path)) {
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
        if (!written) platform.showMessage(tmessagekind::warning, kNotSaved);
    }
    saveDone = true;
}

void tgame::restoreGame() {
    if (menuOpen) return;
    std::string path;
    if (!platform.chooseOpenFile("Datei oeffnen", "Spielstanddateien (*.memo)|*.MEMO;*.MEM",
                                 saveFolder, path)) {
        // After a typed "laden" a new prompt follows; from a key (Ctrl+L)
        // the input line still stands, and a second would be a stray ">".
        if (storyOpen() && commandSplitter) writeText("^>");
        return;
    }
    std::ifstream in(existingFile(withExtension(path)), std::ios::binary);
    // Closes the open story, loads the saved one's story afresh and reads the
    // fields after the node count over it.
    const auto restoreFromFile = [this, &in](int32_t count) {
        clearStopped();
        if (story) closeStory();
        history.clear();
        historyIndex = 0;
        undoIndex = -1;
        enableMenu(tmenuaction::restoreGame, false);
        enableMenu(tmenuaction::compile, false);
        enableMenu(tmenuaction::copyPictures, false);
        pageStart = platform.lineCount();
        waitingForKey = false;
        menuOpen = false;
        menuCancelled = true;
        enableMenu(tmenuaction::openStory, true);

        source = std::make_unique<tstorysource>();
        story = std::make_unique<tstory>(*this);
        bool loaded = false;
        try {
            loaded = loadStory(storyFile, *story, *source);
        } catch (const std::exception& failure) {
            reportInternalError("Laden", failure);
            loaded = false;
        }
        if (!loaded) {
            releaseStory();
            platform.showMessage(tmessagekind::warning, notRestored(3));
            enableMenu(tmenuaction::restoreGame, true);
            return;
        }
        tnode& root = story->root();
        if (!root.vars.exists("quote")) declareParserVariables();
        if (settings.seed) story->random.seed(*settings.seed);
        interpreter = std::make_unique<tinterpreter>(*story);
        if (stopped) throw trestorefailure{6};

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
            platform.showMessage(tmessagekind::warning, notRestored(2));
            stopped = true;
            closeStory();
            enableMenu(tmenuaction::restoreGame, true);
            return;
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
        if (stopped) throw trestorefailure{6};
        writeText("^");
        const std::string command = story->restoreCommand;
        if (!command.empty())
            parseCommand(*story, command);
        else
            writeText("Ok^");
        if (!stopped) writeText("^>");
    };

    // Until the open story is closed, a failure leaves the game as it was.
    bool changed = false;
    {
        const tscopedcount running(busy);
        try {
            if (!in) throw trestorefailure{5};
            std::string savedStory;
            need(readStr(in, savedStory), in);
            if (storyFile.empty()) storyFile = savedStory;
            if (storyFile != savedStory && storyOpen() &&
                beforeFirstComma(storyFile) != beforeFirstComma(savedStory)) {
                platform.showMessage(tmessagekind::warning, notRestored(4));
                writeText("^>");
                return;
            }
            int32_t count = 0;
            need(readInt32(in, count), in);
            if (storyOpen() && static_cast<int64_t>(story->root().children().size()) != count) {
                platform.showMessage(tmessagekind::error, notRestored(1));
                writeText("^>");
                return;
            }

            changed = true;
            restoreFromFile(count);
        } catch (const trestorefailure& failure) {
            platform.showMessage(tmessagekind::warning, notRestored(failure.number));
            if (changed) {
                // A half-restored game is never played on.
                stopped = true;
                if (story) closeStory();
            } else if (storyOpen()) {
                writeText("^>");
            }
            return;
        } catch (const tabort&) {
            // "quit" in the story's restore command.
            stopped = true;
        } catch (const std::exception& failure) {
            reportInternalError("Spielstand laden", failure);
            platform.showMessage(tmessagekind::warning, notRestored(6));
            stopped = true;
            if (story) closeStory();
            return;
        }
    }
    if (stopped && storyOpen()) {
        handleStop();
        return;
    }
    if (storyOpen()) platform.setCaption(lowerCase(baseFileName(storyFile)));
}

}  // namespace velmo
