// desktop_keeper: keeps Wine's desktop process (explorer.exe) running
// between bench/run.sh's runs under Wine, so that each run measures the
// program and not the start of the desktop. Wine ends the desktop process a
// moment after the last program that uses the desktop ended; this one uses it
// with a message-only window, which shows nothing and makes no X window, and
// waits until it is ended.
#include <windows.h>

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
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
