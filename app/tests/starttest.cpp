// The options of velmo.ini: at start-up the default file on a first
// start, the autoload story, the recent files and the size the options
// ask for; the option dialogs that change and save them. The options folder lies in a temporary folder, never in the
// user's own.

#include <QAction>
#include <QFile>
#include <QLineEdit>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>

#include <QCheckBox>
#include <QComboBox>
#include <QSpinBox>

#include "app/autostartdialog.h"
#include "app/displaydialog.h"
#include "app/functionkeysdialog.h"
#include "app/startup.h"
#include "app/textcodec.h"
#include "frontend/folders.h"
#include "windowfixture.h"

namespace velmo::testing {

namespace {

// Points XDG_CONFIG_HOME into a fresh temporary folder while it lives.
class tconfighome {
public:
    tconfighome()
        : previous(qgetenv("XDG_CONFIG_HOME")),
          hadPrevious(qEnvironmentVariableIsSet("XDG_CONFIG_HOME")) {
        qputenv("XDG_CONFIG_HOME", folder.path().toLocal8Bit());
    }
    ~tconfighome() {
        if (hadPrevious)
            qputenv("XDG_CONFIG_HOME", previous);
        else
            qunsetenv("XDG_CONFIG_HOME");
    }
    QString iniFile() const { return fromPath(optionsFolder() + "velmo.ini"); }
    QByteArray iniText() const {
        QFile file(iniFile());
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

private:
    QTemporaryDir folder;
    QByteArray previous;
    bool hadPrevious;
};

}  // namespace

class tstarttest : public QObject {
    Q_OBJECT
private slots:
    void aFirstStartWritesTheDefaultFile() {
        tconfighome home;
        QVERIFY(!QFile::exists(home.iniFile()));
        twindow w;
        startPlayer(w.window(), std::string());
        QVERIFY(QFile(home.iniFile()).size() > 0);
        QVERIFY(w.window().currentSettings().isStored());
        QVERIFY(!w.game().storyOpen());  // no autoload story in the defaults
        QVERIFY(!w.window().menuEntry(tmenuaction::playScript)->isEnabled());
        QVERIFY(!w.window().menuEntry(tmenuaction::recentFiles)->isEnabled());
    }

    void theOptionsOpenTheAutoloadStoryAndNameTheRecentFiles() {
        tconfighome home;
        tsettings written(optionsFolder());
        QVERIFY(written.load());
        written.values.autoload = storyPath("fenster.velmo");
        written.values.lastFiles[0] = storyPath("fenster.velmo");
        written.values.columns = 50;
        QVERIFY(written.save());

        twindow w;
        startPlayer(w.window(), std::string());
        QVERIFY(w.game().storyOpen());
        QCOMPARE(w.game().currentStoryFile(), storyPath("fenster.velmo"));
        QCOMPARE(w.game().columns(), 50);
        QVERIFY(w.window().menuEntry(tmenuaction::playScript)->isEnabled());
        QAction* first = w.window().menuEntry(tmenuaction::recent1);
        QVERIFY(first->isVisible());
        QCOMPARE(first->text(), QStringLiteral("fenster.velmo"));
        QVERIFY(!w.window().menuEntry(tmenuaction::recent2)->isVisible());
        QVERIFY(w.window().menuEntry(tmenuaction::recentFiles)->isEnabled());
    }

    void theCommandLineStoryComesBeforeTheAutoloadStory() {
        tconfighome home;
        tsettings written(optionsFolder());
        QVERIFY(written.load());
        written.values.autoload = storyPath("gibtesnicht.velmo");
        QVERIFY(written.save());
        twindow w;
        startPlayer(w.window(), storyPath("fenster.velmo"));
        QCOMPARE(w.game().currentStoryFile(), storyPath("fenster.velmo"));
    }

    void theDisplayDialogResizesTheTextAreaAndSavesOnlyOnOk() {
        tconfighome home;
        twindow w;
        startPlayer(w.window(), std::string());
        const QByteArray before = home.iniText();
        const int width = w.view().sizeHint().width();
        bool fieldsOff = false;
        bool fieldsOnAgain = false;
        whenOpen<tdisplaydialog>([&](tdisplaydialog& look) {
            look.maximizeField().setChecked(true);
            fieldsOff = !look.columnsField().isEnabled() && !look.rowsField().isEnabled();
            look.maximizeField().setChecked(false);
            fieldsOnAgain = look.columnsField().isEnabled() && look.rowsField().isEnabled();
            look.columnsField().setValue(100);
            look.reject();
        });
        entryNamed(w.window(), QStringLiteral("&Darstellung"))->trigger();
        QVERIFY(fieldsOff);
        QVERIFY(fieldsOnAgain);
        QCOMPARE(home.iniText(), before);
        QCOMPARE(w.game().columns(), 70);

        whenOpen<tdisplaydialog>([&](tdisplaydialog& look) {
            look.columnsField().setValue(100);
            look.font().setCurrentText(QStringLiteral("Courier New"));
            look.size().setCurrentText(QStringLiteral("14"));
            look.setColour(3, QColor(0x12, 0x34, 0x56));
            look.accept();
        });
        entryNamed(w.window(), QStringLiteral("&Darstellung"))->trigger();
        QCOMPARE(w.game().columns(), 100);
        QVERIFY(w.view().sizeHint().width() > width);
        const QByteArray saved = home.iniText();
        QVERIFY(saved.contains("ColMax=100"));
        QVERIFY(saved.toLower().contains("fontname=courier new"));
        QVERIFY(saved.contains("#123456"));
        // A colour without a name is shown as chosen, not as the default.
        QCOMPARE(w.view().palette().color(QPalette::Base), QColor(0x12, 0x34, 0x56));
    }

