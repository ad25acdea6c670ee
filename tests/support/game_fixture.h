#ifndef VELMO_TESTS_GAME_FIXTURE_H
#define VELMO_TESTS_GAME_FIXTURE_H

// The front end on the in-memory test host, with a story written to a
// temporary file.

#include <memory>
#include <string>

#include "frontend/game.h"
#include "support/story_files.h"
#include "support/test_platform.h"

namespace velmo::test {

// A small playable story: a garden, the player, an apple and a pear.
// Verbs: "nimm #noun", "iss #held", "schau", "warte" (takes time), "lang"
// (writes 40 lines), "nochmal" (repeats the last input with the pear for
// the apple).
inline const char* const kGardenStory = R"(
verb("nimm #noun",nimm,0);
verb("iss #held",iss,0);
verb("schau",scha,1);
verb("warte",wart,0);
verb("lang",lang,1);
verb("nochmal",noch,1);
verb("taste",tast,1);

int parserError(int code, string word, object obj) {
  write("Fehlercode " + code + " bei " + word + "^");
  return(1);
}

class Ding {
  int onAction(string v) {
    int r = 0;
    if (v == "nimm") { moveto(spieler); addScores(1); write("Du nimmst <den " + this + ">.^"); r = 1; }
    if (v == "iss") { moveto(NULL); write("Du isst <den " + this + ">.^"); r = 1; }
    return(r);
  }
}

class garten { setShort("+Garten"); string StatusLine() { return("Garten"); } }

class spieler {
  setShort("+Spieler");
  moveto(garten);
  int scope(object o) { return(1); }
  int onAction(string v) {
    int r = 1;
    int i;
    if (v == "scha") { write("Ein Garten.^"); }
    if (v == "wart") { write("Du wartest.^"); }
    if (v == "lang") { for (i = 1; i <= 40; i = i + 1) { write("Zeile " + i + "^"); } }
    if (v == "noch") { repeat(apfel, birne); }
    if (v == "tast") { write("Taste " + getKey() + "^"); }
    return(r);
  }
}

class apfel : Ding { setShort("+rot* Apfel"); moveto(garten); }
class birne : Ding { setShort("-Birne"); moveto(garten); }
class geist { }

void main() {
  setPlayer(spieler);
  setTime(600, 10);
  write("Willkommen.^");
}
)";

class GameFixture {
public:
    explicit GameFixture(int32_t columns = 70, int32_t rows = 28) : platform(columns + 2) {
        settings.columns = columns;
        settings.rows = rows;
        game = std::make_unique<tgame>(platform, settings);
    }

    bool open(const std::string& source = kGardenStory,
              const std::string& name = "geschichte.velmo") {
        return game->openStory(files.write(name, source));
    }

    // Types the line at the prompt and presses Enter.
    void enter(const std::string& line) {
        platform.type(line);
        platform.press(tkey::enter);
    }

    // Everything on the screen from the last occurrence of `marker` on.
    std::string after(const std::string& marker) const {
        const std::string all = platform.text();
        const std::size_t at = all.rfind(marker);
        return at == std::string::npos ? std::string() : all.substr(at);
    }

    TestPlatform platform;
    tgamesettings settings;
    StoryFiles files;
    std::unique_ptr<tgame> game;
};

}  // namespace velmo::test

#endif
