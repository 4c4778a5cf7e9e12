// Drives Install.exe from inside the same Wine desktop: finds the menu
// window by its class and the taskbar guard beside it, reads whether the
// taskbar is shown, and ends the menu the way a user would; the guard must
// end with it. One scenario per run; the exit code says whether
// every check held, and each step is printed for the test log.
//
//   wine-driver up     the menu is up, maximized, without a title bar, and
//                      the taskbar is hidden (then closes the menu)
//   wine-driver exit   as up, then a click on EXIT ends the menu and the
//                      taskbar is shown again
//   wine-driver close  as up, then WM_CLOSE (what Alt+F4 sends) does the same
//   wine-driver endsession
//                      as up, then the session ending (WM_ENDSESSION) does the
//                      same
//   wine-driver missing
//                      as up, then a click on INDEX SOFTWARE with no installer
//                      beside the menu shows the modal not-found message,
//                      owned by the menu; after OK the menu is still up
//   wine-driver display
//                      as up, then the screen changes size (and back): the
//                      maximized menu covers each new screen (then closes it)
//   wine-driver start DIR
//                      as up, then a click on INDEX SOFTWARE starts the
//                      installer beside the menu, which leaves its marker in
//                      DIR; the menu stays up
#include <windows.h>

#include <cstdio>
#include <cwchar>
#include <string>
#include <string_view>

#include "desktop.h"

namespace {

constexpr const wchar_t* kMenuClass = L"TarveloInstallMenu";
// Inside the entries, in the menu's client area.
constexpr POINT kExitLabel{105, 427};
constexpr POINT kIndexLabel{99, 318};
constexpr const wchar_t* kNotFound =
    L"Excutable(QUV.exe) File Not Found, Cant't install\rOFFICE AUTOMATION SOFTWARE Package";
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

// The copy of Install.exe that the menu started to guard its taskbar; 0 when
// there is not exactly one.
DWORD guardOf(HWND menu) {
    DWORD menuId = 0;
    GetWindowThreadProcessId(menu, &menuId);
    std::vector<DWORD> guards = wine_tests::childProcesses(menuId, L"Install.exe");
    return guards.size() == 1 ? guards[0] : 0;
}

void checkMenuIsUp(HWND menu) {
    HWND bar = taskbar();
    check(bar != nullptr, "the desktop has a taskbar");
    // The menu hands the hiding to the taskbar's own thread and does not
    // wait for it.
    check(bar && wine_tests::waitFor([bar] { return !IsWindowVisible(bar); }, 2000),
          "the taskbar is hidden while the menu is up");
    check(IsZoomed(menu), "the menu window is maximized");
    LONG style = GetWindowLongW(menu, GWL_STYLE);
    check(!(style & WS_CAPTION) || (style & WS_CAPTION) == WS_BORDER, "the menu window has no title bar");
    check(!(style & WS_SYSMENU), "the menu window has no system menu");
    const DWORD guard = guardOf(menu);
    check(guard != 0, "a taskbar guard runs beside the menu");
    check(!wine_tests::hasVisibleWindow(guard), "the taskbar guard shows no window");
    RECT r;
    GetWindowRect(menu, &r);
    std::printf("menu window at %ld,%ld to %ld,%ld on a %dx%d screen\n", r.left, r.top, r.right, r.bottom,
                GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));
}

void click(HWND menu, POINT p) {
    const LPARAM at = MAKELPARAM(p.x, p.y);
    PostMessageW(menu, WM_MOUSEMOVE, 0, at);
    PostMessageW(menu, WM_LBUTTONDOWN, MK_LBUTTON, at);
    PostMessageW(menu, WM_LBUTTONUP, 0, at);
}

HWND waitForMessageBox() {
    for (DWORD waited = 0; waited < kAppearTimeoutMs; waited += 100) {
        if (HWND box = FindWindowW(L"#32770", L"Message Window")) return box;
        Sleep(100);
    }
    return nullptr;
}

void checkNotFoundMessage(HWND menu) {
    HWND box = waitForMessageBox();
    check(box != nullptr, "a message box titled \"Message Window\" appears");
    if (!box) return;
    check(GetWindow(box, GW_OWNER) == menu, "the message box is owned by the menu window");
    check(!IsWindowEnabled(menu), "the menu takes no input while the message box is open");
    wchar_t text[512] = {};
    GetDlgItemTextW(box, 0xFFFF, text, 512);  // the message box's text control
    check(std::wcscmp(text, kNotFound) == 0, "it gives the not-found message");
    PostMessageW(box, WM_COMMAND, IDOK, 0);
    for (int i = 0; i < 100 && IsWindow(box); ++i) Sleep(100);
    check(!IsWindow(box), "OK closes the message box");
    check(IsWindow(menu) && IsWindowVisible(menu) && IsWindowEnabled(menu), "the menu is still up and answering");
}

