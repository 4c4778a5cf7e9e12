// Mouse pointers for the GTK window: the standard pointer codes as the
// desktop's named cursors, and custom pointers made from a control's icon.
#pragma once

#include <gdk/gdk.h>

#include <map>
#include <tuple>

#include "forms/form.h"

namespace platform::gtk {

class CursorCache {
public:
    CursorCache() = default;
    ~CursorCache();
    CursorCache(const CursorCache&) = delete;
    CursorCache& operator=(const CursorCache&) = delete;

    // The cursor for c on display, for a form drawn at scale (device pixels
    // per layout pixel) in a window of scale factor windowScale; nullptr for
    // the default pointer. The cache keeps ownership; icon cursors are made
    // once per picture and size. Named cursors come from the desktop's
    // theme, which sizes them for the scale factor itself.
    GdkCursor* get(GdkDisplay* display, const forms::Cursor& c, double scale = 1, int windowScale = 1);

    // The size of a custom pointer in layout pixels, and its hot spot (the
    // centre); at scale 2 it is 64 device pixels wide.
    static constexpr int kIconSize = 32;

    // The custom pointer's width in device pixels at a scale: the nearest
    // even number of GTK pixels (a compositor takes a pointer image only in
    // whole pixels of its scale factor, and GDK its hot spot, the centre).
    static int iconPixels(double scale, int windowScale);

private:
    GdkCursor* fromIcon(GdkDisplay* display, const forms::Picture& icon, int pixels, int windowScale);

    std::map<int, GdkCursor*> named_;
    std::map<std::tuple<const forms::Picture*, int, int>, GdkCursor*> icons_;
};

}  // namespace platform::gtk
