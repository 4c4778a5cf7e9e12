// One menu at a time on a display: a disc's menu opened twice (by AutoPlay
// and a double-click, say) must not open two, whose ends would show the
// panels over each other. The first menu owns its display; a second start
// asks it to come to the front and ends, having touched nothing. A menu
// that is ending answers no such request: the second start waits for it to
// go and becomes the menu.
//
// What is owned, so that it needs no session bus and goes with the menu
// however it ends (the system lets go of both on SIGKILL):
// - on X11, the selection _TARVELO_INSTALL_MENU of the X display, held by
//   a window of the menu's, to which a second start sends its request;
// - on Wayland, where there is no X server to own anything, a lock on a
//   file in the user's XDG_RUNTIME_DIR named after the Wayland display,
//   with a socket beside it for the requests. Its activation token
//   (XDG_ACTIVATION_TOKEN, as a launcher sets it) goes with the request,
//   so that the compositor lets the first menu take the focus.
#pragma once

#include <gtk/gtk.h>

#include <memory>
#include <string>

namespace platform::gtk {

class SingleInstance {
public:
    // Claims the display GTK runs on for this menu. Where another menu holds
    // it, asks that menu to come to the front and gives nothing. Where
    // nothing can be owned (no XDG_RUNTIME_DIR on Wayland), the claim is
    // granted and says why on stderr.
    static std::unique_ptr<SingleInstance> claim();
    virtual ~SingleInstance() { setWindow(nullptr); }

    // The window brought to the front when a later start asks; none until
    // it is set, and none again once it is destroyed.
    void setWindow(GtkWindow* window);

protected:
    SingleInstance() = default;
    // Brings the window to the front, as of the X server time given, or with
    // the activation token given (either may be empty). False where the
    // window has gone: the menu is ending.
    bool present(guint32 time, const std::string& activationToken);

private:
    GtkWindow* window_ = nullptr;
    bool hadWindow_ = false;
};

// Where the Wayland lock and socket of a display lie: the runtime directory,
// then a name made of the Wayland display's (a path's last part); empty
// where either is missing.
std::string runtimeLockPath(const char* runtimeDir, const char* waylandDisplay);

}  // namespace platform::gtk
