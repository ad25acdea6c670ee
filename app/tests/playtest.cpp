// Playing in the window: a command and its answer, the input line's
// keys, undo, styles, scrolling back and the mouse.

#include <QScrollBar>
#include <QTest>
#include <QTextBlock>
#include <QTimer>

#include "app/statusbar.h"
#include "frontend/game.h"
#include "windowfixture.h"

namespace velmo::testing {

class tplaytest : public QObject {
    Q_OBJECT
private slots:
    void aStoryOpensWithItsTextAndStatusLine() {
        twindow w;
        QVERIFY(w.view().isReadOnly());
        QVERIFY(w.open("fenster.velmo"));
        QVERIFY(w.shows(QStringLiteral("Du stehst in einer Stube.")));
        QCOMPARE(w.lastLine(), QStringLiteral(">"));
        QVERIFY(w.statusText().startsWith(QStringLiteral(" In der Stube")));
        QVERIFY(w.statusText().trimmed().endsWith(QStringLiteral("0/0")));
        QVERIFY(!w.view().isReadOnly());
        QCOMPARE(w.window().statusBar().panelText(0), QStringLiteral("F1:Hilfe"));
        QCOMPARE(w.window().statusBar().panelText(1), QStringLiteral("70 x 28"));
    }

    void aTypedCommandIsAnswered() {
        twindow w;
        QVERIFY(w.open("fenster.velmo"));
        w.type(QStringLiteral("Schau"));
        QCOMPARE(w.lastLine(), QStringLiteral(">Schau"));
        w.press(Qt::Key_Return);
        QCOMPARE(w.lastLine(), QStringLiteral(">"));
        QCOMPARE(w.lastLine(3),
                 QStringLiteral(
                     "Eine kleine Stube mit einem Tisch, zwei Stühlen und einem Fenster zum "));
        QCOMPARE(w.lastLine(2), QStringLiteral("Garten hinaus."));
        QCOMPARE(w.lastLine(4), QStringLiteral(">Schau"));
        w.enter(QStringLiteral("nimm den äpfel"));
        QVERIFY(w.shows(QStringLiteral("Wie bitte?")));
    }

    void keysTypedWhileACommandRunsWaitForTheInputLine() {
        twindow w;
        QVERIFY(w.open("fenster.velmo"));
        // The first event loop is the one the counting loop lets events
        // through with.
        QTimer::singleShot(0, &w.window(), [&w] { w.type(QStringLiteral("ja")); });
        w.enter(QStringLiteral("zaehle"));
        QVERIFY(w.shows(QStringLiteral("Bis 100000 gezählt.")));
        QCOMPARE(w.lastLine(), QStringLiteral(">ja"));
    }

    void historyKeysBrowseTheInputs() {
        twindow w;
        QVERIFY(w.open("fenster.velmo"));
        w.enter(QStringLiteral("schau"));
        w.enter(QStringLiteral("nimm apfel"));
        w.type(QStringLiteral("halb"));
        w.press(Qt::Key_Up);
        QCOMPARE(w.lastLine(), QStringLiteral(">nimm apfel"));
        w.press(Qt::Key_Up);
        QCOMPARE(w.lastLine(), QStringLiteral(">schau"));
        w.press(Qt::Key_Down);
        w.press(Qt::Key_Down);
        QCOMPARE(w.lastLine(), QStringLiteral(">halb"));
    }

    void theLineKeepsItsPromptAndItsWidth() {
        twindow w;
        QVERIFY(w.open("fenster.velmo"));
        w.press(Qt::Key_Backspace);
        QCOMPARE(w.lastLine(), QStringLiteral(">"));
        w.type(QStringLiteral("ab"));
        w.press(Qt::Key_Left);
        w.press(Qt::Key_Left);
        w.press(Qt::Key_Left);
        w.press(Qt::Key_Backspace);
        QCOMPARE(w.lastLine(), QStringLiteral(">ab"));
        // A full line takes no further character, also not in its middle.
        w.press(Qt::Key_End);
        w.type(QString(80, QLatin1Char('x')));
        QCOMPARE(w.lastLine().size(), 70);
        w.press(Qt::Key_Left);
        w.type(QStringLiteral("y"));
        QVERIFY(!w.lastLine().contains(QLatin1Char('y')));
    }

