#ifndef VELMO_FRONTEND_GAME_H
#define VELMO_FRONTEND_GAME_H

// The player front end without a window: the running game as the main
// window holds it. It provides the front-end services to the core
// (writing text with its markup, the status line, key waits, topic
// menus, the end of the game), drives input lines through the command
// parser, edits the input line in answer to the host's key events, and
// serves the special words (restart, undo, correction, ...).
//
// It reaches the screen only through the platform interface, so the
// terminal, the desktop window and the test host all run the same logic.
//
// The implementation is split by concept: gamecontrol.cpp (opening,
// closing, the turn cycle, the end of a game), textoutput.cpp (writing,
// paging, box, clearing), statusline.cpp, inputline.cpp (keys, history,
// function keys), waits.cpp (key wait, topic menu), undo.cpp ("zurueck"
// and "huch"), savedgame.cpp (with the texts of savemessages.h),
// gameoptions.cpp (options, the open dialog, recent files).

#include <array>
#include <cstdint>
#include <deque>
#include <functional>
#include <iosfwd>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "base/services.h"
#include "frontend/platform.h"
#include "frontend/textbuffer.h"
#include "frontend/transcript.h"

namespace velmo {

class tclock;
class tinterpreter;
class tnode;
class tsettings;
class tstory;
struct tstorysource;

// The settings of the front end that the options file provides.
// How an attempt to save ended.
enum class tsaveresult {
    saved,
    cancelled,  // the player closed the dialog
    failed,     // the file could not be written (a warning was shown)
    tooEarly,   // no command yet (an information was shown)
    noStory
};

struct tgamesettings {
    int32_t columns = 70;                     // ColMax
    int32_t rows = 28;                        // RowMax
    std::array<std::string, 9> functionKeys;  // F2 ... F10, at most 40 characters each
    // Seeds the story's random numbers when set (a repeatable walkthrough).
    std::optional<uint32_t> seed;
};

// The command text of an input line as shown (prompt included): lower
// case, umlauts folded, German quotation marks as double quotes.
std::string commandText(const std::string& shown);
// The same text with letter case and umlauts as typed.
std::string typedText(const std::string& shown);

class tgame : public tservices, public tplatformevents {
public:
    tgame(tplatform& platform, const tgamesettings& settings);
    ~tgame() override;

    tgame(const tgame&) = delete;
    tgame& operator=(const tgame&) = delete;

    // --- Game control ------------------------------------------------
    // Opens or restarts a story; false when it could not be loaded (the
    // loader's error is shown and no story is open). A story that loads
    // but leaves no located player is closed again at once.
    bool openStory(const std::string& fileName);
    void closeStory();
    // The player asks to quit ("&Beenden"): every wait ends, and a game
    // not yet saved after two or more inputs asks "Spielstand speichern?"
    // (yes saves, cancel keeps the program running). True when the
    // program may end; the host then destroys the game, which closes the
    // story.
    bool requestQuit();
    bool storyOpen() const { return interpreter != nullptr; }
    // The transcript: every resolved output text and every submitted
    // command. `setTranscript` adds a listener that receives each piece.
    ttranscript& transcriptText() { return transcript; }
    void setTranscript(std::function<void(const std::string&)> sink) {
        transcript.setListener(std::move(sink));
    }

    // "Text speichern" (also the transcript's "Speichern"): the screen
    // text to a file chosen in the save dialog; a failure shows "Datei
    // kann nicht geschrieben werden". exportTextTo writes to `path` as
    // given and returns false on failure (textexport.cpp).
    void exportText();
    bool exportTextTo(const std::string& path);
    // "Skript abspielen": a file chosen in the open dialog, or `path`, is
    // played as typed commands (scriptreplay.cpp).
    void playScript();
    void playScriptFile(const std::string& path);
    // The "inspect" statement: the host's inspector (inspector.cpp).
    bool runInspector(int32_t line, tnode* node) override;

