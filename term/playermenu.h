#ifndef VELMO_TERM_PLAYERMENU_H
#define VELMO_TERM_PLAYERMENU_H

// The menu of the full-screen terminal player (F12): the desktop player's
// menu commands with their German captions, as lists at the bottom of the
// screen, and the options as simple prompts.

namespace velmo {

class tgame;
class tsettings;
class tterminalplatform;

// Shows the menu and runs the chosen command; returns when it is done or
// the menu was left with Esc.
void runPlayerMenu(tgame& game, tterminalplatform& platform, tsettings& settings);

}  // namespace velmo

#endif
