// Screen readers on Linux: the form's accessible tree (forms/accessible.h)
// as ATK objects, which GTK's AT-SPI bridge offers to readers such as Orca.
//
// The window paints into a drawing area of our own type (menuAreaNew). Its
// accessible, a GtkWidgetAccessible subclass in the role of a panel named
// like the window, has one child per control the form lists, present while
// the control is visible: entries in the role of links, with the action
// "click" (what Enter does), texts in the role of labels, each named by its
// caption. Every child is an AtkComponent: its extents are its box in
// screen, window or parent coordinates, and the panel finds the child at a
// point. When the form's keyboard focus moves, the entries' FOCUSED states
// change; a caption written with a new text changes the child's accessible
// name; a control shown or hidden joins or leaves the panel's children. (The
// panel does not claim to manage its descendants: readers would then not
// list its few children, and the AT-SPI bridge would not pass on their
// comings and goings.)
//
// A reader's action is answered at once (whether it can run now) and run
// from the main loop afterwards, as an event of the window: an installer's
// message box then does not keep the reader's call waiting.
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

// A new drawing area whose accessible serves the tree once a bridge is made
// for it.
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
    void addStates(std::size_t item, AtkStateSet* states) const;
    bool extents(std::size_t item, AtkCoordType type, GdkRectangle& out) const;
    AtkObject* childAtPoint(int x, int y, AtkCoordType type) const;  // not referenced
    // Queues an entry's action; false when it cannot run now.
    bool requestAction(std::size_t item);

private:
    bool areaOrigin(AtkCoordType type, int& x, int& y) const;
    std::size_t itemOf(const forms::Control& c) const;
    static gboolean runQueued(gpointer self);

    GtkWidget* area_;
    AtkObject* panel_;  // the area's accessible, owned by the area
    AccessibleHost& host_;
    std::vector<AtkObject*> items_;  // one per listed control, in the form's order
    int focused_ = -1;               // the item with the FOCUSED state, or -1
    std::deque<std::size_t> queued_; // actions waiting for the main loop
    guint idle_ = 0;
};

}  // namespace platform::gtk
