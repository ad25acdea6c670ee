// Where the picture window goes and at which scale a picture starts, on
// screens of every kind: room on the right, only on the left, none, a
// work area that does not start at the origin, a picture larger than the
// screen.

#include <QTest>

#include "app/pictureplacement.h"

namespace velmo::testing {

class tpictureplacementtest : public QObject {
    Q_OBJECT
private slots:
    void aPictureStartsAtTheLargestScaleThatFits() {
        const QSize room(800, 600);
        QCOMPARE(scaleThatFits({800, 600}, room), tpicturescale::full);
        QCOMPARE(scaleThatFits({801, 300}, room), tpicturescale::half);
        QCOMPARE(scaleThatFits({300, 601}, room), tpicturescale::half);
        // The sides round up: 1601 is 801 at half.
        QCOMPARE(scaleThatFits({1600, 1200}, room), tpicturescale::half);
        QCOMPARE(scaleThatFits({1601, 1200}, room), tpicturescale::quarter);
        // Too large even at a quarter: the smallest there is.
        QCOMPARE(scaleThatFits({8000, 5000}, room), tpicturescale::quarter);
    }

    void theWindowGoesRightThenLeftThenOverTheCorner() {
        const QRect screen(0, 0, 1600, 1200);
        const QSize size(400, 300);
        // Room on the right.
        QCOMPARE(placeBeside(QRect(100, 50, 600, 500), size, screen), QPoint(700, 50));
        QCOMPARE(placeBeside(QRect(600, 50, 600, 500), size, screen), QPoint(1200, 50));
        // Only on the left.
        QCOMPARE(placeBeside(QRect(601, 50, 600, 500), size, screen), QPoint(201, 50));
        // Neither: over the top right corner.
        QCOMPARE(placeBeside(QRect(300, 50, 1000, 500), size, screen), QPoint(900, 50));
        // Low on the screen: raised until its bottom is on the screen.
        QCOMPARE(placeBeside(QRect(100, 1000, 600, 500), size, screen), QPoint(700, 900));
    }

    void theWindowStaysWithinTheWorkArea() {
        // A panel on the left and at the top; a second screen on the right.
        const QRect screen(1664, 32, 1536, 1000);
        const QSize size(400, 300);
        QCOMPARE(placeBeside(QRect(1700, 0, 1400, 900), size, screen), QPoint(2700, 32));
        // The main window partly off the screen on the left.
        QCOMPARE(placeBeside(QRect(1500, 100, 300, 300), size, screen), QPoint(1800, 100));
        // Larger than the screen: its top left corner, with the title bar.
        QCOMPARE(placeBeside(QRect(1700, 100, 600, 500), QSize(2000, 1200), screen),
                 screen.topLeft());
        QCOMPARE(keepOnScreen(QPoint(3000, 900), size, screen), QPoint(2800, 732));
        QCOMPARE(keepOnScreen(QPoint(1700, 40), size, screen), QPoint(1700, 40));
    }
};

int runPicturePlacementTests(int argc, char** argv) {
    tpictureplacementtest test;
    return QTest::qExec(&test, argc, argv);
}

}  // namespace velmo::testing

#include "pictureplacementtest.moc"
