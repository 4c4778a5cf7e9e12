#include "platform/win32/host_window.h"

#include <windowsx.h>

#include <algorithm>
#include <exception>

#include "platform/win32/dpi.h"
#include "platform/win32/keys.h"
#include "platform/win32/unicode.h"
#include "platform/win32/win32_pictures.h"
#include "platform/win32/win32_shell.h"

namespace platform::win32 {

namespace {

constexpr DWORD kStyle = WS_POPUP | WS_BORDER;

// The rows of one band of a paint, in device pixels: a band of a 1920-pixel
// wide screen is under 1 MB.
constexpr int kPaintBandRows = 128;

// The standard pointers by MousePointer code; codes not listed show the arrow.
struct StandardCursor {
    int code;
    const wchar_t* id;
};
const StandardCursor kStandardCursors[] = {
    {forms::pointer::kCross, IDC_CROSS},           {forms::pointer::kIBeam, IDC_IBEAM},
    {5, IDC_SIZEALL},                              {6, IDC_SIZENESW},
    {7, IDC_SIZENS},                               {8, IDC_SIZENWSE},
    {9, IDC_SIZEWE},                               {10, IDC_UPARROW},
    {forms::pointer::kHourglass, IDC_WAIT},        {forms::pointer::kNoDrop, IDC_NO},
    {forms::pointer::kArrowHourglass, IDC_APPSTARTING}, {forms::pointer::kArrowQuestion, IDC_HELP},
    {forms::pointer::kSizeAll, IDC_SIZEALL},
};

HCURSOR cursorFor(const forms::Cursor& c, int size) {
    if (c.code == forms::pointer::kCustom && c.icon) {
        if (HCURSOR custom = cursorFromPicture(*c.icon, size)) return custom;
    }
    for (const StandardCursor& s : kStandardCursors)
        if (s.code == c.code) return LoadCursorW(nullptr, s.id);
    return LoadCursorW(nullptr, IDC_ARROW);
}

forms::Point pointOf(LPARAM lParam) { return {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}; }

// Where a maximized window of this style lies on a monitor: the system
// maximizes a window without a maximize box over the whole monitor, its
// border just outside (the taskbar the menu hides keeps its work area).
RECT maximizedRect(HMONITOR monitor) {
    MONITORINFO info{};
    info.cbSize = sizeof info;
    GetMonitorInfoW(monitor, &info);
    RECT r = info.rcMonitor;
    AdjustWindowRect(&r, kStyle, FALSE);
    return r;
}

ATOM registerClass(HINSTANCE instance, WNDPROC proc) {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.style = CS_DBLCLKS;  // the system marks the second press of a double-click
    wc.lpfnWndProc = proc;
    wc.hInstance = instance;
    wc.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(1));  // null when the program carries no icon
    wc.hCursor = nullptr;                                 // WM_SETCURSOR chooses
    wc.hbrBackground = nullptr;                           // WM_PAINT covers everything
    wc.lpszClassName = HostWindow::kClassName;
    return RegisterClassExW(&wc);
}

}  // namespace

HostWindow::HostWindow(forms::Form& form, HINSTANCE instance) : form_(form) {
    static const ATOM atom = registerClass(instance, windowProc);
    (void)atom;
    // The client size in twips at the system DPI; the window then takes its
    // monitor's, and is maximized.
    const int dpi = static_cast<int>(windowDpi(nullptr));
    RECT r{0, 0, MulDiv(form.window().clientWidth, dpi, 1440), MulDiv(form.window().clientHeight, dpi, 1440)};
    AdjustWindowRect(&r, kStyle, FALSE);
    const std::wstring caption = widen(form.window().caption);
    hwnd_ = CreateWindowExW(0, kClassName, caption.c_str(), kStyle, 0, 0, r.right - r.left, r.bottom - r.top,
                            nullptr, nullptr, instance, this);
    if (!hwnd_) throw forms::Failure("cannot create the window: " + systemMessage(GetLastError()));
    dpi_ = windowDpi(hwnd_);
    taskbarCreated_ = RegisterWindowMessageW(L"TaskbarCreated");
    fit();
    form_.attach(this);
    startFocusCues();
}

