// Drives Install.exe from inside the same Wine desktop: finds the menu
// window by its class, reads whether the taskbar is shown, and ends the menu
// the way a user would. One scenario per run; the exit code says whether
// every check held, and each step is printed for the test log.
//
//   wine-driver up     the menu is up, maximized, without a title bar, and
//                      the taskbar is hidden (then closes the menu)
//   wine-driver exit   as up, then a click on EXIT ends the menu and the
//                      taskbar is shown again
//   wine-driver close  as up, then WM_CLOSE (what Alt+F4 sends) does the same
#include <windows.h>

#include <cstdio>
#include <cwchar>
#include <string_view>

namespace {

constexpr const wchar_t* kMenuClass = L"TarveloInstallMenu";
constexpr POINT kExitLabel{105, 427};  // inside EXIT, in the menu's client area
constexpr DWORD kAppearTimeoutMs = 30000;
constexpr DWORD kEndTimeoutMs = 15000;

int failures = 0;

void check(bool ok, const char* what) {
    std::printf("%s: %s\n", ok ? "ok" : "FAILED", what);
    std::fflush(stdout);
    if (!ok) ++failures;
}

HWND waitForMenu() {
    for (DWORD waited = 0; waited < kAppearTimeoutMs; waited += 100) {
        HWND menu = FindWindowW(kMenuClass, nullptr);
        if (menu && IsWindowVisible(menu)) return menu;
        Sleep(100);
    }
    return nullptr;
}

bool waitForEnd(HWND menu) {
    for (DWORD waited = 0; waited < kEndTimeoutMs; waited += 100) {
        if (!IsWindow(menu)) return true;
        Sleep(100);
    }
    return false;
}

// Looked up afresh, as the menu itself does.
HWND taskbar() { return FindWindowA("Shell_TrayWnd", nullptr); }

void checkMenuIsUp(HWND menu) {
    HWND bar = taskbar();
    check(bar != nullptr, "the desktop has a taskbar");
    check(bar && !IsWindowVisible(bar), "the taskbar is hidden while the menu is up");
    check(IsZoomed(menu), "the menu window is maximized");
    LONG style = GetWindowLongW(menu, GWL_STYLE);
    check(!(style & WS_CAPTION) || (style & WS_CAPTION) == WS_BORDER, "the menu window has no title bar");
    check(!(style & WS_SYSMENU), "the menu window has no system menu");
    RECT r;
    GetWindowRect(menu, &r);
    std::printf("menu window at %ld,%ld to %ld,%ld on a %dx%d screen\n", r.left, r.top, r.right, r.bottom,
                GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));
}

void clickExit(HWND menu) {
    const LPARAM at = MAKELPARAM(kExitLabel.x, kExitLabel.y);
    PostMessageW(menu, WM_MOUSEMOVE, 0, at);
    PostMessageW(menu, WM_LBUTTONDOWN, MK_LBUTTON, at);
    PostMessageW(menu, WM_LBUTTONUP, 0, at);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    const std::wstring_view scenario = argc > 1 ? argv[1] : L"";
    if (scenario != L"up" && scenario != L"exit" && scenario != L"close") {
        std::fprintf(stderr, "usage: wine-driver up|exit|close\n");
        return 2;
    }
    HWND menu = waitForMenu();
    check(menu != nullptr, "the menu window appears");
    if (!menu) return 1;
    checkMenuIsUp(menu);

    if (scenario == L"exit") {
        clickExit(menu);
    } else {
        PostMessageW(menu, WM_CLOSE, 0, 0);
    }
    const bool ended = waitForEnd(menu);
    if (scenario != L"up") {
        check(ended, "the menu window goes away");
        HWND bar = taskbar();
        check(bar && IsWindowVisible(bar), "the taskbar is visible again");
    }
    return failures == 0 ? 0 : 1;
}
