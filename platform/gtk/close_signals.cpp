#include "platform/gtk/close_signals.h"

#include <glib-unix.h>

#include <csignal>
#include <utility>

namespace platform::gtk {

const std::vector<int>& CloseSignals::handled() {
    static const std::vector<int> kSignals = {SIGTERM, SIGINT, SIGHUP};
    return kSignals;
}

CloseSignals::CloseSignals(std::function<void()> onClose) : onClose_(std::move(onClose)) {
    auto dispatch = +[](gpointer self) -> gboolean {
        static_cast<CloseSignals*>(self)->onClose_();
        return G_SOURCE_CONTINUE;
    };
    for (int sig : handled()) sources_.push_back(g_unix_signal_add(sig, dispatch, this));
}

CloseSignals::~CloseSignals() {
    for (unsigned id : sources_) g_source_remove(id);
}

}  // namespace platform::gtk
