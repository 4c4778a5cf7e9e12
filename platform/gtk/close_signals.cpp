#include "platform/gtk/close_signals.h"

#include <glib-unix.h>
#include <gtk/gtk.h>

#include <csignal>
#include <cstdio>
#include <exception>

namespace platform::gtk {

CloseOnSignals::CloseOnSignals(forms::Form& form) : form_(form) {
    for (int signum : {SIGTERM, SIGINT, SIGHUP}) sources_.push_back(g_unix_signal_add(signum, onSignal, this));
}

CloseOnSignals::~CloseOnSignals() {
    for (guint id : sources_) g_source_remove(id);
}

gboolean CloseOnSignals::onSignal(gpointer p) {
    auto* self = static_cast<CloseOnSignals*>(p);
    try {
        if (!self->form_.unloaded()) self->form_.closeRequested();
    } catch (const std::exception& e) {
        std::fprintf(stderr, "install-menu: %s\n", e.what());
    }
    // Whatever the form did, a signal to end means the program ends.
    if (gtk_main_level() > 0) gtk_main_quit();
    return G_SOURCE_CONTINUE;
}

}  // namespace platform::gtk
