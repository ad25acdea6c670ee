#include "app/qtplatform.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QKeyEvent>
#include <QMessageBox>
#include <QPushButton>
#include <algorithm>

#include "app/boxoverlay.h"
#include "app/inspectordialog.h"
#include "app/mainwindow.h"
#include "app/namefilter.h"
#include "app/statusbar.h"
#include "app/statuspanel.h"
#include "app/textcodec.h"
#include "app/textview.h"

namespace velmo {

namespace {

// Story code lets the window's events through at every loop turn; more
// often than this is wasted time.
constexpr std::chrono::milliseconds kCheckInterval(20);

// Counts a nested event loop for as long as it runs, also when it is left
// by an exception.
class tnesting {
public:
    explicit tnesting(int32_t& counter) : depth(counter) { ++depth; }
    ~tnesting() { --depth; }
    tnesting(const tnesting&) = delete;
    tnesting& operator=(const tnesting&) = delete;

private:
    int32_t& depth;
};

QString startFolder(const std::string& folder) {
    return folder.empty() ? QDir::currentPath() : fromPath(folder);
}

}  // namespace

tqtplatform::tqtplatform(tmainwindow& host, int32_t width)
    : tbufferedplatform(width), window(host) {
    // Qt adds the application's display name to every window title that
    // does not end with it; an empty one keeps each title as it is: the
    // main window shows the story's caption alone, the picture window its
    // picture's caption, which has little room already on a small picture.
    QGuiApplication::setApplicationDisplayName(QString(""));
}

// --- Pictures --------------------------------------------------------------

void tqtplatform::showPicture(const std::string& title, const tstorypicture& picture,
                              const std::string&) {
    window.showPicture(title, picture);
}

void tqtplatform::closePicture() { window.closePicture(); }

void tqtplatform::pictureClosed() {
    if (events) events->pictureClosed();
}

// --- The text area ---------------------------------------------------------

void tqtplatform::changed(int32_t fromLine) {
    dirtyFrom = dirtyFrom < 0 ? fromLine : std::min(dirtyFrom, fromLine);
    if (suspended == 0) flush();
}

void tqtplatform::flush() {
    ttextview& view = window.textView();
    if (dirtyFrom >= 0) view.showLines(buffer, dirtyFrom);
    dirtyFrom = -1;
    for (const tstylerun& run : pendingStyles)
        view.showStyle(buffer, run.start, run.end, run.style);
    pendingStyles.clear();
    if (caretPending) view.placeCaret(caretLine, caretColumn);
    caretPending = false;
}

void tqtplatform::resumeUpdates() {
    if (suspended > 0 && --suspended == 0) flush();
}

void tqtplatform::replaceLine(int32_t index, const std::string& text) {
    tbufferedplatform::replaceLine(index, text);
    changed(index);
}

void tqtplatform::append(const std::string& text) {
    const int32_t from = buffer.lineCount() - 1;  // the open last line grows
    tbufferedplatform::append(text);
    changed(from);
}

void tqtplatform::clearText() {
    tbufferedplatform::clearText();
    dirtyFrom = -1;
    pendingStyles.clear();
    window.textView().clearLines();
}

void tqtplatform::applyStyle(int32_t start, int32_t end, tstyle style) {
    tbufferedplatform::applyStyle(start, end, style);
    pendingStyles.push_back({start, end, style});
    if (suspended == 0) flush();
}

void tqtplatform::setCaret(int32_t lineIndex, int32_t column) {
    tbufferedplatform::setCaret(lineIndex, column);
    caretPending = true;
    if (suspended == 0) flush();
}

void tqtplatform::setInputEnabled(bool enabled) {
    tbufferedplatform::setInputEnabled(enabled);
    window.textView().setInputEnabled(enabled);
}

// --- Status line, box, caption, menus --------------------------------------

void tqtplatform::setStatusText(const std::string& text) {
    tbufferedplatform::setStatusText(text);
    window.statusPanel().setText(screenText(text));
}

void tqtplatform::showBox(const std::vector<std::string>& lines) {
    tbufferedplatform::showBox(lines);
    window.box().showLines(lines);
}

void tqtplatform::hideBox() {
    tbufferedplatform::hideBox();
    window.box().hide();
}

void tqtplatform::setCaption(const std::string& text) {
    tbufferedplatform::setCaption(text);
    window.setWindowTitle(fromName(text));
}

void tqtplatform::enableMenu(tmenuaction action, bool enabled) {
    tbufferedplatform::enableMenu(action, enabled);
    window.refreshMenu(action);
}

void tqtplatform::setMenuCaption(tmenuaction action, const std::string& text, bool visible) {
    tbufferedplatform::setMenuCaption(action, text, visible);
    window.setMenuCaption(action, fromName(text), visible);
}

void tqtplatform::showHelp(thelpcontext context) { window.showHelp(context); }

// The dialog runs inside story code: while it is open every game action
// of the menu is disabled, as during a key wait.
bool tqtplatform::runInspector(tinspector& inspector) {
    bool accepted = false;
    {
        const tnesting nested(waits);
        flush();
        window.refreshMenus();
        tinspectordialog dialog(inspector, &window);
        accepted = dialog.exec() == QDialog::Accepted;
    }
    window.refreshMenus();
    return accepted;
}

// --- Events ----------------------------------------------------------------

void tqtplatform::processEvents() {
    const auto now = std::chrono::steady_clock::now();
    if (now - lastCheck < kCheckInterval) return;
    lastCheck = now;
    flush();
    const tnesting nested(checking);
    QCoreApplication::processEvents(QEventLoop::AllEvents);
}

void tqtplatform::processEventsWhile(const bool& running, twait /*kind*/) {
    {
        const tnesting nested(waits);
        flush();
        window.refreshMenus();
        window.textView().scrollToCaret();
        while (running) {
            // Keys typed before the wait began come first.
            if (!queue.empty()) {
                const tkeystroke stroke = queue.front();
                queue.pop_front();
                deliver(stroke);
                continue;
            }
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
        }
    }
    window.refreshMenus();
}

void tqtplatform::takeKey(const QKeyEvent& event) {
    window.statusBar().followLockKeys(event);
    const tkeystroke stroke = keystrokeOf(event);
    // Page Up and Page Down scroll back through earlier text; any other
    // key returns to the end.
    if (stroke.key == tkey::pageUp || stroke.key == tkey::pageDown)
        window.textView().scrollPage(stroke.key == tkey::pageUp);
    else
        window.textView().scrollToCaret();
    // While story code runs the keys wait for the input line, as they
    // would in a terminal; in a wait and at the top they go on at once.
    if (checking > 0 || !queue.empty()) {
        queue.push_back(stroke);
        if (checking > 0) return;
    } else {
        deliver(stroke);
    }
    while (!queue.empty() && !gameRunning()) {
        const tkeystroke next = queue.front();
        queue.pop_front();
        deliver(next);
    }
}

void tqtplatform::deliver(const tkeystroke& stroke) {
    if (!events) return;
    events->keyDown(stroke.key, stroke.modifiers);
    if (stroke.character != 0) events->keyPress(stroke.character);
    events->keyUp(stroke.key);
}

// --- Dialogs ---------------------------------------------------------------

void tqtplatform::showMessage(tmessagekind kind, const std::string& text) {
    const QMessageBox::Icon icon = kind == tmessagekind::error     ? QMessageBox::Critical
                                   : kind == tmessagekind::warning ? QMessageBox::Warning
                                                                   : QMessageBox::Information;
    flush();
    QMessageBox box(icon, QStringLiteral("Velmo"), fromCp1252(text), QMessageBox::Ok, &window);
    box.exec();
}

tanswer tqtplatform::ask(const std::string& text) {
    flush();
    QMessageBox box(QMessageBox::Question, QStringLiteral("Velmo"), fromCp1252(text),
                    QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, &window);
    box.setDefaultButton(QMessageBox::Yes);
    switch (box.exec()) {
    case QMessageBox::Yes: return tanswer::yes;
    case QMessageBox::No: return tanswer::no;
    default: return tanswer::cancel;
    }
}

bool tqtplatform::chooseOpenFile(const std::string& title, const std::string& filter,
                                 const std::string& folder, std::string& path) {
    QFileDialog dialog(&window, fromCp1252(title), startFolder(folder));
    dialog.setNameFilters(nameFilters(filter));
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return false;
    path = toPath(dialog.selectedFiles().constFirst());
    return true;
}

bool tqtplatform::chooseSaveFile(const std::string& title, const std::string& filter,
                                 const std::string& defaultExtension, const std::string& folder,
                                 const std::string& proposedName, std::string& path) {
    QFileDialog dialog(&window, fromCp1252(title), startFolder(folder));
    dialog.setNameFilters(nameFilters(filter));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setDefaultSuffix(fromCp1252(defaultExtension));
    if (!proposedName.empty()) dialog.selectFile(fromPath(proposedName));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return false;
    path = toPath(dialog.selectedFiles().constFirst());
    return true;
}

}  // namespace velmo
