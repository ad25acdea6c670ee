#ifndef VELMO_STORY_STRINGS_H
#define VELMO_STORY_STRINGS_H

// Putting the string literals of a compiled story back. In a compiled
// story's program text every literal's content is replaced by a marker:
// the byte 0xFD and the literal's line number in the string table, in
// decimal. After the story is parsed, every marker in the tree is replaced
// by its line of the table.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace velmo {

class tnode;
class tscanner;
class tservices;

constexpr char kStringMarker = '\xFD';
// The most text that restoring inserts in one pass over a story.
constexpr std::size_t kMaxRestoredText = std::size_t(64) << 20;

// The table, and where restoring reports a marker that names no line of
// it. `budget` bounds the bytes that restoring may insert, so a damaged
// file that names one long line again and again cannot fill the memory.
struct tstringsource {
    const std::vector<std::string>& table;
    tservices& services;
    bool& error;
    std::size_t budget = kMaxRestoredText;
};

// Replaces every marker of `text` by its table line, in one pass from left
// to right, so a restored literal that itself holds the byte 0xFD
// is never read again. A marker whose number lies outside the table (or
// that has no digits) is removed and reported as "Syntaxfehler" at `line`;
// the result is then false. So is a marker whose line no longer fits the
// budget; it is removed too.
bool restoreStrings(tstringsource& source, std::string& text, int32_t line = 0);
bool restoreStrings(tscanner& scanner, std::string& text, int32_t line = 0);

// Restores the string variables and every statement record (its parameter
// text and each postfix parameter, not its receiver) of `node` and of all
// nodes below it. Records that inherited functions share are restored
// once.
void restoreAllStrings(tstringsource& source, tnode& node);
void restoreAllStrings(tscanner& scanner, tnode& node);

}  // namespace velmo

#endif
