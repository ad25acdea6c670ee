#ifndef VELMO_TERM_SCREENFRAME_H
#define VELMO_TERM_SCREENFRAME_H

// One picture of the terminal screen as a grid of character cells, and
// the escape sequences that turn the previous picture into the next one.
// Only rows that changed are written, so typing a character repaints one
// line and nothing flickers.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace velmo {

// Cell attributes, as bits.
enum tcellattr : uint8_t {
    kBold = 1,
    kItalic = 2,
    kUnderline = 4,
    kStrike = 8,
    kReverse = 16,
};

// A cell without a colour of its own shows the terminal's colours.
constexpr uint32_t kNoColour = 0xFFFFFFFF;

struct tcell {
    char32_t glyph = U' ';
    uint8_t attrs = 0;
    uint32_t foreground = kNoColour;  // 0xRRGGBB
    uint32_t background = kNoColour;
    bool operator==(const tcell&) const = default;
};

class tframe {
public:
    tframe(int32_t rows, int32_t columns);

    int32_t rows() const { return rows_; }
    int32_t columns() const { return columns_; }
    const tcell& at(int32_t row, int32_t column) const;
    // The text of a row with trailing blanks removed (for tests).
    std::string rowText(int32_t row) const;

    // Writes UTF-8 text from a cell on, clipped at the row's end; returns
    // the column after the text. Control characters show as blanks and
    // C1 controls as "?", so story text can never steer the terminal.
    int32_t put(int32_t row, int32_t column, std::string_view utf8, uint8_t attrs = 0);
    // Sets attribute bits on a run of cells of one row.
    void mark(int32_t row, int32_t from, int32_t to, uint8_t attrs);
    // Fills a run of cells with blanks of these attributes.
    void fill(int32_t row, int32_t from, int32_t to, uint8_t attrs);
    // Sets one cell whole (a picture's half blocks).
    void set(int32_t row, int32_t column, const tcell& value);

    // Where the terminal's cursor stands; hidden when row < 0.
    int32_t cursorRow = -1;
    int32_t cursorColumn = 0;

    bool sameRow(const tframe& other, int32_t row) const;

private:
    tcell* cell(int32_t row, int32_t column);

    int32_t rows_;
    int32_t columns_;
    std::vector<tcell> cells;
};

// The output that shows `next` on a terminal that shows `previous`; with
// no previous frame (or one of another size) every row is written.
std::string encodeFrame(const tframe* previous, const tframe& next);

// Decodes one UTF-8 character at `pos` into `glyph`; returns its length,
// or 1 with U+FFFD for a broken byte.
std::size_t nextGlyph(std::string_view text, std::size_t pos, char32_t& glyph);

}  // namespace velmo

#endif
