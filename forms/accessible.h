// What a form shows to screen readers, and how it tells a back end about
// changes. The tree itself is platform-neutral: a back end maps it onto its
// platform's accessibility interface (MSAA on Windows, ATK/AT-SPI on Linux)
// and reads everything from the form (form.h, "Keyboard and readers").
//
// The tree is flat: the window, named by Form::accessibleName(), with the
// controls the program lists (AccessibleDef, in reading order) as children.
// A listed control is a child only while it is visible and has something to
// read: a label whose caption is empty or blank is left out, as a reader
// would otherwise announce an unnamed "label" over whatever lies beneath
// it. Every child has a role, a name (its caption as drawn: "&&" is one
// "&", an access-key "&" is dropped) and a box (for a text, the box its
// text covers; for an entry its visible box; in client-area pixels). The
// children whose definition says `entry` take the keyboard focus, in the
// order of the list, have a default action, which does what Enter does,
// and a description: what the entry does, read after its name.
#pragma once

#include <span>
#include <string>

#include "forms/geometry.h"
#include "forms/painter.h"

namespace forms {

class Control;

enum class AccessibleRole {
    StaticText,  // text to read: a label
    Link,        // an entry that does something when activated
};

// One line of the program's list: which control, its role, whether it is
// an entry, and what it does: texts, then the captions of controls (by
// name), joined into one description in that order.
struct AccessibleDef {
    const char* control;  // the control's name
    AccessibleRole role;
    bool entry = false;
    std::span<const char* const> description = {};
    std::span<const char* const> describedBy = {};
};

// A child of the tree as the back end reads it.
struct AccessibleNode {
    const Control* control = nullptr;
    AccessibleRole role = AccessibleRole::StaticText;
    bool entry = false;
    std::span<const char* const> description = {};
    std::span<const char* const> describedBy = {};  // control names, checked by setAccessibility
};

// What the form tells the window that shows it about the tree, and the one
// thing it asks of it (textBounds); part of the host window seam (FormSite).
// Each call of news comes once per real change, after the change, possibly
// in the middle of a handler: an observer only records or forwards it and
// must not call back into the form's input functions. The defaults ignore
// the news, for back ends without a reader bridge.
class AccessibleObserver {
public:
    virtual ~AccessibleObserver() = default;
    // The keyboard focus moved to this entry; nullptr: to no entry (the
    // window itself has the focus).
    virtual void focusChanged(const Control* /*entry*/) {}
    // The name of a visible child changed (its caption was written with a
    // new text).
    virtual void nameChanged(const Control& /*child*/) {}
    // A listed control joined the tree (it was shown, or its caption now
    // has something to read) or left it.
    virtual void visibilityChanged(const Control& /*child*/, bool /*visible*/) {}
    // Where text drawn in box with style lies, as the window's painter would
    // lay it out (wrapped, aligned); by default the whole box. A label's
    // place for readers is its text's box.
    virtual PixelRect textBounds(const std::string& /*text*/, const PixelRect& box, const TextStyle& /*style*/) const {
        return box;
    }
};

}  // namespace forms
