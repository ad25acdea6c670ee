#include "app/mainwindow.h"

#include <QCloseEvent>
#include <QFileDialog>
#include <QMenuBar>
#include <QMimeData>
#include <QVBoxLayout>

#include "app/boxoverlay.h"
#include "app/colournames.h"
#include "app/namefilter.h"
#include "app/qtplatform.h"
#include "app/screenfont.h"
#include "app/statusbar.h"
#include "app/statuspanel.h"
#include "app/textcodec.h"
#include "app/textview.h"
#include "frontend/authoring.h"

namespace velmo {

namespace {

const char* const kOpenTitle = "Datei oeffnen";
const char* const kStoryFilter = "Velmodateien (*.velmo,*.data)|*.VELMO;*.DATA;*.VEL;*.DAT";

// Menu shortcuts are shown in the menu but act only while the menu itself
// has the focus: in the text area the same keys go to the game logic,
// which decides (with its own rules for waits and running commands) what
// Ctrl+S, Ctrl+L, Ctrl+D and F1 do.
void showShortcut(QAction* entry, const QKeySequence& shortcut) {
    if (shortcut.isEmpty()) return;
    entry->setShortcut(shortcut);
    entry->setShortcutContext(Qt::WidgetShortcut);
}

QColor optionColour(const tdisplayoptions& display, std::size_t index) {
    const QColor chosen = colourByName(display.colours[index]);
    return chosen.isValid() ? chosen : colourByName(tdisplayoptions().colours[index]);
}

}  // namespace

tmainwindow::tmainwindow(const tgamesettings& settings, const tdisplayoptions& display)
    : settings(settings), display(display) {
    auto* centre = new QWidget(this);
    auto* layout = new QVBoxLayout(centre);
    layout->setContentsMargins(2, 2, 2, 0);
    layout->setSpacing(1);
    status = new tstatuspanel(centre);
    view = new ttextview(centre);
    layout->addWidget(status);
    layout->addWidget(view, 1);
    setCentralWidget(centre);
    boxOverlay = new tboxoverlay(*view);
    bar = new tstatusbar(this);
    setStatusBar(bar);
    setAcceptDrops(true);
    buildMenus();

    // The game's width and height are settled in the game's settings;
    // the host's line buffer wraps at the columns plus two.
    platform = std::make_unique<tqtplatform>(*this, std::max<int32_t>(settings.columns, 8) + 2);
    platform->setCaption("Velmo");
    running = std::make_unique<tgame>(*platform, settings);
    this->settings.columns = running->columns();
    this->settings.rows = running->rows();
    view->onKey = [this](QKeyEvent& event) { platform->takeKey(event); };
    applyDisplayOptions();
    refreshMenus();
    view->setFocus();
}

// The game goes before the host it draws through.
tmainwindow::~tmainwindow() {
    running.reset();
    platform.reset();
}

void tmainwindow::openStartStory(const std::string& path) {
    if (!platform->gameRunning()) running->openStory(path);
}

void tmainwindow::applyDisplayOptions() {
    const QFont font = screenFont(display.fontName, display.fontSize);
    status->setLook(font, optionColour(display, 0), optionColour(display, 1));
    view->setLook(font, optionColour(display, 2), optionColour(display, 3));
    view->setCells(settings.columns + 2, settings.rows);
    bar->setTextAreaSize(settings.columns, settings.rows);
    adjustSize();
}

// --- Menus -------------------------------------------------------------------

QAction* tmainwindow::addEntry(QMenu* menu, const QString& caption, const QKeySequence& shortcut) {
    QAction* entry = menu->addAction(caption);
    showShortcut(entry, shortcut);
    return entry;
}

void tmainwindow::bind(QAction* entry, tmenuaction action) {
    entries[static_cast<std::size_t>(action)] = entry;
}

void tmainwindow::buildMenus() {
    buildFileMenu();
    buildOptionsMenu();
    buildHelpMenu();
}

void tmainwindow::buildFileMenu() {
    QMenu* menu = menuBar()->addMenu(QStringLiteral("&Datei"));
    QAction* open = addEntry(menu, QStringLiteral("&Neues Spiel öffnen"));
    bind(open, tmenuaction::openStory);
    connect(open, &QAction::triggered, this, &tmainwindow::openStoryClicked);

    recentMenu = menu->addMenu(QStringLiteral("Neu öffnen"));
    bind(recentMenu->menuAction(), tmenuaction::recentFiles);
    const tmenuaction recent[] = {tmenuaction::recent1, tmenuaction::recent2, tmenuaction::recent3};
    for (int slot = 0; slot < 3; ++slot) {
        QAction* entry = recentMenu->addAction(QString());
        entry->setVisible(false);  // shown once the game names a file for it
        bind(entry, recent[slot]);
        connect(entry, &QAction::triggered, this, [this, slot] { recentFileClicked(slot); });
    }
    menu->addSeparator();

    // The entry marks both words for the keyboard; Qt takes the first
    // mark, and a screen reader would read the second as "&", so only the
    // first is kept.
    QAction* save =
        addEntry(menu, QStringLiteral("&Spielstand speichern"), QKeySequence(Qt::CTRL | Qt::Key_S));
    bind(save, tmenuaction::saveGame);
    connect(save, &QAction::triggered, this, &tmainwindow::saveGameClicked);
    QAction* restore =
        addEntry(menu, QStringLiteral("Spielstand &laden"), QKeySequence(Qt::CTRL | Qt::Key_L));
    bind(restore, tmenuaction::restoreGame);
    connect(restore, &QAction::triggered, this, &tmainwindow::restoreGameClicked);
    // Replaying a command script has no game logic yet: the entry stays
    // disabled.
    bind(addEntry(menu, QStringLiteral("Skript abspielen")), tmenuaction::playScript);
    menu->addSeparator();

    // Exporting the screen text, the printer set-up and printing have no
    // game logic or window yet: disabled.
    addEntry(menu, QStringLiteral("Text speichern"))->setEnabled(false);
    addEntry(menu, QStringLiteral("Drucker einrichten"))->setEnabled(false);
    addEntry(menu, QStringLiteral("Drucken"))->setEnabled(false);
    menu->addSeparator();
    QAction* quit = addEntry(menu, QStringLiteral("&Beenden"));
    connect(quit, &QAction::triggered, this, &QWidget::close);
}

void tmainwindow::buildOptionsMenu() {
    QMenu* menu = menuBar()->addMenu(QStringLiteral("&Optionen"));
    // The transcript window, the display options, the function-key texts
    // and the autostart file are not built yet: disabled.
    addEntry(menu, QStringLiteral("&Spielverlauf"))->setEnabled(false);
    bind(addEntry(menu, QStringLiteral("&Darstellung"), QKeySequence(Qt::CTRL | Qt::Key_D)),
         tmenuaction::display);
    addEntry(menu, QStringLiteral("F-&Tasten"))->setEnabled(false);
    addEntry(menu, QStringLiteral("Autostart"))->setEnabled(false);
    menu->addSeparator();

    QAction* compile = addEntry(menu, QStringLiteral("&Quelltext compilieren"));
    bind(compile, tmenuaction::compile);
    connect(compile, &QAction::triggered, this, &tmainwindow::compileClicked);
    QAction* extract = addEntry(menu, QStringLiteral("Text extrahieren"));
    connect(extract, &QAction::triggered, this, &tmainwindow::extractTextClicked);
    QAction* pictures = addEntry(menu, QStringLiteral("&Grafik kopieren"));
    bind(pictures, tmenuaction::copyPictures);
    connect(pictures, &QAction::triggered, this, &tmainwindow::copyPicturesClicked);
}

void tmainwindow::buildHelpMenu() {
    QMenu* menu = menuBar()->addMenu(QStringLiteral("&Hilfe"));
    // The help viewer and the about window are not built yet: disabled
    // (F1 in the text area still goes to the game logic).
    addEntry(menu, QStringLiteral("&Menüs und Kommandos"), QKeySequence(Qt::Key_F1))
        ->setEnabled(false);
    addEntry(menu, QStringLiteral("&Info"))->setEnabled(false);
}

void tmainwindow::refreshMenu(tmenuaction action) {
    QAction* entry = menuEntry(action);
    if (!entry || !platform) return;
    bool on = platform->menuState(action) && !platform->waiting();
    switch (action) {
    case tmenuaction::playScript:
    case tmenuaction::display: on = false; break;  // not built yet
    case tmenuaction::recentFiles: {
        bool anyFile = false;
        for (QAction* file : recentMenu->actions()) anyFile = anyFile || file->isVisible();
        on = on && anyFile;
        break;
    }
    default: break;
    }
    entry->setEnabled(on);
}

void tmainwindow::refreshMenus() {
    for (int i = 0; i < kMenuActions; ++i) refreshMenu(static_cast<tmenuaction>(i));
}

void tmainwindow::setMenuCaption(tmenuaction action, const QString& caption, bool visible) {
    QAction* entry = menuEntry(action);
    if (!entry) return;
    entry->setText(caption);
    entry->setVisible(visible);
    refreshMenu(tmenuaction::recentFiles);
}

// The help viewer is not built yet; F1 and the menu entry show nothing.
void tmainwindow::showHelp() {}

// --- Menu commands -------------------------------------------------------------
// While story code runs (a wait, a long loop) no command may start another
// game action: it would run inside the story code.

void tmainwindow::openStoryClicked() {
    if (platform->gameRunning()) return;
    std::string path;
    if (platform->chooseOpenFile(kOpenTitle, kStoryFilter, std::string(), path))
        running->openStory(path);
}

// The recent files have no game logic yet: their entries stay hidden.
void tmainwindow::recentFileClicked(int /*slot*/) {}

void tmainwindow::saveGameClicked() {
    if (!platform->gameRunning()) running->saveGame();
}

void tmainwindow::restoreGameClicked() {
    if (!platform->gameRunning()) running->restoreGame();
}

void tmainwindow::compileClicked() {
    if (!platform->gameRunning()) tauthoring(*platform, *running).compileCommand();
}

void tmainwindow::extractTextClicked() {
    if (!platform->gameRunning()) tauthoring(*platform, *running).extractTextCommand();
}

void tmainwindow::copyPicturesClicked() {
    if (platform->gameRunning()) return;
    const QStringList chosen =
        QFileDialog::getOpenFileNames(this, QStringLiteral("Grafik kopieren"), QString(),
                                      nameFilters(kPictureFilter).join(QStringLiteral(";;")));
    if (chosen.isEmpty()) return;
    std::vector<std::string> files;
    for (const QString& file : chosen) files.push_back(toPath(file));
    tauthoring(*platform, *running).copyPictureFiles(files);
}

// --- Closing and dropping --------------------------------------------------------

void tmainwindow::closeEvent(QCloseEvent* event) {
    // Inside story code the window just closes: every wait ends and the
    // story stops at its next loop turn. Otherwise the game may ask
    // whether to save first.
    if (platform->gameRunning()) {
        running->closeRequested();
        event->accept();
        return;
    }
    if (running->requestQuit())
        event->accept();
    else
        event->ignore();
}

void tmainwindow::dragEnterEvent(QDragEnterEvent* event) {
    const QList<QUrl> urls = event->mimeData()->urls();
    if (!urls.isEmpty() && urls.constFirst().isLocalFile()) event->acceptProposedAction();
}

void tmainwindow::dropEvent(QDropEvent* event) {
    const QList<QUrl> urls = event->mimeData()->urls();
    if (urls.isEmpty() || !urls.constFirst().isLocalFile()) return;
    event->acceptProposedAction();
    if (!platform->gameRunning()) running->fileDropped(toPath(urls.constFirst().toLocalFile()));
}

}  // namespace velmo
