#ifndef VELMO_FRONTEND_BUFFEREDPLATFORM_H
#define VELMO_FRONTEND_BUFFEREDPLATFORM_H

// The text-area half of the platform interface, kept in a ttextbuffer.
// Hosts that draw the text themselves (the terminal, the plain line mode,
// the test host) derive from it and add the dialogs and the event loop.

#include <array>

#include "frontend/platform.h"
#include "frontend/textbuffer.h"
#include "story/sourcefile.h"

namespace velmo {

class tbufferedplatform : public tplatform {
public:
    // `width` is the text area's width in characters: the story's columns
    // plus two.
    explicit tbufferedplatform(int32_t width) : buffer(width) {}

    int32_t lineCount() const override { return buffer.lineCount(); }
    std::string line(int32_t index) const override { return buffer.line(index); }
    void replaceLine(int32_t index, const std::string& text) override {
        buffer.replaceLine(index, text);
    }
    void append(const std::string& text) override { buffer.append(text); }
    void clearText() override { buffer.clear(); }
    int32_t textLength() const override { return buffer.textLength(); }
    std::string wholeText() const override { return buffer.wholeText(); }
    void applyStyle(int32_t start, int32_t end, tstyle style) override {
        buffer.addStyle(start, end, style);
    }
    void setCaret(int32_t lineIndex, int32_t column) override {
        caretLine = lineIndex;
        caretColumn = column;
    }
    void setInputEnabled(bool enabled) override { inputEnabled = enabled; }
    void setTextWidth(int32_t width) override { buffer.setWidth(width); }
    void setStatusText(const std::string& text) override { statusText = text; }
    void setCaption(const std::string& text) override { caption = text; }
    void enableMenu(tmenuaction action, bool enabled) override {
        menuEnabled[static_cast<std::size_t>(action)] = enabled;
    }
    void setMenuCaption(tmenuaction action, const std::string& text, bool visible) override {
        menuCaptions[static_cast<std::size_t>(action)] = visible ? text : std::string();
    }
    void showBox(const std::vector<std::string>& lines) override { boxLines = lines; }
    void hideBox() override { boxLines.clear(); }
    // No picture window: the picture is named with the file it was
    // written to, in a message of its own.
    void showPicture(const std::string& title, const tstorypicture&,
                     const std::string& file) override {
        const std::string shown = nameAsText(file);
        showMessage(tmessagekind::information,
                    title.empty() ? "Grafik: " + shown : "Grafik " + title + ": " + shown);
    }

    ttextbuffer buffer;
    int32_t caretLine = 0;
    int32_t caretColumn = 0;
    bool inputEnabled = false;
    std::string statusText;
    std::string caption = "Velmo";
    std::array<bool, kMenuActions> menuEnabled{};
    std::array<std::string, kMenuActions> menuCaptions{};
    std::vector<std::string> boxLines;
};

}  // namespace velmo

#endif
