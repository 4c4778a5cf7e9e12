#include "platform/win32/taskbar_guard.h"

#include <windows.h>

#include <cstdint>

#include "platform/win32/crash_guard.h"

namespace platform::win32 {

namespace {

// The guard's command line after the program: the role, then the inherited
// handles of the menu's process and of the flag, in decimal.
constexpr wchar_t kRole[] = L"--taskbar-guard ";
// The longest path Windows knows, and room around it for the quotes, the
// role and two numbers.
constexpr DWORD kLongestPath = 32768;
constexpr DWORD kCommandLineRoom = kLongestPath + 64;

// Set while the menu holds the taskbar hidden; null when no guard runs.
HANDLE heldFlag = nullptr;
bool guardTried = false;

// Plain buffers, no allocation: the guard starts from inside the load step,
// and the program's size is measured in bytes.
wchar_t exePath[kLongestPath];
wchar_t commandLine[kCommandLineRoom];

wchar_t* append(wchar_t* to, const wchar_t* text) {
    while (*text) *to++ = *text++;
    return to;
}

wchar_t* appendNumber(wchar_t* to, std::uintptr_t n) {
    wchar_t digits[24];
    int count = 0;
    do digits[count++] = static_cast<wchar_t>(L'0' + n % 10);
    while ((n /= 10) != 0);
    while (count > 0) *to++ = digits[--count];
    return to;
}

// A decimal number, then a space or the end; advances text past both.
bool readNumber(const wchar_t*& text, std::uintptr_t& n) {
    n = 0;
    int count = 0;
    for (; *text >= L'0' && *text <= L'9'; ++text, ++count) n = n * 10 + static_cast<std::uintptr_t>(*text - L'0');
    if (count == 0 || count > 20) return false;
    if (*text == L' ') ++text;
    return true;
}

bool startGuard() {
    const DWORD pathLength = GetModuleFileNameW(nullptr, exePath, kLongestPath);
    wchar_t systemDir[MAX_PATH];
    const UINT dirLength = GetSystemDirectoryW(systemDir, MAX_PATH);
    if (pathLength == 0 || pathLength >= kLongestPath || dirLength == 0 || dirLength >= MAX_PATH) return false;

    // Both handles inheritable for the guard alone: the flag is made private
    // again below, and this process's own handle is closed once passed on.
    SECURITY_ATTRIBUTES inheritable{sizeof inheritable, nullptr, TRUE};
    HANDLE flag = CreateEventW(&inheritable, TRUE, FALSE, nullptr);
    HANDLE self = nullptr;
    if (!flag || !DuplicateHandle(GetCurrentProcess(), GetCurrentProcess(), GetCurrentProcess(), &self,
                                  SYNCHRONIZE | PROCESS_QUERY_LIMITED_INFORMATION, TRUE, 0)) {
        if (flag) CloseHandle(flag);
        return false;
    }

    // The program itself, quoted (a path holds no quotes and never ends in a
    // backslash), and named again as the program to run, so that nothing
    // searches for it: spaces and other letters in the path are harmless.
    wchar_t* end = append(commandLine, L"\"");
    end = append(end, exePath);
    end = append(end, L"\" ");
    end = append(end, kRole);
    end = appendNumber(end, reinterpret_cast<std::uintptr_t>(self));
    *end++ = L' ';
    end = appendNumber(end, reinterpret_cast<std::uintptr_t>(flag));
    *end = L'\0';

    // Exactly these two handles are inherited, nothing else this process has.
    HANDLE inherited[] = {self, flag};
    alignas(void*) unsigned char attributes[256];
    SIZE_T attributesSize = sizeof attributes;
    auto* list = reinterpret_cast<LPPROC_THREAD_ATTRIBUTE_LIST>(attributes);
    STARTUPINFOEXW startup{};
    startup.StartupInfo.cb = sizeof startup;
    // No "starting" pointer for a program that never shows a window.
    startup.StartupInfo.dwFlags = STARTF_FORCEOFFFEEDBACK;
    PROCESS_INFORMATION process{};
    bool started = false;
    if (InitializeProcThreadAttributeList(list, 1, 0, &attributesSize)) {
        if (UpdateProcThreadAttribute(list, 0, PROC_THREAD_ATTRIBUTE_HANDLE_LIST, inherited, sizeof inherited,
                                      nullptr, nullptr)) {
            startup.lpAttributeList = list;
            started = CreateProcessW(exePath, commandLine, nullptr, nullptr, TRUE, EXTENDED_STARTUPINFO_PRESENT,
                                     nullptr, systemDir, &startup.StartupInfo, &process) != FALSE;
        }
        DeleteProcThreadAttributeList(list);
    }
    CloseHandle(self);
    if (!started) {
        CloseHandle(flag);
        return false;
    }
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    SetHandleInformation(flag, HANDLE_FLAG_INHERIT, 0);  // installers started later must not get it
    heldFlag = flag;
    return true;
}

}  // namespace

bool runTaskbarGuard(const wchar_t* arguments) {
    if (!arguments) return false;
    while (*arguments == L' ') ++arguments;
    for (const wchar_t* role = kRole; *role; ++role, ++arguments)
        if (*arguments != *role) return false;
    std::uintptr_t menuValue = 0, flagValue = 0;
    if (!readNumber(arguments, menuValue) || !readNumber(arguments, flagValue) || *arguments) return true;
    const HANDLE menu = reinterpret_cast<HANDLE>(menuValue);
    const HANDLE flag = reinterpret_cast<HANDLE>(flagValue);
    // Only a handle of another process will do: a command line typed by hand
    // cannot make the guard wait on something else and act.
    const DWORD menuId = GetProcessId(menu);
    if (menuId == 0 || menuId == GetCurrentProcessId()) return true;
    if (WaitForSingleObject(menu, INFINITE) != WAIT_OBJECT_0) return true;
    if (WaitForSingleObject(flag, 0) == WAIT_OBJECT_0) restoreTaskbar();
    return true;
}

void holdTaskbar() noexcept {
    if (!guardTried) {
        guardTried = true;
        startGuard();
    }
    if (heldFlag) SetEvent(heldFlag);
}

void releaseTaskbar() noexcept {
    if (heldFlag) ResetEvent(heldFlag);
}

}  // namespace platform::win32
