// Mouse pointers for the GTK window: the standard pointer codes as the
// desktop's named cursors, and custom pointers made from a control's icon.
#pragma once

#include <gdk/gdk.h>

#include <map>

#include "forms/form.h"

namespace platform::gtk {

class CursorCache {
public:
    CursorCache() = default;
    ~CursorCache();
    CursorCache(const CursorCache&) = delete;
    CursorCache& operator=(const CursorCache&) = delete;

    // The cursor for c on display; nullptr for the default pointer. The
    // cache keeps ownership; icon cursors are made once per picture.
    GdkCursor* get(GdkDisplay* display, const forms::Cursor& c);

    // The size of a custom pointer, in pixels, and its hot spot (the centre).
    static constexpr int kIconSize = 32;

private:
    GdkCursor* fromIcon(GdkDisplay* display, const forms::Picture& icon);

    std::map<int, GdkCursor*> named_;
    std::map<const forms::Picture*, GdkCursor*> icons_;
};

}  // namespace platform::gtk