    void undoTakesBackTheLastCommand() {
        twindow w;
        QVERIFY(w.open("fenster.velmo"));
        w.enter(QStringLiteral("nimm apfel"));
        QVERIFY(w.statusText().trimmed().endsWith(QStringLiteral("1/1")));
        w.enter(QStringLiteral("zurueck"));
        QVERIFY(w.shows(QStringLiteral("Eingabe [nimm apfel] wurde rückgängig gemacht.")));
        QVERIFY(w.statusText().trimmed().endsWith(QStringLiteral("0/1")));
    }

    void styleMarksStyleTheirText() {
        twindow w;
        QVERIFY(w.open("fenster.velmo"));
        w.enter(QStringLiteral("stile"));
        const QTextBlock line =
            w.view().document()->findBlockByNumber(w.view().document()->blockCount() - 3);
        QCOMPARE(line.text(), QStringLiteral("Das ist fett, schräg, unten und durch."));
        auto formatAt = [&line](const QString& word) {
            QTextCursor cursor(line);
            cursor.setPosition(line.position() + static_cast<int>(line.text().indexOf(word)) + 1);
            return cursor.charFormat();
        };
        QCOMPARE(formatAt(QStringLiteral("fett")).fontWeight(), static_cast<int>(QFont::Bold));
        QVERIFY(formatAt(QStringLiteral("schräg")).fontItalic());
        QVERIFY(formatAt(QStringLiteral("unten")).fontUnderline());
        QVERIFY(formatAt(QStringLiteral("durch")).fontStrikeOut());
        QVERIFY(formatAt(QStringLiteral("Das")).fontWeight() != QFont::Bold);
        // Typing after styled text starts plain again.
        w.type(QStringLiteral("schau"));
        const QTextBlock input = w.view().document()->lastBlock();
        QTextCursor cursor(input);
        cursor.setPosition(input.position() + 3);
        QVERIFY(cursor.charFormat().fontWeight() != QFont::Bold);
    }

    void newTextIsAnnouncedWholeToScreenReaders() {
        // Screen readers hear each change of the text's document: one
        // write must be one change, not the slices it is written in.
        twindow w;
        QVERIFY(w.open("fenster.velmo"));
        QStringList changes;
        QTextDocument& text = *w.view().document();
        connect(&text, &QTextDocument::contentsChange, this,
                [&text, &changes](int from, int, int added) {
                    QTextCursor inserted(&text);
                    inserted.setPosition(from);
                    inserted.setPosition(from + added, QTextCursor::KeepAnchor);
                    changes.append(inserted.selectedText());
                });
        w.enter(QStringLiteral("schau"));
        text.disconnect(this);
        QCOMPARE(changes.first(), QStringLiteral("s"));
        // The answer is longer than a line: it is written in two slices
        // and wrapped, and still arrives as one change.
        const QStringList answer = changes.filter(QStringLiteral("Eine kleine Stube"));
        QCOMPARE(answer.size(), 1);
        QVERIFY(answer.first().contains(QStringLiteral("Garten hinaus.")));
    }

    void scrollingBackShowsEarlierTextUntilTheNextKey() {
        twindow w;
        QVERIFY(w.open("fenster.velmo"));
        for (int i = 0; i < 12; ++i) w.enter(QStringLiteral("schau"));
        QScrollBar* bar = w.view().verticalScrollBar();
        const int end = bar->value();
        QCOMPARE(end, bar->maximum());
        w.press(Qt::Key_PageUp);
        QVERIFY(bar->value() < end);
        QCOMPARE(w.lastLine(), QStringLiteral(">"));
        w.type(QStringLiteral("s"));
        QCOMPARE(bar->value(), bar->maximum());
    }

    void theMouseNeverMovesTheCaret() {
        twindow w;
        QVERIFY(w.open("fenster.velmo"));
        w.type(QStringLiteral("schau"));
        const int caret = w.view().textCursor().position();
        QTest::mouseClick(w.view().viewport(), Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
        QTest::mouseDClick(w.view().viewport(), Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
        QCOMPARE(w.view().textCursor().position(), caret);
        QVERIFY(!w.view().textCursor().hasSelection());
        w.type(QStringLiteral("x"));
        QCOMPARE(w.lastLine(), QStringLiteral(">schaux"));
    }
};

int runPlayTests(int argc, char** argv) {
    tplaytest test;
    return QTest::qExec(&test, argc, argv);
}

}  // namespace velmo::testing

#include "playtest.moc"
