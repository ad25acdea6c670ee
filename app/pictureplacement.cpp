#include "app/pictureplacement.h"

#include <algorithm>

namespace velmo {

namespace {

// The side at a scale, rounded up as the decoder rounds.
int scaled(int32_t side, tpicturescale scale) {
    const int divisor = static_cast<int>(scale);
    return (side + divisor - 1) / divisor;
}

}  // namespace

tpicturescale scaleThatFits(tpicturesize full, QSize room) {
    for (tpicturescale scale : {tpicturescale::full, tpicturescale::half})
        if (scaled(full.width, scale) <= room.width() &&
            scaled(full.height, scale) <= room.height())
            return scale;
    return tpicturescale::quarter;
}

QPoint keepOnScreen(QPoint at, QSize size, const QRect& screen) {
    // Right and bottom first, so that a window larger than the screen
    // ends at its top left corner.
    const int x = std::max(std::min(at.x(), screen.right() + 1 - size.width()), screen.left());
    const int y = std::max(std::min(at.y(), screen.bottom() + 1 - size.height()), screen.top());
    return {x, y};
}

QPoint placeBeside(const QRect& main, QSize size, const QRect& screen) {
    QPoint at(main.right() + 1, main.top());
    if (at.x() + size.width() - 1 > screen.right()) {
        at.setX(main.left() - size.width());
        if (at.x() < screen.left()) at.setX(main.right() + 1 - size.width());
    }
    return keepOnScreen(at, size, screen);
}

}  // namespace velmo
