#ifndef VELMO_APP_TEXTCODEC_H
#define VELMO_APP_TEXTCODEC_H

// Text between the game (Windows-1252 bytes) and Qt (Unicode), and file
// paths (the system's bytes, never transcoded) between the game and Qt's
// dialogs.

#include <QString>
#include <string>
#include <string_view>

namespace velmo {

// Story text to the screen. Control characters become blanks, so that
// every byte keeps one cell and the text positions stay as counted.
QString screenText(std::string_view cp1252);
// Windows-1252 text (captions, messages) to Qt, control characters kept.
QString fromCp1252(std::string_view cp1252);
// Typed or pasted text to Windows-1252; characters without a form
// become "?".
std::string toCp1252(const QString& text);

// File paths: the system's bytes to Qt and back.
QString fromPath(const std::string& path);
std::string toPath(const QString& path);
// A name that came from a path but went through the game's lower-casing
// (the caption): shown as UTF-8 when it is, else as Windows-1252.
QString fromName(const std::string& name);

}  // namespace velmo

#endif
