// Install.exe's window at the DPI the prefix reports (LogPixels), in process
// under Wine, where the test can reach what another process cannot: the
// pointer the window sets, the fonts it asks GDI for, and a change of DPI
// (Wine sends no WM_DPICHANGED of its own, so the test sends it as Windows
// does when the window moves to a monitor of another DPI).
//
//   dpi-test DPI        DPI is what the prefix's LogPixels says
//
// The program carries Install.exe's manifest, so it is aware of each
// monitor's DPI as Install.exe is. Every check is printed; the exit code is
// the number of failed checks.
#include <windows.h>
#include <objbase.h>

#include <algorithm>
#include <cstdio>
#include <cwchar>
#include <string>

#include "app/form1.h"
#include "forms/colour.h"
#include "platform/win32/gdi_painter.h"
#include "platform/win32/host_window.h"
#include "platform/win32/win32_pictures.h"

namespace {

int failures = 0;

void check(bool ok, const std::string& what) {
    std::printf("%s: %s\n", ok ? "ok" : "FAILED", what.c_str());
    std::fflush(stdout);
    if (!ok) ++failures;
}

// A shell that leaves the desktop alone: this test is about the window.
class QuietShell final : public forms::Shell {
public:
    forms::TaskbarWindows findTaskbar(const std::string&) override { return {}; }
    void showWindow(const forms::TaskbarWindows&, int) override {}
    char pathSeparator() const override { return '\\'; }
    std::string appPath() override { return "C:\\"; }
    std::string dir(const std::string&, int) override { return ""; }
    void startProcess(const std::string&, const std::string&, int) override {}
    int messageBox(const std::string&, int, const std::string&) override { return forms::box::kOk; }
};

// Runs the window's messages until none are waiting.
void settle() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

void moveTo(HWND window, POINT client) {
    SendMessageW(window, WM_MOUSEMOVE, 0, MAKELPARAM(client.x, client.y));
    SendMessageW(window, WM_SETCURSOR, reinterpret_cast<WPARAM>(window), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
}

// The size and hot spot of the pointer this thread shows now.
std::string pointerShape() {
    ICONINFO icon{};
    if (!GetCursor() || !GetIconInfo(GetCursor(), &icon)) return "none";
    BITMAP bm{};
    GetObjectW(icon.hbmColor ? icon.hbmColor : icon.hbmMask, sizeof bm, &bm);
    const int height = icon.hbmColor ? bm.bmHeight : bm.bmHeight / 2;
    if (icon.hbmColor) DeleteObject(icon.hbmColor);
    DeleteObject(icon.hbmMask);
    return std::to_string(bm.bmWidth) + "x" + std::to_string(height) + "+" + std::to_string(icon.xHotspot) + "+" +
           std::to_string(icon.yHotspot);
}

std::string expectedPointer(int size) {
    return std::to_string(size) + "x" + std::to_string(size) + "+" + std::to_string(size / 2) + "+" +
           std::to_string(size / 2);
}

// A point of a layout box at a scale: its centre, and a point inside the
// scaled box that lies outside the unscaled one (right of it, below its
// middle), so that a pointer there hits the box only when input is scaled.
POINT centre(const RECT& layout, double scale) {
    return {static_cast<LONG>((layout.left + layout.right) * scale / 2),
            static_cast<LONG>((layout.top + layout.bottom) * scale / 2)};
}
POINT beyondUnscaled(const RECT& layout, double scale) {
    return {static_cast<LONG>(layout.right * scale) - 2, static_cast<LONG>((layout.top + layout.bottom) * scale / 2)};
}

// EXIT and ADDRESS SOFTWARE in layout pixels of the client area: Picture1
// lies one pixel in, and each label's twips box is 15 twips to the pixel.
constexpr RECT kExit{85, 417, 126, 438};
constexpr RECT kAddress{17, 241, 190, 268};
constexpr RECT kBackground{300, 30, 400, 40};  // nothing but Picture1

void checkHover(Form1& form, HWND window, double scale, const std::string& at) {
    moveTo(window, centre(kBackground, scale));
    moveTo(window, beyondUnscaled(kExit, scale));
    check(form.control("Label12").ForeColor == forms::colourFromText("&H00ffff00"),
          "at " + at + " the pointer over the scaled EXIT box hovers EXIT");
    moveTo(window, centre(kExit, 1.0));
    check(scale == 1.0 || form.control("Label12").ForeColor == forms::colourFromText("&H0080ff80"),
          "at " + at + " where EXIT lies unscaled is the background");
}

bool coversMonitor(HWND window) {
    MONITORINFO info{};
    info.cbSize = sizeof info;
    GetMonitorInfoW(MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST), &info);
    RECT r{};
    GetWindowRect(window, &r);
    return r.left <= info.rcWork.left && r.top <= info.rcWork.top && r.right >= info.rcWork.right &&
           r.bottom >= info.rcWork.bottom;
}

// The fonts GDI is asked for at a scale: the character height from the
// exact point size, and the pitch and family of the face's kind, so that a
// missing face falls back to one of its kind.
void checkFonts(double scale) {
    struct Case {
        const char* face;
        double points;
        BYTE pitchAndFamily;
    } cases[] = {{"Tahoma", 26.25, VARIABLE_PITCH | FF_SWISS},
                 {"Courier New", 9.75, FIXED_PITCH | FF_MODERN},
                 {"MS Sans Serif", 13.5, VARIABLE_PITCH | FF_SWISS}};
    platform::win32::FontCache fonts;
    HDC dc = CreateCompatibleDC(nullptr);
    for (const Case& c : cases) {
        forms::FontDef def;
        def.name = c.face;
        def.size = c.points;
        HFONT font = fonts.get(def, false, scale);
        LOGFONTW asked{};
        GetObjectW(font, sizeof asked, &asked);
        const long pixels = static_cast<long>(c.points * 96 * scale / 72 + 0.5);
        char what[64];
        std::snprintf(what, sizeof what, "%s %g points", c.face, c.points);
        check(asked.lfHeight == -pixels, std::string(what) + " is asked for " + std::to_string(pixels) +
                                             " pixels high, got " + std::to_string(-asked.lfHeight));
        check(asked.lfPitchAndFamily == c.pitchAndFamily,
              std::string(what) + " is asked for with the pitch and family of its kind");
        HGDIOBJ old = SelectObject(dc, font);
        TEXTMETRICW metrics{};
        GetTextMetricsW(dc, &metrics);
        SelectObject(dc, old);
        // TMPF_FIXED_PITCH set means a variable pitch.
        check(((metrics.tmPitchAndFamily & TMPF_FIXED_PITCH) == 0) == (c.pitchAndFamily == (FIXED_PITCH | FF_MODERN)),
              std::string(what) + " resolves to a face of that pitch");
    }
    DeleteDC(dc);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    const UINT dpi = argc > 1 ? static_cast<UINT>(std::wcstoul(argv[1], nullptr, 10)) : 0;
    if (!dpi) {
        std::fprintf(stderr, "usage: dpi-test DPI\n");
        return 100;
    }
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    {
        QuietShell shell;
        platform::win32::Win32PictureLoader loader;
        Form1 form(shell, loader);
        platform::win32::HostWindow window(form, GetModuleHandleW(nullptr));
        form.Form_Load();
        window.showMaximized();
        settle();
        const HWND hwnd = window.handle();
        const double scale = dpi / 96.0;
        const std::string here = std::to_string(dpi) + " dpi";

        check(window.dpi() == dpi, "the window works at the prefix's " + here + ", got " + std::to_string(window.dpi()));
        check(coversMonitor(hwnd), "at " + here + " the window covers its monitor");
        checkHover(form, hwnd, scale, here);
        const int pointer = GetSystemMetrics(SM_CXCURSOR);
        moveTo(hwnd, centre(kAddress, scale));
        check(pointerShape() == expectedPointer(pointer),
              "at " + here + " the hand pointer is the DPI's pointer size, " + std::to_string(pointer) +
                  " pixels, with its hot spot in the centre: got " + pointerShape());
        checkFonts(scale);

        // Moved to a monitor of twice the DPI: Windows suggests a window
        // rectangle scaled from the old one; a maximized window covers the
        // monitor again, lays itself out at the new scale, or at the largest
        // at which its layout (639x480 layout pixels) fits the monitor, and
        // takes the pointer of that scale.
        const UINT twice = 2 * dpi;
        RECT suggested{100, 100, 400, 300};
        SendMessageW(hwnd, WM_DPICHANGED, MAKEWPARAM(twice, twice), reinterpret_cast<LPARAM>(&suggested));
        settle();
        const std::string there = std::to_string(twice) + " dpi";
        check(window.dpi() == twice, "after WM_DPICHANGED the window works at " + there);
        check(coversMonitor(hwnd), "at " + there + " the maximized window still covers its monitor");
        MONITORINFO monitor{};
        monitor.cbSize = sizeof monitor;
        GetMonitorInfoW(MonitorFromWindow(hwnd, MONITOR_DEFAULTTONEAREST), &monitor);
        const double fits = std::min((monitor.rcMonitor.right - monitor.rcMonitor.left) / 639.0,
                                     (monitor.rcMonitor.bottom - monitor.rcMonitor.top) / 480.0);
        const double drawn = std::min(2 * scale, std::max(1.0, fits));
        check(window.scale() == drawn, "at " + there + " the layout is drawn at " + std::to_string(drawn) + ", got " +
                                           std::to_string(window.scale()));
        checkHover(form, hwnd, drawn, there);
        moveTo(hwnd, centre(kAddress, drawn));
        const int size = static_cast<int>(pointer * drawn * 96 / dpi + 0.5);
        check(pointerShape() == expectedPointer(size), "at " + there + " the hand pointer is " + std::to_string(size) +
                                                           " pixels: got " + pointerShape());
        PostMessageW(hwnd, WM_CLOSE, 0, 0);
        settle();
        check(form.unloaded(), "the window closes");
    }
    CoUninitialize();
    std::printf("dpi-test: %d failed\n", failures);
    return failures;
}
