// The resolution a window works at. The program declares itself aware of
// each monitor's DPI: the system then leaves its drawing alone, and the
// window draws at device pixels = layout pixels x dpi / 96 itself. The
// functions that tell a window's and a DPI's figures exist only on newer
// systems and are looked up at run time; elsewhere the system DPI stands in.
#pragma once

#include <windows.h>

#include "forms/geometry.h"

namespace platform::win32 {

// The DPI at which the form's layout pixels are device pixels.
inline constexpr UINT kLayoutDpi = 96;

inline double scaleOf(UINT dpi) { return static_cast<double>(dpi) / kLayoutDpi; }

// The device pixels that cover a box of layout pixels, as GDI takes them.
inline RECT deviceRect(const forms::PixelRect& layout, double scale) {
    const forms::PixelRect d = forms::toDevice(layout, scale);
    return {d.left, d.top, d.right(), d.bottom()};
}

// The DPI of the monitor the window is on, or the system DPI.
UINT windowDpi(HWND window);

// The size of a standard pointer drawn at a scale, in pixels.
int cursorSize(double scale);

}  // namespace platform::win32
