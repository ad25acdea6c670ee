#include "app/statuspanel.h"

#include <QFontMetrics>
#include <algorithm>

namespace velmo {

tstatuspanel::tstatuspanel(QWidget* parent) : QLabel(parent) {
    setTextFormat(Qt::PlainText);
    setAutoFillBackground(true);
    setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    setAccessibleDescription(QStringLiteral("Statuszeile"));
}

void tstatuspanel::setLook(const QFont& font, const QColor& text, const QColor& background) {
    setFont(font);
    QPalette colours = palette();
    colours.setColor(QPalette::Window, background);
    colours.setColor(QPalette::WindowText, text);
    setPalette(colours);
    // 25 pixels high, or more when the font's line needs it.
    setFixedHeight(std::max(25, QFontMetrics(font).height() + 4));
}

}  // namespace velmo
