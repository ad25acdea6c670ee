#include "term/screenframe.h"

#include <algorithm>

#include "base/encoding.h"

namespace velmo {

namespace {

// What a character may show as: nothing that a terminal takes as a
// command gets through.
char32_t printable(char32_t glyph) {
    if (glyph < 0x20) return U' ';
    if (glyph >= 0x7F && glyph < 0xA0) return U'?';
    return glyph;
}

void appendColour(std::string& out, const char* kind, uint32_t colour) {
    if (colour == kNoColour) return;
    out += kind;
    out += ";2;" + std::to_string((colour >> 16) & 0xFF) + ";" +
           std::to_string((colour >> 8) & 0xFF) + ";" + std::to_string(colour & 0xFF);
}

// The look of a cell without its glyph.
bool sameLook(const tcell& a, const tcell& b) {
    return a.attrs == b.attrs && a.foreground == b.foreground && a.background == b.background;
}

std::string sgr(const tcell& cell) {
    std::string out = "\x1b[0";
    if (cell.attrs & kBold) out += ";1";
    if (cell.attrs & kItalic) out += ";3";
    if (cell.attrs & kUnderline) out += ";4";
    if (cell.attrs & kReverse) out += ";7";
    if (cell.attrs & kStrike) out += ";9";
    appendColour(out, ";38", cell.foreground);
    appendColour(out, ";48", cell.background);
    return out + "m";
}

std::string moveTo(int32_t row, int32_t column) {
    return "\x1b[" + std::to_string(row + 1) + ";" + std::to_string(column + 1) + "H";
}

void encodeRow(std::string& out, const tframe& frame, int32_t row) {
    // Trailing plain blanks are cleared with one "erase to end of line".
    int32_t end = frame.columns();
    while (end > 0 && frame.at(row, end - 1) == tcell{}) --end;
    out += moveTo(row, 0);
    tcell current;
    for (int32_t c = 0; c < end; ++c) {
        const tcell& cell = frame.at(row, c);
        if (!sameLook(cell, current)) {
            out += sgr(cell);
            current = cell;
        }
        appendUtf8(out, cell.glyph);
    }
    if (!sameLook(current, tcell{})) out += "\x1b[0m";
    if (end < frame.columns()) out += "\x1b[K";
}

}  // namespace

std::size_t nextGlyph(std::string_view text, std::size_t pos, char32_t& glyph) {
    const unsigned char lead = static_cast<unsigned char>(text[pos]);
    std::size_t length = 0;
    char32_t cp = 0;
    if (lead < 0x80) {
        glyph = lead;
        return 1;
    }
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
        cp = lead & 0x1F;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        cp = lead & 0x0F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        cp = lead & 0x07;
    }
    if (length == 0 || pos + length > text.size()) {
        glyph = 0xFFFD;
        return 1;
    }
    for (std::size_t i = 1; i < length; ++i) {
        const unsigned char b = static_cast<unsigned char>(text[pos + i]);
        if ((b & 0xC0) != 0x80) {
            glyph = 0xFFFD;
            return 1;
        }
        cp = (cp << 6) | (b & 0x3F);
    }
    glyph = cp;
    return length;
}

tframe::tframe(int32_t rows, int32_t columns)
    : rows_(std::max<int32_t>(rows, 1)),
      columns_(std::max<int32_t>(columns, 1)),
      cells(static_cast<std::size_t>(rows_) * static_cast<std::size_t>(columns_)) {}

tcell* tframe::cell(int32_t row, int32_t column) {
    if (row < 0 || row >= rows_ || column < 0 || column >= columns_) return nullptr;
    return &cells[static_cast<std::size_t>(row) * static_cast<std::size_t>(columns_) +
                  static_cast<std::size_t>(column)];
}

const tcell& tframe::at(int32_t row, int32_t column) const {
    static const tcell blank;
    if (row < 0 || row >= rows_ || column < 0 || column >= columns_) return blank;
    return cells[static_cast<std::size_t>(row) * static_cast<std::size_t>(columns_) +
                 static_cast<std::size_t>(column)];
}

std::string tframe::rowText(int32_t row) const {
    std::string out;
    for (int32_t c = 0; c < columns_; ++c) appendUtf8(out, at(row, c).glyph);
    while (!out.empty() && out.back() == ' ') out.pop_back();
    return out;
}

int32_t tframe::put(int32_t row, int32_t column, std::string_view utf8, uint8_t attrs) {
    std::size_t pos = 0;
    while (pos < utf8.size() && column < columns_) {
        char32_t glyph = 0;
        pos += nextGlyph(utf8, pos, glyph);
        if (tcell* target = cell(row, column)) *target = {printable(glyph), attrs};
        ++column;
    }
    return column;
}

void tframe::mark(int32_t row, int32_t from, int32_t to, uint8_t attrs) {
    for (int32_t c = std::max<int32_t>(from, 0); c < std::min(to, columns_); ++c)
        if (tcell* target = cell(row, c)) target->attrs |= attrs;
}

void tframe::fill(int32_t row, int32_t from, int32_t to, uint8_t attrs) {
    for (int32_t c = std::max<int32_t>(from, 0); c < std::min(to, columns_); ++c)
        if (tcell* target = cell(row, c)) *target = {U' ', attrs};
}

void tframe::set(int32_t row, int32_t column, const tcell& value) {
    if (tcell* target = cell(row, column)) {
        *target = value;
        target->glyph = printable(value.glyph);
    }
}

bool tframe::sameRow(const tframe& other, int32_t row) const {
    if (other.columns_ != columns_ || row >= other.rows_ || row >= rows_) return false;
    const auto start = cells.begin() + static_cast<std::ptrdiff_t>(row) * columns_;
    const auto otherStart = other.cells.begin() + static_cast<std::ptrdiff_t>(row) * columns_;
    return std::equal(start, start + columns_, otherStart);
}

std::string encodeFrame(const tframe* previous, const tframe& next) {
    const bool whole = previous == nullptr || previous->rows() != next.rows() ||
                       previous->columns() != next.columns();
    std::string out;
    for (int32_t row = 0; row < next.rows(); ++row)
        if (whole || !next.sameRow(*previous, row)) encodeRow(out, next, row);
    const bool cursorMoved = whole || previous->cursorRow != next.cursorRow ||
                             previous->cursorColumn != next.cursorColumn;
    if (next.cursorRow >= 0) {
        if (cursorMoved || !out.empty())
            out += moveTo(next.cursorRow, std::min(next.cursorColumn, next.columns() - 1));
        if (whole || previous->cursorRow < 0) out += "\x1b[?25h";
    } else if (whole || previous->cursorRow >= 0) {
        out += "\x1b[?25l";
    }
    return out;
}

}  // namespace velmo
