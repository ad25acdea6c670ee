#ifndef VELMO_FRONTEND_TEXTEXPORT_H
#define VELMO_FRONTEND_TEXTEXPORT_H

// "Text speichern": the screen text as a text file, and the same text
// prepared for the printer. Both read the text area's display lines
// through the platform, so every host exports and prints alike; the
// window only sends the printed text to its printer.

#include <cstdint>
#include <string>
#include <vector>

namespace velmo {

class tplatform;

// The export file for a chosen name: the file name (not its folders) is
// cut at its first "." and ".txt" is appended, so "spiel.log.txt" becomes
// "spiel.txt". A dot that begins the name does not count.
std::string exportFileName(const std::string& chosen);
// The name the save dialog proposes: the story's file name without its
// folder, up to its first ".".
std::string proposedExportName(const std::string& storyFile);

// The lines of the file: every display line that is not empty and does
// not begin with a control character as it is; every other line as an
// empty line, but only once a line with text has been written, so the
// blank lines at the top of a fresh screen are left out.
std::vector<std::string> exportLines(const tplatform& platform);
// Writes the export lines as UTF-8, each ended by a line break, in one
// piece: a failure leaves an existing file as it was. False on failure.
bool writeScreenText(const tplatform& platform, const std::string& path);

// The printed text: the whole text with blanks and control characters
// removed at both ends, re-wrapped so that no line is longer than 64
// characters (at the last blank, or hard where a line has none).
std::string printableText(const std::string& text);
// The text area's whole text, as printed.
std::string printedScreenText(const tplatform& platform);

}  // namespace velmo

#endif
