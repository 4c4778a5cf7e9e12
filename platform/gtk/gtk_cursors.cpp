#include "platform/gtk/gtk_cursors.h"

#include <cairo.h>

#include <algorithm>

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

int CursorCache::iconPixels(double scale, int windowScale) {
    const int pair = 2 * std::max(1, windowScale);
    return std::max(1, static_cast<int>(kIconSize * scale / pair + 0.5)) * pair;
}

GdkCursor* CursorCache::get(GdkDisplay* display, const forms::Cursor& c, double scale, int windowScale) {
    if (c.code == forms::pointer::kCustom) {
        if (!c.icon) return nullptr;
        const int pixels = iconPixels(scale, windowScale);
        const auto key = std::make_tuple(c.icon, pixels, windowScale);
        auto it = icons_.find(key);
        if (it == icons_.end()) it = icons_.emplace(key, fromIcon(display, *c.icon, pixels, windowScale)).first;
        return it->second;
    }
    const char* name = cursorName(c.code);
    if (!name) return nullptr;
    auto it = named_.find(c.code);
    if (it == named_.end()) it = named_.emplace(c.code, gdk_cursor_new_from_name(display, name)).first;
    return it->second;
}

GdkCursor* CursorCache::fromIcon(GdkDisplay* display, const forms::Picture& icon, int pixels, int windowScale) {
    const auto* picture = dynamic_cast<const platform::cairo::CairoPicture*>(&icon);
    if (!picture) return nullptr;
    // The picture enlarged smoothly to pixels by pixels; GDK takes the
    // image in GTK's pixels (its device scale, the window's scale factor)
    // and the hot spot in them.
    const forms::PixelRect box{0, 0, kIconSize, kIconSize};
    platform::cairo::Surface image =
        platform::cairo::deviceImage(CAIRO_FORMAT_ARGB32, box, static_cast<double>(pixels) / kIconSize);
    cairo_t* cr = cairo_create(image.get());
    picture->render(cr, box, false);
    cairo_destroy(cr);
    cairo_surface_flush(image.get());
    cairo_surface_set_device_scale(image.get(), windowScale, windowScale);
    const double hotSpot = pixels / 2.0 / windowScale;
    return gdk_cursor_new_from_surface(display, image.get(), hotSpot, hotSpot);
}

}  // namespace platform::gtk
