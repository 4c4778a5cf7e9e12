// The host window on Windows: one top-level window without a title bar or
// system menu, a one-pixel border and the form's client size, shown
// maximized, and covering the screen again when the screen changes size. It
// works at its monitor's DPI (scale = dpi / 96 device pixels per layout
// pixel, following WM_DPICHANGED): it turns the native mouse messages into
// the form's pointer events in layout pixels, invalidates the device pixels
// of the form's areas, paints through a memory bitmap of one band of rows of
// the invalidated area at a time, sets the pointer the form asks for at the
// DPI's pointer size and is destroyed when the form unloads.
#pragma once

#include <windows.h>

#include "forms/form.h"
#include "platform/win32/dpi.h"
#include "platform/win32/gdi_painter.h"

namespace platform::win32 {

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
    void showMaximized();
    // Runs the message loop until the window is gone; returns the exit code.
    int run();

    void invalidate(const forms::PixelRect& rect) override;
    void unload() override;

    UINT dpi() const { return dpi_; }
    double scale() const { return scaleOf(dpi_); }

private:
    static LRESULT CALLBACK windowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT onMessage(UINT message, WPARAM wParam, LPARAM lParam);
    void paint();
    void buttonDown(LPARAM lParam, forms::Button button, const forms::Press& press);
    void buttonUp(LPARAM lParam, forms::Button button);
    void trackLeave();
    // The screen changed size: a maximized window covers the new one.
    void coverScreen(int width, int height);
    void showCursor();
    forms::Point layoutPoint(LPARAM lParam) const;
    void dpiChanged(UINT dpi, const RECT& suggested);

    forms::Form& form_;
    HWND hwnd_ = nullptr;
    FontCache fonts_;
    UINT dpi_ = kLayoutDpi;
    int buttonsDown_ = 0;  // forms::Button bits
    bool trackingLeave_ = false;
};

}  // namespace platform::win32
