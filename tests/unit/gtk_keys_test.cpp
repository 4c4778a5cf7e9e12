// GTK's key presses as the form's keys: which keys, which modifiers, and
// which presses are a held key's repeats.
#include <gtest/gtest.h>

#include "platform/gtk/gtk_keys.h"

namespace {

using forms::Key;
using platform::gtk::KeyTranslator;

GdkEventKey keyEvent(guint keyval, guint state = 0, guint16 code = 23) {
    GdkEventKey e{};
    e.type = GDK_KEY_PRESS;
    e.keyval = keyval;
    e.state = state;
    e.hardware_keycode = code;
    return e;
}

TEST(GtkKeys, MainKeyboardAndKeypadGiveTheMenusKeys) {
    struct Case {
        guint keyval;
        Key key;
    };
    for (Case c : {Case{GDK_KEY_Tab, Key::Tab}, Case{GDK_KEY_KP_Tab, Key::Tab}, Case{GDK_KEY_Return, Key::Enter},
                   Case{GDK_KEY_KP_Enter, Key::Enter}, Case{GDK_KEY_space, Key::Space},
                   Case{GDK_KEY_Escape, Key::Escape}, Case{GDK_KEY_KP_Up, Key::Up}, Case{GDK_KEY_Down, Key::Down},
                   Case{GDK_KEY_KP_Left, Key::Left}, Case{GDK_KEY_Right, Key::Right}}) {
        KeyTranslator keys;
        auto k = keys.press(keyEvent(c.keyval));
        ASSERT_TRUE(k) << gdk_keyval_name(c.keyval);
        EXPECT_EQ(k->key, c.key) << gdk_keyval_name(c.keyval);
        EXPECT_EQ(k->modifiers, 0);
        EXPECT_FALSE(k->repeat);
    }
}

TEST(GtkKeys, ShiftTabIsTabWithShiftAndOtherKeysAreLeftToGtk) {
    KeyTranslator keys;
    auto back = keys.press(keyEvent(GDK_KEY_ISO_Left_Tab, GDK_SHIFT_MASK));
    ASSERT_TRUE(back);
    EXPECT_EQ(back->key, Key::Tab);
    EXPECT_EQ(back->modifiers, forms::modifier::kShift);
    auto leftTab = keys.press(keyEvent(GDK_KEY_ISO_Left_Tab, 0, 24));
    ASSERT_TRUE(leftTab);
    EXPECT_EQ(leftTab->modifiers, forms::modifier::kShift) << "Left Tab means backwards even as the only key";

    auto ctrlAlt = keys.press(keyEvent(GDK_KEY_Tab, GDK_CONTROL_MASK | GDK_MOD1_MASK, 25));
    ASSERT_TRUE(ctrlAlt) << "the form decides what Ctrl and Alt keys are";
    EXPECT_EQ(ctrlAlt->modifiers, forms::modifier::kControl | forms::modifier::kAlt);

    EXPECT_FALSE(keys.press(keyEvent(GDK_KEY_F4, GDK_MOD1_MASK, 26))) << "Alt+F4 is the window manager's";
    EXPECT_FALSE(keys.press(keyEvent(GDK_KEY_a, 0, 27)));
    EXPECT_FALSE(keys.press(keyEvent(GDK_KEY_Tab, GDK_SUPER_MASK, 28))) << "a desktop shortcut";
}

TEST(GtkKeys, APressOfAKeyStillDownIsARepeatUntilReleasedOrTheWindowLosesTheKeyboard) {
    KeyTranslator keys;
    const GdkEventKey enter = keyEvent(GDK_KEY_Return, 0, 36);
    EXPECT_FALSE(keys.press(enter)->repeat);
    EXPECT_TRUE(keys.press(enter)->repeat);
    EXPECT_FALSE(keys.press(keyEvent(GDK_KEY_Tab, 0, 23))->repeat) << "another key is no repeat";
    EXPECT_TRUE(keys.press(enter)->repeat);
    keys.release(enter);
    EXPECT_FALSE(keys.press(enter)->repeat);
    // A message box opened on this press, and took its release.
    keys.forgetHeldKeys();
    EXPECT_FALSE(keys.press(enter)->repeat);
}

}  // namespace
