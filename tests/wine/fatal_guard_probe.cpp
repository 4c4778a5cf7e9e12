// Dies on purpose, after hiding the taskbar, with the menu's crash guard
// installed: the Wine tests check that the taskbar comes back.
//   fatal-guard-probe terminate | throw | crash | early-terminate
// early-terminate calls std::terminate before the guard is installed: the
// default terminate handler of a program that links the guard shows the
// taskbar too.
#include <windows.h>

#include <cstring>
#include <stdexcept>

#include "platform/win32/crash_guard.h"

namespace {

[[noreturn]] void throwUncaught() { throw std::runtime_error("nobody catches this"); }

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) return 2;
    const bool early = std::strcmp(argv[1], "early-terminate") == 0;
    if (!early) platform::win32::installCrashGuard();
    ShowWindow(FindWindowA("Shell_TrayWnd", nullptr), SW_HIDE);
    Sleep(500);  // long enough for the test to see the taskbar hidden
    if (early || std::strcmp(argv[1], "terminate") == 0) std::terminate();
    if (std::strcmp(argv[1], "throw") == 0) throwUncaught();
    if (std::strcmp(argv[1], "crash") == 0) {
        volatile int* nowhere = nullptr;
        *nowhere = 1;
    }
    return 2;
}