// The menu window covers the whole screen, its one-pixel border just outside.
bool coversScreen(HWND menu) {
    RECT r;
    GetWindowRect(menu, &r);
    return r.left == -1 && r.top == -1 && r.right == GetSystemMetrics(SM_CXSCREEN) + 1 &&
           r.bottom == GetSystemMetrics(SM_CYSCREEN) + 1;
}

bool changeScreen(DWORD width, DWORD height) {
    DEVMODEW mode{};
    mode.dmSize = sizeof mode;
    mode.dmPelsWidth = width;
    mode.dmPelsHeight = height;
    mode.dmFields = DM_PELSWIDTH | DM_PELSHEIGHT;
    return ChangeDisplaySettingsW(&mode, CDS_FULLSCREEN) == DISP_CHANGE_SUCCESSFUL;
}

void checkScreenChanges(HWND menu) {
    const int width = GetSystemMetrics(SM_CXSCREEN), height = GetSystemMetrics(SM_CYSCREEN);
    const bool changed = changeScreen(800, 600);
    check(changed && GetSystemMetrics(SM_CXSCREEN) == 800, "the screen changes to 800x600");
    check(wine_tests::waitFor([&] { return coversScreen(menu); }, 5000), "the menu covers the 800x600 screen");
    check(IsZoomed(menu), "the menu is still maximized");
    RECT r;
    GetWindowRect(menu, &r);
    std::printf("menu window at %ld,%ld to %ld,%ld on a %dx%d screen\n", r.left, r.top, r.right, r.bottom,
                GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));
    ChangeDisplaySettingsW(nullptr, 0);
    check(GetSystemMetrics(SM_CXSCREEN) == width && GetSystemMetrics(SM_CYSCREEN) == height,
          "the screen is back to its size");
    check(wine_tests::waitFor([&] { return coversScreen(menu); }, 5000), "the menu covers the screen again");
}

// The markers stub-installer leaves in dir.
int markers(const std::wstring& dir) {
    int found = 0;
    WIN32_FIND_DATAW data;
    HANDLE h = FindFirstFileW((dir + L"\\*.started").c_str(), &data);
    if (h == INVALID_HANDLE_VALUE) return 0;
    do ++found;
    while (FindNextFileW(h, &data));
    FindClose(h);
    return found;
}

void checkInstallerStarts(HWND menu, const std::wstring& dir) {
    int found = 0;
    for (DWORD waited = 0; waited < kEndTimeoutMs && found == 0; waited += 100) {
        Sleep(100);
        found = markers(dir);
    }
    check(found == 1, "the installer beside the menu starts once");
    check(!FindWindowW(L"#32770", L"Message Window"), "no message box appears");
    check(IsWindow(menu) && IsWindowVisible(menu), "the menu is still up");
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    const std::wstring_view scenario = argc > 1 ? argv[1] : L"";
    const bool known = scenario == L"up" || scenario == L"display" || scenario == L"exit" || scenario == L"close" || scenario == L"endsession" ||
                       scenario == L"missing" || (scenario == L"start" && argc > 2);
    if (!known) {
        std::fprintf(stderr, "usage: wine-driver up|display|exit|close|endsession|missing|start DIR\n");
        return 2;
    }
    HWND menu = waitForMenu();
    check(menu != nullptr, "the menu window appears");
    if (!menu) return 1;
    checkMenuIsUp(menu);
    const DWORD guard = guardOf(menu);

    if (scenario == L"display") {
        checkScreenChanges(menu);
    } else if (scenario == L"missing") {
        click(menu, kIndexLabel);
        checkNotFoundMessage(menu);
    } else if (scenario == L"start") {
        click(menu, kIndexLabel);
        checkInstallerStarts(menu, argv[2]);
    }
    if (scenario == L"exit") {
        click(menu, kExitLabel);
    } else if (scenario == L"endsession") {
        PostMessageW(menu, WM_ENDSESSION, TRUE, ENDSESSION_LOGOFF);
    } else {
        PostMessageW(menu, WM_CLOSE, 0, 0);
    }
    const bool ended = waitForEnd(menu);
    if (scenario == L"exit" || scenario == L"close" || scenario == L"endsession") {
        check(ended, "the menu window goes away");
        HWND bar = taskbar();
        check(bar && IsWindowVisible(bar), "the taskbar is visible again");
    }
    check(!guard || wine_tests::waitFor([&] { return !wine_tests::processRunning(guard); }, 3000),
          "no taskbar guard is left behind");
    return failures == 0 ? 0 : 1;
}
