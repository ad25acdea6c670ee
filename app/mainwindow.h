#ifndef VELMO_APP_MAINWINDOW_H
#define VELMO_APP_MAINWINDOW_H

// The main window of the desktop player: the menus "&Datei", "&Optionen"
// and "&Hilfe", the status line, the text area and the status bar. It
// owns the running game and the platform host that the game draws
// through; its menu entries call the game logic, which alone decides what
// happens and which entries are enabled.

#include <QMainWindow>
#include <array>
#include <functional>
#include <memory>
#include <string>

#include "app/displayoptions.h"
#include "frontend/game.h"
#include "frontend/settings.h"

class QAction;
class QMenu;
class QPrinter;

namespace velmo {

class tboxoverlay;
class thelpwindow;
class tpicturewindow;
class tqtplatform;
class tstatusbar;
class tstatuspanel;
class ttextview;

class tmainwindow : public QMainWindow {
    Q_OBJECT
public:
    explicit tmainwindow(const tgamesettings& settings = tgamesettings(),
                         const tdisplayoptions& display = tdisplayoptions());
    ~tmainwindow() override;

    // The options read at start: the game takes them (size, F-key texts,
    // recent files) and the window its font and colours. The window keeps
    // its own copy, which the menus change and save.
    void takeSettings(const tsettings& loaded);
    const tsettings& currentSettings() const { return options; }
    // The story named at start, opened once the window is shown (a saved
    // game is restored with its story).
    void openStartStory(const std::string& path);

    tgame& game() { return *running; }
    tqtplatform& host() { return *platform; }
    ttextview& textView() { return *view; }
    tstatuspanel& statusPanel() { return *status; }
    tstatusbar& statusBar() { return *bar; }
    tboxoverlay& box() { return *boxOverlay; }
    // The menu entry of a game action (for the tests).
    QAction* menuEntry(tmenuaction action) const {
        return entries[static_cast<std::size_t>(action)];
    }

    // Called by the host: an entry's state as the game logic and the
    // running waits decide it, and the recent files' captions.
    void refreshMenu(tmenuaction action);
    void refreshMenus();
    void setMenuCaption(tmenuaction action, const QString& caption, bool visible);
    // The help viewer on a context's page; over an open modal dialog (the
    // transcript) it opens modally above it.
    void showHelp(thelpcontext context = thelpcontext::contents);
    thelpwindow* helpWindow() const { return help; }
    // The printer of "Drucker einrichten" and "Drucken".
    QPrinter& printer() { return *printerSetUp; }
    // The one picture window: a new picture replaces the one shown; when
    // the player closes it, the game learns of it and the text area gets
    // the keyboard back.
    void showPicture(const std::string& caption, const tstorypicture& picture);
    void closePicture();
    tpicturewindow* pictureWindow() const { return picture; }

    // Fonts, colours and the size of the text area in cells.
    void applyDisplayOptions();

protected:
    void closeEvent(QCloseEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private slots:
    void openStoryClicked();
    void recentFileClicked(int slot);
    void saveGameClicked();
    void restoreGameClicked();
    void compileClicked();
    void extractTextClicked();
    void copyPicturesClicked();
    void playScriptClicked();
    void exportTextClicked();
    void setUpPrinterClicked();
    void printClicked();
    void transcriptClicked();
    void aboutClicked();
    void displayClicked();
    void functionKeysClicked();
    void autostartClicked();

private:
    void buildMenus();
    void buildFileMenu();
    void buildOptionsMenu();
    void buildHelpMenu();
    QAction* addEntry(QMenu* menu, const QString& caption, const QKeySequence& shortcut = {});
    void bind(QAction* entry, tmenuaction action);
    bool printerChosen();
    void optionsChanged();
    void showOptions();
    void fitTextAreaToScreen();
    // Opens a help page over whatever window is open.
    std::function<void(thelpcontext)> helpOpener();

    tgamesettings settings;
    tdisplayoptions display;
    tsettings options;
    tstatuspanel* status = nullptr;
    ttextview* view = nullptr;
    tboxoverlay* boxOverlay = nullptr;
    tstatusbar* bar = nullptr;
    QMenu* recentMenu = nullptr;
    thelpwindow* help = nullptr;
    tpicturewindow* picture = nullptr;
    std::unique_ptr<QPrinter> printerSetUp;
    std::array<QAction*, kMenuActions> entries{};
    std::unique_ptr<tqtplatform> platform;
    std::unique_ptr<tgame> running;
};

}  // namespace velmo

#endif
