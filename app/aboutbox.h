#ifndef VELMO_APP_ABOUTBOX_H
#define VELMO_APP_ABOUTBOX_H

// The window of "&Info": the program's name, "Version 2.0" and two links,
// the project's web page and its mail address, opened with the system's
// browser and mail program and underlined while the mouse is over them.

#include <QDialog>

class QLabel;

namespace velmo {

class taboutbox : public QDialog {
    Q_OBJECT
public:
    explicit taboutbox(QWidget* parent);

    QLabel& versionLabel() { return *version; }
    QLabel& webLink() { return *web; }
    QLabel& mailLink() { return *mail; }

private:
    QLabel* version = nullptr;
    QLabel* web = nullptr;
    QLabel* mail = nullptr;
};

// The label's rich text for a link, underlined or not.
QString linkText(const QString& target, const QString& caption, bool underlined);

}  // namespace velmo

#endif
