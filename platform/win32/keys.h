// The keys of the keyboard as the form takes them: a WM_KEYDOWN or
// WM_SYSKEYDOWN becomes a forms::KeyPress when its virtual key is one the
// form answers; every other key stays the system's (Alt+F4 closes the
// window through the default window procedure, as in any window).
#pragma once

#include <windows.h>

#include "forms/keyboard.h"

namespace platform::win32 {

// The form's key for a key-down message's wParam and lParam, with the
// modifiers held now and whether it is the key's auto-repeat; false for a
// key the form does not know.
bool keyPressOf(WPARAM virtualKey, LPARAM keyData, forms::KeyPress& press);

}  // namespace platform::win32
