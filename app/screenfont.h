#ifndef VELMO_APP_SCREENFONT_H
#define VELMO_APP_SCREENFONT_H

// The fixed-pitch font of the status line and the text area. The option
// names the three fonts of the display dialog; each maps to a free font
// that Debian ships, and a font that is not installed falls back to the
// system's fixed-pitch font.

#include <QFont>
#include <string>

namespace velmo {

// The family a font option stands for ("doslike", "courier new",
// "lucida console", compared without regard to case); other names are
// taken as they are.
QString fontFamilyFor(const std::string& optionName);
// The screen font of an option name and a point size.
QFont screenFont(const std::string& optionName, int pointSize);

}  // namespace velmo

#endif
