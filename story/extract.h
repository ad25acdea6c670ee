#ifndef VELMO_STORY_EXTRACT_H
#define VELMO_STORY_EXTRACT_H

// "Text extrahieren": every string literal of a source file, written into
// a plain text file so that an author can proof-read the story's text.

#include <string>
#include <string_view>

#include "story/authoring.h"

namespace velmo {

// The literals of a source file's bytes: the bytes between each pair of
// double quotes, each closed literal followed by CR LF. Inside a literal
// CR, LF and every byte from 32 up are kept, other control bytes (the tab
// among them) are dropped. Comments and directives are not recognised.
std::string literalText(std::string_view source);

// The name of the extracted text file, without folder and in
// Windows-1252: "t_" + the source file's name, lower-cased, up to and
// including the dot of its extension, + "txt" (abenteuer.velmo gives
// t_abenteuer.txt).
std::string extractedTextName(const std::string& sourceFile);

// Extracts the literals of `sourceFile` into the extracted text file in
// `saveFolder`. The notice says how it went: a warning when the file is
// not a source file or cannot be opened, an information on success and
// when the text file cannot be written (the previous one then stays).
tnotice extractText(const std::string& sourceFile, const std::string& saveFolder);

}  // namespace velmo

#endif
