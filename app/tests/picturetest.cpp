// The picture window: a story's picture at 100 %, 50 % and 25 %, at most
// one window, the game told when the player closes it, and a picture
// that cannot be shown.

#include <QAction>
#include <QDir>
#include <QFile>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>

#include "app/picturewindow.h"
#include "story/pictures.h"
#include "tests/support/recording_services.h"
#include "tests/support/test_jpeg.h"
#include "windowfixture.h"

namespace velmo::testing {

namespace {

// The window test story in a folder of its own, beside its picture
// container: picture 0 ("turm") is 160 x 120 unless given, picture 1
// 64 x 64, picture 2 ("keller") 301 x 201 (odd sides: the smaller scales
// round up).
class tpicturestory {
public:
    explicit tpicturestory(bool cutLastPicture = false, QSize tower = QSize(160, 120)) {
        QFile::copy(QString::fromStdString(storyPath("fenster.velmo")), file("fenster.velmo"));
        const std::vector<unsigned char> jpegs[] = {test::makeJpeg(tower.width(), tower.height()),
                                                    test::makeJpeg(64, 64),
                                                    test::makeJpeg(301, 201, true)};
        std::vector<std::string> files;
        for (int k = 0; k < 3; ++k) {
            std::vector<unsigned char> jpeg = jpegs[k];
            if (cutLastPicture && k == 2) jpeg.resize(jpeg.size() / 2);
            const QString name = file(QStringLiteral("bild%1.jpg").arg(k));
            QFile out(name);
            out.open(QIODevice::WriteOnly);
            out.write(reinterpret_cast<const char*>(jpeg.data()), qint64(jpeg.size()));
            files.push_back(name.toStdString());
        }
        test::RecordingServices services;
        copyPictures(files, folder.path().toStdString(), services);
        QFile::rename(file("grafik.fg"), file("fenster.fg"));
    }

    bool open(twindow& w) {
        w.game().saveFolder = folder.path().toStdString();
        return w.game().openStory(file("fenster.velmo").toStdString());
    }

private:
    QString file(const QString& name) const { return folder.filePath(name); }

    QTemporaryDir folder;
};

QAction* scaleEntry(tpicturewindow& window, const QString& caption) {
    for (QAction* entry : window.entries())
        if (entry->text() == caption) return entry;
    return nullptr;
}

}  // namespace

class tpicturetest : public QObject {
    Q_OBJECT
private slots:
    void pictureTwoShowsAtFullHalfAndQuarterSize() {
        twindow w;
        tpicturestory story;
        QVERIFY(story.open(w));
        w.enter(QStringLiteral("keller"));
        QVERIFY(w.shows(QStringLiteral("Ein Bild.")));
        tpicturewindow* picture = w.window().pictureWindow();
        QVERIFY(picture && picture->isVisible());
        QCOMPARE(picture->windowTitle(), QStringLiteral("Der Keller"));
        // Keys typed while the picture has the focus reach the input line.
        QTest::keyClicks(picture, QStringLiteral("zu"));
        QCOMPARE(w.lastLine(), QStringLiteral(">zu"));
        QTest::keyClick(picture, Qt::Key_Backspace);
        QTest::keyClick(picture, Qt::Key_Backspace);
        QCOMPARE(picture->pictureSize(), QSize(301, 201));
        QCOMPARE(picture->size(), QSize(301, 201));
        QCOMPARE(picture->entries().size(), 3);

        scaleEntry(*picture, QStringLiteral("50%"))->trigger();
        QCOMPARE(picture->pictureSize(), QSize(151, 101));
        QCOMPARE(picture->size(), QSize(151, 101));
        scaleEntry(*picture, QStringLiteral("25%"))->trigger();
        QCOMPARE(picture->size(), QSize(76, 51));
        scaleEntry(*picture, QStringLiteral("100%"))->trigger();
        QCOMPARE(picture->size(), QSize(301, 201));
    }

    void aNewPictureReusesTheWindowAtFullSize() {
        twindow w;
        tpicturestory story;
        QVERIFY(story.open(w));
        w.enter(QStringLiteral("keller"));
        tpicturewindow* picture = w.window().pictureWindow();
        QVERIFY(picture);
        scaleEntry(*picture, QStringLiteral("50%"))->trigger();
        QCOMPARE(picture->scale(), tpicturescale::half);

        w.enter(QStringLiteral("turm"));
        QCOMPARE(w.window().pictureWindow(), picture);
        QCOMPARE(w.window().findChildren<tpicturewindow*>().size(), 1);
        QVERIFY(picture->isVisible());
        QCOMPARE(picture->windowTitle(), QStringLiteral("Der Turm"));
        QCOMPARE(picture->scale(), tpicturescale::full);
        QVERIFY(scaleEntry(*picture, QStringLiteral("100%"))->isChecked());
        QCOMPARE(picture->size(), QSize(160, 120));
    }

