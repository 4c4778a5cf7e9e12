// One menu at a time in a user's session. A disc's menu is easily opened
// twice (AutoPlay, then a double-click on Install.exe): two menus would each
// hide the taskbar, and the first one to end would show it over the other.
//
// The first menu owns a named mutex in the session's namespace for its whole
// life; the system lets go of it however the process ends. A second start
// finds the mutex owned, brings the first menu's window (or the message box
// it shows) to the front, and ends without touching the taskbar.
#pragma once

namespace platform::win32 {

// Claims the session's one menu for this process. Returns true when this
// process is to run the menu; false when another menu runs, which has then
// been brought to the front (or was ending, and did not come back within
// moments). Where the mutex cannot be made at all, the menu runs.
bool claimOnlyMenu(const wchar_t* windowClass);

}  // namespace platform::win32
