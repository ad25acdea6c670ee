#include "app/keymap.h"

#include <QKeyEvent>

#include "app/textcodec.h"

namespace velmo {

namespace {

tkey keyOf(int qtKey) {
    switch (qtKey) {
    case Qt::Key_Return:
    case Qt::Key_Enter: return tkey::enter;
    case Qt::Key_Escape: return tkey::escape;
    case Qt::Key_Backspace: return tkey::backspace;
    case Qt::Key_Delete: return tkey::del;
    case Qt::Key_Left: return tkey::left;
    case Qt::Key_Right: return tkey::right;
    case Qt::Key_Up: return tkey::up;
    case Qt::Key_Down: return tkey::down;
    case Qt::Key_Home: return tkey::home;
    case Qt::Key_End: return tkey::end;
    case Qt::Key_PageUp: return tkey::pageUp;
    case Qt::Key_PageDown: return tkey::pageDown;
    case Qt::Key_Insert: return tkey::insert;
    case Qt::Key_F1: return tkey::f1;
    case Qt::Key_F2: return tkey::f2;
    case Qt::Key_F3: return tkey::f3;
    case Qt::Key_F4: return tkey::f4;
    case Qt::Key_F5: return tkey::f5;
    case Qt::Key_F6: return tkey::f6;
    case Qt::Key_F7: return tkey::f7;
    case Qt::Key_F8: return tkey::f8;
    case Qt::Key_F9: return tkey::f9;
    case Qt::Key_F10: return tkey::f10;
    default: return tkey::other;
    }
}

}  // namespace

tkeystroke keystrokeOf(const QKeyEvent& event) {
    tkeystroke stroke;
    const int qtKey = event.key();
    const Qt::KeyboardModifiers mods = event.modifiers();
    stroke.key = keyOf(qtKey);
    stroke.modifiers.shift = mods.testFlag(Qt::ShiftModifier);
    stroke.modifiers.ctrl = mods.testFlag(Qt::ControlModifier);
    stroke.modifiers.alt = mods.testFlag(Qt::AltModifier);

    if (stroke.key == tkey::backspace) {
        stroke.character = 8;
    } else if (stroke.modifiers.ctrl && !stroke.modifiers.alt && qtKey >= Qt::Key_A &&
               qtKey <= Qt::Key_Z) {
        // Ctrl+letter types its control character (Ctrl+S is 19), whatever
        // text the keyboard layout reports for it.
        stroke.character = static_cast<char>(qtKey - Qt::Key_A + 1);
    } else if (stroke.key == tkey::other && !event.text().isEmpty()) {
        const std::string typed = toCp1252(event.text().left(1));
        if (!typed.empty() && static_cast<unsigned char>(typed[0]) >= 0x20)
            stroke.character = typed[0];
    }
    return stroke;
}

}  // namespace velmo
