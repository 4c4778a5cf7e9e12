// A form: one window and its controls, with the mouse routing and painting
// that every back end shares.
//
// Routing, in the form's client-area pixels:
// - the target of an event is the visible control inside the picture box with
//   the lowest ID whose box holds the point; shapes and hidden controls never
//   take the mouse; where none does, the picture box; outside it, the form;
// - a control with no handler for an event swallows it;
// - from a button going down until the last button comes up, the control that
//   got the down receives every move and up (the platform captures the mouse);
// - a click is a left button going down and up over the same control, raised
//   after its MouseUp;
// - the second left press of a double-click (double_click.h) raises DblClick
//   instead of MouseDown, and its release MouseUp but no Click;
// - the screen follows the pointer's path, not how often it was sampled:
//   when two consecutive positions lie in different controls, every control
//   the straight path between them crosses gets a move, in order, before the
//   new control's (for this menu, the picture box lies between any two
//   entries); a pointer that enters the window, or lies in it when the
//   window first shows (the host then reports a move there), comes in over
//   the picture box, so a control inside it gets a move of the picture box
//   first. A move within one control runs its handler once and nothing
//   else; a move to the position reported last (the pointer standing
//   still) runs nothing, so a press's look stays until the pointer moves;
// - the pointer shown is that of the control the events go to.
//
// Keyboard and readers (keyboard.h, accessible.h). The program lists its
// entries and readable controls once (setAccessibility); the form then
// decides everything a key or a screen reader does, the same on every
// platform. A back end only:
// - translates its key presses into KeyPress and calls keyDown; a key the
//   form does not take (false) goes on to the platform's default handling;
// - draws nothing of its own: the focus rectangle comes through the
//   painter's drawFocusRect, inside paint;
// - maps the accessible tree (accessibleChildren, accessibleName,
//   accessibleDescription, accessibleBox, accessibleAt, accessibleAction,
//   focused) onto its
//   platform's interface, and forwards the AccessibleObserver calls of its
//   FormSite as the platform's notifications. A control's place in
//   accessibleList() never changes, hidden or not: it serves as a stable
//   child id (a hidden control's id is still needed to say that it hid).
//
// The background below is the picture box, the form's first control.
//
// The rules:
// - Before the first key nothing changes: the screen and the events are
//   exactly those of a menu without keyboard support.
// - The focus is one entry or none. Tab, Down and Right move it to the next
//   visible entry (the first, when none has it), Shift+Tab, Up and Left to
//   the previous one (the last, when none has it), round and round.
// - A key moving the focus onto an entry does what the pointer moving from
//   the background onto it does: the background's MouseMove handler runs,
//   then the entry's.
// - Enter and Space raise MouseDown, MouseUp and Click on the focused entry,
//   in that order, as a left click would; with no focus they do nothing.
// - Escape raises the background's MouseMove and clears the focus.
// - The pointer moving over an entry gives it the focus (no handler runs
//   for that but the movement's own); moving over the background clears the
//   focus, since the background's handler has taken every entry out of its
//   hover look. Over any other control the focus stays.
// - Once a key has been taken, the focused entry shows a dotted focus
//   rectangle just around its box (one pixel out, clear of its text), until
//   the program ends.
// - A key is taken but does nothing while a mouse button is held (the
//   press's own control is waiting for its release) and while a handler is
//   running (a modal message box is open in it). A reader's default action
//   is refused at those times.
// - Keys with Ctrl or Alt are not taken: Alt+F4 stays the platform's.
// - The default action of an entry moves the focus there as a key would
//   (when it is elsewhere) and then does what Enter does; it does not show
//   the focus rectangle by itself. A reader can also move the focus alone.
#pragma once

#include <array>
#include <functional>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "forms/accessible.h"
#include "forms/control.h"
#include "forms/double_click.h"
#include "forms/fit.h"
#include "forms/keyboard.h"
#include "forms/painter.h"
#include "forms/runtime_error.h"

