// A watch on the root window of GTK's X display for windows that come and
// go: a panel that restarts, reloads or starts while the menu is up makes
// new windows there (inside its window manager's frame, which is mapped on
// the root window once the panel is), and a panel may map its own window
// again. The watch only says that something changed, once per burst of
// events, from the main loop; the owner looks again.
#pragma once

#include <gdk/gdk.h>

#include <functional>

namespace platform::gtk {

class X11DockWatch {
public:
    // Starts watching; on a display that is not X11 it never calls.
    explicit X11DockWatch(std::function<void()> changed);
    ~X11DockWatch();
    X11DockWatch(const X11DockWatch&) = delete;
    X11DockWatch& operator=(const X11DockWatch&) = delete;

private:
    static GdkFilterReturn filter(GdkXEvent* xevent, GdkEvent*, gpointer self);
    static gboolean report(gpointer self);

    std::function<void()> changed_;
    GdkWindow* root_ = nullptr;
    long rootEvents_ = 0;  // the root window's events GTK chose, kept for the end
    guint pending_ = 0;    // the idle call that reports, while one waits
};

}  // namespace platform::gtk
