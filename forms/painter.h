// The painter seam. A back end draws what the form asks, one call per
// element; each call carries everything it needs, and the only state a painter
// keeps is the clip rectangle. Colours may be system colours, which the
// painter resolves with its platform's palette.
#pragma once

#include <string>

#include "forms/definition.h"
#include "forms/picture.h"

namespace forms {

struct TextStyle {
    const FontDef* font = nullptr;
    bool underline = false;  // the label's FontUnderline, which may differ from its font's
    Colour colour = 0;
    Alignment alignment = Alignment::Left;
    bool useMnemonic = true;  // "&x" underlines x, "&&" draws one "&"
};

class Painter {
public:
    virtual ~Painter() = default;
    // Limits every later call to rect (pixels of the form's client area).
    virtual void setClip(const PixelRect& rect) = 0;
    virtual void fillRect(const PixelRect& rect, Colour colour) = 0;
    // At natural size from the box's top-left corner, or stretched to fill it;
    // transparent parts leave what lies below.
    virtual void drawPicture(const Picture& picture, const PixelRect& box, bool stretch) = 0;
    // Word-wrapped inside the box, lines past its bottom cut off, each line
    // aligned on its own.
    virtual void drawText(const std::string& text, const PixelRect& box, const TextStyle& style) = 0;
    virtual void drawShape(const ShapeDef& shape, const PixelRect& box) = 0;
    // The keyboard focus: a dotted line one (layout) pixel wide on the edge
    // of box (inside it), every other pixel inverted, as Windows draws
    // focus. The dots lie where x + y is odd in client-area pixels, wherever
    // the paint starts, so that a part painted again matches the rest.
    virtual void drawFocusRect(const PixelRect& box) = 0;
};

}  // namespace forms
