// The painter for Linux, on cairo and pango: the GTK window and the headless
// back end both draw through it. Text is laid out by pango at 96 dots per
// inch, so a font's point size gives the pixel size it has on Windows, in
// the faces that font_faces.h chooses for the Windows names.
#pragma once

#include <cairo.h>

#include "forms/painter.h"

namespace platform::cairo {

// A picture the cairo painter can draw: a raster image or a played metafile.
class CairoPicture : public forms::Picture {
public:
    // Draws at natural size from box's top-left corner, or scaled to fill it.
    virtual void render(cairo_t* cr, const forms::PixelRect& box, bool stretch) const = 0;
};

class CairoPainter final : public forms::Painter {
public:
    // Draws on cr, within whatever clip cr already has.
    explicit CairoPainter(cairo_t* cr);
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
    cairo_t* cr_;
};

}  // namespace platform::cairo
