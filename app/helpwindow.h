#ifndef VELMO_APP_HELPWINDOW_H
#define VELMO_APP_HELPWINDOW_H

// The help viewer: the German HTML help pages in a text browser with
// "Inhalt", "Zurück" and "Vor". Links between the pages are followed in
// the window; the pages are found as the terminal player finds them.

#include <QDialog>

#include "frontend/platform.h"

class QTextBrowser;

namespace velmo {

class thelpwindow : public QDialog {
    Q_OBJECT
public:
    explicit thelpwindow(QWidget* parent);

    // Shows the page of a help context; without installed pages a short
    // German message says so.
    void showPage(thelpcontext context);
    QTextBrowser& browser() { return *pages; }

private:
    QTextBrowser* pages = nullptr;
    QString folder;
};

}  // namespace velmo

#endif
