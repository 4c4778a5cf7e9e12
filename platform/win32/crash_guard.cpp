#include "platform/win32/crash_guard.h"

#include <windows.h>

#include <cstdlib>
#include <exception>

#include "platform/win32/taskbar_guard.h"

namespace platform::win32 {

namespace {

LONG WINAPI onUnhandledException(EXCEPTION_POINTERS*) {
    restoreTaskbar();
    return EXCEPTION_CONTINUE_SEARCH;  // and let the system end the program as it would
}

[[noreturn]] void onTerminate() {
    restoreTaskbar();
    std::abort();
}

}  // namespace

void restoreTaskbar() noexcept {
    ShowWindow(FindWindowA("Shell_TrayWnd", nullptr), SW_SHOWNORMAL);
    releaseTaskbar();  // shown: the taskbar guard has nothing left to do
}

void installCrashGuard() {
    SetUnhandledExceptionFilter(onUnhandledException);
    std::set_terminate(onTerminate);
}

}  // namespace platform::win32

// libstdc++'s default terminate handler, replaced. The library's own writes
// the type of the uncaught exception, demangled, to standard error, which
// a GUI program does not have; its demangler alone is some 45 KB of the
// static Install.exe. This one is the crash guard's handler, so that
// std::terminate shows the taskbar again even before installCrashGuard()
// has run. A program that links the crash guard gets it in place of the
// library's, which the linker then never loads.
void __gnu_cxx::__verbose_terminate_handler() { platform::win32::onTerminate(); }
