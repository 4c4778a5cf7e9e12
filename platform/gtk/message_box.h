// The modal message box: a GTK message dialog in front of its owner window,
// which takes no input until the box is closed.
#pragma once

#include <gtk/gtk.h>

#include <string>

namespace platform::gtk {

// Shows prompt with the icon the style asks for (16 error, 32 question,
// 48 warning, 64 information) and one OK button, under title, and returns
// when the user closes it: forms::box::kOk. A carriage return in the prompt
// is a line break. owner may be null (the window is already gone).
int showMessageBox(GtkWindow* owner, const std::string& prompt, int style, const std::string& title);

// The prompt as the dialog shows it: each "\r\n" or lone "\r" becomes "\n".
std::string dialogText(const std::string& prompt);

}  // namespace platform::gtk
