// Saved games: where saving and restoring start. The ".memo" file itself
// is written and read by the saved-game module that follows; until then
// saving only checks that there is a game to save, and restoring acts as
// if its dialog had been cancelled.

#include "frontend/game.h"

namespace velmo {

void tgame::saveGame() {
    if (!storyOpen()) return;
    if (history.empty()) {
        platform.showMessage(tmessagekind::information,
                             "Ein Spielstand kann erst nach der ersten Eingabe gespeichert werden.");
        return;
    }
    saveDone = true;
}

void tgame::restoreGame() {
    if (storyOpen()) writeText("^>");
}

} // namespace velmo
