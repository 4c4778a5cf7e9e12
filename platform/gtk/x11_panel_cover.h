// The panels the menu hides on X11, from the moment it hides them until it
// shows them again.
//
// Only panels on the screen are hidden (a window manager's own unmapped
// dock window, such as openbox's 1x1 one at the corner, is left alone), and
// only those are shown again, each with the desktops, states and place it
// had (x11_panel_record.h). While they are hidden the root window is
// watched: a panel that starts, restarts or reloads meanwhile, or maps its
// window again, is hidden too. The panel guard hears of every panel before
// it is hidden and after it is shown (panel_guard.h).
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "platform/gtk/x11_panel_record.h"

namespace platform::gtk {

class X11DockWatch;

class X11PanelCover {
public:
    X11PanelCover();
    // Shows whatever is still hidden.
    ~X11PanelCover();
    X11PanelCover(const X11PanelCover&) = delete;
    X11PanelCover& operator=(const X11PanelCover&) = delete;

    // Hides those of the panels that are on the screen, and from now on every
    // panel that comes. Without an X11 display it does nothing.
    void hide(const std::vector<std::uintptr_t>& panels);
    // Shows every panel it hid, as it was, in the order they were hidden,
    // and stops watching.
    void show();

private:
    void hideNewcomers();
    void hideViewable(Display* display, const std::vector<std::uintptr_t>& panels);

    std::vector<PanelRecord> hidden_;
    std::unique_ptr<X11DockWatch> watch_;
};

}  // namespace platform::gtk
