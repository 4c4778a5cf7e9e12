/* The reference for start-up and memory: a bare GTK 3 program that opens one
 * undecorated maximized window and paints it once. */
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
    gtk_window_maximize(GTK_WINDOW(window));
    gtk_widget_show_all(window);
    gtk_main();
    return 0;
}
