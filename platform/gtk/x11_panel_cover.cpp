#include "platform/gtk/x11_panel_cover.h"

#include <X11/Xlib.h>
#include <gdk/gdk.h>
#include <gdk/gdkx.h>

#include <algorithm>

#include "platform/gtk/panel_guard.h"
#include "platform/gtk/x11_dock_watch.h"
#include "platform/gtk/x11_panels.h"

namespace platform::gtk {

namespace {

// GTK's X connection for the length of one step, with errors about windows
// that vanish meanwhile let pass; none where GTK runs on something else.
class GtkX11 {
public:
    GtkX11() : gdk_(gdk_display_get_default()) {
        if (!gdk_ || !GDK_IS_X11_DISPLAY(gdk_)) {
            gdk_ = nullptr;
            return;
        }
        gdk_x11_display_error_trap_push(gdk_);
    }
    ~GtkX11() {
        if (!gdk_) return;
        XFlush(display());
        gdk_x11_display_error_trap_pop_ignored(gdk_);
    }
    GtkX11(const GtkX11&) = delete;
    GtkX11& operator=(const GtkX11&) = delete;

    Display* display() const { return gdk_ ? gdk_x11_display_get_xdisplay(gdk_) : nullptr; }

private:
    GdkDisplay* gdk_;
};

}  // namespace

X11PanelCover::X11PanelCover() = default;

X11PanelCover::~X11PanelCover() { show(); }

void X11PanelCover::hide(const std::vector<std::uintptr_t>& panels) {
    GtkX11 x;
    if (!x.display()) return;
    hideViewable(x.display(), panels);
    if (!watch_) watch_ = std::make_unique<X11DockWatch>([this] { hideNewcomers(); });
}

void X11PanelCover::hideNewcomers() {
    GtkX11 x;
    if (x.display()) hideViewable(x.display(), findPanels(x.display()));
}

void X11PanelCover::hideViewable(Display* d, const std::vector<std::uintptr_t>& panels) {
    for (std::uintptr_t handle : panels) {
        const auto window = static_cast<std::uint32_t>(handle);
        if (!window || !isViewable(d, window)) continue;
        const bool known = std::any_of(hidden_.begin(), hidden_.end(),
                                       [&](const PanelRecord& r) { return r.window == window; });
        // A panel that mapped itself again is hidden again; its record stays
        // the one made while its window manager knew its properties.
        if (!known) {
            hidden_.push_back(recordPanel(d, window));
            guardPanelHidden(DisplayString(d), hidden_.back());
        }
        XUnmapWindow(d, window);
    }
}

void X11PanelCover::show() {
    watch_.reset();
    if (hidden_.empty()) return;
    GtkX11 x;
    if (!x.display()) return;
    for (const PanelRecord& panel : hidden_) {
        restorePanel(x.display(), panel);
        guardPanelShown(panel.window);
    }
    hidden_.clear();
}

}  // namespace platform::gtk
