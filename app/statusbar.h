#ifndef VELMO_APP_STATUSBAR_H
#define VELMO_APP_STATUSBAR_H

// The status bar at the bottom: five panels, "F1:Hilfe", the text area's
// size ("70 x 28") and the lock keys "Caps", "Num" and "Einfg", shown
// while Caps Lock, Num Lock or Insert are on.

#include <QStatusBar>
#include <array>

class QKeyEvent;
class QLabel;

namespace velmo {

class tstatusbar : public QStatusBar {
    Q_OBJECT
public:
    explicit tstatusbar(QWidget* parent = nullptr);

    void setTextAreaSize(int columns, int rows);
    // The lock states as they are after this key: read from the X
    // server's modifier state where the window system tells it; Insert is
    // toggled by the window itself.
    void followLockKeys(const QKeyEvent& event);
    QString panelText(int index) const;

private:
    std::array<QLabel*, 5> panels{};
    bool insertOn = false;
};

}  // namespace velmo

#endif
