#ifndef VELMO_APP_TESTS_WINDOWFIXTURE_H
#define VELMO_APP_TESTS_WINDOWFIXTURE_H

// Drives the main window as a player would: keys into the text area,
// answers to message boxes, and reading back what the text area shows.

#include <QAction>
#include <QApplication>
#include <QMessageBox>
#include <QString>
#include <QTimer>
#include <functional>
#include <memory>
#include <string>

#include "app/mainwindow.h"
#include "app/qtplatform.h"
#include "app/textview.h"

namespace velmo::testing {

std::string storyPath(const char* name);

class twindow {
public:
    twindow();
    ~twindow();

    tmainwindow& window() { return *main; }
    ttextview& view() { return main->textView(); }
    tgame& game() { return main->game(); }

    bool open(const char* story);
    // Types the text into the text area, key by key, and presses Enter.
    void enter(const QString& line);
    void type(const QString& text);
    void press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier);
    // The text of the last line, and of the line `back` lines above it.
    QString lastLine(int back = 0) const;
    // Whether any of the last `count` lines holds the text.
    bool shows(const QString& text, int count = 30) const;
    QString statusText() const;

private:
    std::unique_ptr<tmainwindow> main;
};

// Runs `action` once the next nested wait (a key wait, a topic menu, a
// modal box) has started.
void whenWaiting(twindow& w, std::function<void()> action);
// Answers the next message box with `button` and keeps its text.
void answerNextBox(QMessageBox::StandardButton button, QString* text = nullptr);

// Runs `action` on the next modal dialog of type T once it is open.
template <typename T>
void whenOpen(std::function<void(T&)> action) {
    auto* poll = new QTimer(qApp);
    QObject::connect(poll, &QTimer::timeout, poll, [poll, action = std::move(action)] {
        auto* dialog = qobject_cast<T*>(QApplication::activeModalWidget());
        if (!dialog) return;
        poll->stop();
        poll->deleteLater();
        action(*dialog);
    });
    poll->start(5);
}

// The window's menu entry with this caption.
QAction* entryNamed(tmainwindow& window, const QString& caption);

}  // namespace velmo::testing

#endif
