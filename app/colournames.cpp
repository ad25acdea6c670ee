#include "app/colournames.h"

#include "frontend/colours.h"

namespace velmo {

QColor colourByName(const std::string& name) {
    tcolour colour = 0;
    if (!readColour(name, colour)) return QColor();
    return QColor(static_cast<QRgb>(colour));
}

}  // namespace velmo
