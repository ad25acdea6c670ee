#ifndef VELMO_APP_TEXTVIEW_H
#define VELMO_APP_TEXTVIEW_H

// The text area: Qt's plain-text widget showing the game's display lines,
// one text block per line, with the style runs, the block caret that
// inverts its cell, and scrolling back. It never edits its text by
// itself: keys go to the game logic (through `onKey`), which changes the
// line buffer, and the host mirrors the change here. Being Qt's own text
// widget, it is readable through the accessibility bridge: new text is
// announced, and the caret line (the input line) can be read back.

#include <QPlainTextEdit>
#include <cstdint>
#include <functional>
#include <optional>

#include "frontend/platform.h"

namespace velmo {

class ttextbuffer;

class ttextview : public QPlainTextEdit {
    Q_OBJECT
public:
    explicit ttextview(QWidget* parent = nullptr);

    void setLook(const QFont& font, const QColor& text, const QColor& background);
    // One character cell of the font (the width and height of "J").
    QSize cellSize() const;
    // The widget's size for a text of `columns` x `rows` cells.
    QSize sizeForCells(int columns, int rows) const;
    void setCells(int columns, int rows);
    QSize sizeHint() const override;

    // Mirrors the buffer's lines from `first` to `last` (inclusive; -1:
    // to the end), and drops the blocks of lines the buffer no longer
    // holds.
    void showLines(const ttextbuffer& text, int32_t first, int32_t last = -1);
    void showStyle(const ttextbuffer& text, int32_t start, int32_t end, tstyle style);
    void clearLines();
    void placeCaret(int32_t line, int32_t column);
    void setInputEnabled(bool enabled);
    // Back to the caret at the end, after scrolling back.
    void scrollToCaret();
    void scrollPage(bool up);

    // The text of a display line as shown (for tests and the box).
    QString shownLine(int32_t line) const;
    int32_t shownLineCount() const;

    std::function<void(QKeyEvent&)> onKey;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    bool canInsertFromMimeData(const QMimeData* source) const override;
    void insertFromMimeData(const QMimeData* source) override;
    void paintEvent(QPaintEvent* event) override;

private:
    // Sets a block's text, replacing only what differs at its end; false
    // when nothing changed. `changedFrom` is the first changed column.
    bool setBlockText(QTextCursor& cursor, const QTextBlock& block, const QString& text,
                      int& changedFrom);
    void styleColumns(QTextCursor& cursor, const QTextBlock& block, int from, int to, tstyle style);
    void restyleLine(QTextCursor& cursor, const ttextbuffer& text, int32_t line, int32_t lineStart,
                     int fromColumn);
    void refuseDrops();
    QTextCharFormat formatOf(tstyle style) const;

    std::optional<QBrush> brightBold;  // set when the font has no bold face
    int32_t firstShown = 0;            // the buffer line that block 0 shows
    int32_t caretLine = 0;
    int32_t caretColumn = 0;
    int columns = 72;
    int rows = 28;
};

}  // namespace velmo

#endif