HostWindow::~HostWindow() {
    form_.attach(nullptr);
    if (hwnd_) DestroyWindow(hwnd_);
}

void HostWindow::showMaximized() {
    ShowWindow(hwnd_, SW_SHOWMAXIMIZED);
    fit();  // the load step has placed the picture box; the window is on its monitor
    // A pointer resting where the window opens is a move there; the first
    // frame already shows what it does.
    followPointer();
    if (hwnd_) UpdateWindow(hwnd_);
}

void HostWindow::fit() {
    MONITORINFO info{};
    info.cbSize = sizeof info;
    GetMonitorInfoW(MonitorFromWindow(hwnd_, MONITOR_DEFAULTTONEAREST), &info);
    const RECT& m = info.rcMonitor;
    const double fitted = forms::fitScale(scaleOf(dpi_), {m.right - m.left, m.bottom - m.top}, form_.layoutSize());
    if (fitted == scale_) return;
    scale_ = fitted;
    InvalidateRect(hwnd_, nullptr, FALSE);  // everything is drawn again at the new scale
}

void HostWindow::followPointer() {
    POINT at;
    forms::Point point;
    if (!hwnd_ || !GetCursorPos(&at) || WindowFromPoint(at) != hwnd_ || !clientPointOf(at, point)) return;
    form_.pointerMove(point);
    if (hwnd_) showCursor();
}

int HostWindow::run() {
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return static_cast<int>(msg.wParam);
}

void HostWindow::invalidate(const forms::PixelRect& rect) {
    if (!hwnd_ || rect.empty()) return;
    const RECT r = deviceRect(rect, scale());
    InvalidateRect(hwnd_, &r, FALSE);
}

void HostWindow::unload() {
    if (hwnd_) DestroyWindow(hwnd_);
}

LRESULT CALLBACK HostWindow::windowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* self = static_cast<HostWindow*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        self->hwnd_ = hwnd;
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    auto* self = reinterpret_cast<HostWindow*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (!self) return DefWindowProcW(hwnd, message, wParam, lParam);
    try {
        return self->onMessage(message, wParam, lParam);
    } catch (...) {
        // Nothing may unwind through the system's code: end here, where the
        // terminate handler shows the taskbar again.
        std::terminate();
    }
}

