#include "term/playermenu.h"

#include <functional>
#include <string>
#include <vector>

#include "base/wstrlib.h"
#include "frontend/authoring.h"
#include "frontend/game.h"
#include "frontend/options.h"
#include "frontend/optionsfile.h"
#include "frontend/settings.h"
#include "term/terminalplatform.h"
#include "term/transcriptview.h"

namespace velmo {

namespace {

struct tcommand {
    std::string caption;  // Windows-1252
    bool enabled;
    std::function<void()> run;
};

// One list of commands; the chosen one runs.
void runList(tterminalplatform& platform, const std::string& title,
             const std::vector<tcommand>& commands) {
    std::vector<tterminalplatform::tmenuentry> entries;
    for (const tcommand& command : commands) entries.push_back({command.caption, command.enabled});
    int32_t chosen = 0;
    if (platform.chooseEntry(title, entries, chosen))
        commands[static_cast<std::size_t>(chosen)].run();
}

bool menuEnabled(const tterminalplatform& platform, tmenuaction action) {
    return platform.menuEnabled[static_cast<std::size_t>(action)];
}

// A number typed at a prompt, brought into its range; false when the
// prompt was left or the text is no number.
bool askNumber(tterminalplatform& platform, const std::string& title, int32_t low, int32_t high,
               int32_t& value) {
    std::string text = std::to_string(value);
    if (!platform.askText(title + " (" + std::to_string(low) + " bis " + std::to_string(high) + ")",
                          text))
        return false;
    while (!text.empty() && text.back() == ' ') text.pop_back();
    if (!isNumber(text) || text.size() > 4) {
        platform.showMessage(tmessagekind::warning, "Bitte eine Zahl eingeben.");
        return false;
    }
    value = std::min(std::max(toNumber(text), low), high);
    return true;
}

void displayOptions(tgame& game, tterminalplatform& platform, tsettings& settings) {
    toptions& values = settings.values;
    int32_t columns = values.columns;
    int32_t rows = values.rows;
    if (!askNumber(platform, "Spalten", kMinColumns, kMaxColumns, columns)) return;
    if (!askNumber(platform, "Zeilen", kMinRows, kMaxRows, rows)) return;
    values.columns = columns;
    values.rows = rows;
    game.applySettings();
}

void functionKeyOptions(tgame& game, tterminalplatform& platform, tsettings& settings) {
    std::vector<tcommand> keys;
    for (std::size_t i = 0; i < settings.values.functionKeys.size(); ++i) {
        const std::string label = "F" + std::to_string(i + 2);
        std::string& text = settings.values.functionKeys[i];
        keys.push_back({label + ": " + text, true, [&, label] {
                            std::string edited = text;
                            if (!platform.askText(label, edited)) return;
                            if (!fitsInList(edited)) {
                                platform.showMessage(
                                    tmessagekind::warning,
                                    "Ein F-Tasten-Text kann kein Komma enthalten.");
                                return;
                            }
                            if (edited.size() > kMaxKeyText) edited.resize(kMaxKeyText);
                            text = edited;
                            game.applySettings();
                        }});
    }
    runList(platform, "F-Tasten", keys);
}

void autostartOption(tgame& game, tterminalplatform& platform, tsettings& settings) {
    std::string path = settings.values.autoload;
    if (!platform.askText("Folgende Datei beim Programmstart automatisch laden", path)) return;
    settings.values.autoload = path;
    game.applySettings();
}

// "&Grafik kopieren": the pictures one by one, until an empty name.
void copyPicturesCommand(tgame& game, tterminalplatform& platform) {
    std::vector<std::string> files;
    std::string path;
    while (platform.chooseOpenFile(
        "Grafik kopieren: Bild " + std::to_string(files.size() + 1) + " (leer: fertig)",
        kPictureFilter, std::string(), path))
        files.push_back(path);
    if (!files.empty()) tauthoring(platform, game).copyPictureFiles(files);
}

void recentFiles(tgame& game, tterminalplatform& platform, const tsettings& settings) {
    std::vector<tcommand> recent;
    for (std::size_t i = 0; i < settings.values.lastFiles.size(); ++i) {
        const std::string& path = settings.values.lastFiles[i];
        if (path.empty()) continue;
        const int32_t slot = static_cast<int32_t>(i);
        recent.push_back({baseFileName(path), true, [&game, slot] { game.openRecent(slot); }});
    }
    runList(platform,
            "Neu \xF6"
            "ffnen",
            recent);
}

void fileMenu(tgame& game, tterminalplatform& platform, tsettings& settings) {
    const bool open = game.storyOpen();
    runList(platform, "Datei",
            {
                {"Neues Spiel \xF6"
                 "ffnen",
                 menuEnabled(platform, tmenuaction::openStory), [&] { game.openNewStory(); }},
                {"Neu \xF6"
                 "ffnen",
                 menuEnabled(platform, tmenuaction::recentFiles),
                 [&] { recentFiles(game, platform, settings); }},
                {"Spielstand speichern", open && menuEnabled(platform, tmenuaction::saveGame),
                 [&] { game.saveGame(); }},
                {"Spielstand laden", menuEnabled(platform, tmenuaction::restoreGame),
                 [&] { game.restoreGame(); }},
                {"Skript abspielen", open && menuEnabled(platform, tmenuaction::playScript),
                 [&] { game.playScript(); }},
                {"Text speichern", true, [&] { game.exportText(); }},
                {"Spielverlauf", true, [&] { showTranscript(game, platform); }},
                {"Beenden", true,
                 [&] {
                     if (platform.onQuitKey) platform.onQuitKey();
                 }},
            });
}

void optionsMenu(tgame& game, tterminalplatform& platform, tsettings& settings) {
    runList(
        platform, "Optionen",
        {
            {"Darstellung", menuEnabled(platform, tmenuaction::display),
             [&] { displayOptions(game, platform, settings); }},
            {"F-Tasten", true, [&] { functionKeyOptions(game, platform, settings); }},
            {"Autostart", true, [&] { autostartOption(game, platform, settings); }},
            {"Quelltext compilieren", menuEnabled(platform, tmenuaction::compile),
             [&] { tauthoring(platform, game).compileCommand(); }},
            {"Text extrahieren", true, [&] { tauthoring(platform, game).extractTextCommand(); }},
            {"Grafik kopieren", menuEnabled(platform, tmenuaction::copyPictures),
             [&] { copyPicturesCommand(game, platform); }},
        });
}

void helpMenu(tterminalplatform& platform) {
    runList(platform, "Hilfe",
            {
                {"Men\xFCs und Kommandos", true, [&] { platform.showHelp(); }},
                {"Info", true,
                 [&] {
                     platform.showMessage(tmessagekind::information,
                                          std::string("Velmo Version ") + VELMO_VERSION);
                 }},
            });
}

}  // namespace

void runPlayerMenu(tgame& game, tterminalplatform& platform, tsettings& settings) {
    runList(platform, "Men\xFC",
            {
                {"Datei", true, [&] { fileMenu(game, platform, settings); }},
                {"Optionen", true, [&] { optionsMenu(game, platform, settings); }},
                {"Hilfe", true, [&] { helpMenu(platform); }},
            });
}

}  // namespace velmo
