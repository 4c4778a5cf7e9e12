// Mouse pointers for the GTK window: the standard pointer codes as the
// desktop's named cursors, and custom pointers made from a control's icon.
#pragma once

#include <gdk/gdk.h>

#include <map>
#include <utility>

#include "forms/form.h"

namespace platform::gtk {

class CursorCache {
public:
    CursorCache() = default;
    ~CursorCache();
    CursorCache(const CursorCache&) = delete;
    CursorCache& operator=(const CursorCache&) = delete;

    // The cursor for c on display at a window scale factor; nullptr for the
    // default pointer. The cache keeps ownership; icon cursors are made once
    // per picture and scale. Named cursors come from the desktop's theme,
    // which sizes them for the scale itself.
    GdkCursor* get(GdkDisplay* display, const forms::Cursor& c, int scale = 1);

    // The size of a custom pointer in layout pixels, and its hot spot (the
    // centre); at scale 2 it is 64 device pixels wide.
    static constexpr int kIconSize = 32;

private:
    GdkCursor* fromIcon(GdkDisplay* display, const forms::Picture& icon, int scale);

    std::map<int, GdkCursor*> named_;
    std::map<std::pair<const forms::Picture*, int>, GdkCursor*> icons_;
};

}  // namespace platform::gtk