    void aMaximisedWindowTakesItsColumnsAndRowsFromTheScreen() {
        tconfighome home;
        twindow w;
        startPlayer(w.window(), std::string());
        whenOpen<tdisplaydialog>([](tdisplaydialog& look) {
            look.maximizeField().setChecked(true);
            look.accept();
        });
        entryNamed(w.window(), QStringLiteral("&Darstellung"))->trigger();
        QVERIFY(w.window().isMaximized());

        // The maximised text area shows the columns (and the two of the
        // margin) and the rows, and has no room for one more.
        QTest::qWait(20);
        const int columns = w.game().columns();
        const int rows = w.game().rows();
        const QSize shown = w.view().size();
        const QSize needed = w.view().sizeForCells(columns + 2, rows);
        const QSize more = w.view().sizeForCells(columns + 3, rows + 1);
        QVERIFY2(shown.width() >= needed.width() && shown.width() < more.width(),
                 qPrintable(QStringLiteral("%1 columns in %2").arg(columns).arg(shown.width())));
        QVERIFY2(shown.height() >= needed.height() && shown.height() < more.height(),
                 qPrintable(QStringLiteral("%1 rows in %2").arg(rows).arg(shown.height())));
        // The options keep them, and the next save writes them.
        QCOMPARE(w.window().currentSettings().values.columns, columns);
        QVERIFY(home.iniText().contains("Maximize=1"));
        whenOpen<tfunctionkeysdialog>([](tfunctionkeysdialog& keys) { keys.accept(); });
        entryNamed(w.window(), QStringLiteral("F-&Tasten"))->trigger();
        const QByteArray saved = home.iniText();
        QVERIFY(saved.contains("ColMax=" + QByteArray::number(columns)));
        QVERIFY(saved.contains("RowMax=" + QByteArray::number(rows)));

        // Back to a window of the chosen size.
        whenOpen<tdisplaydialog>([](tdisplaydialog& look) {
            look.maximizeField().setChecked(false);
            look.columnsField().setValue(80);
            look.accept();
        });
        entryNamed(w.window(), QStringLiteral("&Darstellung"))->trigger();
        QVERIFY(!w.window().isMaximized());
        QCOMPARE(w.game().columns(), 80);
    }

    void okInTheFunctionKeysDialogSavesAndCancelDoesNot() {
        tconfighome home;
        twindow w;
        startPlayer(w.window(), std::string());
        const QByteArray before = home.iniText();
        int maxLength = 0;
        whenOpen<tfunctionkeysdialog>([&](tfunctionkeysdialog& keys) {
            keys.field(0).setText(QStringLiteral("schau"));
            maxLength = keys.field(8).maxLength();
            keys.reject();
        });
        entryNamed(w.window(), QStringLiteral("F-&Tasten"))->trigger();
        QCOMPARE(home.iniText(), before);
        QCOMPARE(maxLength, 40);

        whenOpen<tfunctionkeysdialog>([&](tfunctionkeysdialog& keys) {
            keys.field(0).setText(QStringLiteral("schau"));
            keys.field(8).setText(QStringLiteral("öffne tür"));
            keys.accept();
        });
        entryNamed(w.window(), QStringLiteral("F-&Tasten"))->trigger();
        QVERIFY(home.iniText().contains("schau"));
        QCOMPARE(w.window().currentSettings().values.functionKeys[8], std::string("\xF6"
                                                                                  "ffne t\xFCr"));
    }

    void okInTheAutostartDialogSavesThePathForTheNextStart() {
        tconfighome home;
        {
            twindow w;
            startPlayer(w.window(), std::string());
            whenOpen<tautostartdialog>([&](tautostartdialog& autostart) {
                autostart.field().setText(fromPath(storyPath("fenster.velmo")));
                autostart.accept();
            });
            entryNamed(w.window(), QStringLiteral("Autostart"))->trigger();
        }
        twindow next;
        startPlayer(next.window(), std::string());
        QCOMPARE(next.game().currentStoryFile(), storyPath("fenster.velmo"));
    }
};

int runStartTests(int argc, char** argv) {
    tstarttest test;
    return QTest::qExec(&test, argc, argv);
}

}  // namespace velmo::testing

#include "starttest.moc"