    // --- Front-end services ------------------------------------------
    void writeText(const std::string& text) override;
    void updateStatusLine() override;
    void showBox(const std::string& text) override;
    char waitForKey() override;
    std::string topicMenu(bool withTitle, const std::string& topics) override;
    void endGame(bool ask) override;
    void setRepeatContext(int32_t offset, tnode* first, tnode* second) override;
    void checkMessages() override;
    void clearScreen();

    // --- Platform events ---------------------------------------------
    void keyDown(tkey key, tmodifiers modifiers) override;
    void keyPress(char character) override;
    void keyUp(tkey key) override;
    void chooseTopic(int32_t number) override;
    void closeRequested() override;
    void fileDropped(const std::string& path) override;
    void pictureClosed() override { pictureOpen = false; }

    // Types a whole line at the prompt and presses Enter, as the plain
    // line mode and script-like hosts do: every character goes through
    // the key handlers, so the line is filtered and limited exactly as
    // typed input. A line too long for the input line is submitted in
    // pieces at its full stops; what still does not fit is dropped, and
    // the count of dropped characters is returned.
    std::size_t typeLine(const std::string& line);

    // --- Read access for hosts and tests -----------------------------
    tstory* currentStory() const { return story.get(); }
    const tclock* gameClock() const;
    const std::vector<std::string>& inputHistory() const { return history; }
    const std::string& currentStoryFile() const { return storyFile; }
    const std::string& currentStatus() const { return statusText; }
    bool waiting() const { return waitingForKey || menuOpen; }
    bool closing() const { return windowClosing; }
    int32_t columns() const { return settings.columns; }
    int32_t rows() const { return settings.rows; }

    // --- Options and opening (gameoptions.cpp) ----------------------
    // The options that the menus change and save: the game takes their
    // columns, rows and F-key texts and shows their recent files. Null:
    // the game keeps what it was built with.
    void useSettings(tsettings* options);
    // OK in an options dialog: the options take effect at once, also in
    // an open story, and are saved (a failure is shown as a warning).
    void applySettings();
    // The text area's size for this run only, not saved.
    void setTextSize(int32_t columns, int32_t rows);
    // The file named on the command line or opened from the desktop: a
    // saved game (".memo") is restored with its story, any other file is
    // opened as a story. True when a story is open afterwards.
    bool openStartFile(const std::string& path);
    void openNewStory();            // "&Neues Spiel öffnen"
    void openRecent(int32_t slot);  // the entries under "Neu öffnen", from 0
    // The folder of the temporary picture file; empty: the save folder.
    std::string pictureFolder;

    // Saved games: the menu entries, Ctrl+S / Ctrl+L and the words
    // "speichern" and "laden" come here. Each tells the player how it
    // went: a saved or restored game in the text, a failure with its
    // reason in a warning. `proposedName` is offered in the save dialog.
    // restoreGame is true when a saved game is now being played.
    tsaveresult saveGame(const std::string& proposedName = std::string());
    bool restoreGame();
    // Restoring without the dialog, from `path` (".memo" added when the
    // name has no "."), as when a saved game is opened from the desktop.
    bool restoreGameFile(const std::string& path);

    // The picture window (picturewindow.cpp): picture `number` of the
    // story's picture container, copied to the temporary picture file in
    // the save folder and handed to the host.
    void showPicture(const std::string& caption, int32_t number, int32_t line) override;
    void closePicture() override;
    bool pictureShown() const { return pictureOpen; }

protected:
    void errorShown() override;

private:
    // Options (gameoptions.cpp).
    void updateRecentFilesMenu();
    bool actionsFree() const;

