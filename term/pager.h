#ifndef VELMO_TERM_PAGER_H
#define VELMO_TERM_PAGER_H

// A text shown full screen to be read and scrolled: the help pages and
// the transcript. The lines are wrapped to the screen's width when drawn,
// so a resized terminal shows them anew; the bottom row names the page,
// the lines in view and the keys.

#include <cstdint>
#include <string>
#include <vector>

#include "term/keyreader.h"
#include "term/screenframe.h"

namespace velmo {

class tpager {
public:
    // `lines` and the texts are UTF-8. `keys` names the keys of the page
    // besides scrolling and leaving.
    tpager(std::string title, std::vector<std::string> lines, std::string keys = std::string());

    // New contents (the transcript after "Löschen"); the view stays at
    // its place as far as the new text reaches.
    void setLines(std::vector<std::string> lines);

    // Scrolls for the cursor keys, Bild auf/ab, the blank, Pos1, Ende and
    // the mouse wheel; false for any other key.
    bool scroll(const tkeyevent& event);
    // Esc and "q" leave the page.
    static bool leaves(const tkeyevent& event);

    // The page on a screen of this size. It remembers the size, so that
    // scrolling by pages and to the end knows the page's height.
    tframe draw(int32_t rows, int32_t columns);

    int32_t top() const { return first; }

private:
    std::vector<std::string> wrapped(int32_t columns) const;
    int32_t lastTop() const;

    std::string title;
    std::vector<std::string> lines;
    std::string keys;
    int32_t first = 0;         // the first wrapped line in view
    int32_t height = 20;       // rows for text, as last drawn
    int32_t wrappedCount = 0;  // wrapped lines, as last drawn
    bool toEnd = false;        // go to the end at the next drawing
};

}  // namespace velmo

#endif
