// desktop_keeper: keeps Wine's desktop process (explorer.exe) running
// between bench/run.sh's runs under Wine, so that each run measures the
// program and not the start of the desktop. Wine ends the desktop process a
// moment after the last program that uses the desktop ended; this one uses it
// with a message-only window, which shows nothing and makes no X window, and
// waits until it is ended.
//
//   desktop_keeper.exe          keeps the desktop process until ended
//   desktop_keeper.exe settle   returns once the desktop process answers
//
// The second form runs between two measured runs. A program can leave the
// desktop process busy after it has gone: Install.exe hides the taskbar and
// does not wait for it, and without a window manager Wine's desktop process
// then waits up to 2 s for the X server to withdraw the taskbar; the taskbar
// guard shows it again when the run is ended. Every program starting in that
// time waits for the desktop process as it sets up its windows, so the next
// run would be charged for the one before it.
#include <windows.h>

#include <cwchar>

namespace {

// Waits until the thread of that window has taken a message: the requests
// queued before this one are done then.
void waitForThreadOf(HWND window) {
    DWORD_PTR result = 0;
    if (window) SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_NORMAL, 30000, &result);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR arguments, int) {
    if (arguments && std::wcscmp(arguments, L"settle") == 0) {
        waitForThreadOf(FindWindowW(L"Shell_TrayWnd", nullptr));
        waitForThreadOf(GetDesktopWindow());
        return 0;
    }
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = DefWindowProcW;
    wc.hInstance = instance;
    wc.lpszClassName = L"DesktopKeeper";
    if (!RegisterClassExW(&wc)) return 1;
    if (!CreateWindowExW(0, wc.lpszClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, instance, nullptr))
        return 1;
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) DispatchMessageW(&msg);
    return 0;
}
