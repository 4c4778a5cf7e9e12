// The installation menu on Linux: Form1 on a GTK window with the desktop's
// shell services. The one place that chooses the back end.
#include <gtk/gtk.h>

#include <cstdio>
#include <exception>

#include "app/form1.h"
#include "platform/cairo/cairo_painter.h"
#include "platform/cairo/cairo_pictures.h"
#include "platform/gtk/close_signals.h"
#include "platform/gtk/gtk_shell.h"
#include "platform/gtk/host_window.h"
#include "platform/gtk/panel_guard.h"

int main(int argc, char** argv) {
    platform::gtk::startPanelGuard();
    if (!gtk_init_check(&argc, &argv)) {
        std::fprintf(stderr, "install-menu: cannot open the display%s%s\n", g_getenv("DISPLAY") ? " " : "",
                     g_getenv("DISPLAY") ? g_getenv("DISPLAY") : "");
        return 1;
    }
    platform::cairo::registerWindowsFonts();

    platform::gtk::GtkShell shell;
    platform::cairo::CairoPictureLoader pictures;
    try {
        Form1 form(shell, pictures);
        platform::gtk::HostWindow window(form);
        shell.setOwner(window.window());
        // From before the taskbar is hidden: a signal from now on closes the
        // menu in order, taskbar first.
        platform::gtk::CloseSignals signals([&form] { form.closeRequested(); });
        try {
            form.Form_Load();
        } catch (...) {
            form.closeRequested();
            throw;
        }
        window.show();
        window.run();
    } catch (const std::exception& e) {
        std::fprintf(stderr, "install-menu: %s\n", e.what());
        return 1;
    }
    return 0;
}
