#ifndef VELMO_APP_COLOURNAMES_H
#define VELMO_APP_COLOURNAMES_H

// The colours of the options ("clblack", "clsilver", "clnavy", ...,
// or "#rrggbb") as screen colours.

#include <QColor>
#include <string>

namespace velmo {

// A named colour (any letter case) or "#rrggbb"; an invalid QColor for
// any other text.
QColor colourByName(const std::string& name);

}  // namespace velmo

#endif
