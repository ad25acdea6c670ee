#ifndef VELMO_STORY_LITERALS_H
#define VELMO_STORY_LITERALS_H

// Moving the string literals out of a story's program text, for the
// compiled story file. Each literal's content goes into the string table
// and is replaced in the text by a marker: the byte 0xFD followed by the
// literal's index in the table, in decimal. The quotes stay. On the way
// the scan counts what the compile report shows.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace velmo {

// Markers are read back with at most four digits.
constexpr std::size_t kMaxLiterals = 9999;

struct tliteralscan {
    // The literals in the order they stand; literal i has index i + 1
    // (line 0 of the table is the version).
    std::vector<std::string> literals;
    // The literals that name the text file of a "file(...)" statement.
    std::vector<std::string> textFiles;
    // Bytes replaced by markers, line separators inside literals included.
    int64_t textBytes = 0;
    // "verb" and "class" outside literals, counted wherever they stand
    // (inside longer names too), and the distinct verb identifiers.
    int32_t verbs = 0;
    int32_t classes = 0;
    std::vector<std::string> verbIdentifiers;
};

// Replaces the literals of `programText` by markers and fills `scan`.
// The scan starts at the first double quote (so a "verb" before it is not
// counted) and stops before the last byte, which ends the last line. A
// literal's line separators (0xFE) are not part of its content. False,
// with the text unchanged, when the text holds more than `maxLiterals`
// literals.
bool extractLiterals(std::string& programText, tliteralscan& scan,
                     std::size_t maxLiterals = kMaxLiterals);

}  // namespace velmo

#endif
