#include "app/picturewindow.h"

#include <QAction>
#include <QActionGroup>
#include <QCloseEvent>
#include <QContextMenuEvent>
#include <QCoreApplication>
#include <QImage>
#include <QKeyEvent>
#include <QLabel>
#include <QMessageBox>
#include <QPixmap>
#include <QScreen>
#include <QVBoxLayout>

#include "app/pictureplacement.h"
#include "app/textcodec.h"

namespace velmo {

tpicturewindow::tpicturewindow(QWidget* parent)
    // A dialog-like window stays above the main window without being modal.
    // Its size follows the picture: a title and a close button, nothing to
    // minimise or maximise.
    : QWidget(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::CustomizeWindowHint |
                          Qt::WindowTitleHint | Qt::WindowCloseButtonHint) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    image = new QLabel(this);
    image->setFocusPolicy(Qt::StrongFocus);
    image->setContextMenuPolicy(Qt::ActionsContextMenu);
    layout->addWidget(image);
    addScale(QStringLiteral("100%"), tpicturescale::full);
    addScale(QStringLiteral("50%"), tpicturescale::half);
    addScale(QStringLiteral("25%"), tpicturescale::quarter);
}

void tpicturewindow::addScale(const QString& caption, tpicturescale scale) {
    auto* group = findChild<QActionGroup*>();
    if (!group) group = new QActionGroup(this);
    QAction* entry = group->addAction(caption);
    entry->setCheckable(true);
    entry->setChecked(scale == tpicturescale::full);
    entry->setData(static_cast<int>(scale));
    connect(entry, &QAction::triggered, this, [this, scale] { showScale(scale); });
    image->addAction(entry);
}

QList<QAction*> tpicturewindow::entries() const { return image->actions(); }

QSize tpicturewindow::pictureSize() const { return image->pixmap().size(); }

void tpicturewindow::showPicture(const std::string& caption, const tstorypicture& picture) {
    jpeg = picture.jpeg;
    movedAway = false;
    setWindowTitle(fromCp1252(caption));
    const QRect screen = workArea();
    if (!display(scaleThatFits(picture.full, screen.size() - frameExtra()))) {
        emit closed();  // the game counts it shown until told otherwise
        return;
    }
    standBeside();
    QWidget::show();
    raise();
    image->setFocus();
}

void tpicturewindow::standBeside() {
    target = placeBeside(parentWidget()->frameGeometry(), size() + frameExtra(), workArea());
    settling = true;
    move(target);
}

// A window placed while the window system is still adding its frame (at
// the start, when the main window is placed just after the first picture
// showed) stands lower or higher by the title bar: once the frame is
// known, the place is set again, once, so that a window the player moves
// later stays where he puts it, and no longer follows the main window.
void tpicturewindow::moveEvent(QMoveEvent* event) {
    QWidget::moveEvent(event);
    if (!settling) {
        if (pos() != target) movedAway = true;  // by the player
        return;
    }
    if (frameGeometry() == geometry()) return;
    settling = false;
    if (pos() != target) move(target);
}

void tpicturewindow::followMainWindow() {
    if (isVisible() && !movedAway) standBeside();
}

void tpicturewindow::showScale(tpicturescale scale) {
    if (!display(scale)) return;
    if (movedAway)
        move(keepOnScreen(pos(), size() + frameExtra(), workArea()));
    else
        standBeside();  // the new size may fit on another side
}

bool tpicturewindow::display(tpicturescale scale) {
    tpicture picture;
    std::string problem;
    if (!decodePicture(jpeg, scale, picture, problem)) {
        // The game checked the picture; only memory can fail here.
        QMessageBox::warning(parentWidget(), windowTitle(), fromCp1252(problem));
        return false;
    }
    current = scale;
    for (QAction* entry : entries())
        entry->setChecked(entry->data().toInt() == static_cast<int>(current));
    const QImage decoded(picture.rgb.data(), picture.width, picture.height, picture.width * 3,
                         QImage::Format_RGB888);
    image->setPixmap(QPixmap::fromImage(decoded));  // a copy: the bytes may go
    image->setFixedSize(picture.width, picture.height);
    setFixedSize(picture.width, picture.height);
    return true;
}

QRect tpicturewindow::workArea() const { return parentWidget()->screen()->availableGeometry(); }

// The picture window's frame is known only once it is shown; the main
// window's frame, with the same title bar and borders, stands in for it.
QSize tpicturewindow::frameExtra() const {
    const QWidget& main = *parentWidget();
    return main.frameGeometry().size() - main.geometry().size();
}

void tpicturewindow::closeQuietly() {
    quiet = true;
    close();
    quiet = false;
}

void tpicturewindow::closeEvent(QCloseEvent* event) {
    event->accept();
    if (!quiet) emit closed();
}

void tpicturewindow::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) {
        close();
        return;
    }
    // Shift+F10 opens the context menu, as the menu key does.
    if (event->key() == Qt::Key_F10 && event->modifiers() == Qt::ShiftModifier) {
        QContextMenuEvent menu(QContextMenuEvent::Keyboard, image->rect().center(),
                               image->mapToGlobal(image->rect().center()));
        QCoreApplication::sendEvent(image, &menu);
        return;
    }
    if (onOtherKey && event->key() != Qt::Key_Menu)
        onOtherKey(*event);
    else
        QWidget::keyPressEvent(event);
}

}  // namespace velmo
