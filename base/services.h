#ifndef VELMO_BASE_SERVICES_H
#define VELMO_BASE_SERVICES_H

// The boundary between the core (loading, object model, interpreter,
// command parser) and the player front end. The core never touches a
// window or a terminal: everything it needs of the front end goes through
// this interface. The front end, the terminal
// player and the test host each provide one implementation.

#include <cstdint>
#include <string>

namespace velmo {

class tnode;

// Turns a line of the whole program text back into a file name and a
// line within that file. The source reader's file list provides it.
class tlinemapper {
public:
    virtual ~tlinemapper() = default;
    // `line` is the program-text line on entry and the line within the
    // returned file on return.
    virtual std::string mapLine(int32_t& line) const = 0;
};

class tservices {
public:
    virtual ~tservices() = default;

    // Shows text (with output markup) after all earlier text; returns when
    // it is shown, after any "[Leertaste]" pause.
    virtual void writeText(const std::string& text) = 0;

    // The error report. Sets the caller's flag; the first error of a run is
    // shown, with file and line when line > 0, and stops execution. Later
    // errors, and all errors while showErrors is off, only set the flag.
    void showError(bool& flag, int32_t line, const std::string& message);

    // Rebuilds the status line from the story's "StatusLine" function.
    virtual void updateStatusLine() = 0;
    // A centred box with the text, shown until a key is typed.
    virtual void showBox(const std::string& text) = 0;
    // Runs until one allowed key is typed; returns it lower-cased.
    virtual char waitForKey() = 0;
    // A menu of topics ("^" between parts); returns the chosen topic's
    // number from 1 as decimal text, or "0" when it was left with Esc.
    virtual std::string topicMenu(bool withTitle, const std::string& topics) = 0;

    bool isStopped() const { return stopped; }

    // Ends the game: sets stopped and saveDone; with `ask` the player is
    // asked afterwards whether to restart, restore or quit. The caller
    // then throws tabort.
    virtual void endGame(bool ask);

    void setErrorDisplay(bool on) { showErrors = on; }

    // After the current command, the input `offset` places before the last
    // one is parsed again with the two nodes.
    virtual void setRepeatContext(int32_t offset, tnode* first, tnode* second) = 0;
    // Lets pending window messages through (called at the end of every
    // loop body of story code).
    virtual void checkMessages() = 0;

    // The picture window: shows picture `number` of the story's picture
    // container under `caption` (its errors are reported with `line`),
    // and closes it again. Without a picture window nothing is shown.
    virtual void showPicture(const std::string& /*caption*/, int32_t /*number*/, int32_t /*line*/) {
    }
    virtual void closePicture() {}
    // Shows the inspector for the statement at `line`, run on `node`, and
    // returns when it is closed: false when the user cancelled it (the
    // game then ends). Without an inspector the story goes on.
    virtual bool runInspector(int32_t /*line*/, tnode* /*node*/) { return true; }

    // The line mapping used by the error report; null maps nothing.
    void setLineMapper(const tlinemapper* mapper) { lineMapper = mapper; }

    // Clears `stopped` so that the next error is shown again: on opening
    // or restarting a story and after restoring a saved game.
    void clearStopped() { stopped = false; }

    // The front end's state around the story, not the story's own (that
    // lives in tstory): `stopped` is the error report's run status (the
    // first error shown stops the run), `saveDone` tells whether quitting
    // needs to offer a save, `menuCancelled` is the topic menu's last
    // answer and `saveFolder` is where saved games and copies go. One
    // front end plays one story at a time, so they are not per story.
    bool stopped = false;
    bool showErrors = true;
    bool saveDone = false;
    bool menuCancelled = false;
    std::string saveFolder;
    // Where an include with a folder is looked for last, when it is found
    // neither as written nor beside the main file: the installed stories
    // folder that holds the authors' library. Empty: nowhere else.
    std::string libraryFolder;

protected:
    // Called when an error has been shown and execution stopped: the window
    // enables the menu entries that start another game.
    virtual void errorShown() {}
    // Shows an error the report lets through, `line` a program-text line
    // (0 or less: none). By default the story window gets "Fehler: " and
    // the message, or the file, " Zeile ", the line and the message.
    virtual void presentError(int32_t line, const std::string& message);

private:
    const tlinemapper* lineMapper = nullptr;
};

// Turns the error display of `services` off while the guard lives and
// puts the earlier setting back however the scope is left.
class terrordisplayoff {
public:
    explicit terrordisplayoff(tservices& target) : services(target), before(target.showErrors) {
        services.setErrorDisplay(false);
    }
    terrordisplayoff(const terrordisplayoff&) = delete;
    terrordisplayoff& operator=(const terrordisplayoff&) = delete;
    ~terrordisplayoff() { services.setErrorDisplay(before); }

private:
    tservices& services;
    const bool before;
};

}  // namespace velmo

#endif
