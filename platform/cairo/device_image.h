// Images at device resolution: what every cairo back end paints the form
// into, so that the GTK window and the headless back end draw the same
// pixels at every scale.
//
// An image covers a rectangle of the form's layout pixels at a scale (device
// pixels per layout pixel). Its pixels are the device pixels that rectangle
// covers (forms::toDevice), from an even device column and row, and its user
// space is the form's own layout space: drawing at layout (x, y) lands on the
// device pixel the whole screen would have there, wherever the image starts.
// Used as a source at (dx, dy), its layout pixels map one to one onto a
// target of the same scale.
//
// Why even: cairo puts a glyph that lies exactly halfway between two device
// pixels on the even one, so text in an image that starts an odd number of
// pixels away from the whole screen's corner would come out one pixel off.
#pragma once

#include <cairo.h>

#include <memory>

#include "forms/form.h"

namespace platform::cairo {

struct SurfaceDeleter {
    void operator()(cairo_surface_t* s) const { cairo_surface_destroy(s); }
};
using Surface = std::unique_ptr<cairo_surface_t, SurfaceDeleter>;

// A new image, cleared (transparent, or black without alpha), of the device
// pixels of layout at scale. Throws std::bad_alloc where cairo cannot make it.
Surface deviceImage(cairo_format_t format, const forms::PixelRect& layout, double scale);

// The part layout of form painted at scale into an image of its own.
Surface paintForm(const forms::Form& form, const forms::PixelRect& layout, double scale);

// Paints the part layout of form again on target, whose user space is the
// form's layout pixels at scale, as a window repaints what was invalidated:
// band by band into an image of its own (paintForm), each copied onto exactly
// its device pixels. Bands keep the images small (the first frame at scale 2
// would otherwise need one of 12 MB besides the window's own).
void repaintForm(cairo_t* target, const forms::Form& form, const forms::PixelRect& layout, double scale);

}  // namespace platform::cairo
