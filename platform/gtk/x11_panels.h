// The desktop's panels on X11: the windows whose _NET_WM_WINDOW_TYPE names
// _NET_WM_WINDOW_TYPE_DOCK. A window manager drops a hidden panel from its
// client list, so panels are found by walking the window tree below the
// root (two levels, which reaches windows inside a manager's frames), mapped
// or not. Without an X11 display nothing is found.
#pragma once

#include <cstdint>
#include <vector>

typedef struct _XDisplay Display;

namespace platform::gtk {

// The panel windows of the default GDK display, found now.
std::vector<std::uintptr_t> findPanels();

// The same on an X connection of the caller's own, whose error handler must
// let errors about vanished windows pass.
std::vector<std::uintptr_t> findPanels(Display* display);

}  // namespace platform::gtk
