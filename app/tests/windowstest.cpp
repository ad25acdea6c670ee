// The windows beside the main window: the help viewer, the transcript
// "Spielverlauf", the info box, printing to a PDF file and the inspector.
// The modal ones are driven by a timer once they are open.

#include <QAction>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPrinter>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBrowser>

#include "app/aboutbox.h"
#include "app/helpwindow.h"
#include "app/inspectordialog.h"
#include "app/transcriptwindow.h"
#include "windowfixture.h"

namespace velmo::testing {

namespace {

QAction* contextEntry(ttranscriptwindow& window, const QString& caption) {
    for (QAction* entry : window.entries())
        if (entry->text() == caption) return entry;
    return nullptr;
}

}  // namespace

class twindowstest : public QObject {
    Q_OBJECT
private slots:
    void theHelpViewerShowsThePagesWithBackAndForward() {
        twindow w;
        entryNamed(w.window(), QStringLiteral("&Menüs und Kommandos"))->trigger();
        thelpwindow* help = w.window().helpWindow();
        QVERIFY(help && help->isVisible());
        QVERIFY(help->browser().source().path().endsWith(QStringLiteral("index.html")));
        QVERIFY(!help->browser().toPlainText().isEmpty());
        help->showPage(thelpcontext::transcript);
        QVERIFY(help->browser().source().path().endsWith(QStringLiteral("spielverlauf.html")));
        QVERIFY(help->browser().isBackwardAvailable());
        help->browser().backward();
        QVERIFY(help->browser().source().path().endsWith(QStringLiteral("index.html")));
    }

    void theTranscriptShowsTypedCommandsAndClearingLeavesTheScreen() {
        twindow w;
        QVERIFY(w.open("fenster.velmo"));
        w.enter(QStringLiteral("schau"));
        const QString screen = w.view().toPlainText();
        QString shown;
        int entries = 0;
        whenOpen<ttranscriptwindow>([&](ttranscriptwindow& transcript) {
            shown = transcript.text().toPlainText();
            entries = transcript.entries().size();
            QVERIFY(transcript.text().isReadOnly());
            QCOMPARE(transcript.text().cursorWidth(), 0);
            contextEntry(transcript, QStringLiteral("Löschen"))->trigger();
            QVERIFY(transcript.text().toPlainText().isEmpty());
            transcript.accept();
        });
        entryNamed(w.window(), QStringLiteral("&Spielverlauf"))->trigger();
        QVERIFY(shown.contains(QStringLiteral("schau")));
        QVERIFY(shown.contains(QStringLiteral("Eine kleine Stube")));
        QCOMPARE(entries, 5);
        QVERIFY(w.game().transcriptText().text().empty());
        QCOMPARE(w.view().toPlainText(), screen);
    }

    void theInfoBoxNamesTheVersionAndItsLinks() {
        twindow w;
        QString version;
        QString web;
        whenOpen<taboutbox>([&](taboutbox& about) {
            version = about.versionLabel().text();
            web = about.webLink().text();
            about.accept();
        });
        entryNamed(w.window(), QStringLiteral("&Info"))->trigger();
        QCOMPARE(version, QStringLiteral("Version 2.0"));
        QVERIFY(web.contains(QStringLiteral("href=\"https://")));
        QVERIFY(web.contains(QStringLiteral("text-decoration:none")));
        QVERIFY(linkText(QStringLiteral("mailto:a@b"), QStringLiteral("a@b"), true)
                    .contains(QStringLiteral("text-decoration:underline")));
    }

    void printingWritesThePdfFileTheDialogChose() {
        QTemporaryDir folder;
        twindow w;
        QVERIFY(w.open("fenster.velmo"));
        w.enter(QStringLiteral("schau"));
        const QString file = folder.filePath(QStringLiteral("bildschirm.pdf"));
        w.window().printer().setOutputFormat(QPrinter::PdfFormat);
        w.window().printer().setOutputFileName(file);
        entryNamed(w.window(), QStringLiteral("Drucken"))->trigger();
        QVERIFY(QFile(file).size() > 0);
    }

    void theInspectorEvaluatesAndCancelEndsTheStory() {
        twindow w;
        QVERIFY(w.open("fenster.velmo"));
        QStringList values;
        whenOpen<tinspectordialog>([&](tinspectordialog& inspector) {
            for (const char* typed : {"n + 1", "k", "n +* 2"}) {
                inspector.expression().setEditText(QString::fromUtf8(typed));
                QTest::keyClick(inspector.expression().lineEdit(), Qt::Key_Return);
                values << inspector.value().text();
            }
            QVERIFY(inspector.isVisible());  // Enter evaluates, it does not close
            // The up arrow brings back the newest valid expression.
            inspector.expression().setEditText(QString());
            QTest::keyClick(inspector.expression().lineEdit(), Qt::Key_Up);
            values << inspector.expression().currentText();
            inspector.reject();
        });
        w.enter(QStringLiteral("pruefe"));
        QCOMPARE(values, (QStringList{QStringLiteral("42"), QStringLiteral("undefiniert"),
                                      QStringLiteral("ungültiger Ausdruck"),
                                      QStringLiteral("k")}));
        QVERIFY(!w.game().storyOpen());
    }
};

int runWindowsTests(int argc, char** argv) {
    twindowstest test;
    return QTest::qExec(&test, argc, argv);
}

}  // namespace velmo::testing

#include "windowstest.moc"
