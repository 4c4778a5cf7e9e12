// The last line of defence for the desktop's panel. The menu hides the panel
// while it runs and shows it again on every way out it can see (EXIT, a
// close request, the window destroyed, the signals of a session or a
// terminal). Some ends it cannot see: SIGKILL, a crash, the X connection
// failing under GDK. For those a small guard process waits for the menu to
// end, however it ends, and then shows the panels once more; after an
// orderly end that changes nothing.
#pragma once

namespace platform::gtk {

// Starts the guard. Call first thing in main, before any thread or display
// connection exists. Without an X display the guard does nothing but end
// with the menu; where it cannot be started the menu runs without it.
void startPanelGuard();

}  // namespace platform::gtk
