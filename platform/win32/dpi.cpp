#include "platform/win32/dpi.h"

namespace platform::win32 {

namespace {

// A function of user32 that only newer systems have (Windows 10 1607 on),
// or null.
template <class Function>
Function user32Function(const char* name) {
    return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"user32.dll"), name)));
}

UINT systemDpi() {
    HDC screen = CreateCompatibleDC(nullptr);  // a memory DC of the screen
    const int dpi = screen ? GetDeviceCaps(screen, LOGPIXELSY) : 0;
    if (screen) DeleteDC(screen);
    return dpi > 0 ? static_cast<UINT>(dpi) : kLayoutDpi;
}

}  // namespace

UINT windowDpi(HWND window) {
    using GetDpiForWindow = UINT(WINAPI*)(HWND);
    static const auto getDpiForWindow = user32Function<GetDpiForWindow>("GetDpiForWindow");
    if (getDpiForWindow && window)
        if (UINT dpi = getDpiForWindow(window)) return dpi;
    return systemDpi();
}

int cursorSize(UINT dpi) {
    // The system gives the size at the system DPI.
    return MulDiv(GetSystemMetrics(SM_CXCURSOR), static_cast<int>(dpi), static_cast<int>(systemDpi()));
}

}  // namespace platform::win32
