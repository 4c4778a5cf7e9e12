/* The reference for start-up and memory: a bare GTK 3 program that opens one
 * undecorated window over the whole monitor and paints it once, grey.
 *
 * The window covers the monitor the way install-menu's does: it asks for the
 * monitor's size itself, since an X server without a window manager does
 * not maximize, and asks to be maximized for one that does. */
#include <gtk/gtk.h>

static gboolean draw(GtkWidget* w, cairo_t* cr, gpointer data) {
    (void)w;
    (void)data;
    cairo_set_source_rgb(cr, 0.7, 0.7, 0.7);
    cairo_paint(cr);
    return FALSE;
}

int main(int argc, char** argv) {
    gtk_init(&argc, &argv);
    GtkWidget* window = gtk_window_new(GTK_WINDOW_TOPLEVEL);
    gtk_window_set_decorated(GTK_WINDOW(window), FALSE);
    GtkWidget* area = gtk_drawing_area_new();
    gtk_container_add(GTK_CONTAINER(window), area);
    g_signal_connect(area, "draw", G_CALLBACK(draw), NULL);
    g_signal_connect(window, "destroy", G_CALLBACK(gtk_main_quit), NULL);
    GdkDisplay* display = gdk_display_get_default();
    GdkMonitor* monitor = gdk_display_get_primary_monitor(display);
    if (!monitor && gdk_display_get_n_monitors(display) > 0) monitor = gdk_display_get_monitor(display, 0);
    if (monitor) {
        GdkRectangle g;
        gdk_monitor_get_geometry(monitor, &g);
        gtk_window_move(GTK_WINDOW(window), g.x, g.y);
        gtk_window_set_default_size(GTK_WINDOW(window), g.width, g.height);
    }
    gtk_window_maximize(GTK_WINDOW(window));
    gtk_widget_show_all(window);
    gtk_main();
    return 0;
}
