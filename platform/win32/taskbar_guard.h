// The last line of defence for the taskbar when the program is ended from
// outside: TerminateProcess (Task Manager's End task, taskkill /F) or a crash
// the crash guard cannot see.
//
// When the menu hides the taskbar it starts a copy of itself in the guard
// role: a process without a window that waits for the menu's process to end,
// however it ends, and then shows the taskbar again. Whenever the menu shows
// the taskbar itself (EXIT, a close request, the session ending, a failure
// the program handles), it ends the guard as it does so: after an orderly
// end the guard has changed nothing, and a menu started meanwhile keeps its
// taskbar hidden.
//
// The guard knows the menu's process by a handle it inherits, never by a
// process id that could name another process later.
#pragma once

namespace platform::win32 {

// When the command line starts this program in the guard role, runs the
// guard to its end and returns true; otherwise returns false at once. Every
// program that hides the taskbar through holdTaskbar() calls it first thing
// in its main: the guard is a copy of that program. The user starts the
// program without arguments; any other command line is the menu's.
bool runTaskbarGuard(const wchar_t* arguments);

// The menu is about to hide the taskbar: from now on the guard shows it
// again if the menu's process ends first. Starts the guard unless it runs;
// where it cannot be started the menu runs without it.
void holdTaskbar() noexcept;
// The menu has shown the taskbar again: the guard, which has nothing left
// to do, is ended.
void releaseTaskbar() noexcept;

}  // namespace platform::win32
