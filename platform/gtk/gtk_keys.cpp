#include "platform/gtk/gtk_keys.h"

namespace platform::gtk {

namespace {

struct KeyName {
    guint keyval;
    forms::Key key;
};

// Shift+Tab arrives as ISO_Left_Tab (with Shift held); the keypad's keys
// have names of their own.
constexpr KeyName kKeys[] = {
    {GDK_KEY_Tab, forms::Key::Tab},        {GDK_KEY_KP_Tab, forms::Key::Tab},
    {GDK_KEY_ISO_Left_Tab, forms::Key::Tab}, {GDK_KEY_Return, forms::Key::Enter},
    {GDK_KEY_KP_Enter, forms::Key::Enter}, {GDK_KEY_ISO_Enter, forms::Key::Enter},
    {GDK_KEY_space, forms::Key::Space},    {GDK_KEY_KP_Space, forms::Key::Space},
    {GDK_KEY_Escape, forms::Key::Escape},  {GDK_KEY_Left, forms::Key::Left},
    {GDK_KEY_KP_Left, forms::Key::Left},   {GDK_KEY_Up, forms::Key::Up},
    {GDK_KEY_KP_Up, forms::Key::Up},       {GDK_KEY_Right, forms::Key::Right},
    {GDK_KEY_KP_Right, forms::Key::Right}, {GDK_KEY_Down, forms::Key::Down},
    {GDK_KEY_KP_Down, forms::Key::Down},
};

constexpr guint kDesktopModifiers = GDK_SUPER_MASK | GDK_HYPER_MASK | GDK_META_MASK | GDK_MOD4_MASK;

}  // namespace

std::optional<forms::KeyPress> KeyTranslator::press(const GdkEventKey& e) {
    const bool repeat = !down_.insert(e.hardware_keycode).second;
    if (e.state & kDesktopModifiers) return std::nullopt;
    for (const KeyName& k : kKeys) {
        if (k.keyval != e.keyval) continue;
        int modifiers = 0;
        if ((e.state & GDK_SHIFT_MASK) || e.keyval == GDK_KEY_ISO_Left_Tab) modifiers |= forms::modifier::kShift;
        if (e.state & GDK_CONTROL_MASK) modifiers |= forms::modifier::kControl;
        if (e.state & GDK_MOD1_MASK) modifiers |= forms::modifier::kAlt;
        return forms::KeyPress{k.key, modifiers, repeat};
    }
    return std::nullopt;
}

}  // namespace platform::gtk
