// install-menu: the installation menu on the Linux desktop (GTK 3).
//
// This is the one place that picks the back end: the GTK window, the cairo
// painter and pictures, and the Linux shell services.
#include <gtk/gtk.h>

#include <cstdio>
#include <cstdlib>
#include <exception>
#include <memory>

#include "app/form1.h"
#include "platform/cairo/startup_warmup.h"
#include "platform/gtk/close_signals.h"
#include "platform/gtk/gtk_host_window.h"
#include "platform/gtk/gtk_shell.h"
#include "platform/gtk/opengl_opt_out.h"
#include "platform/gtk/panel_guard.h"
#include "platform/gtk/single_instance.h"
#include "screen/form1_definition.h"

namespace {

// The scale factor the window will most likely have, before GTK is there to
// say: the one GDK_SCALE fixes, as GDK reads it, or 1. Only the warm-up goes
// by it; a desktop that sets its scale otherwise merely warms the wrong size.
double expectedScale() {
    const char* fixed = std::getenv("GDK_SCALE");
    const long scale = fixed ? std::atol(fixed) : 1;
    return scale >= 1 && scale <= 8 ? static_cast<double>(scale) : 1.0;
}

}  // namespace

int main(int argc, char** argv) {
    platform::gtk::startPanelGuard();
    platform::gtk::optOutOfOpenGl();
    // The first frame's fonts and pictures load on a second thread while GTK
    // connects to the display (GTK itself uses neither until then).
    platform::cairo::StartupWarmup warmup(screen::form1Controls(), expectedScale());
    if (!gtk_init_check(&argc, &argv)) {
        const char* display = std::getenv("DISPLAY");
        std::fprintf(stderr, "install-menu: cannot open the display%s%s\n", display ? " " : "",
                     display ? display : " (DISPLAY is not set)");
        return 1;
    }
    // One menu at a time: a second start brings the first to the front and
    // ends before it has touched anything.
    const std::unique_ptr<platform::gtk::SingleInstance> instance = platform::gtk::SingleInstance::claim();
    if (!instance) {
        std::fprintf(stderr, "install-menu: the menu is already open on this display; it was brought to the front\n");
        gdk_notify_startup_complete();
        return 0;
    }
    // GTK loads its theme when its settings are first asked for, which the
    // first widget does: here it loads while the second thread may still be
    // at work, rather than after.
    gtk_settings_get_default();
    warmup.adopt();
    try {
        platform::gtk::GtkShell shell;
        Form1 form(shell, warmup.loader());
        platform::gtk::GtkHostWindow window(form);
        shell.setOwner(window.gtkWindow());
        instance->setWindow(window.gtkWindow());
        platform::gtk::CloseOnSignals signals(form);

        form.Form_Load();
        if (!form.unloaded()) {
            window.show();
            gtk_main();
        }
    } catch (const std::exception& e) {
        std::fprintf(stderr, "install-menu: cannot start: %s\n", e.what());
        return 1;
    }
    return 0;
}
