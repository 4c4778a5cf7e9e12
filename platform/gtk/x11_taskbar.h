// The desktop's panels on X11: the windows whose _NET_WM_WINDOW_TYPE says
// dock. They are found by walking the window tree from the root, mapped or
// not, because a window manager drops an unmapped dock from its client list
// and a panel hidden once would never be found there again.
//
// Without an X11 display (Wayland, no display at all) nothing is found and
// nothing is done; neither call reports anything.
#pragma once

#include <cstdint>
#include <vector>

typedef struct _XDisplay Display;

namespace platform::gtk {

// The dock windows on the GDK display's screen, looked up now.
std::vector<std::uintptr_t> findDockWindows();

// Maps (show) or unmaps (hide) each window; a window that is gone by now,
// or a null handle, is passed over.
void setDockWindowsMapped(const std::vector<std::uintptr_t>& windows, bool mapped);

// The same on a display of the caller's own, which must ignore errors about
// windows that vanish meanwhile.
std::vector<std::uintptr_t> findDockWindows(Display* display);
void setDockWindowsMapped(Display* display, const std::vector<std::uintptr_t>& windows, bool mapped);

}  // namespace platform::gtk
