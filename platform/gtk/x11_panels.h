// The desktop's panels on X11: the windows whose _NET_WM_WINDOW_TYPE names
// _NET_WM_WINDOW_TYPE_DOCK. A window manager drops a hidden panel from its
// client list, so panels are found by walking the window tree below the
// root (two levels, which reaches windows inside a manager's frames), mapped
// or not. Without an X11 display every call does nothing.
#pragma once

#include <cstdint>
#include <vector>

namespace platform::gtk {

// The panel windows of the default GDK display, found now.
std::vector<std::uintptr_t> findPanels();
// Maps (show) or unmaps (hide) those windows; windows gone meanwhile are
// passed over. Reports nothing.
void showPanels(const std::vector<std::uintptr_t>& panels, bool show);

}  // namespace platform::gtk
