// Fuzz target: the logo's metafile player must refuse malformed input with
// a run-time error and never crash, hang or read out of bounds.
#include <cairo.h>

#include <cstddef>
#include <cstdint>

#include "forms/runtime_error.h"
#include "platform/cairo/wmf_player.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    try {
        platform::cairo::Metafile m = platform::cairo::parseMetafile({data, size});
        cairo_surface_t* s = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, 84, 39);
        cairo_t* cr = cairo_create(s);
        platform::cairo::playMetafile(cr, m, {0, 0, 84, 39});
        cairo_destroy(cr);
        cairo_surface_destroy(s);
    } catch (const forms::RuntimeError&) {
    }
    return 0;
}
