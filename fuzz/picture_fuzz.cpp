// Fuzz target: the picture loader (bitmaps and icons through gdk-pixbuf,
// metafiles through our player) must refuse malformed input with a run-time
// error and never crash; what it accepts must draw.
#include <cairo.h>

#include <cstddef>
#include <cstdint>

#include "forms/runtime_error.h"
#include "platform/cairo/cairo_painter.h"
#include "platform/cairo/cairo_pictures.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    platform::cairo::CairoPictureLoader loader;
    try {
        auto picture = loader.load({data, size});
        cairo_surface_t* s = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, 48, 48);
        cairo_t* cr = cairo_create(s);
        static_cast<const platform::cairo::CairoPicture&>(*picture).render(cr, {0, 0, 48, 48}, true);
        cairo_destroy(cr);
        cairo_surface_destroy(s);
    } catch (const forms::RuntimeError&) {
    }
    return 0;
}
