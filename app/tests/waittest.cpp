// Waits inside story code: a key wait and the menu states while it runs,
// the topic menu with its marker, the box, and closing the window while
// story code loops.

#include <QAction>
#include <QElapsedTimer>
#include <QTest>
#include <QTimer>

#include "app/boxoverlay.h"
#include "windowfixture.h"

namespace velmo::testing {

class twaittest : public QObject {
    Q_OBJECT
private slots:
    void aKeyWaitTakesOneAllowedKeyAndBlocksGameActions() {
        twindow w;
        QVERIFY(w.open("fenster.velmo"));
        auto enabled = [&w](tmenuaction action) {
            return w.window().menuEntry(action)->isEnabled();
        };
        QVERIFY(enabled(tmenuaction::restoreGame));
        QVERIFY(enabled(tmenuaction::saveGame));
        bool checked = false;
        whenWaiting(w, [&] {
            QCOMPARE(w.lastLine(), QStringLiteral("Drücke eine Taste: "));
            QVERIFY(!enabled(tmenuaction::restoreGame));
            QVERIFY(!enabled(tmenuaction::openStory));
            QVERIFY(!enabled(tmenuaction::saveGame));
            // Enter and Esc do not end the wait; a letter does.
            w.press(Qt::Key_Return);
            w.press(Qt::Key_Escape);
            QVERIFY(w.game().waiting());
            w.type(QStringLiteral("K"));
            checked = true;
        });
        w.enter(QStringLiteral("taste"));
        QVERIFY(checked);
        QVERIFY(w.shows(QStringLiteral("Drücke eine Taste: [k]")));
        QVERIFY(enabled(tmenuaction::restoreGame));
        QVERIFY(enabled(tmenuaction::openStory));
    }

    void aTopicMenuMovesItsMarkerAndReturnsTheChoice() {
        twindow w;
        QVERIFY(w.open("fenster.velmo"));
        bool checked = false;
        whenWaiting(w, [&] {
            QCOMPARE(w.view().shownLine(w.window().host().lineCount() - 4),
                     QStringLiteral(" > Spielziel"));
            QVERIFY(w.statusText().startsWith(QStringLiteral(" Cursor:Thema auswählen")));
            QVERIFY(!w.window().menuEntry(tmenuaction::openStory)->isEnabled());
            w.press(Qt::Key_Down);
            QCOMPARE(w.view().shownLine(w.window().host().lineCount() - 4),
                     QStringLiteral("   Spielziel"));
            QCOMPARE(w.view().shownLine(w.window().host().lineCount() - 3),
                     QStringLiteral(" > Befehle"));
            w.press(Qt::Key_Return);
            checked = true;
        });
        w.enter(QStringLiteral("hilfe"));
        QVERIFY(checked);
        QVERIFY(w.shows(QStringLiteral("Thema 2")));
    }

    void theBoxShowsOverTheTextInInvertedColours() {
        twindow w;
        QVERIFY(w.open("fenster.velmo"));
        bool checked = false;
        whenWaiting(w, [&] {
            tboxoverlay& box = w.window().box();
            QVERIFY(box.isVisible());
            QVERIFY(box.text().contains(QStringLiteral(" Ein Kasten ")));
            QCOMPARE(box.palette().color(QPalette::Window),
                     w.view().palette().color(QPalette::Text));
            QVERIFY(box.geometry().top() > 0);
            w.type(QStringLiteral(" "));
            checked = true;
        });
        w.enter(QStringLiteral("kasten"));
        QVERIFY(checked);
        QVERIFY(!w.window().box().isVisible());
        QVERIFY(w.shows(QStringLiteral("Der Kasten ist fort.")));
    }

    void closingTheWindowEndsAnEndlessLoop() {
        twindow w;
        QVERIFY(w.open("fenster.velmo"));
        // The loop pages with "[Leertaste]": the window closes at the
        // pause, and the loop must end at its next turn.
        whenWaiting(w, [&] {
            QCOMPARE(w.lastLine(), QStringLiteral("[Leertaste]"));
            w.window().close();
        });
        QElapsedTimer clock;
        clock.start();
        w.enter(QStringLiteral("endlos"));
        QVERIFY(clock.elapsed() < 1000);
        QVERIFY(!w.game().storyOpen());
        QVERIFY(!w.window().isVisible());
    }

    void closingTheWindowWhileStoryCodeRunsEndsIt() {
        twindow w;
        QVERIFY(w.open("fenster.velmo"));
        // Closed from whichever event loop comes first: the one the loop
        // lets events through with, or a pause.
        QTimer::singleShot(0, &w.window(), [&w] { w.window().close(); });
        QElapsedTimer clock;
        clock.start();
        w.enter(QStringLiteral("endlos"));
        QVERIFY(clock.elapsed() < 1000);
        QVERIFY(!w.game().storyOpen());
    }
};

int runWaitTests(int argc, char** argv) {
    twaittest test;
    return QTest::qExec(&test, argc, argv);
}

}  // namespace velmo::testing

#include "waittest.moc"