    void theGameLearnsWhenThePlayerClosesTheWindow() {
        twindow w;
        tpicturestory story;
        QVERIFY(story.open(w));
        w.enter(QStringLiteral("keller"));
        tpicturewindow* picture = w.window().pictureWindow();
        QVERIFY(w.game().pictureShown());
        QTest::keyClick(picture, Qt::Key_Escape);
        QVERIFY(!picture->isVisible());
        QVERIFY(!w.game().pictureShown());
        QVERIFY(w.view().hasFocus());

        // The story closes it: the same, without a report back.
        w.enter(QStringLiteral("keller"));
        QVERIFY(picture->isVisible() && w.game().pictureShown());
        w.enter(QStringLiteral("zu"));
        QVERIFY(!picture->isVisible());
        QVERIFY(!w.game().pictureShown());
    }

    void thePictureClosesWithItsStory() {
        twindow w;
        tpicturestory story;
        QVERIFY(story.open(w));
        w.enter(QStringLiteral("keller"));
        tpicturewindow* picture = w.window().pictureWindow();
        QVERIFY(picture && picture->isVisible());
        w.game().closeStory();
        QVERIFY(!picture->isVisible());

        // Another story opened while the picture shows.
        QVERIFY(story.open(w));
        w.enter(QStringLiteral("keller"));
        QVERIFY(picture->isVisible());
        QVERIFY(w.open("fenster.velmo"));
        QVERIFY(!picture->isVisible());
        QVERIFY(!w.game().pictureShown());
    }

    void thePictureStandsBesideTheMainWindowOnTheScreen() {
        twindow w;
        tpicturestory story;
        QVERIFY(story.open(w));
        const QRect screen = w.window().screen()->availableGeometry();
        w.window().move(screen.topLeft());
        w.enter(QStringLiteral("keller"));
        tpicturewindow* picture = w.window().pictureWindow();
        QVERIFY(picture);
        // To the right of the main window where there is room, else over
        // its top right corner.
        const auto besideMain = [&] {
            const QRect main = w.window().frameGeometry();
            const QRect shown = picture->frameGeometry();
            if (!screen.contains(shown)) return false;
            if (main.right() + shown.width() <= screen.right())
                return shown.topLeft() == QPoint(main.right() + 1, main.top());
            return shown.topRight() == main.topRight();
        };
        QVERIFY(besideMain());

        // The main window moves (the window system places it only after
        // the first picture at the start): the picture follows.
        w.window().move(screen.topLeft() + QPoint(40, 30));
        QTRY_VERIFY(w.window().pos() == screen.topLeft() + QPoint(40, 30));
        QVERIFY(besideMain());
    }

    void aPictureLargerThanTheScreenStartsSmaller() {
        twindow w;
        const QRect screen = w.window().screen()->availableGeometry();
        const QSize large = screen.size() + QSize(200, 100);
        tpicturestory story(false, large);
        QVERIFY(story.open(w));
        w.enter(QStringLiteral("turm"));
        tpicturewindow* picture = w.window().pictureWindow();
        QVERIFY(picture && picture->isVisible());
        QCOMPARE(picture->scale(), tpicturescale::half);
        QVERIFY(scaleEntry(*picture, QStringLiteral("50%"))->isChecked());
        QCOMPARE(picture->size(), QSize((large.width() + 1) / 2, (large.height() + 1) / 2));
        QVERIFY(screen.contains(picture->frameGeometry()));

        // At 100 % it keeps its title bar on the screen.
        scaleEntry(*picture, QStringLiteral("100%"))->trigger();
        QCOMPARE(picture->size(), large);
        QCOMPARE(picture->frameGeometry().topLeft(), screen.topLeft());
    }

    void aCutPictureGivesAMessageAndNoWindow() {
        twindow w;
        tpicturestory story(true);
        QVERIFY(story.open(w));
        w.enter(QStringLiteral("keller"));
        QVERIFY(!w.window().pictureWindow());
        QVERIFY(!w.game().pictureShown());
        const QString screen = w.view().toPlainText().simplified();
        QVERIFY2(screen.contains(QStringLiteral(
                     "Grafikdatei kann nicht geöffnet werden: die Grafik ist unvollständig")),
                 qPrintable(screen));
    }
};

int runPictureTests(int argc, char** argv) {
    tpicturetest test;
    return QTest::qExec(&test, argc, argv);
}

}  // namespace velmo::testing

#include "picturetest.moc"
