// GTK key presses as the form's keys (forms/keyboard.h).
//
// Only the keys the menu answers are translated, from the main keyboard and
// the numeric keypad alike; anything else, and any key held with the Super,
// Hyper or Meta key (the desktop's own shortcuts), is left to GTK and the
// window manager. GDK reports a held key's repeats as further presses
// without releases, so a press of a key that is down already is a repeat.
#pragma once

#include <gtk/gtk.h>

#include <optional>
#include <set>

#include "forms/keyboard.h"

namespace platform::gtk {

class KeyTranslator {
public:
    // The form's key for a press, or nothing for a key that is not the menu's.
    std::optional<forms::KeyPress> press(const GdkEventKey& e);
    void release(const GdkEventKey& e) { down_.erase(e.hardware_keycode); }
    // The window lost the keyboard: releases may go elsewhere now (to a
    // message box that opened on a press), so nothing counts as held.
    void forgetHeldKeys() { down_.clear(); }

private:
    std::set<guint16> down_;  // hardware key codes pressed and not yet released
};

}  // namespace platform::gtk
