#ifndef VELMO_TERM_TRANSCRIPTVIEW_H
#define VELMO_TERM_TRANSCRIPTVIEW_H

// "&Spielverlauf" in the terminal player: the transcript full screen, to
// be scrolled and read. "s" is the transcript's "Speichern" (the screen
// text, as "Text speichern"), "l" its "Löschen", F1 its help page; Esc or
// "q" go back to the game.

namespace velmo {

class tgame;
class tterminalplatform;

void showTranscript(tgame& game, tterminalplatform& platform);

}  // namespace velmo

#endif
