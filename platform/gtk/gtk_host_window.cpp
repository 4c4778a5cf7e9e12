#include "platform/gtk/gtk_host_window.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <exception>

#include "forms/colour.h"
#include "platform/cairo/cairo_painter.h"
#include "platform/cairo/device_image.h"

namespace platform::gtk {

namespace {

// The frame colour: the system's window frame colour.
constexpr forms::Colour kFrameColour = forms::systemColour(6);

GtkHostWindow* self(gpointer p) { return static_cast<GtkHostWindow*>(p); }

// The form's buttons for GDK's numbers: 1 left, 2 middle, 3 right.
bool toButton(guint gdkButton, forms::Button& out) {
    switch (gdkButton) {
        case 1: out = forms::Button::Left; return true;
        case 2: out = forms::Button::Middle; return true;
        case 3: out = forms::Button::Right; return true;
        default: return false;
    }
}

// The press as GTK reports it: its time, and the double-click limits of the
// user's settings, which the form counts with.
forms::Press pressOf(GtkWidget* widget, const GdkEventButton* e) {
    gint time = 400, distance = 5;
    g_object_get(gtk_widget_get_settings(widget), "gtk-double-click-time", &time, "gtk-double-click-distance",
                 &distance, nullptr);
    return forms::Press::timed(e->time, {static_cast<std::uint32_t>(std::max(time, 0)), distance});
}

}  // namespace

GtkHostWindow::GtkHostWindow(forms::Form& form) : form_(form) {
    window_ = menuWindowNew();
    gtk_window_set_title(GTK_WINDOW(window_), form_.window().caption);
    gtk_window_set_decorated(GTK_WINDOW(window_), FALSE);

    area_ = menuAreaNew();
    gtk_widget_add_events(area_, GDK_POINTER_MOTION_MASK | GDK_BUTTON_PRESS_MASK | GDK_BUTTON_RELEASE_MASK |
                                     GDK_LEAVE_NOTIFY_MASK | GDK_ENTER_NOTIFY_MASK | GDK_KEY_PRESS_MASK | GDK_KEY_RELEASE_MASK |
                                     GDK_FOCUS_CHANGE_MASK);
    gtk_widget_set_can_focus(area_, TRUE);  // the keyboard focus of the window, for readers
    gtk_container_add(GTK_CONTAINER(window_), area_);

    g_signal_connect(area_, "draw", G_CALLBACK(onDraw), this);
    g_signal_connect(area_, "motion-notify-event", G_CALLBACK(onMotion), this);
    g_signal_connect(area_, "button-press-event", G_CALLBACK(onButton), this);
    g_signal_connect(area_, "button-release-event", G_CALLBACK(onButton), this);
    g_signal_connect(area_, "leave-notify-event", G_CALLBACK(onLeave), this);
    g_signal_connect(area_, "enter-notify-event", G_CALLBACK(onEnter), this);
    g_signal_connect(window_, "map-event", G_CALLBACK(onMap), this);
    screen_ = gtk_widget_get_screen(window_);
    g_signal_connect(screen_, "size-changed", G_CALLBACK(onScreenChanged), this);
    g_signal_connect(screen_, "monitors-changed", G_CALLBACK(onScreenChanged), this);
    // Keys are taken at the window, before GTK's own focus keys.
    g_signal_connect(window_, "key-press-event", G_CALLBACK(onKey), this);
    g_signal_connect(window_, "key-release-event", G_CALLBACK(onKey), this);
    g_signal_connect(window_, "focus-out-event", G_CALLBACK(onFocusOut), this);
    g_signal_connect(window_, "delete-event", G_CALLBACK(onDelete), this);
    g_signal_connect(window_, "window-state-event", G_CALLBACK(onWindowState), this);
    g_signal_connect(window_, "destroy", G_CALLBACK(onDestroy), this);
    g_signal_connect(window_, "notify::scale-factor", G_CALLBACK(onScaleChanged), this);

    form_.attach(this);
    readers_ = std::make_unique<AccessibleBridge>(area_, static_cast<AccessibleHost&>(*this));
}

GtkHostWindow::~GtkHostWindow() {
    g_signal_handlers_disconnect_by_data(screen_, this);
    form_.attach(nullptr);
    readers_.reset();
    if (window_) gtk_widget_destroy(window_);
}

GdkMonitor* GtkHostWindow::monitor() const {
    GdkDisplay* display = gtk_widget_get_display(window_);
    GdkMonitor* monitor = nullptr;
    if (GdkWindow* shown = gtk_widget_get_window(window_)) monitor = gdk_display_get_monitor_at_window(display, shown);
    if (!monitor) monitor = gdk_display_get_primary_monitor(display);
    if (!monitor && gdk_display_get_n_monitors(display) > 0) monitor = gdk_display_get_monitor(display, 0);
    return monitor;
}

void GtkHostWindow::coverMonitor() {
    // Cover the monitor ourselves, for an X server without a window manager;
    // a window manager maximizes the window over the same area.
    GdkMonitor* monitor = this->monitor();
    if (!monitor) return;
    GdkRectangle g;
    gdk_monitor_get_geometry(monitor, &g);
    gtk_window_move(GTK_WINDOW(window_), g.x, g.y);
    if (gtk_widget_get_realized(window_))
        gtk_window_resize(GTK_WINDOW(window_), g.width, g.height);
    else
        gtk_window_set_default_size(GTK_WINDOW(window_), g.width, g.height);
}

void GtkHostWindow::fit() {
    GdkMonitor* monitor = window_ ? this->monitor() : nullptr;
    if (!monitor) return;
    GdkRectangle g;
    gdk_monitor_get_geometry(monitor, &g);
    // The client area inside the frame, in device pixels.
    const int s = windowScale();
    const forms::Size client{(g.width - 2 * kBorder) * s, (g.height - 2 * kBorder) * s};
    const double fitted = forms::fitScale(s, client, form_.layoutSize());
    if (fitted == scale_) return;
    scale_ = fitted;
    gtk_widget_queue_draw(area_);
    updateCursor();
}

void GtkHostWindow::show() {
    if (!window_) return;
    coverMonitor();
    fit();
    if (form_.window().windowState == forms::WindowState::Maximized) gtk_window_maximize(GTK_WINDOW(window_));
    coverPanels();
    gtk_widget_show_all(window_);
    gtk_widget_grab_focus(area_);
}

void GtkHostWindow::coverPanels() {
    // Fullscreen, the window lies above every panel while it is active, and
    // a panel that comes meanwhile takes no room from it (a maximized window
    // shrinks to the work area that panel leaves). On Wayland it is the only
    // way: no client may hide another's panel, and the compositor gives the
    // panel back however the window goes. On X11 the panels are hidden as
    // well (x11_panel_cover.h), so that none shows while an installer has
    // the focus.
    gtk_window_fullscreen(GTK_WINDOW(window_));
}

int GtkHostWindow::windowScale() const { return area_ ? std::max(1, gtk_widget_get_scale_factor(area_)) : 1; }

void GtkHostWindow::invalidate(const forms::PixelRect& rect) {
    if (!area_ || rect.empty()) return;
    const GdkRectangle r = toArea(rect);
    gtk_widget_queue_draw_area(area_, r.x, r.y, r.width, r.height);
}

void GtkHostWindow::focusChanged(const forms::Control* entry) {
    if (readers_) readers_->focusChanged(entry);
}

void GtkHostWindow::nameChanged(const forms::Control& child) {
    if (readers_) readers_->nameChanged(child);
}

void GtkHostWindow::visibilityChanged(const forms::Control& child, bool visible) {
    if (readers_) readers_->visibilityChanged(child, visible);
}

// A box of the form as the GTK pixels that cover its device pixels.
GdkRectangle GtkHostWindow::toArea(const forms::PixelRect& client) const {
    const forms::PixelRect d = forms::toDevice(client, scale_);
    const double s = windowScale();
    const int left = static_cast<int>(std::floor(d.left / s)), top = static_cast<int>(std::floor(d.top / s));
    return {left + kBorder, top + kBorder, static_cast<int>(std::ceil(d.right() / s)) - left,
            static_cast<int>(std::ceil(d.bottom() / s)) - top};
}

// A position (GTK pixels of the window, fractions where the scale factor
// is above 1) as the layout pixel of the form that holds its device pixel.
forms::Point GtkHostWindow::toClient(double x, double y) const {
    const double s = windowScale();
    return forms::toLayout(forms::Point{static_cast<int>(std::floor((x - kBorder) * s)),
                                        static_cast<int>(std::floor((y - kBorder) * s))},
                           scale_);
}

void GtkHostWindow::runDefaultAction(const forms::Control& entry) {
    deliver([&] { form_.accessibleAction(entry); });
}

void GtkHostWindow::unload() {
    if (window_) {
        gtk_widget_hide(window_);
        gtk_widget_destroy(window_);  // clears window_ and area_ through onDestroy
    }
    if (gtk_main_level() > 0) gtk_main_quit();
}

void GtkHostWindow::paintFrame(cairo_t* cr) {
    const int w = gtk_widget_get_allocated_width(area_), h = gtk_widget_get_allocated_height(area_);
    platform::cairo::CairoPainter painter(cr, windowScale());
    painter.fillRect({0, 0, w, kBorder}, kFrameColour);
    painter.fillRect({0, h - kBorder, w, kBorder}, kFrameColour);
    painter.fillRect({0, 0, kBorder, h}, kFrameColour);
    painter.fillRect({w - kBorder, 0, kBorder, h}, kFrameColour);
}

void GtkHostWindow::paint(cairo_t* cr) {
    paintFrame(cr);
    // The client area and GTK's clip in device pixels from the client
    // area's corner, and the layout pixels that cover them.
    const int g = windowScale();
    const int clientW = gtk_widget_get_allocated_width(area_) - 2 * kBorder;
    const int clientH = gtk_widget_get_allocated_height(area_) - 2 * kBorder;
    const forms::PixelRect client = forms::coveringLayout({0, 0, clientW * g, clientH * g}, scale_);

    // Each rectangle is painted into an image at the window's scale first
    // and then copied to the window, device pixel for device pixel: text then
    // gets the same font rendering (fontconfig's hinting) as in the headless
    // back end, so the screen is pixel for pixel what the render tests see,
    // and nothing is enlarged by GTK (which would leave grey seams around
    // every repainted box). GTK's clip may cut a layout pixel in two: the
    // layout pixels that cover it are painted, and the clip keeps what lies
    // outside from the window.
    auto paintRect = [&](double x, double y, double w, double h) {
        const int left = static_cast<int>(std::floor((x - kBorder) * g));
        const int top = static_cast<int>(std::floor((y - kBorder) * g));
        const int right = static_cast<int>(std::ceil((x + w - kBorder) * g));
        const int bottom = static_cast<int>(std::ceil((y + h - kBorder) * g));
        forms::PixelRect dirty =
            forms::coveringLayout({left, top, right - left, bottom - top}, scale_).intersect(client);
        if (dirty.empty()) return;
        cairo_save(cr);
        // User space: the form's layout pixels, scale_ device pixels each.
        cairo_translate(cr, kBorder, kBorder);
        cairo_scale(cr, scale_ / g, scale_ / g);
        // Each band reaches the X server through shared memory; waiting
        // until the server has copied it lets the next band use the same
        // memory, where cairo would otherwise take new memory for each band
        // of a frame (3 MB for the first one, kept for the program's life).
        platform::cairo::repaintForm(cr, form_, dirty, scale_, [&] {
            cairo_surface_flush(cairo_get_target(cr));
            gdk_display_sync(gtk_widget_get_display(area_));
        });
        cairo_restore(cr);
    };

    cairo_rectangle_list_t* list = cairo_copy_clip_rectangle_list(cr);
    if (list->status == CAIRO_STATUS_SUCCESS) {
        for (int i = 0; i < list->num_rectangles; ++i) {
            const cairo_rectangle_t& r = list->rectangles[i];
            paintRect(r.x, r.y, r.width, r.height);
        }
    } else {
        double x1, y1, x2, y2;
        cairo_clip_extents(cr, &x1, &y1, &x2, &y2);
        paintRect(x1, y1, x2 - x1, y2 - y1);
    }
    cairo_rectangle_list_destroy(list);
}

template <class F>
void GtkHostWindow::deliver(F&& f) {
    try {
        f();
    } catch (const std::exception& e) {
        std::fprintf(stderr, "install-menu: %s\n", e.what());
        if (!form_.unloaded()) form_.closeRequested();
    }
    updateCursor();
}

void GtkHostWindow::updateCursor() {
    if (!area_ || form_.unloaded()) return;
    GdkWindow* w = gtk_widget_get_window(area_);
    if (!w) return;
    forms::Cursor wanted = form_.cursor();
    if (wanted == shown_ && scale_ == shownScale_) return;
    shown_ = wanted;
    shownScale_ = scale_;
    gdk_window_set_cursor(w, cursors_.get(gtk_widget_get_display(area_), wanted, scale_, windowScale()));
}

void GtkHostWindow::followPointer() {
    if (!area_ || form_.unloaded()) return;
    GdkSeat* seat = gdk_display_get_default_seat(gtk_widget_get_display(area_));
    GdkDevice* pointer = seat ? gdk_seat_get_pointer(seat) : nullptr;
    double x = 0, y = 0;
    // The window under the pointer and the place in it; on Wayland, none
    // until the compositor has told the window that the pointer is there.
    if (!pointer || gdk_device_get_window_at_position_double(pointer, &x, &y) != gtk_widget_get_window(area_))
        return;
    deliver([&] { form_.pointerMove(toClient(x, y)); });
}

gboolean GtkHostWindow::onDraw(GtkWidget*, cairo_t* cr, gpointer p) {
    try {
        self(p)->paint(cr);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "install-menu: cannot paint: %s\n", e.what());
    }
    return TRUE;
}

