// The painter for Windows: GDI on a device context, usually the memory
// bitmap of one WM_PAINT. Fonts are made once per description and kept by
// a FontCache that outlives the painters using it.
#pragma once

#include <windows.h>

#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "forms/painter.h"

namespace platform::win32 {

class FontCache {
public:
    FontCache() = default;
    ~FontCache();
    FontCache(const FontCache&) = delete;
    FontCache& operator=(const FontCache&) = delete;

    // The font for a description at 96 dots per inch, with the label's own
    // underline in place of the font's.
    HFONT get(const forms::FontDef& font, bool underline);

private:
    using Key = std::tuple<std::string, double, int, bool, bool, bool, int>;
    // The screen uses a handful of fonts: a list looked through from the
    // front is quick, and smaller than a map.
    std::vector<std::pair<Key, HFONT>> fonts_;
};

// The colour GDI draws for a definition colour: system colours from the
// system's palette.
COLORREF colourRef(forms::Colour colour);

class GdiPainter final : public forms::Painter {
public:
    GdiPainter(HDC dc, FontCache& fonts);
    ~GdiPainter() override;

    void setClip(const forms::PixelRect& rect) override;
    void fillRect(const forms::PixelRect& rect, forms::Colour colour) override;
    void drawPicture(const forms::Picture& picture, const forms::PixelRect& box, bool stretch) override;
    void drawText(const std::string& text, const forms::PixelRect& box, const forms::TextStyle& style) override;
    void drawShape(const forms::ShapeDef& shape, const forms::PixelRect& box) override;
    void drawFocusRect(const forms::PixelRect& box) override;

private:
    HDC dc_;
    FontCache& fonts_;
    int saved_;
};

}  // namespace platform::win32
