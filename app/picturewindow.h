#ifndef VELMO_APP_PICTUREWINDOW_H
#define VELMO_APP_PICTUREWINDOW_H

// The picture window of the "openWin" statement: one picture of the
// story, the window exactly as large as the picture, above the main
// window and beside it where the screen has room (app/pictureplacement.h).
// A picture starts at full size, or at the largest smaller scale that
// fits the screen. Its context menu (also the menu key or Shift+F10)
// shows the picture at "100%", "50%" or "25%", each decoded at that scale
// from the picture's JPEG bytes; Esc closes it, and every other key goes on to the game, so
// that the player can type on while looking at the picture. There is at
// most one: the main window keeps it and shows each new picture in it.

#include <QWidget>
#include <functional>
#include <vector>

#include "frontend/picturedecoder.h"
#include "frontend/platform.h"

class QAction;
class QLabel;

namespace velmo {

class tpicturewindow : public QWidget {
    Q_OBJECT
public:
    explicit tpicturewindow(QWidget* parent);

    // Shows a new picture under the caption (Windows-1252). When it cannot
    // be decoded (memory), a message tells so and `closed` follows.
    void showPicture(const std::string& caption, const tstorypicture& picture);
    // Shows the picture at another scale and sizes the window to it,
    // placed beside the main window again (one the player moved keeps its
    // corner), on the screen.
    void showScale(tpicturescale scale);
    // Moves the shown window beside the main window again, unless the
    // player has moved it elsewhere. The main window calls it whenever it
    // moves or changes its size, so the picture keeps its place beside it
    // (at the start the window system places the main window only after
    // the first picture showed).
    void followMainWindow();
    // Closes the window without reporting it: the game closed it.
    void closeQuietly();

    tpicturescale scale() const { return current; }
    // The size of the picture as shown.
    QSize pictureSize() const;
    // The context entries "100%", "50%", "25%" (for the tests).
    QList<QAction*> entries() const;

    // Receives the keys the window does not use itself.
    std::function<void(QKeyEvent&)> onOtherKey;

signals:
    // The player closed the window.
    void closed();

protected:
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void moveEvent(QMoveEvent* event) override;

private:
    // Decodes the picture at the scale and sizes the window to it; false,
    // with a message, when it cannot be decoded.
    bool display(tpicturescale scale);
    void addScale(const QString& caption, tpicturescale scale);
    // Moves the window beside the main window (app/pictureplacement.h).
    void standBeside();
    QRect workArea() const;
    QSize frameExtra() const;

    QLabel* image = nullptr;
    std::vector<unsigned char> jpeg;
    tpicturescale current = tpicturescale::full;
    bool quiet = false;
    QPoint target;           // where standBeside put the window's frame
    bool settling = false;   // until the window system reports its frame
    bool movedAway = false;  // the player moved this picture elsewhere
};

}  // namespace velmo

#endif
