// The last line of defence for the desktop's panels. The menu hides the
// panels while it runs and shows them again on every way out it can see
// (EXIT, a close request, the window destroyed, the signals of a session or
// a terminal). Some ends it cannot see: SIGKILL, a crash, the X connection
// failing under GDK. For those a small guard process waits for the menu to
// end, however it ends, and then puts back the panels the menu still held
// hidden, with their desktops and states (x11_panel_record.h).
//
// The menu tells the guard each panel it hides, with its record, and each
// it shows again, as it happens. After an orderly end the guard holds no
// panel and ends without connecting to anything: on a Wayland session, or
// for a second start that hid nothing, it never opens an X connection.
#pragma once

#include <cstdint>
#include <string>

namespace platform::gtk {

struct PanelRecord;

// Starts the guard. Call first thing in main, before any thread or display
// connection exists; where it cannot be started the menu runs without it.
void startPanelGuard();

// The guard's news: the panel is about to be hidden on the X display of that
// name / has been shown again. Never blocks; without a guard they do nothing.
void guardPanelHidden(const std::string& display, const PanelRecord& record);
void guardPanelShown(std::uint32_t window);

}  // namespace platform::gtk
