#ifndef VELMO_FRONTEND_SAVEMESSAGES_H
#define VELMO_FRONTEND_SAVEMESSAGES_H

// What saving and restoring tell the player. A refused restore keeps its
// numbered message and adds one plain sentence that says why: the file
// is missing, is no saved game, belongs to another story, or is damaged.
// A failed save says what stood in the way. File names are shown as
// chosen, without markup, so a name may hold any character.

#include <string>

namespace velmo {

// Why a saved game could not be restored.
enum class trestorereason {
    missing,         // no file of that name
    unreadable,      // the file exists but cannot be read
    notSaved,        // the file does not begin like a saved game
    damaged,         // cut short or holding values that do not fit
    otherStory,      // saved from another story
    otherVersion,    // saved from this story, but its node list differs
    storyNotLoaded,  // the saved game's story cannot be loaded
};

// "Spielstand dieser Datei kann nicht wiederhergestellt werden (n): "
// followed by the sentence for the reason. `file` is the saved game as
// chosen, `story` the story path it names.
std::string restoreFailureText(int number, trestorereason reason, const std::string& file,
                               const std::string& story);

// The reason for a restore refused because the node count differs: the
// same story name means another version of it.
trestorereason countMismatchReason(const std::string& savedStory, const std::string& openStory);

// "Spielstand kann nicht gespeichert werden: " and what stood in the way
// of writing `path` (a missing folder, a folder of that name, or the
// file itself).
std::string saveFailureText(const std::string& path);

std::string savedText(const std::string& path);     // the game was saved
std::string restoredText(const std::string& path);  // the game was restored

}  // namespace velmo

#endif
