#ifndef VELMO_FRONTEND_MARKUP_H
#define VELMO_FRONTEND_MARKUP_H

// The output markup of story text. "^" is a line break, "\" a double
// quote, and a tag in angle brackets is, by its content:
// - an object reference "<Der apfel ist sind>": the object's name
//   declined with its article ("der ", "den ", "des ", "dem ", "ein ",
//   "einen ", "eines ", "einem " give case and article; a capital first
//   letter capitalises; "~" drops the article, "!" negates; the player
//   becomes "du"/"dich"/"dir"), followed by the singular or plural verb
//   form;
// - a style mark "<b>", "<i>", "<u>", "<s>" starting a run and "</>"
//   ending the last one started;
// - a person alternative "<bist ist>": the first word when the player
//   acts, the second when another character does.
// Tags are resolved strictly left to right; a replacement is never
// scanned for tags again, so no story text can make the resolution loop.

#include <cstdint>
#include <string>
#include <vector>

#include "frontend/textbuffer.h"

namespace velmo {

class tstory;

struct tresolvedtext {
    std::string text;  // line breaks as "\n"
    // Style runs in positions of `text`; a run never ended reaches to the
    // end of the text.
    std::vector<tstylerun> runs;
    // A tag could not be resolved: `text` keeps the tags from that one on
    // as they were, and `resolvedPart` is the text in front of it.
    bool failed = false;
    std::string resolvedPart;
};

// Resolves the markup of one text written with `writeText`. `story` may
// be null (no story open): then no tag names an object. `columns` is the
// text width: a text of exactly that length gets a trailing blank.
tresolvedtext resolveMarkup(const std::string& text, tstory* story, int32_t columns);

}  // namespace velmo

#endif
