#include "frontend/savemessages.h"

#include <filesystem>
#include <system_error>

#include "base/wstrlib.h"

namespace velmo {

namespace {

// German quotation marks in Windows-1252.
std::string quoted(const std::string& text) { return "\x84" + text + "\x93"; }

std::string reasonText(trestorereason reason, const std::string& file, const std::string& story) {
    switch (reason) {
    case trestorereason::missing: return "Die Datei " + quoted(file) + " gibt es nicht.";
    case trestorereason::unreadable:
        return "Die Datei " + quoted(file) + " l\xE4sst sich nicht lesen.";
    case trestorereason::notSaved: return "Die Datei " + quoted(file) + " ist kein Spielstand.";
    case trestorereason::damaged:
        return "Die Datei " + quoted(file) +
               " ist besch\xE4"
               "digt oder unvollst\xE4ndig.";
    case trestorereason::otherStory:
        return "Der Spielstand geh\xF6rt zur Geschichte " + quoted(baseFileName(story)) + ".";
    case trestorereason::otherVersion:
        return "Der Spielstand passt nicht zu dieser Fassung der Geschichte.";
    case trestorereason::storyNotLoaded:
        return "Die Geschichte " + quoted(story) + " l\xE4sst sich nicht laden.";
    }
    return std::string();
}

}  // namespace

std::string restoreFailureText(int number, trestorereason reason, const std::string& file,
                               const std::string& story) {
    return "Spielstand dieser Datei kann nicht wiederhergestellt werden (" +
           std::to_string(number) + "): " + reasonText(reason, file, story);
}

trestorereason countMismatchReason(const std::string& savedStory, const std::string& openStory) {
    return baseFileName(savedStory) == baseFileName(openStory) ? trestorereason::otherVersion
                                                               : trestorereason::otherStory;
}

std::string saveFailureText(const std::string& path) {
    namespace fs = std::filesystem;
    std::error_code error;
    const fs::path target(path);
    const fs::path folder = target.parent_path();
    std::string why;
    if (!folder.empty() && !fs::is_directory(folder, error))
        why = "Den Ordner " + quoted(folder.string()) + " gibt es nicht.";
    else if (fs::is_directory(target, error))
        why = quoted(path) + " ist ein Ordner.";
    else
        why = "Die Datei " + quoted(path) + " l\xE4sst sich dort nicht schreiben.";
    return "Spielstand kann nicht gespeichert werden: " + why;
}

std::string savedText(const std::string& path) {
    return "Spielstand " + quoted(path) + " gespeichert.";
}

std::string restoredText(const std::string& path) {
    return "Spielstand " + quoted(path) + " geladen.";
}

}  // namespace velmo
