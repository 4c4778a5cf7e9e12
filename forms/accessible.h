// What a form shows to screen readers, and how it tells a back end about
// changes. The tree itself is platform-neutral: a back end maps it onto its
// platform's accessibility interface (MSAA on Windows, ATK/AT-SPI on Linux)
// and reads everything from the form (form.h, "Keyboard and readers").
//
// The tree is flat: the window, named by Form::accessibleName(), with the
// controls the program lists (AccessibleDef, in reading order) as children.
// A listed control is a child only while it is visible; every child has a
// role, a name (its caption as drawn: "&&" is one "&", an access-key "&"
// is dropped) and a box (its visible box in client-area pixels). The
// children whose definition says `entry` take the keyboard focus, in the
// order of the list, and have a default action, which does what Enter does.
#pragma once

namespace forms {

class Control;

enum class AccessibleRole {
    StaticText,  // text to read: a label
    Link,        // an entry that does something when activated
};

// One line of the program's list: which control, its role, and whether it
// is an entry.
struct AccessibleDef {
    const char* control;  // the control's name
    AccessibleRole role;
    bool entry = false;
};

// A child of the tree as the back end reads it.
struct AccessibleNode {
    const Control* control = nullptr;
    AccessibleRole role = AccessibleRole::StaticText;
    bool entry = false;
};

// What the form tells the window that shows it about the tree; part of the
// host window seam (FormSite). Each call comes once per real change, after
// the change, possibly in the middle of a handler: an observer only records
// or forwards it and must not call back into the form's input functions.
// The defaults ignore the news, for back ends without a reader bridge.
class AccessibleObserver {
public:
    virtual ~AccessibleObserver() = default;
    // The keyboard focus moved to this entry; nullptr: to no entry (the
    // window itself has the focus).
    virtual void focusChanged(const Control* /*entry*/) {}
    // The name of a visible child changed (its caption was written with a
    // new text).
    virtual void nameChanged(const Control& /*child*/) {}
    // A listed control was shown (it joined the tree) or hidden (it left).
    virtual void visibilityChanged(const Control& /*child*/, bool /*visible*/) {}
};

}  // namespace forms
