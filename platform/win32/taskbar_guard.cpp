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

// This process, as GetCurrentProcess() names it (a constant, without the
// call into the system).
const HANDLE kThisProcess = reinterpret_cast<HANDLE>(static_cast<std::intptr_t>(-1));

wchar_t* append(wchar_t* to, const wchar_t* text) {
    while (*text) *to++ = *text++;
    return to;
}

void startGuard() {
    // The command line: the program itself, quoted, then the role and this
    // process's handle. A full path in quotes is the one program it names:
    // nothing is searched for, and spaces or other letters in it are
    // harmless (a path holds no quotes and never ends in a backslash).
    auto* commandLine = static_cast<wchar_t*>(std::malloc((kLongestPath + 64) * sizeof(wchar_t)));
    if (!commandLine) return;
    HANDLE menu = nullptr;
    commandLine[0] = L'"';
    const DWORD length = GetModuleFileNameW(nullptr, commandLine + 1, kLongestPath);
    // This process's handle, inheritable, for the guard alone: it is closed
    // here once passed on, before any installer could inherit it.
    if (length > 0 && length < kLongestPath &&
        DuplicateHandle(kThisProcess, kThisProcess, kThisProcess, &menu,
                        SYNCHRONIZE | PROCESS_QUERY_LIMITED_INFORMATION, TRUE, 0)) {
        wchar_t number[24];
        wchar_t* digit = number + 23;
        *digit = L'\0';
        auto n = reinterpret_cast<std::uintptr_t>(menu);
        do *--digit = static_cast<wchar_t>(L'0' + n % 10);
        while ((n /= 10) != 0);
        append(append(append(commandLine + 1 + length, L"\" "), kRole), digit)[0] = L'\0';

        STARTUPINFOW startup{};
        startup.cb = sizeof startup;
        // No "starting" pointer for a program that never shows a window.
        startup.dwFlags = STARTF_FORCEOFFFEEDBACK;
        PROCESS_INFORMATION process{};
        if (CreateProcessW(nullptr, commandLine, nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup, &process)) {
            CloseHandle(process.hThread);
            guardProcess = process.hProcess;
        }
        CloseHandle(menu);
    }
    std::free(commandLine);
}

}  // namespace

bool runTaskbarGuard(const wchar_t* arguments) {
    if (!arguments) return false;
    for (const wchar_t* role = kRole; *role; ++role, ++arguments)
        if (*arguments != *role) return false;
    // A number that overflows names no handle, like any other wrong one.
    std::uintptr_t value = 0;
    for (; *arguments >= L'0' && *arguments <= L'9'; ++arguments)
        value = value * 10 + static_cast<std::uintptr_t>(*arguments - L'0');
    const HANDLE menu = reinterpret_cast<HANDLE>(value);
    // Only an inherited handle of another process will do: a command line
    // typed by hand cannot make the guard wait on something else, or on
    // itself for ever.
    if (*arguments || menu == kThisProcess || GetProcessId(menu) == 0) return true;
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
