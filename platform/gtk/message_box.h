// The modal message box on Linux, made to behave as the Windows one: a
// dialog owned by the menu window, modal, that the user can move and close
// but not minimise, maximise or resize, and that goes with its owner.
#pragma once

#include <gtk/gtk.h>

#include <string>

namespace platform::gtk {

// Shows prompt (carriage returns break lines) with the icon the style asks
// for and one OK button, owned by owner (or by nothing when it is null), and
// returns once the user has closed it, or its owner has gone.
int runMessageBox(GtkWindow* owner, const std::string& prompt, int style, const std::string& title);

}  // namespace platform::gtk