gboolean GtkHostWindow::onMotion(GtkWidget*, GdkEventMotion* e, gpointer p) {
    GtkHostWindow* w = self(p);
    w->deliver([&] { w->form_.pointerMove(w->toClient(e->x, e->y)); });
    return TRUE;
}

gboolean GtkHostWindow::onButton(GtkWidget* widget, GdkEventButton* e, gpointer p) {
    // GDK's double and triple press events follow plain presses that the form
    // has counted already; they add nothing.
    if (e->type != GDK_BUTTON_PRESS && e->type != GDK_BUTTON_RELEASE) return TRUE;
    forms::Button b;
    if (!toButton(e->button, b)) return TRUE;
    GtkHostWindow* w = self(p);
    const forms::Point at = w->toClient(e->x, e->y);
    w->deliver([&] {
        if (e->type == GDK_BUTTON_PRESS)
            w->form_.pointerDown(at, b, pressOf(widget, e));
        else
            w->form_.pointerUp(at, b);
    });
    // A message box may have held the pointer while the pointer moved on.
    if (e->type == GDK_BUTTON_RELEASE) w->followPointer();
    return TRUE;
}

gboolean GtkHostWindow::onEnter(GtkWidget*, GdkEventCrossing* e, gpointer p) {
    // Whatever brought the pointer in (it moved, the window appeared under
    // it, a dialog over it went), the form sees a move where it is.
    GtkHostWindow* w = self(p);
    w->deliver([&] { w->form_.pointerMove(w->toClient(e->x, e->y)); });
    return TRUE;
}

