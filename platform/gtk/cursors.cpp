#include "platform/gtk/cursors.h"

#include <cairo.h>

#include <algorithm>

#include "platform/cairo/cairo_painter.h"

namespace platform::gtk {

namespace {

struct NamedCursor {
    int code;
    const char* name;  // a CSS cursor name, which every cursor theme knows
};

// The form's standard pointer codes.
constexpr NamedCursor kNamedCursors[] = {
    {forms::pointer::kArrow, "default"},
    {forms::pointer::kCross, "crosshair"},
    {forms::pointer::kIBeam, "text"},
    {4, "default"},  // icon
    {5, "move"},     // size
    {6, "nesw-resize"},
    {7, "ns-resize"},
    {8, "nwse-resize"},
    {9, "ew-resize"},
    {10, "default"},  // up arrow
    {forms::pointer::kHourglass, "wait"},
    {forms::pointer::kNoDrop, "not-allowed"},
    {forms::pointer::kArrowHourglass, "progress"},
    {forms::pointer::kArrowQuestion, "help"},
    {forms::pointer::kSizeAll, "move"},
};

// The largest custom pointer drawn; an icon's picture is 32 by 32.
constexpr int kMaxCursorSize = 64;

}  // namespace

Cursors::~Cursors() {
    for (auto& [code, cursor] : named_)
        if (cursor) g_object_unref(cursor);
    for (auto& [picture, cursor] : pictures_)
        if (cursor) g_object_unref(cursor);
}

const char* Cursors::cursorName(int code) {
    for (const NamedCursor& n : kNamedCursors)
        if (n.code == code) return n.name;
    return nullptr;
}

GdkCursor* Cursors::cursorFor(const forms::Cursor& c) {
    if (c.code == forms::pointer::kCustom) return c.icon ? fromPicture(*c.icon) : nullptr;
    return named(c.code);
}

GdkCursor* Cursors::named(int code) {
    auto it = named_.find(code);
    if (it != named_.end()) return it->second;
    const char* name = cursorName(code);
    GdkCursor* cursor = name ? gdk_cursor_new_from_name(display_, name) : nullptr;
    named_[code] = cursor;
    return cursor;
}

GdkCursor* Cursors::fromPicture(const forms::Picture& picture) {
    auto it = pictures_.find(&picture);
    if (it != pictures_.end()) return it->second;
    GdkCursor* cursor = nullptr;
    const auto* drawable = dynamic_cast<const platform::cairo::CairoPicture*>(&picture);
    const int width = std::clamp(picture.width(), 1, kMaxCursorSize);
    const int height = std::clamp(picture.height(), 1, kMaxCursorSize);
    if (drawable) {
        // Transparent where the picture is: the icon's mask becomes the
        // cursor's shape.
        cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height);
        cairo_t* cr = cairo_create(surface);
        drawable->render(cr, {0, 0, width, height}, false);
        cairo_destroy(cr);
        cairo_surface_flush(surface);
        cursor = gdk_cursor_new_from_surface(display_, surface, width / 2.0, height / 2.0);
        cairo_surface_destroy(surface);
    }
    pictures_[&picture] = cursor;
    return cursor;
}

}  // namespace platform::gtk
