#include "platform/win32/single_menu.h"

#include <windows.h>

namespace platform::win32 {

namespace {

// "Local\": the user's own session; another user's menu on the same machine
// (fast user switching, a terminal server) is theirs.
constexpr wchar_t kMutexName[] = L"Local\\TarveloInstallMenu";
// How long a second start waits for the first menu's window to appear (the
// first menu may be starting too) or for the first menu to end.
constexpr DWORD kPatienceMs = 10000;
constexpr DWORD kPollMs = 50;

// Brings the menu window to the front, or the message box it shows: the
// box is modal, and the menu behind it takes no input.
void bringToFront(HWND menu) {
    HWND front = GetLastActivePopup(menu);
    if (IsIconic(menu)) ShowWindow(menu, SW_RESTORE);
    SetForegroundWindow(front ? front : menu);
}

}  // namespace

bool claimOnlyMenu(const wchar_t* windowClass) {
    // Owned by this thread, the program's one, until the process ends; the
    // handle is never closed.
    HANDLE mutex = CreateMutexW(nullptr, TRUE, kMutexName);
    if (!mutex) return true;
    if (GetLastError() != ERROR_ALREADY_EXISTS) return true;
    // Another menu owns it. Its window is brought to the front once it is
    // there; where that menu ends instead (its window was already gone), the
    // mutex is let go of, and this start becomes the menu.
    for (DWORD waited = 0; waited < kPatienceMs; waited += kPollMs) {
        if (HWND menu = FindWindowW(windowClass, nullptr); menu && IsWindowVisible(menu)) {
            bringToFront(menu);
            return false;
        }
        const DWORD wait = WaitForSingleObject(mutex, kPollMs);
        if (wait == WAIT_OBJECT_0 || wait == WAIT_ABANDONED) return true;
    }
    return false;
}

}  // namespace platform::win32
