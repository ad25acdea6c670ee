#ifndef VELMO_STORY_CHARACTERS_H
#define VELMO_STORY_CHARACTERS_H

// The lexical rules of the story language, applied once to the whole
// program text:
//
// - tabs go, and blanks outside string literals go (blanks separate
//   nothing; keywords and names are recognised by position);
// - "/*" ... "*/" is a block comment, possibly over several lines, whose
//   lines keep their line ends;
// - a string literal may continue on the next line: the line break
//   becomes one blank unless the line ended with "^" (the output's own
//   line-break mark);
// - outside literals only 7-bit printable characters other than "$", "'"
//   and "`" may stand; literals may hold any character but the tab.

#include <cstdint>
#include <string>
#include <string_view>

namespace velmo {

// Ends every line of the program text.
constexpr char kLineEnd = '\xFE';

struct tbadcharacter {
    int32_t line = 0;  // program-text line, from 1
    char character = 0;
};

// Applies the rules to `text`, writing the result to `out`. Returns false
// at the first character that may not stand where it stands and fills
// `bad`; `out` then holds the text up to that character.
bool applyCharacterRules(std::string_view text, std::string& out, tbadcharacter& bad);

// True for the characters allowed outside string literals (blank, tab,
// quote and slash have rules of their own).
bool allowedOutsideStrings(char c);

}  // namespace velmo

#endif
