// The statements that act on the story world and on the front end:
// output, declarations, object properties, the player, score, clock,
// daemons and timers, the current command, pictures, the inspector and
// the end of the story.

#include <algorithm>
#include <exception>
#include <vector>

#include "base/abort.h"
#include "base/codedfile.h"
#include "base/declension.h"
#include "base/internalerror.h"
#include "base/wrapping.h"
#include "base/wstrlib.h"
#include "model/parsetree.h"
#include "model/story.h"
#include "model/time.h"
#include "script/interpreter.h"
#include "script/textfile.h"

namespace velmo {

namespace {

const char* const kNeedInteger = "Integerwert erwartet";

}  // namespace

// The object of "setLong", "setShort", daemons and timers: the target
// itself when it is an object, the owner of a function.
tnode* tinterpreter::ownerObject(tnode& target) const {
    if (target.getKind() == kKindFunction && target.getOwner()) return target.getOwner();
    return &target;
}

// The object of "with", "toggle" and "moveto": the nearest class or
// object going up from the target; null for a top-level function.
tnode* tinterpreter::enclosingObject(tnode& target) const {
    for (tnode* node = &target; node; node = node->getOwner())
        if (node->getKind() == kKindObject) return node;
    return nullptr;
}

// True when the first `count` values hold integers; an empty value has
// none and is reported.
bool tinterpreter::needInteger(const tcode& record, std::size_t count) {
    for (std::size_t i = 0; i < count; ++i) {
        if (values[i].empty()) {
            report(record.line, kNeedInteger);
            return false;
        }
    }
    return true;
}

// --------------------------------------------------------------- output

void tinterpreter::writeStatement(tnode& target, const tcode& record, int32_t&) {
    // A failed expression writes nothing: its error report says enough.
    evaluateWhole(target, record, scratch);
    if (!failed) story.services.writeText(scratch);
}

void tinterpreter::boxStatement(tnode& target, const tcode& record, int32_t&) {
    if (evaluateParams(target, record)) story.services.showBox(values[0]);
}

// "file(name)" writes a text file; "file(name,section)" writes only the
// lines after the line "#section" up to the next line beginning with "#".
// Neither part is evaluated.
void tinterpreter::fileStatement(tnode&, const tcode& record, int32_t&) {
    const std::string& text = record.paramText;
    const std::size_t comma = text.find(',');
    std::string fileName = text.substr(0, comma);
    fileName.erase(std::remove(fileName.begin(), fileName.end(), '"'), fileName.end());
    const bool hasSection = comma != std::string::npos;
    std::string marker;
    if (hasSection) {
        // Built piece by piece: GCC 12 warns falsely about "#" + text.
        marker.assign(1, '#');
        marker.append(text, comma + 1, text.find(',', comma + 1) - comma - 1);
    }

    // A compiled story carries its text files coded, under the companion
    // name.
    if (story.compiled) fileName = codedTextFileName(fileName);
    std::vector<std::string> lines;
    if (!readStoryTextFile(fileName, story.storyFile, story.compiled, lines)) {
        report(record.line, "Textdatei nicht gefunden: " + fileName);
        return;
    }
    bool on = !hasSection;
    for (const std::string& line : lines) {
        if (hasSection && !line.empty() && line[0] == '#')
            on = line == marker ? !on : false;
        else if (on)
            story.services.writeText(line);
    }
}

// --------------------------------------------------------- declarations

namespace {

// Declares into `vars` and tells whether this declaration reported an
// error (the list's own flag records every error it ever had).
bool declareInto(tvarlist& vars, const std::string& text, int32_t type, int32_t line) {
    // The usual declaration, one plain name, tells at once how it went.
    switch (vars.declarePlain(text, type, line)) {
    case tvarlist::tdeclared::kDeclared: return true;
    case tvarlist::tdeclared::kRedefined: return false;
    case tvarlist::tdeclared::kNotPlain: break;
    }
    const bool before = vars.error;
    vars.error = false;
    bool flag = false;
    vars.declare(text, type, flag, line);
    const bool bad = vars.error;
    vars.error = before || bad;
    return !bad;
}

}  // namespace

void tinterpreter::declareInt(tnode& target, const tcode& record, int32_t&) {
    if (!declareInto(target.vars, record.paramText, kTypeInt, record.line)) failed = true;
}

void tinterpreter::declareString(tnode& target, const tcode& record, int32_t&) {
    if (!declareInto(target.vars, record.paramText, kTypeText, record.line)) failed = true;
}

void tinterpreter::declareObject(tnode& target, const tcode& record, int32_t&) {
    if (!declareInto(target.vars, record.paramText, kTypeObject, record.line)) failed = true;
}

// ----------------------------------------------------- object properties

void tinterpreter::withStatement(tnode& target, const tcode& record, int32_t&) {
    tnode* object = enclosingObject(target);
    if (!object || !object->attrs) {
        report(record.line, "Syntaxfehler oder unbekannter Bezeichner");
        return;
    }
    object->attrs->withAttr(record.paramText, record.line, failed);
}

void tinterpreter::toggleStatement(tnode& target, const tcode& record, int32_t&) {
    tnode* object = enclosingObject(target);
    if (!object || !object->attrs) {
        report(record.line, "Syntaxfehler oder unbekannter Bezeichner");
        return;
    }
    const std::string& name = record.paramText;
    object->attrs->withAttr(object->attrs->hasAttr(name) ? "~" + name : name, record.line, failed);
}

void tinterpreter::setLongStatement(tnode& target, const tcode& record, int32_t&) {
    if (evaluateParams(target, record)) ownerObject(target)->setLongDescription(values[0]);
}

void tinterpreter::setShortStatement(tnode& target, const tcode& record, int32_t&) {
    if (evaluateParams(target, record)) ownerObject(target)->setShortName(values[0]);
}

// "moveto(place)" puts the object into another object; "moveto(NULL)"
// takes it out of its location.
void tinterpreter::movetoStatement(tnode& target, const tcode& record, int32_t&) {
    if (!evaluateParams(target, record)) return;
    tnode* object = enclosingObject(target);
    if (!object) {
        report(record.line, "Ziel kann nicht gefunden werden");
        return;
    }
    tnode* destination = nullptr;
    if (values[0] != "NULL") {
        // A destination that cannot be found is reported and nothing
        // moves.
        destination = target.findClass(record.line, &failed, values[0]);
        if (!destination) return;
    }
    object->moveTo(destination);
}

// "setNoun(object)": pronouns stand for that object from now on.
void tinterpreter::setNounStatement(tnode& target, const tcode& record, int32_t&) {
    if (!evaluateParams(target, record)) return;
    tnode* object = target.rootOf()->findClass(record.line, &failed, values[0]);
    if (!object || object->shortNames().empty()) {
        report(record.line, "Klasse oder Objektvariable erwartet");
        return;
    }
    // The search form of the nominative with adjectives, without article.
    story.pronounText = object->shortNames().front().searchForm(
        static_cast<std::size_t>(formIndex(kNominative, true, kNoArticle)));
}

// The player must be an object: a name that finds none (or NULL) leaves
// no one to play, and rebuilding the scope of nobody fails like any other
// statement that cannot be carried out. Player and actor stay as they were.
void tinterpreter::setPlayerStatement(tnode& target, const tcode& record, int32_t&) {
    if (!evaluateParams(target, record)) return;
    tnode* player = target.findInScope(values[0]);
    if (!player || player->getKind() != kKindObject) {
        report(record.line, "Syntaxfehler oder unbekannter Bezeichner");
        return;
    }
    story.player = player;
    story.actor = player;
    story.rebuildScope(player);
    tnode& root = *target.rootOf();
    const std::string name = nameOf(player);
    if (!root.vars.setValue("actor", name, record.line) ||
        !root.vars.setValue("player", name, record.line))
        failed = true;
}

// ------------------------------------------------------ score and clock

void tinterpreter::addScoresStatement(tnode& target, const tcode& record, int32_t&) {
    if (!evaluateParams(target, record) || !needInteger(record, 1)) return;
    story.score = wrappingAdd(story.score, toNumber(values[0]));
}

void tinterpreter::statusFormatStatement(tnode& target, const tcode& record, int32_t&) {
    if (!evaluateParams(target, record) || !needInteger(record, 1)) return;
    story.statusFormat = wrappingAdd(toNumber(values[0]), -1);
}

void tinterpreter::setTimeStatement(tnode& target, const tcode& record, int32_t&) {
    if (!evaluateParams(target, record) || !needInteger(record, 2)) return;
    story.clock.setClock(toNumber(values[0]), toNumber(values[1]));
}

// ------------------------------------------------------ daemons, timers

void tinterpreter::startDaemonStatement(tnode& target, const tcode&, int32_t&) {
    tnode* object = ownerObject(target);
    std::vector<tnode*>& daemons = target.rootOf()->daemons;
    if (std::find(daemons.begin(), daemons.end(), object) == daemons.end())
        daemons.push_back(object);
}

void tinterpreter::stopDaemonStatement(tnode& target, const tcode&, int32_t&) {
    tnode* object = ownerObject(target);
    std::vector<tnode*>& daemons = target.rootOf()->daemons;
    daemons.erase(std::remove(daemons.begin(), daemons.end(), object), daemons.end());
}

void tinterpreter::startTimerStatement(tnode& target, const tcode& record, int32_t&) {
    if (!evaluateParams(target, record)) return;
    if (values[0].empty()) {
        report(record.line, "Timerfehler");
        return;
    }
    const int32_t count = toNumber(values[0]);
    target.rootOf()->timers.push_back(ttimer{count, count, ownerObject(target)});
}

void tinterpreter::stopTimerStatement(tnode& target, const tcode&, int32_t&) {
    tnode* object = ownerObject(target);
    std::vector<ttimer>& timers = target.rootOf()->timers;
    timers.erase(std::remove_if(timers.begin(), timers.end(),
                                [object](const ttimer& t) { return t.object == object; }),
                 timers.end());
}

// ------------------------------------------------------ current command

// "halt(1)": the command goes on to no further object; "halt(2)": to no
// further second object; "halt(3)": the command takes no turn.
void tinterpreter::haltStatement(tnode& target, const tcode& record, int32_t&) {
    if (!evaluateParams(target, record)) return;
    switch (toNumber(values[0])) {
    case 1:
        story.firstObjects.clear();
        story.secondObjects.clear();
        break;
    case 2: story.secondObjects.clear(); break;
    case 3: story.noTurn = true; break;
    default: break;
    }
}

void tinterpreter::repeatStatement(tnode& target, const tcode& record, int32_t&) {
    if (!evaluateParams(target, record)) return;
    tnode& root = *target.rootOf();
    story.services.setRepeatContext(1, root.findInScope(values[0]), root.findInScope(values[1]));
}

void tinterpreter::firstWordStatement(tnode&, const tcode&, int32_t&) { story.resetWordCursor(); }

// "split(array, text, separator)": the string array then holds the pieces
// of the text between the separator's first character; empty pieces
// vanish.
void tinterpreter::splitStatement(tnode& target, const tcode& record, int32_t&) {
    if (record.paramCount() != 3) {
        report(record.line, "Syntaxfehler");
        return;
    }
    const std::string name(record.param(0));
    if (!target.vars.exists(name)) {
        report(record.line, "unbekannter Bezeichner " + name);
        return;
    }
    evaluateParam(target, record, 1, values[1]);
    if (!evaluator.Failed()) evaluateParam(target, record, 2, values[2]);
    if (evaluator.Failed()) {
        failed = true;
        return;
    }
    if (values[2].empty()) {
        report(record.line, "Syntaxfehler");
        return;
    }
    std::vector<std::string> pieces;
    const char separator = values[2][0];
    std::size_t start = 0;
    const std::string& text = values[1];
    while (start <= text.size()) {
        std::size_t end = text.find(separator, start);
        if (end == std::string::npos) end = text.size();
        if (end > start) pieces.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    // An empty text leaves one empty element: an array cannot be empty.
    if (pieces.empty()) pieces.emplace_back();
    if (pieces.size() > static_cast<std::size_t>(kMaxArraySize)) {
        report(record.line, "Syntaxfehler");
        return;
    }
    target.vars.remove(static_cast<std::size_t>(target.vars.findIndex(name, record.line)));
    // Declared by size and then filled, so that a piece holding a double
    // quote stays whole.
    if (!declareInto(target.vars, name + "[" + std::to_string(pieces.size()) + "]", kTypeText,
                     record.line)) {
        failed = true;
        return;
    }
    const std::ptrdiff_t first = target.vars.findIndex(name, record.line);
    if (first < 0 || target.vars.elementCount(name) != static_cast<int32_t>(pieces.size())) {
        report(record.line, "Syntaxfehler");
        return;
    }
    for (std::size_t i = 0; i < pieces.size(); ++i)
        target.vars.at(static_cast<std::size_t>(first) + i).value = std::move(pieces[i]);
}

// ------------------------------------------------------- front-end views

void tinterpreter::openWinStatement(tnode& target, const tcode& record, int32_t&) {
    if (!evaluateParams(target, record)) return;
    try {
        story.services.showPicture(values[1], toNumber(values[0]), record.line);
    } catch (const std::exception& failure) {
        reportInternalError("Bildfenster", failure);
        report(record.line, "Syntaxfehler");
    }
}

void tinterpreter::closeWinStatement(tnode&, const tcode&, int32_t&) {
    story.services.closePicture();
}

// "inspect" opens the inspector on the running function; cancelling it
// ends the game.
void tinterpreter::inspectStatement(tnode& target, const tcode& record, int32_t&) {
    bool goOn = false;
    {
        const terrordisplayoff silent(story.services);
        goOn = story.services.runInspector(record.line, &target);
    }
    if (goOn) return;
    story.services.endGame(false);
    throw tabort();
}

void tinterpreter::quitStatement(tnode&, const tcode&, int32_t&) {
    story.services.updateStatusLine();
    story.services.endGame(true);
    throw tabort();
}

}  // namespace velmo
