#include "platform/win32/dpi.h"

#include "platform/win32/dll_search.h"

namespace platform::win32 {

namespace {

UINT systemDpi() {
    HDC screen = CreateCompatibleDC(nullptr);  // a memory DC of the screen
    const int dpi = screen ? GetDeviceCaps(screen, LOGPIXELSY) : 0;
    if (screen) DeleteDC(screen);
    return dpi > 0 ? static_cast<UINT>(dpi) : kLayoutDpi;
}

}  // namespace

UINT windowDpi(HWND window) {
    using GetDpiForWindow = UINT(WINAPI*)(HWND);
    // Only newer systems have it (Windows 10 1607 on).
    static const auto getDpiForWindow =
        functionOf<GetDpiForWindow>(GetModuleHandleW(L"user32.dll"), "GetDpiForWindow");
    if (getDpiForWindow && window)
        if (UINT dpi = getDpiForWindow(window)) return dpi;
    return systemDpi();
}

int cursorSize(double scale) {
    // The system gives the size at the system DPI.
    return static_cast<int>(GetSystemMetrics(SM_CXCURSOR) * scale * kLayoutDpi / systemDpi() + 0.5);
}

}  // namespace platform::win32
