// velmo: the desktop player. "velmo STORY" opens the story once the
// window is shown.

#include <QApplication>
#include <QLibraryInfo>
#include <QTimer>
#include <QTranslator>

#include "app/mainwindow.h"

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("velmo"));
    QApplication::setApplicationVersion(QStringLiteral(VELMO_VERSION));
    // Every text of the program is German, Qt's own dialogs too.
    QTranslator qtTexts;
    if (qtTexts.load(QStringLiteral("qtbase_de"),
                     QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(&qtTexts);

    velmo::tmainwindow window;
    window.show();
    if (argc > 1) {
        const std::string story = argv[1];
        QTimer::singleShot(0, &window, [&window, story] { window.openStartStory(story); });
    }
    return QApplication::exec();
}
