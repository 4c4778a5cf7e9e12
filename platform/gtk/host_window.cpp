#include "platform/gtk/host_window.h"

#include <cmath>
#include <exception>

#include "forms/colour.h"
#include "platform/cairo/cairo_painter.h"

namespace platform::gtk {

namespace {

// The colour of the window's frame: the system's window-frame colour.
constexpr forms::Colour kBorderColour = forms::systemColour(6);

constexpr GdkEventMask kPointerEvents = GdkEventMask(GDK_POINTER_MOTION_MASK | GDK_BUTTON_PRESS_MASK |
                                                     GDK_BUTTON_RELEASE_MASK | GDK_ENTER_NOTIFY_MASK |
                                                     GDK_LEAVE_NOTIFY_MASK);

// A point of the drawing area as a point of the form's client area.
forms::Point clientPoint(double x, double y) {
    return {static_cast<int>(std::floor(x)) - HostWindow::kBorder, static_cast<int>(std::floor(y)) - HostWindow::kBorder};
}

// The form's button for a GDK button number; false for the others (back,
// forward and the like, which the form does not know).
bool formButton(guint button, forms::Button& out) {
    switch (button) {
        case GDK_BUTTON_PRIMARY: out = forms::Button::Left; return true;
        case GDK_BUTTON_MIDDLE: out = forms::Button::Middle; return true;
        case GDK_BUTTON_SECONDARY: out = forms::Button::Right; return true;
        default: return false;
    }
}

}  // namespace

HostWindow::HostWindow(forms::Form& form) : form_(form) {
    window_ = gtk_window_new(GTK_WINDOW_TOPLEVEL);
    gtk_window_set_title(GTK_WINDOW(window_), form_.window().caption);
    gtk_window_set_decorated(GTK_WINDOW(window_), FALSE);

    area_ = gtk_drawing_area_new();
    gtk_widget_add_events(area_, kPointerEvents);
    gtk_container_add(GTK_CONTAINER(window_), area_);

    g_signal_connect(area_, "draw", G_CALLBACK(onDraw), this);
    g_signal_connect(area_, "motion-notify-event", G_CALLBACK(onMotion), this);
    g_signal_connect(area_, "button-press-event", G_CALLBACK(onButton), this);
    g_signal_connect(area_, "button-release-event", G_CALLBACK(onButton), this);
    g_signal_connect(area_, "enter-notify-event", G_CALLBACK(onCrossing), this);
    g_signal_connect(area_, "leave-notify-event", G_CALLBACK(onCrossing), this);
    g_signal_connect(window_, "delete-event", G_CALLBACK(onDelete), this);
    g_signal_connect(window_, "destroy", G_CALLBACK(onDestroy), this);

    loop_ = g_main_loop_new(nullptr, FALSE);
    cursors_ = std::make_unique<Cursors>(gtk_widget_get_display(window_));
    form_.attach(this);
}

HostWindow::~HostWindow() {
    form_.attach(nullptr);
    if (window_) {
        g_signal_handlers_disconnect_by_data(window_, this);
        g_signal_handlers_disconnect_by_data(area_, this);
        gtk_widget_destroy(window_);
    }
    cursors_.reset();
    g_main_loop_unref(loop_);
}

void HostWindow::show() {
    if (!window_) return;
    GdkDisplay* display = gtk_widget_get_display(window_);
    GdkMonitor* monitor = gdk_display_get_primary_monitor(display);
    if (!monitor && gdk_display_get_n_monitors(display) > 0) monitor = gdk_display_get_monitor(display, 0);
    if (monitor) {
        // What a window manager does on maximizing, done here for a display
        // that has none.
        GdkRectangle screen;
        gdk_monitor_get_geometry(monitor, &screen);
        gtk_window_move(GTK_WINDOW(window_), screen.x, screen.y);
        gtk_window_set_default_size(GTK_WINDOW(window_), screen.width, screen.height);
    }
    gtk_window_maximize(GTK_WINDOW(window_));
    gtk_widget_show_all(window_);
}

void HostWindow::run() {
    if (window_ && !form_.unloaded()) g_main_loop_run(loop_);
}

void HostWindow::invalidate(const forms::PixelRect& r) {
    if (area_) gtk_widget_queue_draw_area(area_, r.left + kBorder, r.top + kBorder, r.width, r.height);
}

void HostWindow::unload() {
    // The window goes at once; the loop ends once control is back in it,
    // after the handler that unloaded the form has returned.
    if (GtkWidget* w = window_) {
        window_ = area_ = nullptr;
        gtk_widget_destroy(w);
    }
    g_main_loop_quit(loop_);
}

template <class F>
void HostWindow::guarded(F&& f) {
    try {
        f();
        return;
    } catch (const std::exception& e) {
        g_printerr("install-menu: %s\n", e.what());
    } catch (...) {
        g_printerr("install-menu: unexpected failure\n");
    }
    // Nothing may unwind through GTK: the menu closes in order instead,
    // which puts the taskbar back.
    try {
        if (!form_.unloaded()) form_.closeRequested();
    } catch (...) {
    }
    unload();
}

void HostWindow::updateCursor() {
    if (!area_) return;
    GdkWindow* gdkWindow = gtk_widget_get_window(area_);
    if (!gdkWindow) return;
    const forms::Cursor wanted = form_.cursor();
    if (cursorSet_ && wanted == shown_) return;
    gdk_window_set_cursor(gdkWindow, cursors_->cursorFor(wanted));
    shown_ = wanted;
    cursorSet_ = true;
}

void HostWindow::paint(cairo_t* cr, const forms::PixelRect& area) {
    if (area.empty()) return;
    const int width = gtk_widget_get_allocated_width(area_), height = gtk_widget_get_allocated_height(area_);
    // Drawn into an image first and then copied: text is then rendered as
    // fontconfig says, exactly as the headless back end renders it, and not
    // with whatever hinting the X server's resources imply.
    cairo_surface_t* image = cairo_image_surface_create(CAIRO_FORMAT_RGB24, area.width, area.height);
    cairo_t* ic = cairo_create(image);
    cairo_translate(ic, -area.left, -area.top);

    // The frame: the window less the client area.
    forms::Rgb border = forms::resolveWithDefaults(kBorderColour);
    cairo_set_source_rgb(ic, border.r / 255.0, border.g / 255.0, border.b / 255.0);
    cairo_set_fill_rule(ic, CAIRO_FILL_RULE_EVEN_ODD);
    cairo_rectangle(ic, 0, 0, width, height);
    cairo_rectangle(ic, kBorder, kBorder, width - 2 * kBorder, height - 2 * kBorder);
    cairo_fill(ic);
    cairo_set_fill_rule(ic, CAIRO_FILL_RULE_WINDING);

    const forms::PixelRect client{0, 0, width - 2 * kBorder, height - 2 * kBorder};
    const forms::PixelRect dirty = area.offset(-kBorder, -kBorder).intersect(client);
    if (!dirty.empty()) {
        cairo_translate(ic, kBorder, kBorder);
        platform::cairo::CairoPainter painter(ic);
        form_.paint(painter, dirty);
    }
    cairo_destroy(ic);
    cairo_surface_flush(image);

    cairo_save(cr);
    cairo_rectangle(cr, area.left, area.top, area.width, area.height);
    cairo_clip(cr);
    cairo_set_source_surface(cr, image, area.left, area.top);
    cairo_paint(cr);
    cairo_restore(cr);
    cairo_surface_destroy(image);
}

gboolean HostWindow::onDraw(GtkWidget*, cairo_t* cr, gpointer self) {
    auto* host = static_cast<HostWindow*>(self);
    if (!host->area_) return TRUE;
    host->guarded([&] {
        // Only what was invalidated: the clip holds those rectangles.
        cairo_rectangle_list_t* list = cairo_copy_clip_rectangle_list(cr);
        if (list->status == CAIRO_STATUS_SUCCESS) {
            for (int i = 0; i < list->num_rectangles && host->area_; ++i) {
                const cairo_rectangle_t& r = list->rectangles[i];
                const int left = static_cast<int>(std::floor(r.x)), top = static_cast<int>(std::floor(r.y));
                const int right = static_cast<int>(std::ceil(r.x + r.width));
                const int bottom = static_cast<int>(std::ceil(r.y + r.height));
                host->paint(cr, {left, top, right - left, bottom - top});
            }
        } else {
            double x1, y1, x2, y2;
            cairo_clip_extents(cr, &x1, &y1, &x2, &y2);
            const int left = static_cast<int>(std::floor(x1)), top = static_cast<int>(std::floor(y1));
            host->paint(cr, {left, top, static_cast<int>(std::ceil(x2)) - left, static_cast<int>(std::ceil(y2)) - top});
        }
        cairo_rectangle_list_destroy(list);
    });
    return TRUE;
}

gboolean HostWindow::onMotion(GtkWidget*, GdkEventMotion* event, gpointer self) {
    auto* host = static_cast<HostWindow*>(self);
    host->guarded([&] {
        host->form_.pointerMove(clientPoint(event->x, event->y));
        host->updateCursor();
    });
    return TRUE;
}

gboolean HostWindow::onButton(GtkWidget*, GdkEventButton* event, gpointer self) {
    auto* host = static_cast<HostWindow*>(self);
    forms::Button button;
    // A double click arrives as two presses and, besides, as a press of its
    // own kind; only the plain presses count.
    if (event->type != GDK_BUTTON_PRESS && event->type != GDK_BUTTON_RELEASE) return TRUE;
    if (!formButton(event->button, button)) return TRUE;
    host->guarded([&] {
        const forms::Point p = clientPoint(event->x, event->y);
        if (event->type == GDK_BUTTON_PRESS)
            host->form_.pointerDown(p, button);
        else
            host->form_.pointerUp(p, button);
        host->updateCursor();
    });
    return TRUE;
}

gboolean HostWindow::onCrossing(GtkWidget*, GdkEventCrossing* event, gpointer self) {
    auto* host = static_cast<HostWindow*>(self);
    host->guarded([&] {
        if (event->type == GDK_ENTER_NOTIFY)
            host->form_.pointerMove(clientPoint(event->x, event->y));
        else
            host->form_.pointerLeave();
        host->updateCursor();
    });
    return TRUE;
}

gboolean HostWindow::onDelete(GtkWidget*, GdkEvent*, gpointer self) {
    auto* host = static_cast<HostWindow*>(self);
    host->guarded([&] { host->form_.closeRequested(); });
    return TRUE;  // the form decides; its unload destroys the window
}

void HostWindow::onDestroy(GtkWidget*, gpointer self) {
    auto* host = static_cast<HostWindow*>(self);
    if (!host->window_) return;  // our own unload
    // Destroyed from elsewhere: the form closes as after a close request.
    host->window_ = host->area_ = nullptr;
    host->guarded([&] {
        if (!host->form_.unloaded()) host->form_.closeRequested();
    });
    g_main_loop_quit(host->loop_);
}

}  // namespace platform::gtk
