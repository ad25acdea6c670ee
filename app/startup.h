#ifndef VELMO_APP_STARTUP_H
#define VELMO_APP_STARTUP_H

// Start-up of the desktop player, in the order the terminal player
// follows: the options of velmo.ini (on a first start its folder and the
// default file are created), handed to the game, then the story named on
// the command line or else the autoload story of the options.

#include <string>

namespace velmo {

class tmainwindow;

// `argument` is the story named on the command line (may be empty).
void startPlayer(tmainwindow& window, const std::string& argument);

}  // namespace velmo

#endif
