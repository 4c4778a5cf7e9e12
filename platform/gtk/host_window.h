// Runs one form on a GTK window: an undecorated top-level window, shown
// maximized (and sized to the monitor where no window manager maximizes it),
// with a one-pixel border that the window draws itself around the form's
// client area.
//
// What it promises the form: only the invalidated parts are painted, through
// the cairo painter; pointer motion, button presses and releases of the
// left, middle and right buttons, and the pointer leaving arrive as the
// form's pointer events in client-area pixels (the pointer entering counts
// as a move to where it entered); the pointer shown after each event is the
// one the form asks for. A close request of the window manager (the close
// button, Alt+F4) goes to Form::closeRequested. When the form unloads, the
// window is destroyed at once and run() returns once the running handler
// has.
#pragma once

#include <gtk/gtk.h>

#include <memory>

#include "forms/form.h"
#include "platform/gtk/cursors.h"

namespace platform::gtk {

class HostWindow final : public forms::FormSite {
public:
    // The window for form, not yet shown; the form is attached to it.
    explicit HostWindow(forms::Form& form);
    ~HostWindow() override;
    HostWindow(const HostWindow&) = delete;
    HostWindow& operator=(const HostWindow&) = delete;

    // The GTK window, null once destroyed.
    GtkWindow* window() const { return window_ ? GTK_WINDOW(window_) : nullptr; }

    // Shows the window maximized over the primary monitor.
    void show();
    // Runs the main loop until the form has unloaded.
    void run();

    void invalidate(const forms::PixelRect& rect) override;
    void unload() override;

    // The frame: client-area pixels start this far in from the window's corner.
    static constexpr int kBorder = 1;

private:
    static gboolean onDraw(GtkWidget* widget, cairo_t* cr, gpointer self);
    static gboolean onMotion(GtkWidget* widget, GdkEventMotion* event, gpointer self);
    static gboolean onButton(GtkWidget* widget, GdkEventButton* event, gpointer self);
    static gboolean onCrossing(GtkWidget* widget, GdkEventCrossing* event, gpointer self);
    static gboolean onDelete(GtkWidget* widget, GdkEvent* event, gpointer self);
    static void onDestroy(GtkWidget* widget, gpointer self);

    void paint(cairo_t* cr, const forms::PixelRect& area);
    // Runs one piece of the form's event handling; a fault that escapes it
    // closes the menu in order instead of unwinding through GTK.
    template <class F>
    void guarded(F&& f);
    void updateCursor();

    forms::Form& form_;
    GtkWidget* window_ = nullptr;
    GtkWidget* area_ = nullptr;
    GMainLoop* loop_ = nullptr;
    std::unique_ptr<Cursors> cursors_;
    forms::Cursor shown_{};
    bool cursorSet_ = false;
};

}  // namespace platform::gtk
