// The host window on Linux: one form on an undecorated GTK 3 window.
//
// The window is shown maximized and fullscreen and, where no window manager
// sizes it (a bare X server), sized to its monitor. A one-pixel frame in the window
// frame colour surrounds the form's client area, which therefore starts one
// pixel in from the window's corner. Only the rectangles the form invalidates
// are painted again. Pointer events reach the form in client-area pixels, and
// after every event the pointer shows what the form asks for. The window
// cannot be minimised: it comes back at once (the panel it would be restored
// from is hidden). Keys reach the form as its own (gtk_keys.h); keys it
// does not take go on to GTK. Screen readers see the form's accessible tree
// through AT-SPI (gtk_accessible.h).
//
// GTK measures the window in its own pixels, each of which covers as many
// device pixels as the window's scale factor says (2 where GDK_SCALE=2 or
// the desktop is set to 200 %). The form is drawn at that scale, or less
// where its layout would not fit the monitor at it (forms/fit.h: a
// 1024x768 screen at scale 2 draws it at about 1.6), always at device
// resolution; pointer positions, repaints, readers' boxes and the hand
// pointer's size follow the same scale. The window follows a change of the
// scale factor or of the screen while it runs. Where the pointer lies when
// the window appears or the pointer enters it, and after a click (whose
// handler may have held it in a message box), is reported to the form as a
// move.
#pragma once

#include <gtk/gtk.h>

#include <memory>

#include "forms/form.h"
#include "platform/cairo/cairo_painter.h"
#include "platform/gtk/gtk_accessible.h"
#include "platform/gtk/gtk_cursors.h"
#include "platform/gtk/gtk_keys.h"

namespace platform::gtk {

class GtkHostWindow final : public forms::FormSite, private AccessibleHost {
public:
    // Creates the window (not yet shown) and attaches it to form.
    explicit GtkHostWindow(forms::Form& form);
    ~GtkHostWindow() override;
    GtkHostWindow(const GtkHostWindow&) = delete;
    GtkHostWindow& operator=(const GtkHostWindow&) = delete;

    // Shows the window maximized and covering its monitor.
    void show();
    // The toplevel, to own dialogs; nullptr once the window is gone.
    GtkWindow* gtkWindow() const { return window_ ? GTK_WINDOW(window_) : nullptr; }

    void invalidate(const forms::PixelRect& rect) override;
    // Destroys the window now and ends the main loop once the running
    // handler has returned.
    void unload() override;

    // The form's news for readers, passed on to AT-SPI.
    void focusChanged(const forms::Control* entry) override;
    void nameChanged(const forms::Control& child) override;
    void visibilityChanged(const forms::Control& child, bool visible) override;
    // Text laid out as the window paints it.
    forms::PixelRect textBounds(const std::string& text, const forms::PixelRect& box,
                                const forms::TextStyle& style) const override {
        return platform::cairo::textBounds(text, box, style);
    }

    // The width of the frame around the client area, in pixels.
    static constexpr int kBorder = 1;

private:
    static gboolean onDraw(GtkWidget*, cairo_t* cr, gpointer self);
    static gboolean onMotion(GtkWidget*, GdkEventMotion* e, gpointer self);
    static gboolean onButton(GtkWidget*, GdkEventButton* e, gpointer self);
    static gboolean onLeave(GtkWidget*, GdkEventCrossing* e, gpointer self);
    static gboolean onEnter(GtkWidget*, GdkEventCrossing* e, gpointer self);
    static gboolean onMap(GtkWidget*, GdkEvent*, gpointer self);
    static void onScreenChanged(GdkScreen*, gpointer self);
    static gboolean onKey(GtkWidget*, GdkEventKey* e, gpointer self);
    static gboolean onFocusOut(GtkWidget*, GdkEventFocus*, gpointer self);
    static gboolean onDelete(GtkWidget*, GdkEvent*, gpointer self);
    static gboolean onWindowState(GtkWidget*, GdkEventWindowState* e, gpointer self);
    static void onDestroy(GtkWidget*, gpointer self);
    static void onScaleChanged(GObject*, GParamSpec*, gpointer self);

    // The monitor the window is on, or the display's first; nullptr when
    // the display has none.
    GdkMonitor* monitor() const;
    // Sizes the window to its monitor, whose size in GTK's pixels depends
    // on the scale factor.
    void coverMonitor();
    // Asks the window manager or compositor to let the window cover its
    // monitor, above the panels.
    void coverPanels();
    // The scale the form is drawn at, for the scale factor and the monitor
    // now; draws everything again when it changed.
    void fit();
    // GTK's scale factor of the window.
    int windowScale() const;
    // Reports where the pointer is now, when it is over the window.
    void followPointer();
    void paint(cairo_t* cr);
    void paintFrame(cairo_t* cr);
    // Runs one event into the form; a fault other than the form's own
    // run-time errors closes the window the way a close request would.
    template <class F>
    void deliver(F&& f);
    void updateCursor();

    // AccessibleHost
    forms::Form& hostedForm() override { return form_; }
    GdkRectangle toArea(const forms::PixelRect& client) const override;
    forms::Point toClient(double areaX, double areaY) const override;
    void runDefaultAction(const forms::Control& entry) override;

    forms::Form& form_;
    GtkWidget* window_ = nullptr;
    GtkWidget* area_ = nullptr;
    GdkScreen* screen_ = nullptr;  // outlives the window; told of size changes
    CursorCache cursors_;
    double scale_ = 1;  // device pixels per layout pixel of the form
    forms::Cursor shown_{};
    double shownScale_ = 0;  // the scale shown_ was made for
    KeyTranslator keys_;
    std::unique_ptr<AccessibleBridge> readers_;
};

}  // namespace platform::gtk
