#include "platform/gtk/gtk_cursors.h"

#include <cairo.h>

#include "platform/cairo/cairo_painter.h"

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

GdkCursor* CursorCache::get(GdkDisplay* display, const forms::Cursor& c) {
    if (c.code == forms::pointer::kCustom) {
        if (!c.icon) return nullptr;
        auto it = icons_.find(c.icon);
        if (it == icons_.end()) it = icons_.emplace(c.icon, fromIcon(display, *c.icon)).first;
        return it->second;
    }
    const char* name = cursorName(c.code);
    if (!name) return nullptr;
    auto it = named_.find(c.code);
    if (it == named_.end()) it = named_.emplace(c.code, gdk_cursor_new_from_name(display, name)).first;
    return it->second;
}

GdkCursor* CursorCache::fromIcon(GdkDisplay* display, const forms::Picture& icon) {
    const auto* picture = dynamic_cast<const platform::cairo::CairoPicture*>(&icon);
    if (!picture) return nullptr;
    cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, kIconSize, kIconSize);
    cairo_t* cr = cairo_create(surface);
    picture->render(cr, {0, 0, kIconSize, kIconSize}, false);
    cairo_destroy(cr);
    cairo_surface_flush(surface);
    GdkCursor* cursor = gdk_cursor_new_from_surface(display, surface, kIconSize / 2, kIconSize / 2);
    cairo_surface_destroy(surface);
    return cursor;
}

}  // namespace platform::gtk
