#ifndef VELMO_GAME_PARSER_H
#define VELMO_GAME_PARSER_H

// The command parser. It turns one command of the player (a sentence in
// lower case with its umlauts folded, such as "nimm den roten apfel und
// die birne" or "hans, gib mir den schluessel") into one verb of the
// story's verb list with the objects, number, quoted text or topic that
// the verb's pattern asks for, and runs it: the "beforeAction" hooks,
// "onOrder" of an addressed actor, "onAction" of the objects and the
// actor, and, when the verb takes time, the turn end (game/turn.h).
//
// When no verb fits, the most plausible reason goes to the story's
// "parserError" as a failure code (below), the word that could not be
// placed and the object that was named last. The parser itself prints
// nothing but "Das geht leider nicht.^" for a command nobody handled.
//
// What stays between commands lives in the story (model/story.h):
// `words` (the words of the last sentence), `wordCursor` (for the
// "getWord" built-in), `pronounText` (what "ihn", "sie", "es", "ihm",
// "ihr" stand for; the front end shows it for "pronomen"),
// `unrecognisedWord` (what the last failed parse could not place; the
// front end's "huch" replaces it), and the current command's
// `firstObjects` and `secondObjects`.

#include <cstdint>
#include <string>

namespace velmo {

class tnode;
class tstory;

// The failure codes handed to "parserError".
enum : int32_t {
    kParseWordsLeft = 0,     // a word element failed, or every element matched with words left over
    kParseNoObject = 1,      // an object name was recognised but not accepted (or #noun / #inside)
    kParseNotSingle = 2,     // #single: more than one object
    kParseNotMulti = 3,      // #multi: only one object
    kParseNotReachable = 4,  // #reachable: the actor holds it
    kParseNotHeld = 5,       // #held: the actor does not hold it
    kParseNotInside = 6,     // #inside: the containment does not hold
    kParseRejected = 7,      // #function: the story's test said no
    kParseVerbNotTried = 8,  // first word belongs to a verb whose pattern did not fit the length
    kParseUnknownPerson = 9,  // "xyz, ...": addressed to nobody known
    kParseUnknownVerb = 10,   // first word is no verb at all
    kParseFailure = 11,       // something failed while parsing or running the turn
};

// Parses one command and runs it. `replaced` and `replacement` are the
// repeat context (both null for an ordinary command): when the actor is
// `replaced`, and wherever `replaced` is matched as an object,
// `replacement` takes its place.
void parseCommand(tstory& story, const std::string& sentence, tnode* replaced = nullptr,
                  tnode* replacement = nullptr);

}  // namespace velmo

#endif
