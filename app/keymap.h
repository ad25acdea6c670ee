#ifndef VELMO_APP_KEYMAP_H
#define VELMO_APP_KEYMAP_H

// One key stroke of Qt as the game logic sees it: the key, the shift
// state and the character it types (Windows-1252), if any.

#include "frontend/platform.h"

class QKeyEvent;

namespace velmo {

struct tkeystroke {
    tkey key = tkey::none;
    tmodifiers modifiers;
    char character = 0;  // 0: the key types nothing
};

tkeystroke keystrokeOf(const QKeyEvent& event);

}  // namespace velmo

#endif