namespace forms {

enum class Event { MouseMove, MouseDown, MouseUp, Click, DblClick };
inline constexpr std::size_t kEventCount = 5;

enum class Button { Left = 1, Right = 2, Middle = 4 };

using Handler = std::function<void()>;

// What the form asks of the window that shows it: the host side of the host
// window seam. The AccessibleObserver part is optional.
class FormSite : public AccessibleObserver {
public:
    virtual ~FormSite() = default;
    // Part of the client area must be painted again.
    virtual void invalidate(const PixelRect& rect) = 0;
    // The form was unloaded: destroy the window now; the program ends once
    // the running handler has returned.
    virtual void unload() = 0;
};

// The pointer to show: a standard code, or a custom picture.
struct Cursor {
    int code = pointer::kDefault;
    const Picture* icon = nullptr;  // set only for code 99 with a MouseIcon
    friend bool operator==(const Cursor&, const Cursor&) = default;
};

class Form {
public:
    // Creates the window and its controls in ID order, each control's
    // pictures built by loader. The first control is the picture box that
    // contains all the others.
    Form(const WindowDef& window, std::span<const ControlDef> controls, PictureLoader& loader);
    virtual ~Form();
    Form(const Form&) = delete;
    Form& operator=(const Form&) = delete;

    const WindowDef& window() const { return window_; }
    const std::vector<std::unique_ptr<Control>>& controls() const { return controls_; }
    // The control of that name; a missing one is a fault of the program.
    Control& control(std::string_view name) const;
    Control* controlById(int id) const;

    void attach(FormSite* site) { site_ = site; }
    void on(Control& control, Event event, Handler handler);
    bool hasHandler(const Control& control, Event event) const;

    // Pointer input from the host, in pixels of the client area. A press
    // carries what the platform says about double-clicks; by default it is
    // a single press. A host reports a move where the pointer is when the
    // window first shows, when the pointer enters it, and after a click
    // whose handler may have held the pointer (a modal box): the screen and
    // the pointer then follow its real place.
    void pointerMove(Point p);
    void pointerDown(Point p, Button b, const Press& press = {});
    void pointerUp(Point p, Button b);
    void pointerLeave();

    // A key press from the host; true when the form took it, false when
    // the platform should handle it as it would for any window.
    bool keyDown(const KeyPress& key);
    // The entry with the keyboard focus; nullptr for none.
    const Control* focused() const { return focus_; }
    // Whether the focused entry shows its focus rectangle: once a key has
    // been taken.
    bool focusCuesShown() const { return focusCues_; }
    // Where an entry's focus rectangle lies: one pixel around its box.
    PixelRect focusRect(const Control& entry) const;
    // Shows the focus rectangle from now on, as a key would, without moving
    // the focus: for a platform that tells the window to show keyboard cues
    // (the user's setting to show them always, or its own keyboard use).
    void showFocusCues();

    // The accessible tree: the window's name, and the controls to show, in
    // reading order. Call once, before the first event; a name the form does
    // not have is a fault of the program.
    void setAccessibility(std::string windowName, std::span<const AccessibleDef> tree);
    const std::string& accessibleName() const { return accessibleName_; }
    // Every listed control, visible or not, in the program's order.
    std::span<const AccessibleNode> accessibleList() const { return nodes_; }
    // The children now: the listed controls that are visible, in order.
    std::vector<AccessibleNode> accessibleChildren() const;
    // The node of a listed control, visible or not; nullptr for one not listed.
    const AccessibleNode* accessibleNode(const Control& c) const;
    // Whether a listed control is a child now: visible, and for a label a
    // caption with something to read.
    bool inAccessibleTree(const Control& c) const;
    // A child's name: its caption as drawn.
    std::string accessibleName(const Control& c) const;
    // What an entry does, read after its name: its texts and the captions
    // of the controls that describe it, as drawn, each trimmed, joined as
    // sentences; empty for a control without one.
    std::string accessibleDescription(const Control& c) const;
    // A child's box in client-area pixels: for a text the box its text
    // covers (as the window lays it out), for an entry what it shows of
    // itself.
    PixelRect accessibleBox(const Control& c) const;
    // The child at a point of the client area; nullptr where the window
    // itself is (the background, pictures, or outside the picture box).
    const Control* accessibleAt(Point p) const;
    // Whether c has a default action that can run now: it is a visible
    // entry, and no button is held, no handler is running, the form is
    // loaded. A back end that runs the action later (outside a reader's
    // call) answers the reader with this.
    bool accessibleActionAvailable(const Control& c) const;
    // An entry's default action; false, doing nothing, when it is not
    // available.
    bool accessibleAction(const Control& c);
    // A reader moves the keyboard focus to an entry, as a key would (the
    // background's then the entry's MouseMove, when it is elsewhere), under
    // the same conditions as the default action; false, doing nothing, when
    // they do not hold.
    bool accessibleFocus(const Control& c);

