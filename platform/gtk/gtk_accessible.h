// Screen readers on Linux: the form's accessible tree (forms/accessible.h)
// as ATK objects, which GTK's AT-SPI bridge offers to readers such as Orca.
//
// The menu's window (menuWindowNew) is the frame readers name the window
// by; it paints into a drawing area of our own type (menuAreaNew), whose
// accessible, a GtkWidgetAccessible subclass in the role of a panel without
// a name of its own (the frame's would be spoken twice), has one child per
// control in the form's tree: entries in the role of links, with the action
// "click" (what Enter does) and what they do as their description, texts in
// the role of labels, each named by its caption. Every child is an
// AtkComponent: its extents are its box (a text's, for a label) in screen,
// window or parent coordinates, and the panel finds the child at a point.
// The focus is an entry's or, with no entry focused, the frame's own: one
// focus event names what has it when the form's focus moves, and GTK's own
// report of the area's focus (the window active again, as after a message
// box) goes to it too. While another window of the program is active, no
// object here claims the focus. A caption written with a new text changes
// the child's accessible name; a control joining or leaving the tree joins
// or leaves the panel's children. (The panel does not claim to manage its
// descendants: readers would then not list its few children, and the AT-SPI
// bridge would not pass on their comings and goings.)
//
// A reader's action is answered at once (whether it can run now: not while
// a message box is open) and run from the main loop afterwards, as an event
// of the window: an installer's message box then does not keep the reader's
// call waiting.
#pragma once

#include <gtk/gtk.h>

#include <deque>
#include <vector>

#include "forms/form.h"

namespace platform::gtk {

// What the bridge needs of the window that shows the form.
class AccessibleHost {
public:
    virtual ~AccessibleHost() = default;
    virtual forms::Form& hostedForm() = 0;
    // A rectangle of the client area in the drawing area's coordinates.
    virtual GdkRectangle toArea(const forms::PixelRect& client) const = 0;
    // A point of the drawing area in client-area pixels.
    virtual forms::Point toClient(double areaX, double areaY) const = 0;
    // Runs an entry's default action as an event of the window.
    virtual void runDefaultAction(const forms::Control& entry) = 0;
};

// A new top-level window whose accessible (the frame) reports the focus as
// its own while the window is active and no entry has it.
GtkWidget* menuWindowNew();
// A new drawing area whose accessible serves the tree once a bridge is made
// for it, inside a window made by menuWindowNew.
GtkWidget* menuAreaNew();

class AccessibleBridge {
public:
    // Makes the children for every control the form lists and names the
    // area and its window for readers.
    AccessibleBridge(GtkWidget* area, AccessibleHost& host);
    // As detach().
    ~AccessibleBridge();
    AccessibleBridge(const AccessibleBridge&) = delete;
    AccessibleBridge& operator=(const AccessibleBridge&) = delete;

    // The form's news (forms::AccessibleObserver), as ATK signals.
    void focusChanged(const forms::Control* entry);
    void nameChanged(const forms::Control& child);
    void visibilityChanged(const forms::Control& child, bool visible);

    // The window is going: pending actions are dropped, and the objects that
    // readers may still hold answer as defunct from now on.
    void detach();

    // For the ATK objects (gtk_accessible.cpp).
    int childCount() const;
    AtkObject* visibleChild(int i) const;     // not referenced; nullptr past the end
    int indexInParent(std::size_t item) const;  // -1 while hidden
    const forms::AccessibleNode& node(std::size_t item) const;
    std::string name(std::size_t item) const;
    std::string description(std::size_t item) const;
    void addStates(std::size_t item, AtkStateSet* states) const;
    bool extents(std::size_t item, AtkCoordType type, GdkRectangle& out) const;
    AtkObject* childAtPoint(int x, int y, AtkCoordType type) const;  // not referenced
    // The window itself has the focus: it is active, and no entry has it.
    bool windowItselfFocused() const;
    // Queues an entry's action; false when it cannot run now.
    bool requestAction(std::size_t item);

private:
    bool areaOrigin(AtkCoordType type, int& x, int& y) const;
    bool inTree(std::size_t item) const;
    // The window is the active one: no other (a message box) has the focus.
    bool windowActive() const;
    // The item's place among the children there are now, itself not counted.
    int placeAmongChildren(std::size_t item) const;
    std::size_t itemOf(const forms::Control& c) const;
    static gboolean runQueued(gpointer self);

    GtkWidget* area_;
    AtkObject* panel_;  // the area's accessible, owned by the area
    GtkWidget* window_ = nullptr;  // the area's top-level window
    AtkObject* frame_ = nullptr;   // its accessible, owned by the window
    AtkObject* focusTarget_ = nullptr;  // what has the focus: an entry's item, or the frame
    AccessibleHost& host_;
    std::vector<AtkObject*> items_;  // one per listed control, in the form's order
    std::deque<std::size_t> queued_; // actions waiting for the main loop
    guint idle_ = 0;
};

}  // namespace platform::gtk
