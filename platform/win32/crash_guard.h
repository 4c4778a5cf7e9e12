// The last line of defence for the taskbar inside the program: when it dies of
// an unhandled exception or std::terminate, the taskbar is shown again first.
// Ends it cannot see are the taskbar guard's (taskbar_guard.h).
#pragma once

namespace platform::win32 {

void installCrashGuard();

// Shows the taskbar without touching the program's state, as the program's
// last act.
void restoreTaskbar() noexcept;

}  // namespace platform::win32
