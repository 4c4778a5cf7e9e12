// The keys the form answers, in the same terms on every platform.
//
// A back end translates its platform's key presses into a KeyPress and hands
// it to Form::keyDown; keys that are not listed here never reach the form,
// and the back end leaves them to its platform (Alt+F4 closes the window as
// it always has). Key releases are not needed: everything happens on the
// press.
//
//   Tab, Down, Right        the keyboard focus to the next entry, round again
//   Shift+Tab, Up, Left     to the previous one
//   Enter, Space            a click on the focused entry
//   Escape                  the menu as a movement over the background leaves
//                           it, and no focus
//
// The numeric keypad's Enter is Enter; its arrows (with Num Lock off) are
// arrows. Shift changes only Tab. A key held down repeats: a repeated Tab or
// arrow moves on again, a repeated Enter, Space or Escape does nothing, so a
// key held a little too long starts one installer, not twenty.
#pragma once

namespace forms {

enum class Key { Tab, Enter, Space, Escape, Left, Up, Right, Down };

namespace modifier {
inline constexpr int kShift = 1;
inline constexpr int kControl = 2;
inline constexpr int kAlt = 4;
}  // namespace modifier

struct KeyPress {
    Key key = Key::Tab;
    int modifiers = 0;    // modifier:: bits held with the key
    bool repeat = false;  // sent by the key's auto-repeat, not a new press
};

}  // namespace forms
