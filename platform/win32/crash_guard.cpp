#include "platform/win32/crash_guard.h"

#include <windows.h>

#include <cstdlib>
#include <exception>

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

void restoreTaskbar() noexcept { ShowWindow(FindWindowA("Shell_TrayWnd", nullptr), SW_SHOWNORMAL); }

void installCrashGuard() {
    SetUnhandledExceptionFilter(onUnhandledException);
    std::set_terminate(onTerminate);
}

}  // namespace platform::win32
