// The signals that end a session or a program from outside (SIGTERM, SIGINT,
// SIGHUP) close the form the way a close request does, so that it can put
// the taskbar back before the program ends. The form's handlers run from the
// main loop, never inside a signal handler.
#pragma once

#include <glib.h>

#include <vector>

#include "forms/form.h"

namespace platform::gtk {

class CloseOnSignals {
public:
    explicit CloseOnSignals(forms::Form& form);
    ~CloseOnSignals();
    CloseOnSignals(const CloseOnSignals&) = delete;
    CloseOnSignals& operator=(const CloseOnSignals&) = delete;

private:
    static gboolean onSignal(gpointer self);

    forms::Form& form_;
    std::vector<guint> sources_;
};

}  // namespace platform::gtk
