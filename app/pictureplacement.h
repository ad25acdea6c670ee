#ifndef VELMO_APP_PICTUREPLACEMENT_H
#define VELMO_APP_PICTUREPLACEMENT_H

// Where the picture window goes and at which scale it starts, worked out
// from rectangles alone so that any screen can be tried out.

#include <QPoint>
#include <QRect>
#include <QSize>

#include "frontend/picturedecoder.h"

namespace velmo {

// The largest of 100 %, 50 % and 25 % at which a picture of the full size
// fits into `room` (the screen's work area less the window's frame); 25 %
// when none does. A new picture starts at 100 % unless that would reach
// beyond the screen, where the player could not see all of it.
tpicturescale scaleThatFits(tpicturesize full, QSize room);

// The top left corner of a window of `size` (with its frame) beside the
// main window `main` (its frame, too): to its right where there is room,
// else to its left, else over the main window's top right corner, where
// it hides the least of the text the player reads and types (which grows
// at the bottom). The window always lies within `screen`, the screen's
// work area; one larger than the screen keeps its top left corner, and
// with it the title bar, on the screen.
QPoint placeBeside(const QRect& main, QSize size, const QRect& screen);

// The top left corner nearest to `at` at which a window of `size` lies
// within `screen` (one larger than the screen: at its top left corner).
QPoint keepOnScreen(QPoint at, QSize size, const QRect& screen);

}  // namespace velmo

#endif
