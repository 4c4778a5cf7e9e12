// The painter for Windows: GDI on a device context, usually the memory
// bitmap of one WM_PAINT, at a scale (device pixels per layout pixel, the
// window's DPI / 96): text, shapes and the logo are drawn at device
// resolution, bitmaps and icons resampled smoothly. Fonts are made once per
// description and size and kept by a FontCache that outlives the painters
// using it.
#pragma once

#include <windows.h>

#include <forward_list>
#include <string>

#include "forms/painter.h"

namespace platform::win32 {

class FontCache {
public:
    FontCache() = default;
    ~FontCache();
    FontCache(const FontCache&) = delete;
    FontCache& operator=(const FontCache&) = delete;

    // The font for a description at scale x 96 dots per inch, with the
    // label's own underline in place of the font's.
    HFONT get(const forms::FontDef& font, bool underline, double scale);

private:
    struct Entry {
        forms::FontDef font;  // its size aside
        bool underline;
        int pixels;  // the character height in device pixels
        HFONT handle;
    };
    // The screen uses a handful of fonts: a list looked through from the
    // front is quick, and smaller than a map.
    std::forward_list<Entry> fonts_;
};

// The colour GDI draws for a definition colour: system colours from the
// system's palette.
COLORREF colourRef(forms::Colour colour);

// Where drawText puts text in box, at 96 dots per inch (layout pixels): the
// widest line's width at the alignment's side, the lines' height; an empty
// box at the corner for no text.
forms::PixelRect textBounds(FontCache& fonts, const std::string& text, const forms::PixelRect& box,
                            const forms::TextStyle& style);

class GdiPainter final : public forms::Painter {
public:
    // Rectangles given to the painter are layout pixels; scale turns them
    // into device pixels of dc.
    GdiPainter(HDC dc, FontCache& fonts, double scale);
    ~GdiPainter() override;

    void setClip(const forms::PixelRect& rect) override;
    void fillRect(const forms::PixelRect& rect, forms::Colour colour) override;
    void drawPicture(const forms::Picture& picture, const forms::PixelRect& box, bool stretch) override;
    void drawText(const std::string& text, const forms::PixelRect& box, const forms::TextStyle& style) override;
    void drawShape(const forms::ShapeDef& shape, const forms::PixelRect& box) override;
    void drawFocusRect(const forms::PixelRect& box) override;

private:
    RECT device(const forms::PixelRect& layout) const;

    HDC dc_;
    FontCache& fonts_;
    double scale_;
    int saved_;
};

}  // namespace platform::win32
