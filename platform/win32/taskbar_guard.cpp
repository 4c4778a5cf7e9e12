#include "platform/win32/taskbar_guard.h"

#include <windows.h>

#include <cstdint>
#include <cstdlib>

#include "platform/win32/crash_guard.h"

namespace platform::win32 {

namespace {

// The guard's command line after the program: the role, then the inherited
// handle of the menu's process in decimal.
constexpr wchar_t kRole[] = L"--taskbar-guard ";
// The longest path Windows knows.
constexpr DWORD kLongestPath = 32768;

// The running guard, while the menu holds the taskbar hidden.
HANDLE guardProcess = nullptr;

wchar_t* append(wchar_t* to, const wchar_t* text) {
    while (*text) *to++ = *text++;
    return to;
}

void startGuard() {
    // The program's path, then the command line: "path" --taskbar-guard N.
    auto* exe = static_cast<wchar_t*>(std::malloc(2 * (kLongestPath + 64) * sizeof(wchar_t)));
    if (!exe) return;
    wchar_t* commandLine = exe + kLongestPath + 64;
    HANDLE menu = nullptr;
    const DWORD length = GetModuleFileNameW(nullptr, exe, kLongestPath);
    // This process's handle, inheritable, for the guard alone: it is closed
    // here once passed on, before any installer could inherit it.
    if (length > 0 && length < kLongestPath &&
        DuplicateHandle(GetCurrentProcess(), GetCurrentProcess(), GetCurrentProcess(), &menu,
                        SYNCHRONIZE | PROCESS_QUERY_LIMITED_INFORMATION, TRUE, 0)) {
        // The program itself, quoted (a path holds no quotes and never ends
        // in a backslash), and named again as the program to run, so that
        // nothing searches for it: spaces and other letters are harmless.
        wchar_t* end = append(append(append(append(commandLine, L"\""), exe), L"\" "), kRole);
        wchar_t digits[24];
        int count = 0;
        for (auto n = reinterpret_cast<std::uintptr_t>(menu); count == 0 || n != 0; n /= 10)
            digits[count++] = static_cast<wchar_t>(L'0' + n % 10);
        while (count > 0) *end++ = digits[--count];
        *end = L'\0';

        STARTUPINFOW startup{};
        startup.cb = sizeof startup;
        // No "starting" pointer for a program that never shows a window.
        startup.dwFlags = STARTF_FORCEOFFFEEDBACK;
        PROCESS_INFORMATION process{};
        if (CreateProcessW(exe, commandLine, nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup, &process)) {
            CloseHandle(process.hThread);
            guardProcess = process.hProcess;
        }
        CloseHandle(menu);
    }
    std::free(exe);
}

}  // namespace

bool runTaskbarGuard(const wchar_t* arguments) {
    if (!arguments) return false;
    while (*arguments == L' ') ++arguments;
    for (const wchar_t* role = kRole; *role; ++role, ++arguments)
        if (*arguments != *role) return false;
    std::uintptr_t value = 0;
    int digits = 0;
    for (; *arguments >= L'0' && *arguments <= L'9' && digits < 20; ++arguments, ++digits)
        value = value * 10 + static_cast<std::uintptr_t>(*arguments - L'0');
    const HANDLE menu = reinterpret_cast<HANDLE>(value);
    // Only an inherited handle of another process will do: a command line
    // typed by hand cannot make the guard wait on something else, or on
    // itself for ever.
    if (digits == 0 || *arguments || menu == GetCurrentProcess() || GetProcessId(menu) == 0) return true;
    // The menu ends while it holds the taskbar hidden (it ends the guard
    // first whenever it shows the taskbar itself).
    if (WaitForSingleObject(menu, INFINITE) == WAIT_OBJECT_0) restoreTaskbar();
    return true;
}

void holdTaskbar() noexcept {
    if (!guardProcess) startGuard();
}

void releaseTaskbar() noexcept {
    if (!guardProcess) return;
    TerminateProcess(guardProcess, 0);
    CloseHandle(guardProcess);
    guardProcess = nullptr;
}

}  // namespace platform::win32