LRESULT HostWindow::onMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == taskbarCreated_ && taskbarCreated_) {
        if (shell_) shell_->taskbarCreated();
        return 0;
    }
    switch (message) {
        case WM_ERASEBKGND: return 1;  // painting covers every pixel
        case WM_PAINT: paint(); return 0;
        case WM_MOUSEMOVE:
            trackLeave();
            form_.pointerMove(layoutPoint(lParam));
            if (hwnd_) showCursor();
            return 0;
        case WM_MOUSELEAVE:
            trackingLeave_ = false;
            form_.pointerLeave();
            return 0;
        // With CS_DBLCLKS a double-click's second press comes as ...DBLCLK
        // in place of ...DOWN; the form decides what it raises.
        case WM_LBUTTONDOWN: buttonDown(lParam, forms::Button::Left, forms::Press::counted(1)); return 0;
        case WM_LBUTTONDBLCLK: buttonDown(lParam, forms::Button::Left, forms::Press::counted(2)); return 0;
        case WM_RBUTTONDOWN:
        case WM_RBUTTONDBLCLK: buttonDown(lParam, forms::Button::Right, {}); return 0;
        case WM_MBUTTONDOWN:
        case WM_MBUTTONDBLCLK: buttonDown(lParam, forms::Button::Middle, {}); return 0;
        case WM_LBUTTONUP: buttonUp(lParam, forms::Button::Left); return 0;
        case WM_RBUTTONUP: buttonUp(lParam, forms::Button::Right); return 0;
        case WM_MBUTTONUP: buttonUp(lParam, forms::Button::Middle); return 0;
        case WM_KEYDOWN:
        case WM_SYSKEYDOWN:  // Alt held: the form leaves such keys to the system (Alt+F4)
            if (keyDown(wParam, lParam)) return 0;
            break;
        case WM_UPDATEUISTATE:  // the window's UI state changes; the default procedure records it
            if (LOWORD(wParam) == UIS_CLEAR && (HIWORD(wParam) & UISF_HIDEFOCUS)) form_.showFocusCues();
            break;
        case WM_SETFOCUS: readers_.windowFocused(); return 0;
        case WM_GETOBJECT:
            if (const LRESULT object = readers_.getObject(wParam, lParam)) return object;
            break;
        case MsaaBridge::kDefaultActionMessage: readers_.runDefaultAction(wParam); return 0;
        case WM_CAPTURECHANGED:
            if (reinterpret_cast<HWND>(lParam) != hwnd_) buttonsDown_ = 0;  // taken away, e.g. by a message box
            return 0;
        case WM_SETCURSOR:
            if (LOWORD(lParam) == HTCLIENT) {
                showCursor();
                return TRUE;
            }
            break;
        case WM_DPICHANGED:  // moved to a monitor of another DPI, or its DPI changed
            dpiChanged(LOWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
            return 0;
        case WM_CLOSE:  // Alt+F4 or a close request from outside
            form_.closeRequested();
            return 0;
        case WM_QUERYENDSESSION: return TRUE;
        case WM_ENDSESSION:
            if (wParam) form_.closeRequested();  // the session ends: the taskbar must come back first
            return 0;
        case WM_DISPLAYCHANGE:
            // The screens changed: the menu covers its monitor at its new size.
            if (GetWindowLongW(hwnd_, GWL_STYLE) & WS_MAXIMIZE) {
                RECT now{};
                GetWindowRect(hwnd_, &now);
                coverMonitor(MonitorFromRect(&now, MONITOR_DEFAULTTONEAREST));
            }
            fit();
            break;
        case WM_DESTROY: PostQuitMessage(0); return 0;
        case WM_NCDESTROY:
            readers_.disconnect();
            SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
            hwnd_ = nullptr;
            break;
    }
    return DefWindowProcW(hwnd_, message, wParam, lParam);
}

void HostWindow::paint() {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd_, &ps);
    const RECT& r = ps.rcPaint;
    const int width = r.right - r.left, height = r.bottom - r.top;
    if (width > 0 && height > 0) {
        // Painted off screen in bands of rows, each copied in one go once it
        // is finished: nothing flickers, and the memory bitmap is one band
        // (the first paint's whole window would be megabytes, held for the
        // paint's length).
        const int band = std::min(height, kPaintBandRows);
        HDC memory = CreateCompatibleDC(dc);
        HBITMAP bitmap = CreateCompatibleBitmap(dc, width, band);
        HGDIOBJ old = SelectObject(memory, bitmap);
        for (int top = r.top; top < r.bottom; top += band) {
            const int rows = std::min(band, static_cast<int>(r.bottom) - top);
            SetViewportOrgEx(memory, -r.left, -top, nullptr);
            {
                GdiPainter painter(memory, fonts_, scale());
                form_.paint(painter, forms::coveringLayout({r.left, top, width, rows}, scale()));
            }
            BitBlt(dc, r.left, top, width, rows, memory, r.left, top, SRCCOPY);
        }
        SelectObject(memory, old);
        DeleteObject(bitmap);
        DeleteDC(memory);
    }
    EndPaint(hwnd_, &ps);
}

void HostWindow::buttonDown(LPARAM lParam, forms::Button button, const forms::Press& press) {
    if (buttonsDown_ == 0) SetCapture(hwnd_);
    buttonsDown_ |= static_cast<int>(button);
    form_.pointerDown(layoutPoint(lParam), button, press);
}

