#include "frontend/transcript.h"

namespace velmo {

void ttranscript::addText(const std::string& text) {
    if (listener) listener(text);
    content += text;
    if (content.size() <= kMaxLength) return;
    // Drop the oldest text, up to the end of a line where one is near, so
    // that the transcript does not begin in the middle of a line.
    std::size_t cut = content.size() - kMaxLength;
    const std::size_t lineEnd = content.find('\n', cut);
    if (lineEnd != std::string::npos && lineEnd - cut < 200) cut = lineEnd + 1;
    content.erase(0, cut);
}

}  // namespace velmo
