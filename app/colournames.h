#ifndef VELMO_APP_COLOURNAMES_H
#define VELMO_APP_COLOURNAMES_H

// The colour names of the options ("clblack", "clsilver", "clnavy", ...)
// and the screen colours they stand for.

#include <QColor>
#include <string>

namespace velmo {

// The sixteen named colours, compared without regard to case; an invalid
// QColor for any other text.
QColor colourByName(const std::string& name);

}  // namespace velmo

#endif
