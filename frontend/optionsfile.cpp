#include "frontend/optionsfile.h"

#include <algorithm>
#include <vector>

#include "base/atomicfile.h"
#include "base/encoding.h"
#include "base/wstrlib.h"
#include "frontend/configfile.h"

namespace velmo {

namespace {

// The entries of a value list, empty ones included, so that an empty F2
// keeps the following texts on their own keys. At most `count` entries.
std::vector<std::string> splitEntries(const std::string& value, std::size_t count) {
    std::vector<std::string> entries;
    std::size_t from = 0;
    while (entries.size() < count) {
        const std::size_t comma = value.find(',', from);
        entries.push_back(
            value.substr(from, comma == std::string::npos ? std::string::npos : comma - from));
        if (comma == std::string::npos) break;
        from = comma + 1;
    }
    if (entries.size() == 1 && entries[0].empty()) entries.clear();
    return entries;
}

template <std::size_t N>
std::string joined(const std::array<std::string, N>& entries) {
    std::string text;
    for (std::size_t i = 0; i < N; ++i) text += (i ? "," : "") + entries[i];
    return text;
}

// The file is UTF-8 where our own texts stand; one written by hand in
// Windows-1252 is read as well.
std::string storyText(const std::string& text) {
    return looksLikeUtf8(text) ? utf8ToCp1252Lossy(text) : text;
}

// A byte-sized decimal option: digits only, at most 255.
bool readByte(const tconfig& config, const char* name, int32_t& value) {
    std::string text;
    if (!config.getValue(name, text) || !isNumber(text) || text.size() > 3) return false;
    const int32_t number = toNumber(text);
    if (number > kMaxByteOption) return false;
    value = number;
    return true;
}

// The function-key texts, lower-cased, each at most 40 characters.
void readKeys(const tconfig& config, toptions& options) {
    std::string value;
    config.getText("fkeys", value);
    const std::vector<std::string> entries = splitEntries(value, options.functionKeys.size());
    for (std::size_t i = 0; i < entries.size(); ++i) {
        std::string text = lowerCase(storyText(entries[i]));
        if (text.size() > kMaxKeyText) text.resize(kMaxKeyText);
        options.functionKeys[i] = text;
    }
}

// The recent files: paths as written; the ring goes on after the last
// filled slot.
void readRecent(const tconfig& config, toptions& options) {
    std::string value;
    config.getText("lastfiles", value);
    const std::vector<std::string> entries = splitEntries(value, options.lastFiles.size());
    options.recentNext = 0;
    for (std::size_t i = 0; i < options.lastFiles.size(); ++i) {
        options.lastFiles[i] = i < entries.size() ? entries[i] : std::string();
        if (!options.lastFiles[i].empty()) ++options.recentNext;
    }
}

bool readColours(const tconfig& config, toptions& options) {
    std::string value;
    config.getValue("colors", value);
    const std::vector<std::string> entries = splitEntries(value, options.colours.size());
    if (entries.size() < options.colours.size()) return false;
    for (std::size_t i = 0; i < entries.size(); ++i)
        if (!readColour(entries[i], options.colours[i])) return false;
    return true;
}

bool readSizes(const tconfig& config, toptions& options) {
    int32_t maximize = 0;
    if (!readByte(config, "fontsize", options.fontSize)) return false;
    options.fontSize = std::max<int32_t>(options.fontSize, 1);
    if (!readByte(config, "colmax", options.columns)) return false;
    options.columns = std::max(options.columns, kMinColumns);
    if (!readByte(config, "rowmax", options.rows)) return false;
    options.rows = std::max(options.rows, kMinRows);
    if (!readByte(config, "maximize", maximize)) return false;
    options.maximize = maximize == 1;
    return true;
}

std::string byteText(int32_t value) {
    return std::to_string(std::clamp<int32_t>(value, 0, kMaxByteOption));
}

}  // namespace

bool fitsInList(const std::string& text) { return text.find(',') == std::string::npos; }

std::string defaultOptionsText() {
    return "fkeys=,,,,,,,,\n"
           "Lastfiles=,,,\n"
           "Colors=clblack,clsilver,clsilver,clnavy\n"
           "Autoload=\n"
           "FontName=doslike\n"
           "FontSize=12\n"
           "ColMax=70\n"
           "RowMax=28\n"
           "Maximize=0\n";
}

bool writeDefaultOptions(const std::string& file) {
    const std::string text = defaultOptionsText();
    return writeFileAtomically(file, [&text](std::ostream& out) {
        out << text;
        return static_cast<bool>(out);
    });
}

bool readOptions(const std::string& file, toptions& options) {
    tconfig config;
    if (!config.load(file)) return false;
    readKeys(config, options);
    readRecent(config, options);
    if (!readColours(config, options)) return false;
    config.getText("autoload", options.autoload);
    config.getValue("fontname", options.fontName);
    return readSizes(config, options);
}

bool saveOptions(const std::string& file, const toptions& options) {
    tconfig config;
    std::array<std::string, 9> keys;
    for (std::size_t i = 0; i < keys.size(); ++i)
        keys[i] = cp1252ToUtf8(lowerCase(options.functionKeys[i]));
    config.setText("fkeys", joined(keys));
    config.setText("Lastfiles", joined(options.lastFiles));
    std::array<std::string, 4> colours;
    for (std::size_t i = 0; i < colours.size(); ++i) colours[i] = colourText(options.colours[i]);
    config.setValue("Colors", joined(colours));
    config.setText("Autoload", options.autoload);
    config.setValue("FontName", options.fontName);
    config.setValue("FontSize", byteText(options.fontSize));
    config.setValue("ColMax", byteText(options.columns));
    config.setValue("RowMax", byteText(options.rows));
    config.setValue("Maximize", options.maximize ? "1" : "0");
    return config.save(file);
}

}  // namespace velmo
