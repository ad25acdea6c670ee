#ifndef VELMO_FRONTEND_HELP_H
#define VELMO_FRONTEND_HELP_H

// The help pages: German HTML files of our own in the folder help/ of the
// source tree, installed to share/velmo/help. A desktop help viewer shows
// them as they are; a terminal shows them as plain text rendered here.
//
// The pages use a small part of HTML: headings h1-h3, paragraphs, line
// breaks, lists (ul, ol, li), definition lists (dl, dt, dd), inline tags
// (which render as their text), character references, and a head whose
// title and style are not shown.

#include <cstdint>
#include <string>
#include <vector>

#include "frontend/datafolder.h"
#include "frontend/platform.h"

namespace velmo {

// The page file of a help context ("index.html" for the contents).
std::string helpPageFile(thelpcontext context);

// The folder of the help pages for a program in `programFolder` (see
// frontend/datafolder.h); empty when no data folder holds the contents
// page.
std::string findHelpFolder(const std::string& programFolder);

// Renders a page to lines of UTF-8 text at most `width` characters wide
// (a word longer than that stands alone on its line).
std::vector<std::string> renderHelpPage(const std::string& html, int32_t width);

// Reads and renders the page of a context; false (and `lines` holding a
// German message) when the help pages are not found.
bool loadHelpPage(thelpcontext context, int32_t width, std::vector<std::string>& lines);

}  // namespace velmo

#endif
