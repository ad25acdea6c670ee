#include "app/boxoverlay.h"

#include <QAccessible>
#include <QStringList>
#include <algorithm>

#include "app/textcodec.h"
#include "app/textview.h"

namespace velmo {

tboxoverlay::tboxoverlay(ttextview& area) : QLabel(&area), view(area) {
    setAccessibleName(QStringLiteral("Meldung"));
    setTextFormat(Qt::PlainText);
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
    setAutoFillBackground(true);
    hide();
}

void tboxoverlay::showLines(const std::vector<std::string>& lines) {
    QStringList shown;
    std::size_t longest = 0;
    for (const std::string& line : lines) {
        shown.append(screenText(line));
        longest = std::max(longest, line.size());
    }
    setText(shown.join(QLatin1Char('\n')));
    setFont(view.font());

    // Inverted colours: the box's ground is the text colour.
    QPalette colours = palette();
    colours.setColor(QPalette::Window, view.palette().color(QPalette::Text));
    colours.setColor(QPalette::WindowText, view.palette().color(QPalette::Base));
    setPalette(colours);

    // The cell is "J" wide and "J" plus two high; the box is as wide as
    // its longest line, centred, two cells below the top.
    const QSize cell = view.cellSize();
    const int cellHeight = cell.height() + 2;
    const int length = static_cast<int>(longest);
    const int count = static_cast<int>(lines.size());
    const int width = length * cell.width();
    const QWidget* area = view.viewport();
    int left = area->x() + area->width() / 2 - width / 2 - (length % 2 == 0 ? 4 : 0);
    const int top = area->y() + 2 * cellHeight - 4;
    const int height = (count + 1) * cellHeight + 9;
    left = std::max(left, 0);
    setGeometry(left, top, width, height);
    show();
    raise();
    QAccessibleEvent alert(this, QAccessible::Alert);
    QAccessible::updateAccessibility(&alert);
}

}  // namespace velmo
