#include "app/textview.h"

#include <QFontInfo>
#include <QPainter>
#include <QScrollBar>
#include <QTextBlock>
#include <algorithm>

#include "app/textcodec.h"
#include "frontend/textbuffer.h"

namespace velmo {

namespace {

constexpr int kMargin = 2;

int32_t lineLength(const ttextbuffer& text, int32_t line) {
    return static_cast<int32_t>(text.line(line).size()) + (text.endsParagraph(line) ? 1 : 0);
}

// The text position where a line begins, counted back from the end (the
// lines asked for lie near it).
int32_t lineStart(const ttextbuffer& text, int32_t line) {
    int32_t position = text.textLength();
    for (int32_t i = text.lineCount() - 1; i >= line; --i) position -= lineLength(text, i);
    return position;
}

}  // namespace

QTextCharFormat ttextview::formatOf(tstyle style) const {
    QTextCharFormat format;
    switch (style) {
    case tstyle::bold:
        format.setFontWeight(QFont::Bold);
        // A fixed-pitch font without a bold face is not made bold by the
        // renderer: its bold text is shown bright instead.
        if (brightBold) format.setForeground(brightBold->color());
        break;
    case tstyle::italic: format.setFontItalic(true); break;
    case tstyle::underline: format.setFontUnderline(true); break;
    case tstyle::strike: format.setFontStrikeOut(true); break;
    }
    return format;
}

ttextview::ttextview(QWidget* parent) : QPlainTextEdit(parent) {
    setLineWrapMode(QPlainTextEdit::NoWrap);  // the game wraps its lines itself
    setUndoRedoEnabled(false);
    setReadOnly(true);
    setCursorWidth(0);  // the block caret is drawn below
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setContextMenuPolicy(Qt::NoContextMenu);
    setFocusPolicy(Qt::StrongFocus);
    document()->setDocumentMargin(kMargin);
    refuseDrops();
    setAccessibleName(QStringLiteral("Spieltext"));
    verticalScrollBar()->setAccessibleName(QStringLiteral("Bildlauf"));
    horizontalScrollBar()->setAccessibleName(QStringLiteral("Bildlauf waagerecht"));
    setAccessibleDescription(
        QStringLiteral("Text der Geschichte; die letzte Zeile ist die Eingabezeile"));
}

void ttextview::refuseDrops() {
    // Dropped files go to the main window, never into the text.
    setAcceptDrops(false);
    viewport()->setAcceptDrops(false);
}

void ttextview::setLook(const QFont& font, const QColor& text, const QColor& background) {
    setFont(font);
    document()->setDefaultFont(font);
    QPalette colours = palette();
    colours.setColor(QPalette::Base, background);
    colours.setColor(QPalette::Text, text);
    colours.setColor(QPalette::Window, background);
    setPalette(colours);
    QFont bold = font;
    bold.setBold(true);
    if (QFontInfo(bold).styleName().contains(QStringLiteral("bold"), Qt::CaseInsensitive))
        brightBold.reset();
    else
        brightBold = QBrush(text.value() > 127 ? QColor(Qt::white) : text.lighter(160));
    updateGeometry();
}

QSize ttextview::cellSize() const {
    const QFontMetrics metrics(font());
    return {metrics.horizontalAdvance(QLatin1Char('J')), metrics.height()};
}

QSize ttextview::sizeForCells(int cellColumns, int cellRows) const {
    const QSize cell = cellSize();
    const int frame = 2 * frameWidth();
    const int margins = 2 * kMargin;
    return {cell.width() * cellColumns + margins + frame + verticalScrollBar()->sizeHint().width(),
            cell.height() * cellRows + margins + frame};
}

void ttextview::setCells(int cellColumns, int cellRows) {
    columns = cellColumns;
    rows = cellRows;
    updateGeometry();
}

QSize ttextview::sizeHint() const { return sizeForCells(columns, rows); }

bool ttextview::setBlockText(QTextCursor& cursor, const QTextBlock& block, const QString& text,
                             int& changedFrom) {
    const QString old = block.text();
    int common = 0;
    const int shorter = static_cast<int>(std::min(old.size(), text.size()));
    while (common < shorter && old[common] == text[common]) ++common;
    if (common == old.size() && common == text.size()) return false;
    cursor.setPosition(block.position() + common);
    cursor.setPosition(block.position() + static_cast<int>(old.size()), QTextCursor::KeepAnchor);
    // New text starts plain; its styles are put on afterwards.
    cursor.insertText(text.mid(common), QTextCharFormat());
    changedFrom = common;
    return true;
}

void ttextview::styleColumns(QTextCursor& cursor, const QTextBlock& block, int from, int to,
                             tstyle style) {
    const int length = block.length() - 1;
    from = std::clamp(from, 0, length);
    to = std::clamp(to, 0, length);
    if (from >= to) return;
    cursor.setPosition(block.position() + from);
    cursor.setPosition(block.position() + to, QTextCursor::KeepAnchor);
    cursor.mergeCharFormat(formatOf(style));
}

void ttextview::restyleLine(QTextCursor& cursor, const ttextbuffer& text, int32_t line,
                            int32_t start, int fromColumn) {
    const QTextBlock block = document()->findBlockByNumber(line - firstShown);
    const int32_t end = start + static_cast<int32_t>(text.line(line).size());
    for (const tstylerun& run : text.styles()) {
        if (run.end <= start + fromColumn || run.start >= end) continue;
        styleColumns(cursor, block, std::max(run.start - start, fromColumn), run.end - start,
                     run.style);
    }
}

void ttextview::showLines(const ttextbuffer& text, int32_t first, int32_t last) {
    QTextCursor cursor(document());
    cursor.beginEditBlock();
    // Lines the buffer dropped to bound its memory leave the top.
    const int32_t stored = text.firstStoredLine();
    if (stored > firstShown) {
        const QTextBlock keep = document()->findBlockByNumber(stored - firstShown);
        cursor.setPosition(0);
        cursor.setPosition(keep.isValid() ? keep.position() : document()->characterCount() - 1,
                           QTextCursor::KeepAnchor);
        cursor.removeSelectedText();
        firstShown = stored;
    }
    if (last < 0 || last >= text.lineCount()) last = text.lineCount() - 1;
    first = std::max(first, firstShown);
    int32_t start = lineStart(text, first);
    for (int32_t line = first; line <= last; ++line) {
        const QString shown = screenText(text.line(line));
        const int blockNumber = line - firstShown;
        int changedFrom = 0;
        if (blockNumber < document()->blockCount()) {
            if (!setBlockText(cursor, document()->findBlockByNumber(blockNumber), shown,
                              changedFrom))
                changedFrom = -1;
        } else {
            cursor.movePosition(QTextCursor::End);
            cursor.insertBlock(QTextBlockFormat(), QTextCharFormat());
            cursor.insertText(shown, QTextCharFormat());
        }
        if (changedFrom >= 0) restyleLine(cursor, text, line, start, changedFrom);
        start += lineLength(text, line);
    }
    cursor.endEditBlock();
}

void ttextview::showStyle(const ttextbuffer& text, int32_t start, int32_t end, tstyle style) {
    int32_t firstLine = 0;
    int32_t firstColumn = 0;
    int32_t lastLine = 0;
    int32_t lastColumn = 0;
    if (!text.locate(start, firstLine, firstColumn)) return;
    if (!text.locate(end, lastLine, lastColumn)) {
        lastLine = text.lineCount() - 1;
        lastColumn = static_cast<int32_t>(text.line(lastLine).size());
    }
    QTextCursor cursor(document());
    cursor.beginEditBlock();
    for (int32_t line = std::max(firstLine, firstShown); line <= lastLine; ++line) {
        const QTextBlock block = document()->findBlockByNumber(line - firstShown);
        const int from = line == firstLine ? firstColumn : 0;
        const int to = line == lastLine ? lastColumn : static_cast<int>(text.line(line).size());
        styleColumns(cursor, block, from, to, style);
    }
    cursor.endEditBlock();
}

void ttextview::clearLines() {
    document()->clear();
    firstShown = 0;
    caretLine = 0;
    caretColumn = 0;
}

void ttextview::placeCaret(int32_t line, int32_t column) {
    caretLine = line;
    caretColumn = column;
    const QTextBlock block = document()->findBlockByNumber(line - firstShown);
    if (!block.isValid()) return;
    const int at = std::clamp(column, 0, block.length() - 1);
    QTextCursor cursor(block);
    cursor.setPosition(block.position() + at);
    // The widget's own cursor stands where the caret is, so that screen
    // readers follow it; it is not drawn (its width is 0).
    setTextCursor(cursor);
    QList<QTextEdit::ExtraSelection> caret;
    if (at < block.length() - 1) {
        // A character under the caret: its cell is shown inverted.
        QTextEdit::ExtraSelection cell;
        cell.cursor = cursor;
        cell.cursor.movePosition(QTextCursor::NextCharacter, QTextCursor::KeepAnchor);
        cell.format.setBackground(palette().color(QPalette::Text));
        cell.format.setForeground(palette().color(QPalette::Base));
        caret.append(cell);
    }
    setExtraSelections(caret);
    scrollToCaret();
    viewport()->update();
}

void ttextview::setInputEnabled(bool enabled) {
    setReadOnly(!enabled);
    setCursorWidth(0);
    refuseDrops();
}

void ttextview::scrollToCaret() {
    // On the last line the caret shows the end of the text.
    if (caretLine - firstShown >= document()->blockCount() - 1)
        verticalScrollBar()->setValue(verticalScrollBar()->maximum());
    else
        ensureCursorVisible();
}

void ttextview::scrollPage(bool up) {
    QScrollBar* bar = verticalScrollBar();
    bar->setValue(bar->value() + (up ? -bar->pageStep() : bar->pageStep()));
}

QString ttextview::shownLine(int32_t line) const {
    const QTextBlock block = document()->findBlockByNumber(line - firstShown);
    return block.isValid() ? block.text() : QString();
}

int32_t ttextview::shownLineCount() const { return firstShown + document()->blockCount(); }

void ttextview::keyPressEvent(QKeyEvent* event) {
    event->accept();
    if (onKey) onKey(*event);
}

void ttextview::keyReleaseEvent(QKeyEvent* event) { event->accept(); }

// Text from an input method arrives as typed characters, one by one.
void ttextview::inputMethodEvent(QInputMethodEvent* event) {
    for (const QChar c : event->commitString()) {
        QKeyEvent typed(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(c));
        if (onKey) onKey(typed);
    }
    event->accept();
}

// The mouse never moves the caret: a click only gives the text the focus.
void ttextview::mousePressEvent(QMouseEvent* event) {
    setFocus(Qt::MouseFocusReason);
    event->accept();
}

void ttextview::mouseDoubleClickEvent(QMouseEvent* event) { event->accept(); }

void ttextview::mouseMoveEvent(QMouseEvent* event) { event->accept(); }

void ttextview::mouseReleaseEvent(QMouseEvent* event) { event->accept(); }

void ttextview::contextMenuEvent(QContextMenuEvent* event) { event->accept(); }

bool ttextview::canInsertFromMimeData(const QMimeData*) const { return false; }

void ttextview::insertFromMimeData(const QMimeData*) {}

void ttextview::paintEvent(QPaintEvent* event) {
    QPlainTextEdit::paintEvent(event);
    // The caret after the last character of its line: a full cell in the
    // text colour (a character under it is inverted by the extra
    // selection).
    const QTextBlock block = document()->findBlockByNumber(caretLine - firstShown);
    if (!block.isValid() || caretColumn < block.length() - 1) return;
    QTextCursor cursor(block);
    cursor.movePosition(QTextCursor::EndOfBlock);
    QRect cell = cursorRect(cursor);
    cell.setWidth(cellSize().width());
    QPainter painter(viewport());
    painter.fillRect(cell, palette().color(QPalette::Text));
}

}  // namespace velmo