gboolean GtkHostWindow::onMap(GtkWidget*, GdkEvent*, gpointer p) {
    // A pointer resting where the window appears: X tells by a crossing too,
    // but not every server does so for a window mapped under it.
    self(p)->followPointer();
    return FALSE;
}

gboolean GtkHostWindow::onLeave(GtkWidget*, GdkEventCrossing* e, gpointer p) {
    // Crossings caused by a grab (a dialog opening) are not the pointer leaving.
    if (e->mode != GDK_CROSSING_NORMAL) return TRUE;
    GtkHostWindow* w = self(p);
    w->deliver([&] { w->form_.pointerLeave(); });
    return TRUE;
}

gboolean GtkHostWindow::onKey(GtkWidget*, GdkEventKey* e, gpointer p) {
    GtkHostWindow* w = self(p);
    if (e->type == GDK_KEY_RELEASE) {
        w->keys_.release(*e);
        return FALSE;
    }
    const std::optional<forms::KeyPress> key = w->keys_.press(*e);
    if (!key) return FALSE;
    bool taken = false;
    w->deliver([&] { taken = w->form_.keyDown(*key); });
    return taken;
}

gboolean GtkHostWindow::onFocusOut(GtkWidget*, GdkEventFocus*, gpointer p) {
    self(p)->keys_.forgetHeldKeys();
    return FALSE;
}

