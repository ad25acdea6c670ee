#include "windowfixture.h"

#include <QAbstractButton>
#include <QApplication>
#include <QKeyEvent>
#include <QTest>
#include <QTimer>

#include "app/statuspanel.h"

namespace velmo::testing {

std::string storyPath(const char* name) { return std::string(VELMO_APP_TEST_STORIES) + "/" + name; }

twindow::twindow() : main(std::make_unique<tmainwindow>()) {
    main->show();
    QVERIFY(QTest::qWaitForWindowExposed(main.get()));
}

twindow::~twindow() = default;

bool twindow::open(const char* story) { return main->game().openStory(storyPath(story)); }

void twindow::type(const QString& text) {
    for (const QChar c : text) {
        if (c.unicode() < 0x80) {
            QTest::keyClick(&view(), c.toLatin1());
        } else {
            // Letters beyond ASCII arrive as text, as from a German keyboard.
            QKeyEvent typed(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(c));
            QCoreApplication::sendEvent(&view(), &typed);
        }
    }
}

void twindow::enter(const QString& line) {
    type(line);
    press(Qt::Key_Return);
}

void twindow::press(Qt::Key key, Qt::KeyboardModifiers modifiers) {
    QTest::keyClick(&view(), key, modifiers);
}

QString twindow::lastLine(int back) const {
    const auto& shown = main->textView();
    return shown.shownLine(shown.shownLineCount() - 1 - back);
}

bool twindow::shows(const QString& text, int count) const {
    for (int back = 0; back < count; ++back)
        if (lastLine(back).contains(text)) return true;
    return false;
}

QString twindow::statusText() const { return main->statusPanel().text(); }

void whenWaiting(twindow& w, std::function<void()> action) {
    // Timers fire from any event loop, also the one story code runs while
    // it loops: the action waits for the wait itself.
    auto* poll = new QTimer(qApp);
    QObject::connect(poll, &QTimer::timeout, poll, [poll, &w, action = std::move(action)] {
        if (!w.window().host().waiting()) return;
        poll->stop();
        poll->deleteLater();
        action();
    });
    poll->start(5);
}

QAction* entryNamed(tmainwindow& window, const QString& caption) {
    for (QAction* entry : window.findChildren<QAction*>())
        if (entry->text() == caption) return entry;
    return nullptr;
}

void answerNextBox(QMessageBox::StandardButton button, QString* text) {
    auto* poll = new QTimer(qApp);
    QObject::connect(poll, &QTimer::timeout, poll, [poll, button, text] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box) return;
        if (text) *text = box->text();
        box->button(button)->click();
        poll->deleteLater();
    });
    poll->start(5);
}

}  // namespace velmo::testing
