// The window around the game: caption, menu states, a failed open,
// dropped files, the quit question and the file dialogs' filters.

#include <QAction>
#include <QDir>
#include <QMimeData>
#include <QTest>
#include <QUrl>

#include "app/namefilter.h"
#include "windowfixture.h"

namespace velmo::testing {

namespace {

void drop(QWidget& target, const QString& file) {
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(file)});
    QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&target, &enter);
    QVERIFY(enter.isAccepted());
    QDropEvent dropped(QPointF(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&target, &dropped);
}

}  // namespace

class tcontroltest : public QObject {
    Q_OBJECT
private slots:
    void theCaptionNamesTheOpenStory() {
        twindow w;
        QCOMPARE(w.window().windowTitle(), QStringLiteral("Velmo"));
        QVERIFY(w.open("fenster.velmo"));
        QCOMPARE(w.window().windowTitle(), QStringLiteral("fenster.velmo"));
        whenWaiting(w, [&w] { w.type(QStringLiteral("j")); });
        w.enter(QStringLiteral("ende"));
        QVERIFY(!w.game().storyOpen());
        QCOMPARE(w.window().windowTitle(), QStringLiteral("Velmo"));
        QVERIFY(w.view().isReadOnly());
    }

    void menuStatesFollowTheOpenStory() {
        twindow w;
        auto enabled = [&w](tmenuaction action) {
            return w.window().menuEntry(action)->isEnabled();
        };
        QVERIFY(!enabled(tmenuaction::saveGame));
        QVERIFY(enabled(tmenuaction::compile));
        QVERIFY(enabled(tmenuaction::copyPictures));
        QVERIFY(!enabled(tmenuaction::recentFiles));  // no recent file yet
        QVERIFY(w.open("fenster.velmo"));
        QVERIFY(enabled(tmenuaction::saveGame));
        QVERIFY(!enabled(tmenuaction::compile));
        QVERIFY(!enabled(tmenuaction::copyPictures));
        QCOMPARE(w.window().menuEntry(tmenuaction::saveGame)->text(),
                 QStringLiteral("&Spielstand speichern"));
        QCOMPARE(w.window().menuEntry(tmenuaction::saveGame)->shortcut(),
                 QKeySequence(Qt::CTRL | Qt::Key_S));
    }

    void aStoryThatFailsToLoadLeavesTheWindowUsable() {
        twindow w;
        QVERIFY(!w.open("gibtsnicht.velmo"));
        QVERIFY(w.shows(QStringLiteral("gibtsnicht.velmo")));
        QCOMPARE(w.window().windowTitle(), QStringLiteral("Velmo"));
        QVERIFY(w.window().menuEntry(tmenuaction::openStory)->isEnabled());
        QVERIFY(w.open("fenster.velmo"));
        QVERIFY(w.game().storyOpen());
    }

    void aDroppedFileOfAnotherTypeIsRefused() {
        twindow w;
        QString message;
        answerNextBox(QMessageBox::Ok, &message);
        drop(w.window(), QStringLiteral("/tmp/notiz.txt"));
        QCOMPARE(message, QStringLiteral("Dieser Dateityp kann mit Velmo nicht geöffnet werden."));
        QVERIFY(!w.game().storyOpen());
        drop(w.window(), QString::fromStdString(storyPath("fenster.velmo")));
        QVERIFY(w.game().storyOpen());
        QCOMPARE(w.window().windowTitle(), QStringLiteral("fenster.velmo"));
    }

    void aDroppedFolderIsNoStory() {
        twindow w;
        const QString folder = QDir::temp().filePath(QStringLiteral("velmo-ordner.velmo"));
        QVERIFY(QDir().mkpath(folder));
        drop(w.window(), folder);
        QVERIFY(w.shows(QStringLiteral("velmo-ordner.velmo kann nicht geöffnet werden")));
        QVERIFY(!w.game().storyOpen());
        QDir().rmdir(folder);
    }

    void quittingAfterTwoInputsAsksToSave() {
        twindow w;
        QVERIFY(w.open("fenster.velmo"));
        w.enter(QStringLiteral("schau"));
        w.enter(QStringLiteral("nimm apfel"));
        QString question;
        answerNextBox(QMessageBox::Cancel, &question);
        w.window().close();
        QCOMPARE(question, QStringLiteral("Spielstand speichern?"));
        QVERIFY(w.window().isVisible());
        QVERIFY(w.game().storyOpen());
        answerNextBox(QMessageBox::No);
        w.window().close();
        QVERIFY(!w.window().isVisible());
    }

    void quittingWithoutInputsAsksNothing() {
        twindow w;
        QVERIFY(w.open("fenster.velmo"));
        w.enter(QStringLiteral("schau"));
        w.window().close();
        QVERIFY(!w.window().isVisible());
    }

    void fileFiltersBecomeQtNameFilters() {
        QCOMPARE(nameFilters("Spielstand (*.memo)|*.memo"),
                 QStringList{QStringLiteral("Spielstand (*.memo *.MEMO)")});
        QCOMPARE(nameFilters("Velmodateien (*.velmo,*.data)|*.VELMO;*.DATA;*.VEL;*.DAT"),
                 QStringList{QStringLiteral(
                     "Velmodateien (*.velmo *.data *.vel *.dat *.VELMO *.DATA *.VEL *.DAT)")});
        QCOMPARE(nameFilters("Quelltextateien (*.velmo)|*.VELMO;*.VEL|Alle|*.*").size(), 2);
        QCOMPARE(nameFilters("kaputt"), QStringList{QStringLiteral("Alle Dateien (*)")});
    }
};

int runControlTests(int argc, char** argv) {
    tcontroltest test;
    return QTest::qExec(&test, argc, argv);
}

}  // namespace velmo::testing

#include "controltest.moc"