    // Game control (gamecontrol.cpp).
    void releaseStory();
    bool loadStoryFile(const std::string& fileName);
    void startStory();
    void runInits();
    void declareParserVariables();
    void executeLine(const std::string& line, const std::string& shown);
    void runCommand(const std::string& command, const std::string& shown);
    void runOrdinary(const std::string& command, const std::string& shown);
    bool runSpecial(const std::string& command);
    void afterCommandCheck();
    void handleStop();
    void afterDeath();
    void resumeAfterEnd();
    void askToEnd();
    void enableMenu(tmenuaction action, bool on);
    void setStatus(const std::string& text);

    // Text output (textoutput.cpp).
    void display(const std::string& text, const std::vector<tstylerun>& runs);
    void tellPlayer(const std::string& sentence);
    void pause();
    void placeCaretAtEnd();

    // Input line (inputline.cpp).
    void editKey(tkey key, tmodifiers modifiers);
    void browseHistory(tkey key);
    void insertText(const std::string& text);
    void submitLine();
    void replayScript();
    std::string inputText() const;
    void setInputText(const std::string& text);

    // Waits (waits.cpp).
    char awaitKey(twait kind);
    void clearTextArea();
    void menuKey(tkey key);
    void drawMarker();
    void closeMenu(bool cancelled);

    // Saved games (savedgame.cpp). A restore sets the running game aside
    // and gives it back when the saved one does not come back whole.
    struct tsetaside {
        std::unique_ptr<tstorysource> source;
        std::unique_ptr<tstory> story;
        std::unique_ptr<tinterpreter> interpreter;
        std::string storyFile;
        std::vector<std::string> history;
        int32_t historyIndex = 0;
        std::vector<std::string> undoLabels;
    };
    void setAside(tsetaside& kept);
    bool giveBack(tsetaside& kept);
    void abandonRestore(tsetaside& kept);
    bool restoreFromFile(std::istream& in, int32_t count, const std::string& file,
                         const std::string& savedStory, tsetaside& kept);
    void promptAfterRestore();
    void runRestoreCommand();

    // Undo and correction (undo.cpp).
    void noteUndoLabel(const std::string& shown);
    void undo();
    void correct(const std::string& command);

    tplatform& platform;
    tgamesettings settings;
    tsettings* options = nullptr;
    ttranscript transcript;
    std::vector<std::string> inspectorHistory;  // outlives one inspector

    // The open story.
    std::unique_ptr<tstorysource> source;
    std::unique_ptr<tstory> story;
    std::unique_ptr<tinterpreter> interpreter;
    std::string storyFile;
    std::vector<std::string> history;
    bool askAfterEnd = false;
    std::string scriptFile;
    bool replaying = false;

    // The input line being executed: the commands still to run, each with
    // the text that shows it on screen. Exists only while a line runs.
    struct tpending {
        std::string command;
        std::string shown;
    };
    std::optional<std::deque<tpending>> commandSplitter;

    // The repeat context of the "repeat" statement.
    int32_t repeatOffset = 0;
    tnode* repeatFirst = nullptr;
    tnode* repeatSecond = nullptr;

    // Text output.
    int32_t pageStart = 0;
    std::string statusText;
    // Story code or a line is running: a second line must not start from
    // inside it (keys arrive while story code lets events through).
    int32_t busy = 0;

    // Input line and waits.
    int32_t historyIndex = 0;
    std::string editedLine;
    // The input each undo step takes back, one per snapshot of the story's
    // undo stack (entry i belongs to snapshot i), so an undo names the
    // command it undid also after undo and new commands have interleaved.
    std::vector<std::string> undoLabels;
    int32_t caret = 1;  // insertion index in the last line; 1 is right after ">"
    bool blockKey = false;
    bool homePressed = false;
    bool waitingForKey = false;
    char lastKey = 0;
    bool menuOpen = false;
    int32_t menuLast = 0;
    int32_t menuSelected = 0;
    int32_t menuMarked = 0;
    std::vector<int32_t> menuLines;
    bool windowClosing = false;
    bool pictureOpen = false;
    std::array<bool, kMenuActions> menuState{};
};

}  // namespace velmo

#endif