gboolean GtkHostWindow::onDelete(GtkWidget*, GdkEvent*, gpointer p) {
    GtkHostWindow* w = self(p);
    w->deliver([&] {
        if (!w->form_.unloaded()) w->form_.closeRequested();
    });
    return TRUE;  // the form decides; unloading destroys the window
}

gboolean GtkHostWindow::onWindowState(GtkWidget* widget, GdkEventWindowState* e, gpointer) {
    // Minimised by the window manager (a shortcut, or a dialog of ours taking
    // its owner with it): with the panel hidden nothing could bring it back.
    if ((e->changed_mask & GDK_WINDOW_STATE_ICONIFIED) && (e->new_window_state & GDK_WINDOW_STATE_ICONIFIED))
        gtk_window_deiconify(GTK_WINDOW(widget));
    return FALSE;
}

void GtkHostWindow::onScaleChanged(GObject*, GParamSpec*, gpointer p) {
    GtkHostWindow* w = self(p);
    if (!w->window_) return;
    // The monitor's size in GTK's pixels changed with the scale; GTK paints
    // the whole window again by itself.
    w->coverMonitor();
    w->fit();
    w->updateCursor();
}

void GtkHostWindow::onScreenChanged(GdkScreen*, gpointer p) {
    GtkHostWindow* w = self(p);
    if (!w->window_) return;
    w->coverMonitor();
    w->fit();
}

void GtkHostWindow::onDestroy(GtkWidget*, gpointer p) {
    GtkHostWindow* w = self(p);
    w->window_ = nullptr;
    w->area_ = nullptr;
    // Destroyed from outside the form: end the program the way a close
    // request does, so that the taskbar comes back.
    if (!w->form_.unloaded()) w->deliver([&] { w->form_.closeRequested(); });
    if (gtk_main_level() > 0) gtk_main_quit();
}

}  // namespace platform::gtk
