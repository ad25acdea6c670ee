#ifndef VELMO_FRONTEND_PLAINMODE_H
#define VELMO_FRONTEND_PLAINMODE_H

// The plain line mode: a player for pipes, screen readers, tests and
// walkthroughs. Input lines are read one per line and typed at the prompt;
// the output is what the text area would show (after the start-up blank
// lines), UTF-8, no escape sequences and no "[Leertaste]" pauses.
//
// Waits read the next line: a key wait prints "[Taste]" on a line of its
// own and takes the first character of the next line (an empty line is a
// blank); a topic menu takes the line as the topic number
// ("0", empty or anything else leaves it as Esc does); a file dialog takes
// the line as the path (empty cancels); a question takes "j" (yes), "n"
// (no) or anything else (cancel). Message boxes print their text as a
// line of its own, and so does a picture ("[Grafik: ...]"), which takes
// no input. An input line longer than the input line is typed in pieces
// at its full stops; what still does not fit is named in a notice. With
// the status option each status line is printed as "[Status] " and the
// text without trailing blanks.
//
// The inspector prints its position line, then evaluates each input line
// and prints "Wert: " with the result; an empty line closes it with OK, a
// line of only the Esc character (or the end of the input) with Cancel.
// A script (--script) is played once the story is open, as "Skript
// abspielen" does; the export file (--export) receives the screen text as
// "Text speichern" writes it when the game or the input ends.

#include <cstdint>
#include <fstream>
#include <iosfwd>
#include <optional>
#include <string>

#include "frontend/bufferedplatform.h"

namespace velmo {

class tgame;

struct tplainoptions {
    // The text area's size for this run; unset: the options' (70 x 28
    // without the options file).
    std::optional<int32_t> columns;
    std::optional<int32_t> rows;
    std::optional<uint32_t> seed;
    bool status = false;
    // Read velmo.ini (creating it on the first start), as the full-screen
    // player does; without, the user's options are left alone.
    bool useOptions = false;
    std::string transcriptFile;  // empty: no transcript
    std::string scriptFile;      // empty: no script
    std::string exportFile;      // empty: no export
    std::string storyFile;       // empty: the autoload story of the options
};

// Exit codes of the plain mode.
enum : int { kPlainOk = 0, kPlainNoStory = 1, kPlainUsage = 2 };

// Plays the story: 0 at the end of the input or when the story closed with
// no way to go on, 1 when the story could not be opened (its error is
// printed) or the transcript or export file could not be written, 2 when
// no story is named and the options name none to load. A transcript file
// that cannot be written is reported when that shows, and the game goes
// on; an earlier file of that name stays as it was.
int runPlainMode(const tplainoptions& options, std::istream& in, std::ostream& out);

// The host of the plain mode: a text area whose finished lines are printed
// as they are left behind, and dialogs and waits answered from input lines.
class tplainplatform : public tbufferedplatform {
public:
    tplainplatform(std::istream& in, std::ostream& out, int32_t width, bool showStatus);

    // Reads the next input line (converted to Windows-1252); false at the
    // end of the input. Everything finished so far is printed first.
    bool readLine(std::string& line);
    // Prints every line not printed yet, the unfinished last one included
    // when it holds text.
    void flushAll();
    // Types an input line into the game; characters that do not fit the
    // input line are named in a notice.
    void typeLine(tgame& game, const std::string& line);

    bool pagesOutput() const override { return false; }
    void clearText() override;
    void setStatusText(const std::string& text) override;
    void showBox(const std::vector<std::string>& lines) override;
    // A picture takes no input: one line names it, without the temporary
    // file, which is no concern of the player's.
    void showPicture(const std::string& caption, const tstorypicture& picture,
                     const std::string& file) override;
    void processEvents() override {}
    void processEventsWhile(const bool& running, twait kind) override;
    void showMessage(tmessagekind kind, const std::string& text) override;
    tanswer ask(const std::string& text) override;
    bool runInspector(tinspector& inspector) override;
    bool chooseOpenFile(const std::string& title, const std::string& filter,
                        const std::string& folder, std::string& path) override;
    bool chooseSaveFile(const std::string& title, const std::string& filter,
                        const std::string& defaultExtension, const std::string& folder,
                        const std::string& proposedName, std::string& path) override;

private:
    void flushFinished();
    void flushPartial();
    void printUnseen(const std::string& text);
    void printLine(const std::string& text);
    void printLineRaw(const std::string& text);

    std::istream& in;
    std::ostream& out;
    bool showStatus;
    int32_t printed = 0;       // lines printed (or skipped) so far
    std::string partialShown;  // the part of line `printed` shown before a wait
    bool skipBlank = true;     // blank lines right after a clear are not shown
    bool inputEnded = false;
};

}  // namespace velmo

#endif
