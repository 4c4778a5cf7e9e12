#include "platform/gtk/gtk_host_window.h"

#include <algorithm>
#include <cstdio>
#include <exception>

#include "forms/colour.h"
#include "platform/cairo/cairo_painter.h"

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

forms::Point toClient(double x, double y) {
    return {static_cast<int>(x) - GtkHostWindow::kBorder, static_cast<int>(y) - GtkHostWindow::kBorder};
}

}  // namespace

GtkHostWindow::GtkHostWindow(forms::Form& form) : form_(form) {
    window_ = gtk_window_new(GTK_WINDOW_TOPLEVEL);
    gtk_window_set_title(GTK_WINDOW(window_), form_.window().caption);
    gtk_window_set_decorated(GTK_WINDOW(window_), FALSE);

    area_ = gtk_drawing_area_new();
    gtk_widget_add_events(area_, GDK_POINTER_MOTION_MASK | GDK_BUTTON_PRESS_MASK | GDK_BUTTON_RELEASE_MASK |
                                     GDK_LEAVE_NOTIFY_MASK);
    gtk_container_add(GTK_CONTAINER(window_), area_);

    g_signal_connect(area_, "draw", G_CALLBACK(onDraw), this);
    g_signal_connect(area_, "motion-notify-event", G_CALLBACK(onMotion), this);
    g_signal_connect(area_, "button-press-event", G_CALLBACK(onButton), this);
    g_signal_connect(area_, "button-release-event", G_CALLBACK(onButton), this);
    g_signal_connect(area_, "leave-notify-event", G_CALLBACK(onLeave), this);
    g_signal_connect(window_, "delete-event", G_CALLBACK(onDelete), this);
    g_signal_connect(window_, "window-state-event", G_CALLBACK(onWindowState), this);
    g_signal_connect(window_, "destroy", G_CALLBACK(onDestroy), this);

    form_.attach(this);
}

GtkHostWindow::~GtkHostWindow() {
    form_.attach(nullptr);
    if (window_) gtk_widget_destroy(window_);
}

void GtkHostWindow::show() {
    if (!window_) return;
    // Cover the monitor ourselves, for an X server without a window manager;
    // a window manager maximizes the window over the same area.
    GdkDisplay* display = gtk_widget_get_display(window_);
    GdkMonitor* monitor = gdk_display_get_primary_monitor(display);
    if (!monitor && gdk_display_get_n_monitors(display) > 0) monitor = gdk_display_get_monitor(display, 0);
    if (monitor) {
        GdkRectangle g;
        gdk_monitor_get_geometry(monitor, &g);
        gtk_window_move(GTK_WINDOW(window_), g.x, g.y);
        gtk_window_set_default_size(GTK_WINDOW(window_), g.width, g.height);
    }
    if (form_.window().windowState == forms::WindowState::Maximized) gtk_window_maximize(GTK_WINDOW(window_));
    gtk_widget_show_all(window_);
}

void GtkHostWindow::invalidate(const forms::PixelRect& rect) {
    if (!area_ || rect.empty()) return;
    gtk_widget_queue_draw_area(area_, rect.left + kBorder, rect.top + kBorder, rect.width, rect.height);
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
    platform::cairo::CairoPainter painter(cr);
    painter.fillRect({0, 0, w, kBorder}, kFrameColour);
    painter.fillRect({0, h - kBorder, w, kBorder}, kFrameColour);
    painter.fillRect({0, 0, kBorder, h}, kFrameColour);
    painter.fillRect({w - kBorder, 0, kBorder, h}, kFrameColour);
}

void GtkHostWindow::paint(cairo_t* cr) {
    paintFrame(cr);
    const int clientW = gtk_widget_get_allocated_width(area_) - 2 * kBorder;
    const int clientH = gtk_widget_get_allocated_height(area_) - 2 * kBorder;
    const forms::PixelRect client{0, 0, clientW, clientH};

    // Each rectangle is painted into an image first and then copied to the
    // window: text then gets the same font rendering (fontconfig's hinting)
    // as in the headless back end, so the screen is pixel for pixel what the
    // render tests see.
    auto paintRect = [&](int x, int y, int w, int h) {
        forms::PixelRect dirty = forms::PixelRect{x - kBorder, y - kBorder, w, h}.intersect(client);
        if (dirty.empty()) return;
        cairo_surface_t* image = cairo_image_surface_create(CAIRO_FORMAT_RGB24, dirty.width, dirty.height);
        cairo_t* icr = cairo_create(image);
        cairo_translate(icr, -dirty.left, -dirty.top);
        {
            platform::cairo::CairoPainter painter(icr);
            form_.paint(painter, dirty);
        }
        cairo_destroy(icr);
        cairo_surface_flush(image);
        cairo_save(cr);
        cairo_set_source_surface(cr, image, dirty.left + kBorder, dirty.top + kBorder);
        cairo_rectangle(cr, dirty.left + kBorder, dirty.top + kBorder, dirty.width, dirty.height);
        cairo_fill(cr);
        cairo_restore(cr);
        cairo_surface_destroy(image);
    };

    cairo_rectangle_list_t* list = cairo_copy_clip_rectangle_list(cr);
    if (list->status == CAIRO_STATUS_SUCCESS) {
        for (int i = 0; i < list->num_rectangles; ++i) {
            const cairo_rectangle_t& r = list->rectangles[i];
            paintRect(static_cast<int>(r.x), static_cast<int>(r.y), static_cast<int>(r.width),
                      static_cast<int>(r.height));
        }
    } else {
        GdkRectangle r;
        if (gdk_cairo_get_clip_rectangle(cr, &r)) paintRect(r.x, r.y, r.width, r.height);
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
    if (wanted == shown_) return;
    shown_ = wanted;
    gdk_window_set_cursor(w, cursors_.get(gtk_widget_get_display(area_), wanted));
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
    w->deliver([&] { w->form_.pointerMove(toClient(e->x, e->y)); });
    return TRUE;
}

gboolean GtkHostWindow::onButton(GtkWidget* widget, GdkEventButton* e, gpointer p) {
    // GDK's double and triple press events follow plain presses that the form
    // has counted already; they add nothing.
    if (e->type != GDK_BUTTON_PRESS && e->type != GDK_BUTTON_RELEASE) return TRUE;
    forms::Button b;
    if (!toButton(e->button, b)) return TRUE;
    GtkHostWindow* w = self(p);
    const forms::Point at = toClient(e->x, e->y);
    w->deliver([&] {
        if (e->type == GDK_BUTTON_PRESS)
            w->form_.pointerDown(at, b, pressOf(widget, e));
        else
            w->form_.pointerUp(at, b);
    });
    return TRUE;
}

gboolean GtkHostWindow::onLeave(GtkWidget*, GdkEventCrossing* e, gpointer p) {
    // Crossings caused by a grab (a dialog opening) are not the pointer leaving.
    if (e->mode != GDK_CROSSING_NORMAL) return TRUE;
    GtkHostWindow* w = self(p);
    w->deliver([&] { w->form_.pointerLeave(); });
    return TRUE;
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
