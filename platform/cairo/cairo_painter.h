// The painter for Linux, on cairo and pango: the GTK window and the headless
// back end both draw through it. Text is laid out by pango at 96 dots per
// inch, so a font's point size gives the pixel size it has on Windows, in
// the faces that font_faces.h chooses for the Windows names.
//
// The painter draws at a scale: its cairo context's user space is the form's
// layout pixels, and its target maps each of them to `scale` device pixels
// (an image from device_image.h, or a GTK window's surface at its scale
// factor). Text is rasterized by cairo at device resolution with the layout
// pango makes in layout pixels, so it breaks into the same lines at every
// scale; the logo's metafile and the shape are drawn as vectors; bitmaps and
// icons are scaled with a smoothing filter. Fills and clips fall on whole
// device pixels, each edge where forms::toDevice puts it.
#pragma once

#include <cairo.h>

#include "forms/painter.h"
#include "platform/cairo/device_image.h"

namespace platform::cairo {

// A picture the cairo painter can draw: a raster image or a played metafile.
class CairoPicture : public forms::Picture {
public:
    // Draws at natural size from box's top-left corner, or scaled to fill it.
    virtual void render(cairo_t* cr, const forms::PixelRect& box, bool stretch) const = 0;

    // The picture as render draws it into box at scale, on an image of the
    // device pixels it covers (device_image.h). Kept for the next call with
    // the same box and scale: a control draws its picture in one place, and
    // copying whole device pixels makes every part of the box painted again
    // exactly what the whole box painted at once shows, which filtering the
    // picture anew from a part's own corner would not.
    cairo_surface_t* atDeviceResolution(const forms::PixelRect& box, bool stretch, double scale) const;

private:
    struct Drawn {
        forms::PixelRect box;
        bool stretch = false;
        double scale = 0;
        Surface image;
    };
    mutable Drawn drawn_;
};

// Where drawText puts text in box: the lines' logical extents, within the
// box; an empty box at the corner for no text.
forms::PixelRect textBounds(const std::string& text, const forms::PixelRect& box, const forms::TextStyle& style);

class CairoPainter final : public forms::Painter {
public:
    // Draws on cr, within whatever clip cr already has; cr's target has
    // scale device pixels to a layout pixel.
    explicit CairoPainter(cairo_t* cr, double scale = 1.0);
    ~CairoPainter() override;
    CairoPainter(const CairoPainter&) = delete;
    CairoPainter& operator=(const CairoPainter&) = delete;

    void setClip(const forms::PixelRect& rect) override;
    void fillRect(const forms::PixelRect& rect, forms::Colour colour) override;
    void drawPicture(const forms::Picture& picture, const forms::PixelRect& box, bool stretch) override;
    void drawText(const std::string& text, const forms::PixelRect& box, const forms::TextStyle& style) override;
    void drawShape(const forms::ShapeDef& shape, const forms::PixelRect& box) override;
    void drawFocusRect(const forms::PixelRect& box) override;

private:
    // A layout rectangle as a path along the device pixels it covers.
    void devicePath(const forms::PixelRect& r);

    cairo_t* cr_;
    double scale_;
};

}  // namespace platform::cairo
