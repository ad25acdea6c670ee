// Parsing one command: the words, the addressed actor, the verbs tried in
// their order against the words, and, when none fits, the most plausible
// reason handed to the story's "parserError".

#include "game/parser.h"

#include <array>
#include <string_view>

#include "base/abort.h"
#include "base/encoding.h"
#include "base/internalerror.h"
#include "base/wstrlib.h"
#include "game/command.h"
#include "game/parsestate.h"
#include "game/words.h"
#include "model/parsetree.h"
#include "model/story.h"
#include "model/verblist.h"
#include "script/interpreter.h"

namespace velmo {

namespace {

struct tnumberword {
    std::string_view word;
    int32_t value;
};
constexpr std::array<tnumberword, 9> kNumberWords{{
    {"zwei", 2},
    {"drei", 3},
    {"vier", 4},
    {"f\xFCnf", 5},
    {"sechs", 6},
    {"sieben", 7},
    {"acht", 8},
    {"neun", 9},
    {"zehn", 10},
}};

// The words that may stand before an object name without being part of it.
constexpr std::string_view kArticleWords = "der,die,das,den,dem";

void setRootVariable(tstory& story, std::string_view name, const std::string& value) {
    story.root().vars.setValue(name, value, 0);
}

const std::string kNoWord;

}  // namespace

// ------------------------------------------------------------ parse state

tparse::tparse(tstory& owner, tinterpreter& runner, tnode* replacedVerb, tnode* replacementVerb)
    : story(owner),
      interpreter(runner),
      words(owner.words),
      replaced(replacedVerb),
      replacement(replacementVerb) {}

std::string tparse::call(tnode* node, const std::string& name, const std::string& args) {
    if (!node) throw tparsefailure();
    std::string result;
    interpreter.Run(0, node, result, args, name);
    return result;
}

const tscopecopy& tparse::scopeNow() {
    if (!scopeCopy.nodes || scopeCopy.version != story.scope.version())
        scopeCopy = {std::make_shared<const std::vector<tnode*>>(story.scope.nodes()),
                     story.scope.version()};
    return scopeCopy;
}

const std::string& tparse::wordAt(int32_t index) const {
    if (index < 0 || index >= wordCount()) return kNoWord;
    return words[static_cast<std::size_t>(index)];
}

namespace {

// ------------------------------------------------------------ elements

// A quoted word begins and ends with a double quote. A lone double quote
// does both, but it is an unclosed quote, not an empty quoted text.
bool matchQuote(tparse& p) {
    p.failureCode = 0;
    const std::string& word = p.wordAt(p.word);
    if (word.size() < 2 || word.front() != '"' || word.back() != '"') return false;
    setRootVariable(p.story, "quote", word.substr(1, word.size() - 2));
    return true;
}

bool matchNumber(tparse& p) {
    p.failureCode = 0;
    const std::string& word = p.wordAt(p.word);
    if (isNumber(word)) {
        setRootVariable(p.story, "number", word);
        return true;
    }
    const std::string folded = foldUmlauts(word);
    for (const tnumberword& number : kNumberWords) {
        if (folded == foldUmlauts(number.word)) {
            setRootVariable(p.story, "number", std::to_string(number.value));
            return true;
        }
    }
    return false;
}

// Takes the words up to the first word of the next element (which that
// element then matches), or to the end.
bool matchTopic(const tverb& verb, std::size_t e, tparse& p) {
    p.failureCode = 0;
    const std::string* terminator = nullptr;
    if (e + 1 < verb.elements.size() && !verb.elements[e + 1].alternatives.empty())
        terminator = &verb.elements[e + 1].alternatives.front();
    std::string topic;
    int32_t last = p.word - 1;
    for (int32_t i = p.word; i < p.wordCount(); ++i) {
        if (terminator && sameText(p.wordAt(i), *terminator)) break;
        topic += p.wordAt(i);
        topic += ' ';
        last = i;
    }
    if (!topic.empty()) topic.pop_back();
    setRootVariable(p.story, "topic", topic);
    p.word = last;
    return true;
}

// One or more objects, joined by "," or "und".
bool matchObjects(const tverbelement& element, tparse& p) {
    if (element.kind == kElementFunction && !element.alternatives.empty())
        p.functionName = element.alternatives.front();
    bool joined = false;
    bool matched = false;
    for (;;) {
        matched = matchObject(element.kind, p);
        if (!matched) break;
        const std::string& next = p.wordAt(p.word + 1);
        if (next != "," && next != "und") break;
        // A conjunction must be followed by another object.
        p.word += 2;
        p.failureCode = 0;
        joined = true;
    }
    p.listFlag = false;  // later objects go to the second list
    if (!matched) return false;
    if (element.kind == kElementSingle) return !joined;
    if (element.kind == kElementMulti) return joined;
    return true;
}

bool matchElement(const tverb& verb, std::size_t e, tparse& p) {
    const tverbelement& element = verb.elements[e];
    switch (element.kind) {
    case kElementWord: p.failureCode = 0; return element.matchesTyped(p.wordAt(p.word));
    case kElementQuote: return matchQuote(p);
    case kElementNumber: return matchNumber(p);
    case kElementTopic: return matchTopic(verb, e, p);
    default: return matchObjects(element, p);
    }
}

// ------------------------------------------------------------ verbs

// Only verbs whose pattern is no longer than the command and whose first
// word can begin with the command's first character are tried.
bool worthTrying(const tverb& verb, const tparse& p, int32_t start) {
    if (p.wordCount() < static_cast<int32_t>(verb.elements.size())) return false;
    const std::string& first = p.wordAt(start);
    return !first.empty() && verb.firstChars.has(first.front());
}

void clearObjectLists(tstory& story) {
    story.firstObjects.clear();
    story.secondObjects.clear();
}

// Matches the verb's elements against the words from `start`. True when
// every element matched and every word was used.
bool tryVerb(const tverb& verb, tparse& p, int32_t start) {
    p.listFlag = true;
    p.pendingInside = nullptr;
    p.word = start;
    const int32_t elements = static_cast<int32_t>(verb.elements.size());
    int32_t e = 0;
    int32_t matched = 0;
    while (e < elements && p.word >= 0 && p.word < p.wordCount()) {
        if (!matchElement(verb, static_cast<std::size_t>(e), p)) {
            if (p.word > p.furthestFailure) p.furthestFailure = p.word;
            break;
        }
        ++p.word;
        ++matched;
        ++e;
    }
    if (matched == elements && p.word == p.wordCount()) return true;

    if (matched >= p.best.matched && p.failureCode >= p.best.code) {
        p.best.matched = matched;
        if (matched == elements) {  // words were left over
            p.best.wordIndex = p.word;
            p.best.code = 0;
        } else {
            p.best.wordIndex = p.furthestFailure;
            p.best.code = p.failureCode;
        }
        p.best.named = p.lastNamed;
    }
    return false;
}

// Tries the verbs in their order; runs the first that fits. False when
// none does.
bool tryVerbs(tparse& p, int32_t start) {
    const std::vector<tverb>& verbs = p.story.verbs.Verbs();
    for (const tverb& verb : verbs) {
        if (!worthTrying(verb, p, start)) {
            // Remembered for the failure: the command began with a verb
            // whose pattern did not fit its length.
            if (!p.firstWordIsVerb && !verb.elements.empty() &&
                verb.elements.front().matchesTyped(p.wordAt(0)))
                p.firstWordIsVerb = true;
            continue;
        }
        if (tryVerb(verb, p, start)) {
            runCommand(verb, p);
            return true;
        }
        clearObjectLists(p.story);
        p.candidates.clear();
        p.listFlag = true;
    }
    return false;
}

// ------------------------------------------------------------ actor

// "hans, nimm den apfel": a command that begins with the name of someone
// in scope and holds fewer than two commas is addressed to that person.
// Otherwise the commas become words, and the verb starts at word 0.
// Returns the word at which the verb starts.
int32_t findAddressee(tparse& p, const std::string& sentence) {
    if (sentence.find(',') == std::string::npos) return 0;
    p.listFlag = true;
    p.word = 0;
    const bool named = matchObject(kElementNoun, p);
    const int32_t commas = countCommas(sentence);
    int32_t start = 0;
    if (named && commas < 2 && !p.story.firstObjects.empty()) {
        p.story.actor = p.story.firstObjects.front();
        start = p.word + 1;
    } else {
        p.words = splitWithCommas(sentence, p.words.size() + static_cast<std::size_t>(commas));
    }
    clearObjectLists(p.story);
    p.failureCode = 0;
    return start;
}

// ------------------------------------------------------------ failure

// Whether the word is one of the article words, as a whole word: "er" or
// "e" are pieces of the list, not articles, and must not be skipped.
bool isArticleWord(std::string_view word) {
    std::string_view rest = kArticleWords;
    while (!rest.empty()) {
        const std::size_t comma = rest.find(',');
        if (rest.substr(0, comma) == word) return true;
        if (comma == std::string_view::npos) break;
        rest.remove_prefix(comma + 1);
    }
    return false;
}

// The word the parse could not place: where the best attempt failed, past
// an article and an adjective that stand before it.
int32_t unrecognisedIndex(const tparse& p) {
    int32_t i = p.best.wordIndex;
    const int32_t last = p.wordCount() - 1;
    const std::string& word = p.wordAt(i);
    if (isArticleWord(word) && i < last) ++i;
    if (p.examined.isAdjectiveWord(p.wordAt(i), p.story) && i < last) ++i;
    return i;
}

// The word as a text argument of "parserError". A double quote in it (an
// unclosed quote such as in: oeffne "briefkasten) would end the argument
// early and leave the rest, up to the object's "NULL", in the word. It is
// passed as the output markup's double quote instead, so the argument
// stays one text and a story that writes the word back shows the quote
// as the player typed it.
std::string wordArgument(const std::string& word) {
    std::string argument = word;
    for (char& c : argument)
        if (c == '"') c = '\\';
    return "\"" + argument + "\"";
}

void reportFailure(tparse& p) {
    const int32_t i = unrecognisedIndex(p);
    p.story.unrecognisedWord = p.wordAt(i);
    int32_t code = p.best.code;
    if (i == 0) {
        if (p.firstWordIsVerb)
            code = kParseVerbNotTried;
        else if (p.wordCount() == 1 || p.wordAt(1) != ",")
            code = kParseUnknownVerb;
        else
            code = kParseUnknownPerson;
    }
    p.call(&p.story.root(), "parserError",
           std::to_string(code) + "," + wordArgument(p.story.unrecognisedWord) + "," +
               nameOf(p.best.named));
}

}  // namespace

// ------------------------------------------------------------ the command

void parseCommand(tstory& story, const std::string& sentence, tnode* replaced, tnode* replacement) {
    story.services.menuCancelled = false;
    story.actor = story.player;
    clearObjectLists(story);
    story.resetWordCursor();
    tinterpreter interpreter(story);
    tparse p(story, interpreter, replaced, replacement);

    bool recognised = false;
    bool failed = false;
    try {
        p.words = splitWords(sentence);
        replacePronouns(p.words, story.pronounText);
        const int32_t start = findAddressee(p, sentence);
        setRootVariable(story, "actor", nameOf(story.actor));
        if (story.verbs.IsEmpty()) {
            recognised = true;  // nothing to try, nothing to report
        } else {
            recognised = tryVerbs(p, start);
        }
    } catch (const tabort&) {
        // The story's abort: the interpreter is then stopped and the
        // report below runs nothing.
        failed = true;
    } catch (const tparsefailure&) { failed = true; } catch (const std::exception& failure) {
        reportInternalError("Befehl", failure);
        failed = true;
    }

    try {
        if (failed)
            p.call(&story.root(), "parserError", std::to_string(kParseFailure) + ",\"\",NULL");
        else if (!recognised)
            reportFailure(p);
    } catch (const tabort&) {
        // An abort from "parserError" ends the command like any other.
    } catch (const std::exception& failure) { reportInternalError("parserError", failure); }
    clearObjectLists(story);
}

}  // namespace velmo
