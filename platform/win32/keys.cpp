#include "platform/win32/keys.h"

namespace platform::win32 {

namespace {

struct KeyOf {
    WPARAM virtualKey;
    forms::Key key;
};

// The numeric keypad's Enter is VK_RETURN too, and its arrows with Num Lock
// off are the arrow keys: one entry each serves both.
constexpr KeyOf kKeys[] = {
    {VK_TAB, forms::Key::Tab},       {VK_RETURN, forms::Key::Enter}, {VK_SPACE, forms::Key::Space},
    {VK_ESCAPE, forms::Key::Escape}, {VK_LEFT, forms::Key::Left},    {VK_UP, forms::Key::Up},
    {VK_RIGHT, forms::Key::Right},   {VK_DOWN, forms::Key::Down},
};

bool held(int virtualKey) { return (GetKeyState(virtualKey) & 0x8000) != 0; }

}  // namespace

bool keyPressOf(WPARAM virtualKey, LPARAM keyData, forms::KeyPress& press) {
    for (const KeyOf& k : kKeys) {
        if (k.virtualKey != virtualKey) continue;
        press.key = k.key;
        // The state of the modifiers as of this message, not of the keyboard now.
        press.modifiers = (held(VK_SHIFT) ? forms::modifier::kShift : 0) |
                          (held(VK_CONTROL) ? forms::modifier::kControl : 0) |
                          (held(VK_MENU) || (keyData & (1L << 29)) ? forms::modifier::kAlt : 0);
        press.repeat = (keyData & (1L << 30)) != 0;  // the key was already down
        return true;
    }
    return false;
}

}  // namespace platform::win32
