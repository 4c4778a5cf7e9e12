// The host window on Windows: one top-level window without a title bar or
// system menu, a one-pixel border and the form's client size, shown
// maximized, and covering the screen again when the screen changes size. It
// works at its monitor's DPI (scale = dpi / 96 device pixels per layout
// pixel, following WM_DPICHANGED), or less where the layout would not fit
// the monitor at it (forms/fit.h), fitted again when the DPI or the screen
// changes: it turns the native mouse messages into
// the form's pointer events in layout pixels and the keys the form answers
// into its key presses, invalidates the device pixels of the form's areas,
// paints through a memory bitmap of one band of rows of the invalidated area
// at a time, sets the pointer the form asks for at the DPI's pointer size,
// answers screen readers (msaa_bridge.h) and is destroyed when the form
// unloads. Where the pointer lies when the window shows, and after a click
// (whose handler may have held it in a message box), is reported to the
// form as a move.
//
// Keyboard cues follow the system's UI state: the window starts with the
// focus rectangle hidden (UISF_HIDEFOCUS) unless the user has asked to see
// keyboard cues always; the first key the form takes clears the flag, as
// does the system when it clears it (WM_UPDATEUISTATE), and the form then
// shows its focus rectangle.
#pragma once

#include <windows.h>

#include "forms/form.h"
#include "platform/win32/dpi.h"
#include "platform/win32/gdi_painter.h"
#include "platform/win32/msaa_bridge.h"

namespace platform::win32 {

class Win32Shell;

class HostWindow final : public forms::FormSite {
public:
    // The window class of the menu window, which the Windows test driver
    // looks for.
    static constexpr const wchar_t* kClassName = L"TarveloInstallMenu";

    // Creates the window, hidden, and attaches the form to it.
    HostWindow(forms::Form& form, HINSTANCE instance);
    ~HostWindow() override;
    HostWindow(const HostWindow&) = delete;
    HostWindow& operator=(const HostWindow&) = delete;

    HWND handle() const { return hwnd_; }
    forms::Form& form() const { return form_; }
    void showMaximized();
    // Explorer's "TaskbarCreated" broadcast, which says that a new taskbar
    // has been made, goes to this shell.
    void reportTaskbarsTo(Win32Shell& shell) { shell_ = &shell; }
    // Runs the message loop until the window is gone; returns the exit code.
    int run();

    void invalidate(const forms::PixelRect& rect) override;
    void unload() override;
    void focusChanged(const forms::Control* entry) override { readers_.focusChanged(entry); }
    void nameChanged(const forms::Control& child) override { readers_.nameChanged(child); }
    void visibilityChanged(const forms::Control& child, bool visible) override {
        readers_.visibilityChanged(child, visible);
    }
    forms::PixelRect textBounds(const std::string& text, const forms::PixelRect& box,
                                const forms::TextStyle& style) const override {
        return win32::textBounds(fonts_, text, box, style);
    }

    // Where a box of the form's client area lies on the screen.
    RECT screenRect(const forms::PixelRect& box) const;
    // The point of the form's client area at a screen point; false outside
    // the client area.
    bool clientPointOf(POINT screen, forms::Point& point) const;

    UINT dpi() const { return dpi_; }
    // Device pixels per layout pixel: the DPI's, fitted to the monitor.
    double scale() const { return scale_; }

private:
    static LRESULT CALLBACK windowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT onMessage(UINT message, WPARAM wParam, LPARAM lParam);
    void paint();
    void buttonDown(LPARAM lParam, forms::Button button, const forms::Press& press);
    void buttonUp(LPARAM lParam, forms::Button button);
    void trackLeave();
    // A maximized window covers monitor again, as the system maximized it.
    void coverMonitor(HMONITOR monitor);
    void showCursor();
    bool keyDown(WPARAM virtualKey, LPARAM keyData);
    void startFocusCues();
    forms::Point layoutPoint(LPARAM lParam) const;
    void dpiChanged(UINT dpi, const RECT& suggested);
    // The scale for the DPI and the window's monitor now.
    void fit();
    // Reports where the pointer is now, when it is over the client area.
    void followPointer();

    forms::Form& form_;
    HWND hwnd_ = nullptr;
    mutable FontCache fonts_;  // made as painting or measuring first needs each font
    UINT dpi_ = kLayoutDpi;
    double scale_ = 1.0;
    int buttonsDown_ = 0;  // forms::Button bits
    bool trackingLeave_ = false;
    MsaaBridge readers_{*this};
    Win32Shell* shell_ = nullptr;
    UINT taskbarCreated_ = 0;  // the registered message; 0 where it could not be registered
};

}  // namespace platform::win32
