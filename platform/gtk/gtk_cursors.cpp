#include "platform/gtk/gtk_cursors.h"

#include <cairo.h>

#include "platform/cairo/cairo_painter.h"
#include "platform/cairo/device_image.h"

namespace platform::gtk {

namespace {

// The desktop cursor names for the standard pointer codes.
const char* cursorName(int code) {
    switch (code) {
        case forms::pointer::kArrow: return "default";
        case forms::pointer::kCross: return "crosshair";
        case forms::pointer::kIBeam: return "text";
        case forms::pointer::kHourglass: return "wait";
        case forms::pointer::kNoDrop: return "not-allowed";
        case forms::pointer::kArrowHourglass: return "progress";
        case forms::pointer::kArrowQuestion: return "help";
        case forms::pointer::kSizeAll: return "move";
        default: return nullptr;
    }
}

}  // namespace

CursorCache::~CursorCache() {
    for (auto& [code, c] : named_)
        if (c) g_object_unref(c);
    for (auto& [picture, c] : icons_)
        if (c) g_object_unref(c);
}

GdkCursor* CursorCache::get(GdkDisplay* display, const forms::Cursor& c, int scale) {
    if (c.code == forms::pointer::kCustom) {
        if (!c.icon) return nullptr;
        const auto key = std::make_pair(c.icon, scale);
        auto it = icons_.find(key);
        if (it == icons_.end()) it = icons_.emplace(key, fromIcon(display, *c.icon, scale)).first;
        return it->second;
    }
    const char* name = cursorName(c.code);
    if (!name) return nullptr;
    auto it = named_.find(c.code);
    if (it == named_.end()) it = named_.emplace(c.code, gdk_cursor_new_from_name(display, name)).first;
    return it->second;
}

GdkCursor* CursorCache::fromIcon(GdkDisplay* display, const forms::Picture& icon, int scale) {
    const auto* picture = dynamic_cast<const platform::cairo::CairoPicture*>(&icon);
    if (!picture) return nullptr;
    // The picture enlarged smoothly to the scale's cursor size; GDK takes
    // the image's device scale and the hot spot in layout pixels.
    const forms::PixelRect box{0, 0, kIconSize, kIconSize};
    platform::cairo::Surface image = platform::cairo::deviceImage(CAIRO_FORMAT_ARGB32, box, scale);
    cairo_t* cr = cairo_create(image.get());
    picture->render(cr, box, false);
    cairo_destroy(cr);
    cairo_surface_flush(image.get());
    return gdk_cursor_new_from_surface(display, image.get(), kIconSize / 2, kIconSize / 2);
}

}  // namespace platform::gtk
