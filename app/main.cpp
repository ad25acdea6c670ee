// velmo: the desktop player. "velmo STORY" opens the story once the
// window is shown; without one the autoload story of the options opens.

#include <QApplication>
#include <QLibraryInfo>
#include <QTimer>
#include <QTranslator>

#include "app/mainwindow.h"
#include "app/startup.h"

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
    // The options and the first story once the window is shown, so that
    // a message about either stands over the window.
    const std::string story = argc > 1 ? argv[1] : "";
    QTimer::singleShot(0, &window, [&window, story] { velmo::startPlayer(window, story); });
    return QApplication::exec();
}
