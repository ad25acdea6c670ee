#ifndef VELMO_MODEL_STORY_H
#define VELMO_MODEL_STORY_H

// One open story: the root of its tree, the references that the whole
// program shares (verb list, hook list, scope list, undo stack, player and
// actor) and the game's counters (moves, score, clock). Nothing of this is global, so tests build a story in a few
// lines and two stories never share state.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "base/random.h"
#include "base/services.h"
#include "model/nameset.h"
#include "model/nameindex.h"
#include "model/parsetree.h"
#include "model/persistentarray.h"
#include "model/scopelist.h"
#include "model/time.h"
#include "model/verblist.h"

namespace velmo {

class tstory {
public:
    // Creates the root ("root", kind 0, value type 3) with empty
    // registries. The loader declares the root's variables.
    explicit tstory(tservices& services);
    ~tstory();

    tstory(const tstory&) = delete;
    tstory& operator=(const tstory&) = delete;

    tservices& services;

    tnode& root() { return *root_; }
    const tnode& root() const { return *root_; }

    // Registries, created with the root.
    tverblist verbs;
    std::vector<tnode*> hooks;  // every function node named "beforeAction", in creation order
    tscopelist scope;           // what the player can reach; empty until a player is set
    tnameindex names;           // which objects a word can end a name of
    tnameset nodeNames;      // the names of all nodes but the root, as a filter
    tnode* player = nullptr;
    tnode* actor = nullptr;

    // The command parser's state (game/parser.h). Between commands: the
    // words of the last sentence, the cursor of the "getWord" built-in
    // over them, the search form that pronouns stand for, and the word
    // the last failed parse could not place. During a command: its first
    // and second object lists ("halt" empties them).
    std::vector<std::string> words;
    int32_t wordCursor = 0;
    // The word cursor over `words`: back to the first word ("firstWord"
    // statement), and the word at the cursor with the cursor moved on (the
    // "getWord" built-in); the empty text past the end.
    void resetWordCursor() { wordCursor = 0; }
    std::string nextWord() {
        if (wordCursor < 0 || static_cast<std::size_t>(wordCursor) >= words.size()) return {};
        return words[static_cast<std::size_t>(wordCursor++)];
    }
    std::string pronounText;
    std::string unrecognisedWord;
    // The player's command as typed (letter case and umlauts kept, German
    // quotation marks made double quotes), set by the front end before it
    // parses a typed command; the "typedWord" built-in looks words up in
    // it. Matching never reads it.
    std::string typedInput;
    std::vector<tnode*> firstObjects;
    std::vector<tnode*> secondObjects;
    // The objects the parser named by a later name variant (`nameIndex`
    // above 0; no one else writes it). A search sets the index of every
    // object it passes back to 0, and these are the only objects for
    // which that changes anything, so a search need not pass the others.
    std::vector<tnode*> namedByLaterVariant;

    // The game clock: driven by the turn end, "setTime", undo and restored
    // games.
    tclock clock;
    // The state of the game that statements and built-ins read and set:
    // turns taken (counted at every turn end), the score ("addScore"), the
    // status line's format ("StatusLineFormat", 0 score/moves), the serial
    // of a compiled story file, the command that the "restore" declaration
    // runs after a saved game is restored, and "halt 3", which keeps the
    // current command from taking a turn.
    int32_t moves = 0;
    int32_t score = 0;
    int32_t statusFormat = 0;
    std::string serial = "000000";
    std::string restoreCommand;
    bool noTurn = false;
    // The random numbers of the "random" built-in; seeded from the clock
    // of the machine unless the front end seeds it.
    trandom random;

    // The story was opened from a compiled story file: its text files are
    // coded companions.
    bool compiled = false;
    // The story file as opened; a story's text files are found beside it.
    std::string storyFile;

    // How deeply story code is nested right now, counted by the
    // interpreter (runs) and the expression evaluator (function calls), so
    // that code recursing without end stops with an error instead of
    // overflowing the stack.
    int32_t runDepth = 0;
    int32_t callDepth = 0;
    // Runs started since the interpreter last let the host check for
    // messages (a key, the window closing); wraps around harmlessly.
    uint32_t runsSinceMessages = 0;

    // The scope list from the outermost location of `node`: that node,
    // then everything in it at any depth, a node before its contents.
    // Null leaves the list empty.
    void rebuildScope(tnode* node);
    bool inScope(const tnode* node) const { return scope.contains(node); }

    // The objects that a "fetch" over everything visits: every child of
    // the root that is an object and not abstract, in order, each with
    // whether the root's search for its name finds it (a later child of
    // the same name would be found instead). Kept while the root has as
    // many children as when it was made: children are only ever added.
    struct tfetchable {
        tnode* node;
        bool foundByName;
    };
    const std::vector<tfetchable>& fetchableObjects();
    // While a fetch's condition runs for an object that its name finds:
    // that object, so that a path through the loop variable holding its
    // name need not search the root for it. Only a hint: the name is
    // compared before it is taken.
    tnode* fetchedObject = nullptr;

    // Undo snapshots of the game state, one per player command: the
    // clock, the score, the root's variables, timers and daemons, and
    // every object's location, contents, variables and attributes (the
    // move count is not taken back). A snapshot shares every list
    // that did not change with the snapshot before it, so it costs what
    // the command changed, not what the world holds.
    void pushUndo();
    // Restores the most recent snapshot and pops it; nothing without one.
    void popUndo();
    bool canUndo() const;
    void dropUndo();
    std::size_t undoDepth() const;

    // Bytes that the most recent snapshot holds and the one below it does
    // not (all of them for the only snapshot); 0 without a snapshot.
    std::size_t undoTopOwnBytes() const;

    // True when the objects' states that the next snapshot starts from,
    // together with the changes noted since, describe the world as it is.
    // Reads every object; tests and debug builds check it.
    bool undoStatesMatchWorld() const;

private:
    struct tsnapshot;
    struct tobjectstate;
    using tobjectstates = tpersistentarray<tobjectstate>;

    // Brings `undoStates` up to the world: the noted children only, or
    // every child when the tree has grown since it was built.
    void updateUndoStates();
    void rebuildUndoStates();
    // The node's state, sharing the lists of `earlier` that hold the same.
    static tobjectstate stateOf(tnode& node, const tobjectstate* earlier);
    static void putBack(tnode& node, const tobjectstate& state);

    // The indexes of the root's children whose undo marks are set. Declared
    // before the root: nodes set marks until they are destroyed.
    std::vector<uint32_t> undoChanges;
    std::unique_ptr<tnode> root_;
    std::vector<tsnapshot> undoStack;
    // Every root child's state as of the last snapshot or undo, except
    // for the children noted in `undoChanges`; not built before the first.
    tobjectstates undoStates;
    bool undoStatesBuilt = false;
    std::vector<tfetchable> fetchable;
    std::size_t fetchableChildren = 0;  // the root's children when `fetchable` was made
};

}  // namespace velmo

#endif
