#include "frontend/plainmode.h"

#include <istream>
#include <optional>
#include <ostream>

#include "base/encoding.h"
#include "base/wstrlib.h"
#include "frontend/folders.h"
#include "frontend/game.h"
#include "frontend/inspector.h"
#include "frontend/optionsfile.h"
#include "frontend/settings.h"
#include "frontend/transcriptfile.h"

namespace velmo {

namespace {

// Input arrives as UTF-8 or as Windows-1252; a line that is valid UTF-8
// with multi-byte characters is taken as UTF-8.
std::string toStoryText(const std::string& line) {
    return looksLikeUtf8(line) ? utf8ToCp1252Lossy(line) : line;
}

// Printed before the line that a key wait takes.
const char* const kKeyWaitMark = "[Taste]";
// How much of an input line's dropped end a notice quotes.
constexpr std::size_t kQuotedRest = 40;

std::string withoutTrailingBlanks(std::string text) {
    while (!text.empty() && text.back() == ' ') text.pop_back();
    return text;
}

}  // namespace

tplainplatform::tplainplatform(std::istream& input, std::ostream& output, int32_t width,
                               bool withStatus)
    : tbufferedplatform(width), in(input), out(output), showStatus(withStatus) {}

// Control characters (a key wait ended without a key gives one) never
// reach the output: it stays plain text without escape sequences.
void tplainplatform::printLineRaw(const std::string& text) {
    std::string visible;
    visible.reserve(text.size());
    for (char c : text)
        if (static_cast<unsigned char>(c) >= ' ' && c != '\x7F') visible += c;
    out << cp1252ToUtf8(visible) << '\n';
}

// A line of the text area: a wrapped line keeps the blank it was broken
// at, which a reader of plain output must not get.
void tplainplatform::printLine(const std::string& line) {
    const std::string text = withoutTrailingBlanks(line);
    if (skipBlank && text.empty()) return;
    skipBlank = false;
    printLineRaw(text);
}

// Prints a line; of a line printed in part before a wait only the rest.
void tplainplatform::printUnseen(const std::string& text) {
    if (partialShown.empty()) {
        printLine(text);
        return;
    }
    const bool continued = text.compare(0, partialShown.size(), partialShown) == 0;
    const std::string rest = continued ? text.substr(partialShown.size()) : text;
    partialShown.clear();
    if (!continued || !rest.empty()) printLine(rest);
}

// Lines before the last one are finished: nothing writes to them again
// except the topic marker, which a line mode need not show moving.
void tplainplatform::flushFinished() {
    if (printed < buffer.firstStoredLine()) printed = buffer.firstStoredLine();
    const int32_t finished = buffer.lineCount() - 1;
    for (; printed < finished; ++printed) printUnseen(buffer.line(printed));
    out.flush();
}

void tplainplatform::flushAll() {
    flushFinished();
    const int32_t last = buffer.lineCount() - 1;
    if (printed == last) {
        const std::string text = buffer.line(last);
        if (!text.empty()) printUnseen(text);
        // The unfinished line is spoken for: what might follow on it is
        // not printed again.
        printed = last + 1;
    }
    out.flush();
}

// Before a wait the unfinished last line ("[Weiter mit einer Taste]")
// must be read first; what is written on it later still follows.
void tplainplatform::flushPartial() {
    flushFinished();
    const int32_t last = buffer.lineCount() - 1;
    const std::string text = buffer.line(last);
    if (printed != last || text.empty() || text == partialShown) return;
    printUnseen(text);
    partialShown = text;
    out.flush();
}

bool tplainplatform::readLine(std::string& line) {
    flushFinished();
    if (inputEnded || !std::getline(in, line)) {
        inputEnded = true;
        return false;
    }
    if (!line.empty() && line.back() == '\r') line.pop_back();
    line = toStoryText(line);
    return true;
}

void tplainplatform::clearText() {
    flushAll();
    tbufferedplatform::clearText();
    printed = 0;
    partialShown.clear();
    skipBlank = true;
}

void tplainplatform::setStatusText(const std::string& text) {
    tbufferedplatform::setStatusText(text);
    if (!showStatus) return;
    const std::string shown = withoutTrailingBlanks(text);
    if (shown.empty()) return;
    flushFinished();
    printLineRaw("[Status] " + shown);
}

void tplainplatform::showBox(const std::vector<std::string>& lines) {
    tbufferedplatform::showBox(lines);
    flushFinished();
    for (std::size_t i = 1; i < lines.size(); ++i) printLineRaw(withoutTrailingBlanks(lines[i]));
}

void tplainplatform::processEventsWhile(const bool& running, twait kind) {
    if (kind != twait::menu) {
        // A reader of the output learns that the next line answers a key.
        flushPartial();
        printLineRaw(kKeyWaitMark);
    }
    while (running) {
        std::string line;
        if (!readLine(line)) {
            // No more input: the window closes, which ends every wait.
            if (events) events->closeRequested();
            return;
        }
        if (!events) return;
        if (kind != twait::menu) {
            const char key = line.empty() ? ' ' : line[0];
            events->keyDown(tkey::other, {});
            events->keyPress(key);
            events->keyUp(tkey::other);
        } else {
            const int32_t number = isNumber(line) && line.size() <= 9 ? toNumber(line) : 0;
            events->chooseTopic(number);
        }
    }
}

void tplainplatform::showMessage(tmessagekind /*kind*/, const std::string& text) {
    flushFinished();
    printLineRaw(text);
}

tanswer tplainplatform::ask(const std::string& text) {
    flushFinished();
    printLineRaw(text);
    std::string line;
    if (!readLine(line)) return tanswer::cancel;
    if (line == "j") return tanswer::yes;
    if (line == "n") return tanswer::no;
    return tanswer::cancel;
}

bool tplainplatform::runInspector(tinspector& inspector) {
    flushFinished();
    printLineRaw(inspector.position());
    std::string line;
    while (readLine(line)) {
        if (line.empty()) return true;
        if (line == "\x1B") return false;
        const std::string value = inspector.evaluate(line);
        // What the expression wrote comes before its value.
        flushFinished();
        printLineRaw("Wert: " + value);
    }
    return false;
}

bool tplainplatform::chooseOpenFile(const std::string& /*title*/, const std::string& /*filter*/,
                                    const std::string& /*folder*/, std::string& path) {
    std::string line;
    if (!readLine(line) || line.empty()) return false;
    path = line;
    return true;
}

bool tplainplatform::chooseSaveFile(const std::string& /*title*/, const std::string& /*filter*/,
                                    const std::string& defaultExtension,
                                    const std::string& /*folder*/,
                                    const std::string& /*proposedName*/, std::string& path) {
    std::string line;
    if (!readLine(line) || line.empty()) return false;
    const std::size_t nameStart = line.find_last_of("/\\");
    const std::string name = nameStart == std::string::npos ? line : line.substr(nameStart + 1);
    if (name.find('.') == std::string::npos && !defaultExtension.empty())
        line += "." + defaultExtension;
    path = line;
    return true;
}

void tplainplatform::showPicture(const std::string& title, const tstorypicture& /*picture*/,
                                 const std::string& /*file*/) {
    flushFinished();
    printLineRaw(title.empty() ? "[Grafik]" : "[Grafik: " + title + "]");
}

void tplainplatform::typeLine(tgame& game, const std::string& line) {
    const std::size_t dropped = game.typeLine(line);
    if (dropped == 0) return;
    // Nothing is lost without a word: the player learns what did not run.
    // Control characters are not counted in `dropped`; a few too many
    // characters quoted do no harm, a very long rest is shortened.
    std::string rest =
        withoutTrailingBlanks(line.substr(line.size() - std::min(line.size(), dropped)));
    if (rest.size() > kQuotedRest) rest = rest.substr(0, kQuotedRest) + "\x85";
    flushFinished();
    printLineRaw("[Eingabe zu lang, nicht ausgef\xFChrt: \x84" + rest + "\x93]");
}

int runPlainMode(const tplainoptions& options, std::istream& in, std::ostream& out) {
    tsettings userOptions = options.useOptions ? tsettings(optionsFolder()) : tsettings();
    const bool readable = userOptions.load();
    const std::string storyFile = storyToOpen(options.storyFile, userOptions);
    if (storyFile.empty()) return kPlainUsage;
    const int32_t columns = options.columns.value_or(userOptions.values.columns);
    const int32_t rows = options.rows.value_or(userOptions.values.rows);
    tplainplatform platform(in, out, columns + 2, options.status);
    tgamesettings settings;
    settings.seed = options.seed;

    // Declared before the game, which hands it text until its very end.
    std::optional<ttranscriptfile> transcript;
    tgame game(platform, settings);
    game.useSettings(&userOptions);
    game.setTextSize(columns, rows);
    if (options.useOptions) game.saveFolder = chooseSaveFolder();
    game.pictureFolder = choosePictureFolder(game.saveFolder);
    if (!readable) platform.showMessage(tmessagekind::warning, kOptionsUnreadable);
    if (!options.transcriptFile.empty()) {
        transcript.emplace(options.transcriptFile, platform);
        game.setTranscript([&transcript](const std::string& text) { transcript->add(text); });
    }
    if (!game.openStory(storyFile)) {
        if (transcript) transcript->finish();
        platform.flushAll();
        return kPlainNoStory;
    }
    if (!options.scriptFile.empty()) game.playScriptFile(options.scriptFile);
    std::string line;
    while (game.storyOpen() && platform.readLine(line)) platform.typeLine(game, line);
    platform.flushAll();
    bool written = !transcript || transcript->finish();
    if (!options.exportFile.empty() && !game.exportTextTo(options.exportFile)) {
        out << "Datei kann nicht geschrieben werden\n";
        written = false;
    }
    platform.flushAll();
    if (!written) return kPlainNoStory;
    return kPlainOk;
}

}  // namespace velmo
