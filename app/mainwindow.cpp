#include "app/mainwindow.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFileDialog>
#include <QKeyEvent>
#include <QMenuBar>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QPrinter>
#include <QScreen>
#include <QVBoxLayout>
#include <algorithm>

#include "app/aboutbox.h"
#include "app/autostartdialog.h"
#include "app/boxoverlay.h"
#include "app/colournames.h"
#include "app/displaydialog.h"
#include "app/functionkeysdialog.h"
#include "app/helpwindow.h"
#include "app/namefilter.h"
#include "app/picturewindow.h"
#include "app/printing.h"
#include "app/qtplatform.h"
#include "app/screenfont.h"
#include "app/statusbar.h"
#include "app/statuspanel.h"
#include "app/textcodec.h"
#include "app/textview.h"
#include "app/transcriptwindow.h"
#include "frontend/authoring.h"
#include "frontend/textexport.h"

namespace velmo {

namespace {

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

tmainwindow::tmainwindow(const tgamesettings& gameSettings, const tdisplayoptions& look)
    : settings(gameSettings), display(look), printerSetUp(std::make_unique<QPrinter>()) {
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

void tmainwindow::takeSettings(const tsettings& loaded) {
    options = loaded;
    running->useSettings(&options);
    showOptions();
    refreshMenus();
}

// The size the game settled on, the font and colours of the options.
void tmainwindow::showOptions() {
    settings.columns = running->columns();
    settings.rows = running->rows();
    display = displayOptionsOf(options.values);
    applyDisplayOptions();
    if (options.values.maximize)
        showMaximized();
    else if (isMaximized())
        showNormal();
}

// A maximised window fills the screen's work area; the text area takes as
// many whole cells as fit there beside the window's frame, the menus, the
// status line and the status bar (the two cells of margin included), so
// that the pause before text scrolls away comes when the screen is full,
// not later. The options keep the numbers, and the next save writes them.
void tmainwindow::fitTextAreaToScreen() {
    const QRect area = screen()->availableGeometry();
    centralWidget()->layout()->activate();  // the sizes of the new font
    layout()->activate();
    const QSize frame = frameGeometry().size() - size();  // known once shown
    const QSize around = sizeHint() - view->sizeHint() + view->sizeForCells(2, 0) + frame;
    const QSize cell = view->cellSize();
    const auto fit = [](int space, int cells, int32_t least) {
        return std::clamp<int32_t>(cells > 0 ? space / cells : least, least, kMaxByteOption);
    };
    options.values.columns = fit(area.width() - around.width(), cell.width(), kMinColumns);
    options.values.rows = fit(area.height() - around.height(), cell.height(), kMinRows);
    running->setTextSize(options.values.columns, options.values.rows);
    settings.columns = running->columns();
    settings.rows = running->rows();
}

void tmainwindow::openStartStory(const std::string& path) {
    if (!platform->gameRunning()) running->openStartFile(path);
}

void tmainwindow::applyDisplayOptions() {
    const QFont font = screenFont(display.fontName, display.fontSize);
    status->setLook(font, optionColour(display, 0), optionColour(display, 1));
    view->setLook(font, optionColour(display, 2), optionColour(display, 3));
    view->setCells(settings.columns + 2, settings.rows);
    if (options.values.maximize) {
        fitTextAreaToScreen();
        view->setCells(settings.columns + 2, settings.rows);
    }
    bar->setTextAreaSize(settings.columns, settings.rows);
    // Not adjustSize(): it keeps a window within two thirds of the screen,
    // and the options may ask for more.
    if (!isMaximized()) resize(sizeHint());
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
    QAction* script = addEntry(menu, QStringLiteral("Skript abspielen"));
    bind(script, tmenuaction::playScript);
    connect(script, &QAction::triggered, this, &tmainwindow::playScriptClicked);
    menu->addSeparator();

    connect(addEntry(menu, QStringLiteral("Text speichern")), &QAction::triggered, this,
            &tmainwindow::exportTextClicked);
    connect(addEntry(menu, QStringLiteral("Drucker einrichten")), &QAction::triggered, this,
            &tmainwindow::setUpPrinterClicked);
    connect(addEntry(menu, QStringLiteral("Drucken")), &QAction::triggered, this,
            &tmainwindow::printClicked);
    menu->addSeparator();
    QAction* quit = addEntry(menu, QStringLiteral("&Beenden"));
    connect(quit, &QAction::triggered, this, &QWidget::close);
}

void tmainwindow::buildOptionsMenu() {
    QMenu* menu = menuBar()->addMenu(QStringLiteral("&Optionen"));
    connect(addEntry(menu, QStringLiteral("&Spielverlauf")), &QAction::triggered, this,
            &tmainwindow::transcriptClicked);
    QAction* look =
        addEntry(menu, QStringLiteral("&Darstellung"), QKeySequence(Qt::CTRL | Qt::Key_D));
    bind(look, tmenuaction::display);
    connect(look, &QAction::triggered, this, &tmainwindow::displayClicked);
    connect(addEntry(menu, QStringLiteral("F-&Tasten")), &QAction::triggered, this,
            &tmainwindow::functionKeysClicked);
    connect(addEntry(menu, QStringLiteral("Autostart")), &QAction::triggered, this,
            &tmainwindow::autostartClicked);
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
    // F1 in the text area goes to the game logic, which opens the same
    // page.
    connect(addEntry(menu, QStringLiteral("&Menüs und Kommandos"), QKeySequence(Qt::Key_F1)),
            &QAction::triggered, this, [this] { showHelp(); });
    connect(addEntry(menu, QStringLiteral("&Info")), &QAction::triggered, this,
            &tmainwindow::aboutClicked);
}

void tmainwindow::refreshMenu(tmenuaction action) {
    QAction* entry = menuEntry(action);
    if (!entry || !platform) return;
    bool on = platform->menuState(action) && !platform->waiting();
    switch (action) {
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

void tmainwindow::showHelp(thelpcontext context) {
    if (QWidget* modal = QApplication::activeModalWidget()) {
        thelpwindow over(modal);
        over.showPage(context);
        over.exec();
        return;
    }
    if (!help) help = new thelpwindow(this);
    help->showPage(context);
    help->show();
    help->raise();
    help->activateWindow();
}

void tmainwindow::showPicture(const std::string& caption, const tstorypicture& shown) {
    if (!picture) {
        picture = new tpicturewindow(this);
        picture->onOtherKey = [this](QKeyEvent& event) { platform->takeKey(event); };
        connect(picture, &tpicturewindow::closed, this, [this] {
            platform->pictureClosed();
            activateWindow();
            view->setFocus();  // the caret shows again
        });
    }
    picture->showPicture(caption, shown);
}

void tmainwindow::closePicture() {
    if (picture) picture->closeQuietly();
}

// The picture keeps its place beside the window.
void tmainwindow::moveEvent(QMoveEvent* event) {
    QMainWindow::moveEvent(event);
    if (picture) picture->followMainWindow();
}

void tmainwindow::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    if (picture) picture->followMainWindow();
}

// --- Menu commands -------------------------------------------------------------
// While story code runs (a wait, a long loop) no command may start another
// game action: it would run inside the story code.

void tmainwindow::openStoryClicked() {
    if (!platform->gameRunning()) running->openNewStory();
}

void tmainwindow::recentFileClicked(int slot) {
    if (!platform->gameRunning()) running->openRecent(slot);
}

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

void tmainwindow::playScriptClicked() {
    if (!platform->gameRunning()) running->playScript();
}

void tmainwindow::exportTextClicked() { running->exportText(); }

void tmainwindow::setUpPrinterClicked() {
    choosePrinter(*printerSetUp, QStringLiteral("Drucker einrichten"), this);
}

// Printing goes to the printer set up before; without one the print
// dialog asks first.
bool tmainwindow::printerChosen() {
    return printerReady(*printerSetUp) ||
           choosePrinter(*printerSetUp, QStringLiteral("Drucken"), this);
}

void tmainwindow::printClicked() {
    if (printerChosen()) printPlainText(*printerSetUp, fromCp1252(printedScreenText(*platform)));
}

void tmainwindow::transcriptClicked() {
    ttranscriptwindow transcript(*running, this, helpOpener(), [this](const QPlainTextEdit& text) {
        if (printerChosen()) printDocument(*printerSetUp, *text.document());
    });
    transcript.exec();
    view->setFocus();  // the main window's caret shows again
}

// OK in an options dialog: the game takes the options at once and saves
// them, and the window takes their size, font and colours.
void tmainwindow::optionsChanged() {
    running->applySettings();
    showOptions();
}

void tmainwindow::displayClicked() {
    if (platform->waiting()) return;  // not during a key wait
    tdisplaydialog dialog(options.values, helpOpener(), this);
    if (dialog.edit(options.values)) optionsChanged();
}

void tmainwindow::functionKeysClicked() {
    tfunctionkeysdialog dialog(options.values, helpOpener(), this);
    if (dialog.edit(options.values)) optionsChanged();
}

void tmainwindow::autostartClicked() {
    tautostartdialog dialog(options.values, *platform, helpOpener(), this);
    if (dialog.edit(options.values)) optionsChanged();
}

std::function<void(thelpcontext)> tmainwindow::helpOpener() {
    return [this](thelpcontext context) { showHelp(context); };
}

void tmainwindow::aboutClicked() {
    taboutbox about(this);
    about.exec();
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