void HostWindow::buttonUp(LPARAM lParam, forms::Button button) {
    buttonsDown_ &= ~static_cast<int>(button);
    // The capture ends before the handlers run: a message box or an unload
    // from a click must not find the mouse still held.
    if (buttonsDown_ == 0 && GetCapture() == hwnd_) ReleaseCapture();
    form_.pointerUp(layoutPoint(lParam), button);
    // A message box may have held the pointer while the pointer moved on.
    if (buttonsDown_ == 0) followPointer();
}

void HostWindow::coverMonitor(HMONITOR monitor) {
    const RECT r = maximizedRect(monitor);
    SetWindowPos(hwnd_, nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top, SWP_NOZORDER | SWP_NOACTIVATE);
}

void HostWindow::trackLeave() {
    if (trackingLeave_ || !hwnd_) return;
    TRACKMOUSEEVENT tme{};
    tme.cbSize = sizeof tme;
    tme.dwFlags = TME_LEAVE;
    tme.hwndTrack = hwnd_;
    trackingLeave_ = TrackMouseEvent(&tme) != FALSE;
}

void HostWindow::showCursor() { SetCursor(cursorFor(form_.cursor(), cursorSize(scale_))); }

forms::Point HostWindow::layoutPoint(LPARAM lParam) const { return forms::toLayout(pointOf(lParam), scale()); }

void HostWindow::dpiChanged(UINT dpi, const RECT& suggested) {
    dpi_ = dpi ? dpi : kLayoutDpi;
    // A maximized window covers its new monitor again; any other takes the
    // place the system suggests.
    if (GetWindowLongW(hwnd_, GWL_STYLE) & WS_MAXIMIZE)
        coverMonitor(MonitorFromRect(&suggested, MONITOR_DEFAULTTONEAREST));
    else
        SetWindowPos(hwnd_, nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                     suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
    // Everything is drawn again at the new DPI, fitted to the monitor the
    // window is on now; the pointer takes its new size with the next
    // movement.
    fit();
    InvalidateRect(hwnd_, nullptr, FALSE);
}

bool HostWindow::keyDown(WPARAM virtualKey, LPARAM keyData) {
    forms::KeyPress key;
    if (!keyPressOf(virtualKey, keyData, key) || !form_.keyDown(key)) return false;
    // The form shows its focus from the first key it takes; the window's UI
    // state says so too, for whoever asks (the key may have ended the form).
    if (hwnd_ && form_.focusCuesShown() && (SendMessageW(hwnd_, WM_QUERYUISTATE, 0, 0) & UISF_HIDEFOCUS))
        SendMessageW(hwnd_, WM_CHANGEUISTATE, MAKEWPARAM(UIS_CLEAR, UISF_HIDEFOCUS), 0);
    return true;
}

void HostWindow::startFocusCues() {
    BOOL always = FALSE;
    if (SystemParametersInfoW(SPI_GETKEYBOARDCUES, 0, &always, 0) && always)
        form_.showFocusCues();
    else  // hidden until the keyboard is used
        SendMessageW(hwnd_, WM_CHANGEUISTATE, MAKEWPARAM(UIS_SET, UISF_HIDEFOCUS), 0);
}

RECT HostWindow::screenRect(const forms::PixelRect& box) const {
    RECT r = deviceRect(box, scale());
    POINT origin{0, 0};
    ClientToScreen(hwnd_, &origin);
    OffsetRect(&r, origin.x, origin.y);
    return r;
}

bool HostWindow::clientPointOf(POINT screen, forms::Point& point) const {
    RECT client;
    if (!hwnd_ || !GetClientRect(hwnd_, &client) || !ScreenToClient(hwnd_, &screen) || !PtInRect(&client, screen))
        return false;
    point = forms::toLayout(forms::Point{screen.x, screen.y}, scale());
    return true;
}

}  // namespace platform::win32
