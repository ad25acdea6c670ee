#ifndef VELMO_GAME_WSTRLIB_H
#define VELMO_GAME_WSTRLIB_H

// German word forms of object names, and the small string and file helpers
// that the loader, the object model, the parser and the saved games share.
//
// A name text is written in a compact notation: an optional kind prefix
// ("+" masculine, "-" feminine, none neuter, "$" proper name, "&" plural),
// adjectives as stem + "*" + one blank, then the noun.

#include <array>
#include <cstdint>
#include <istream>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

namespace velmo {

// Cases, in the numbering every caller uses.
enum : int32_t { kNominative = 0, kAccusative = 1, kGenitive = 2, kDative = 3 };
// Article kinds: 0 none, 1 definite, 2 (and above) indefinite.
enum : int32_t { kNoArticle = 0, kDefinite = 1, kIndefinite = 2 };
// Genders, as the article table orders them.
enum : int32_t { kMasculine = 0, kFeminine = 1, kNeuter = 2 };
// A case outside 0-3 (story code may pass any number) counts as the
// nominative, a gender outside 0-2 as neuter; article kinds below 0 mean
// none, above 2 indefinite.

// The article of a case (0-3), gender (0 masculine, 1 feminine, 2 neuter)
// and kind (1 definite, 2 indefinite), with its trailing blank; the empty
// text for kind 0.
const std::string& article(int32_t grammaticalCase, int32_t gender, int32_t kind);
// The plural article of a case, with its trailing blank.
const std::string& pluralArticle(int32_t grammaticalCase);

// Replaces the first "*" of the name text by the adjective ending.
std::string adjectiveEnding(std::string_view name, int32_t grammaticalCase, bool definite);
// One inflected form of a name text, article included.
std::string declineName(std::string_view name, int32_t grammaticalCase, bool withAdjectives,
                        int32_t articleKind);

// The 24 display forms and 24 search forms of one name variant.
// Index of a form: case * 6 + adjectives * 3 + article kind; the search
// form of the same value lies 24 places further.
struct tshortNames {
    std::array<std::string, 48> forms;
    bool plural = false;
};
tshortNames buildShortNames(std::string_view variant);
// Index of a display form (0-23); arguments out of range are brought into
// range as described above, so the index is always valid.
int32_t formIndex(int32_t grammaticalCase, bool withAdjectives, int32_t articleKind);
// The display form of a record (an object's first name variant); the
// empty text when there is no record.
std::string nameForm(const tshortNames* names, int32_t grammaticalCase, bool withAdjectives,
                     int32_t articleKind);

// "ä" to "ae", "ü" to "ue", "ö" to "oe", "ß" to "ss" (Windows-1252 bytes).
std::string foldUmlauts(std::string_view text);
// The lower-cased path after the last "\", "/" or ":", at most 255 bytes.
std::string baseFileName(std::string_view path);
// Non-empty text, first not a digit, every character A-Z a-z 0-9 _ [ ].
bool isIdentifier(std::string_view text);
// Non-empty text of digits 0-9 only.
bool isNumber(std::string_view text);
// Decimal value; a first character whose code is not above that of "-"
// makes it negative and is skipped. No validation: every further byte
// counts as (code - 48), with 32-bit wrap-around on overflow.
int32_t toNumber(std::string_view text);
// True if `length` characters of the pattern equal the text at the
// 1-based `position`; false when either runs out.
bool matchesAt(std::string_view pattern, std::string_view text, int32_t position, int32_t length);

// The code table: self-inverse, so the same call codes and decodes.
unsigned char codeByte(unsigned char b);

// Coded strings: a signed 32-bit little-endian length, then the bytes
// passed through the code table. Numbers beside them are plain 32-bit
// little-endian integers.
// A text too long for the length field sets the stream's fail bit and
// writes nothing.
void writeStr(std::ostream& out, std::string_view text);
// Reads one coded string. A length of 0 or less gives the empty text and
// reads nothing more. Returns false, with `text` empty, when the stream
// ends before the stored length: the length is never trusted for an
// allocation.
bool readStr(std::istream& in, std::string& text);
void writeInt32(std::ostream& out, int32_t value);
bool readInt32(std::istream& in, int32_t& value);

// Writes the lines, each ended by CR LF, with every byte coded. False when
// the file cannot be written completely (the old file then stays).
bool saveCodedList(const std::vector<std::string>& lines, const std::string& fileName);
// Reads the whole file, decodes it and appends one line per decoded LF;
// other control bytes are dropped, text after the last LF is not added.
// False when the file cannot be read.
bool loadCodedLines(std::vector<std::string>& lines, const std::string& fileName);
// The companion name of a text file: up to and including the first "."
// of the file name followed by "text", or the name + ".text" when it has
// no ".". Dots in folder names do not count ("../a.txt" -> "../a.text").
std::string codedTextFileName(const std::string& fileName);
// Codes a text file into its companion file; a file that cannot be read
// is skipped silently.
void codeTextFile(const std::string& fileName);

} // namespace velmo

#endif
