#ifndef VELMO_FRONTEND_TRANSCRIPT_H
#define VELMO_FRONTEND_TRANSCRIPT_H

// The transcript ("Spielverlauf"): every resolved output text and every
// submitted input line, in the order they occur, kept as one text beside
// the screen. Opening another story does not clear it; only "Löschen"
// does. A host shows it in a window or a pager; a listener (the plain
// mode's transcript file) receives each piece as it is added.

#include <cstddef>
#include <functional>
#include <string>

namespace velmo {

class ttranscript {
public:
    // The transcript holds at most this many characters; the oldest text
    // goes first.
    static constexpr std::size_t kMaxLength = 524288;

    // Appends text (Windows-1252, "\n" between lines) and hands it to the
    // listener.
    void addText(const std::string& text);
    // "Löschen": empties the transcript. The screen is not touched.
    void clear() { content.clear(); }
    const std::string& text() const { return content; }

    // Receives every piece of text added from now on.
    void setListener(std::function<void(const std::string&)> receive) {
        listener = std::move(receive);
    }

private:
    std::string content;
    std::function<void(const std::string&)> listener;
};

}  // namespace velmo

#endif
