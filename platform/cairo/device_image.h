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

#include <functional>
#include <memory>

#include "forms/form.h"

namespace platform::cairo {

struct SurfaceDeleter {
    void operator()(cairo_surface_t* s) const { cairo_surface_destroy(s); }
};
using Surface = std::unique_ptr<cairo_surface_t, SurfaceDeleter>;

// A new image, cleared (transparent, or black without alpha), of the device
// pixels of layout at scale. Given the surface it will be copied to, the
// image is the kind that surface copies from best
// (cairo_surface_create_similar_image: for an X window, memory shared with
// the X server). Throws std::bad_alloc where cairo cannot make it.
Surface deviceImage(cairo_format_t format, const forms::PixelRect& layout, double scale,
                    cairo_surface_t* like = nullptr);

// The part layout of form painted at scale into an image of its own, made
// as deviceImage makes it.
Surface paintForm(const forms::Form& form, const forms::PixelRect& layout, double scale,
                  cairo_surface_t* like = nullptr);

// Paints the part layout of form again on target, whose user space is the
// form's layout pixels at scale, as a window repaints what was invalidated:
// band by band into an image like target's own (paintForm), each copied onto
// exactly its device pixels. Bands keep the images small (the first frame at
// scale 2 would otherwise need one of 12 MB besides the window's own).
// bandCopied, if given, runs after each band's copy, once its image has been
// given back: a window system can wait there until the copy is done, so that
// the next band reuses the same memory.
void repaintForm(cairo_t* target, const forms::Form& form, const forms::PixelRect& layout, double scale,
                 const std::function<void()>& bandCopied = {});

}  // namespace platform::cairo
