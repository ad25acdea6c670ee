#include "app/statusbar.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>

namespace velmo {

namespace {

// The X server's modifier bits of the two lock keys.
constexpr quint32 kCapsLockBit = 0x02;
constexpr quint32 kNumLockBit = 0x10;

}  // namespace

tstatusbar::tstatusbar(QWidget* parent) : QStatusBar(parent) {
    setSizeGripEnabled(false);
    const QString names[] = {QStringLiteral("Hilfe"), QStringLiteral("Textgröße"),
                             QStringLiteral("Feststelltaste"), QStringLiteral("Num-Taste"),
                             QStringLiteral("Einfügemodus")};
    for (std::size_t i = 0; i < panels.size(); ++i) {
        QLabel* panel = new QLabel(this);
        panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        panel->setAccessibleName(names[i]);
        panels[i] = panel;
        if (i == 0)
            addWidget(panel, 1);
        else
            addPermanentWidget(panel);
    }
    panels[0]->setText(QStringLiteral("F1:Hilfe"));
    const int lockWidth = fontMetrics().horizontalAdvance(QStringLiteral("Einfg")) + 12;
    for (std::size_t i = 2; i < panels.size(); ++i) panels[i]->setMinimumWidth(lockWidth);
}

void tstatusbar::setTextAreaSize(int columns, int rows) {
    panels[1]->setText(QStringLiteral("%1 x %2").arg(columns).arg(rows));
}

void tstatusbar::followLockKeys(const QKeyEvent& event) {
    if (event.key() == Qt::Key_Insert) insertOn = !insertOn;
    panels[4]->setText(insertOn ? QStringLiteral("Einfg") : QString());
    if (QGuiApplication::platformName() != QLatin1String("xcb")) return;
    // The state the event carries is the one before the key; a lock key
    // itself turns its lock over.
    bool caps = (event.nativeModifiers() & kCapsLockBit) != 0;
    bool num = (event.nativeModifiers() & kNumLockBit) != 0;
    if (event.key() == Qt::Key_CapsLock) caps = !caps;
    if (event.key() == Qt::Key_NumLock) num = !num;
    panels[2]->setText(caps ? QStringLiteral("Caps") : QString());
    panels[3]->setText(num ? QStringLiteral("Num") : QString());
}

QString tstatusbar::panelText(int index) const {
    return panels[static_cast<std::size_t>(index)]->text();
}

}  // namespace velmo