    // The control under p that events go to; nullptr for the form itself.
    Control* hitTest(Point p) const;
    // The pointer for the last position the host reported.
    Cursor cursor() const;

    // Paints everything that lies in dirty, bottom to top.
    void paint(Painter& painter, const PixelRect& dirty) const;
    // A control's box in client-area pixels.
    PixelRect pixelBox(const Control& c) const;
    // What the control shows of its box: the box clipped by its container.
    PixelRect visibleBox(const Control& c) const;
    // The client area the layout needs, in layout pixels: from the client
    // area's corner to the picture box's far corner (fit.h fits it to the
    // monitor).
    Size layoutSize() const;

    // Destroys the window; events after it are ignored.
    void unload();
    bool unloaded() const { return unloaded_; }

    // The window is being closed by something other than the form's own code
    // (a close request, the session ending, a signal). The default unloads.
    virtual void closeRequested();

    // Called by properties of this form's controls.
    void propertyChanged(Control& c, PropertyId id, const PixelRect& boxBefore);

protected:
    // An untrapped run-time error in a handler. The default unloads the form.
    virtual void onUnhandledError(const RuntimeError& e);

private:
    void raise(Control* target, Event event);
    void invalidate(const PixelRect& rect);
    Control* pointerTarget(Point p) const;
    // Moves over what lies between two positions in different controls
    // (the rule above); returns the last control on the way that moves the
    // keyboard focus (the picture box or an entry), or nullptr.
    Control* moveAlong(Point from, Point to);
    // Whether a move over c moves the keyboard focus.
    bool movesFocus(const Control* c) const;
    std::size_t indexOf(const Control& c) const;

    // Keyboard focus (keyboard.cpp).
    bool inputBlocked() const;
    Control* nextEntry(int step) const;
    void focusByKey(Control* entry);
    void activate(Control& entry);
    void setFocus(Control* entry);
    void invalidateFocus();
    void pointerMovedOver(Control* target);
    // Tells the observer about a property change of a listed control.
    void notifyAccessible(Control& c, PropertyId id);
    // How a label's text is drawn.
    TextStyle textStyle(const Control& label) const;

    WindowDef window_;
    std::vector<std::unique_ptr<Picture>> pictures_;
    std::vector<std::unique_ptr<Control>> controls_;
    std::vector<std::array<Handler, kEventCount>> handlers_;  // by control index
    FormSite* site_ = nullptr;
    bool unloaded_ = false;

    Control* capture_ = nullptr;  // the control that got the first button down
    int buttonsDown_ = 0;
    bool leftDownOnCapture_ = false;  // a left press that may still become a click
    DoubleClickTracker clicks_;
    bool pointerInside_ = false;
    Point lastPoint_{};
    std::vector<PixelRect> walkBoxes_;  // moveAlong's, kept to spare an allocation a walk
    int running_ = 0;  // handlers running now: more than zero inside a modal box

    std::string accessibleName_;
    std::vector<AccessibleNode> nodes_;    // in reading order
    std::vector<int> nodeOf_;              // by control index: its node, or -1
    std::vector<unsigned char> inTree_;    // by node: a child as the observer last heard
    std::vector<Control*> entries_;        // the focus order
    Control* focus_ = nullptr;
    bool focusCues_ = false;
};

}  // namespace forms
