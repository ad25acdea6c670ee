#include "term/pager.h"

#include <algorithm>

#include "term/screenlayout.h"

namespace velmo {

tpager::tpager(std::string heading, std::vector<std::string> text, std::string keyHelp)
    : title(std::move(heading)), lines(std::move(text)), keys(std::move(keyHelp)) {}

void tpager::setLines(std::vector<std::string> newLines) {
    lines = std::move(newLines);
    wrappedCount = static_cast<int32_t>(lines.size());
    first = std::min(first, lastTop());
}

bool tpager::leaves(const tkeyevent& event) {
    return event.key == tkey::escape || event.character == 'q' || event.character == 'Q';
}

int32_t tpager::lastTop() const { return std::max<int32_t>(wrappedCount - height, 0); }

bool tpager::scroll(const tkeyevent& event) {
    if (event.wheel != 0) {
        first = std::clamp(first + event.wheel * kWheelRows, 0, lastTop());
        return true;
    }
    switch (event.key) {
    case tkey::up: first = std::max(first - 1, 0); return true;
    case tkey::down: first = std::min(first + 1, lastTop()); return true;
    case tkey::pageUp: first = std::max(first - std::max(height - 1, 1), 0); return true;
    case tkey::pageDown: first = std::min(first + std::max(height - 1, 1), lastTop()); return true;
    case tkey::home: first = 0; return true;
    case tkey::end:
        toEnd = true;
        first = lastTop();
        return true;
    default: break;
    }
    if (event.character == ' ') {
        first = std::min(first + std::max(height - 1, 1), lastTop());
        return true;
    }
    return false;
}

std::vector<std::string> tpager::wrapped(int32_t columns) const {
    std::vector<std::string> out;
    for (const std::string& line : lines) {
        std::vector<std::string> pieces = wrapText(line, columns);
        out.insert(out.end(), pieces.begin(), pieces.end());
    }
    return out;
}

tframe tpager::draw(int32_t rows, int32_t columns) {
    tframe frame(rows, columns);
    const std::vector<std::string> shown = wrapped(std::max<int32_t>(columns, 1));
    height = std::max<int32_t>(rows - 1, 1);
    wrappedCount = static_cast<int32_t>(shown.size());
    if (toEnd) first = lastTop();
    toEnd = false;
    first = std::clamp(first, 0, lastTop());
    const int32_t last = std::min(wrappedCount, first + height);
    for (int32_t i = first; i < last; ++i)
        frame.put(i - first, 0, shown[static_cast<std::size_t>(i)]);

    const int32_t bottom = rows - 1;
    std::string footer = " " + title;
    if (wrappedCount > 0)
        footer += "  Zeile " + std::to_string(first + 1) + "-" + std::to_string(last) + " von " +
                  std::to_string(wrappedCount);
    // The least needed hint last, where a narrow screen cuts it off.
    footer += "  Esc: zur\u00fcck" + (keys.empty() ? "" : "  " + keys) +
              "  \u2191\u2193 Bild\u2191\u2193 Pos1 Ende";
    frame.fill(bottom, 0, columns, kReverse);
    frame.put(bottom, 0, footer, kReverse);
    return frame;
}

}  // namespace velmo
