#include "platform/win32/gdi_painter.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "platform/win32/dpi.h"
#include "platform/win32/unicode.h"
#include "platform/win32/win32_pictures.h"

namespace platform::win32 {

namespace {

constexpr double kPointsPerInch = 72.0;

// How GDI is asked for each face the screen names, so that where the face is
// missing the system falls back to one of its kind: a fixed-pitch face for
// Courier New (the panel's texts are laid out in columns), a proportional
// sans serif for the others. Faces not listed are asked for by name alone.
struct FaceKind {
    const char* face;
    BYTE pitchAndFamily;
};
constexpr FaceKind kFaceKinds[] = {
    {"Courier New", FIXED_PITCH | FF_MODERN},
    {"Tahoma", VARIABLE_PITCH | FF_SWISS},
    {"MS Sans Serif", VARIABLE_PITCH | FF_SWISS},
};

BYTE pitchAndFamily(const char* face) {
    for (const FaceKind& k : kFaceKinds)
        if (std::strcmp(face, k.face) == 0) return k.pitchAndFamily;
    return DEFAULT_PITCH | FF_DONTCARE;
}

// Draws inside box only, whatever the clip set before.
class BoxClip {
public:
    BoxClip(HDC dc, const RECT& box) : dc_(dc), saved_(SaveDC(dc)) {
        IntersectClipRect(dc, box.left, box.top, box.right, box.bottom);
    }
    ~BoxClip() { RestoreDC(dc_, saved_); }

private:
    HDC dc_;
    int saved_;
};

UINT alignmentFormat(forms::Alignment a) {
    switch (a) {
        case forms::Alignment::Center: return DT_CENTER;
        case forms::Alignment::Right: return DT_RIGHT;
        case forms::Alignment::Left: break;
    }
    return DT_LEFT;
}

}  // namespace

FontCache::~FontCache() {
    for (const Entry& e : fonts_) DeleteObject(e.handle);
}

HFONT FontCache::get(const forms::FontDef& f, bool underline, double scale) {
    // The character height in device pixels from the exact point size: 26.25
    // points are 35 pixels at 96 dots per inch and 53 at 144, not 1.5 x 35.
    const int pixels = static_cast<int>(f.size * kLayoutDpi * scale / kPointsPerInch + 0.5);
    for (const Entry& e : fonts_)
        if (e.pixels == pixels && e.underline == underline && e.font.weight == f.weight && e.font.italic == f.italic &&
            e.font.strikethrough == f.strikethrough && e.font.charset == f.charset && std::strcmp(e.font.name, f.name) == 0)
            return e.handle;
    HFONT font = CreateFontW(-pixels, 0, 0, 0, f.weight, f.italic, underline, f.strikethrough,
                             static_cast<DWORD>(f.charset), OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                             pitchAndFamily(f.name), widen(f.name).c_str());
    fonts_.push_front({f, underline, pixels, font});
    return font;
}

COLORREF colourRef(forms::Colour colour) {
    if (forms::isSystemColour(colour)) return GetSysColor(forms::systemColourIndex(colour));
    return static_cast<COLORREF>(colour & 0x00FFFFFFu);
}

GdiPainter::GdiPainter(HDC dc, FontCache& fonts, double scale)
    : dc_(dc), fonts_(fonts), scale_(scale), saved_(SaveDC(dc)) {
    SetBkMode(dc_, TRANSPARENT);
}

GdiPainter::~GdiPainter() { RestoreDC(dc_, saved_); }

RECT GdiPainter::device(const forms::PixelRect& layout) const { return deviceRect(layout, scale_); }

void GdiPainter::setClip(const forms::PixelRect& r) {
    const RECT d = device(r);
    SelectClipRgn(dc_, nullptr);
    IntersectClipRect(dc_, d.left, d.top, d.right, d.bottom);
}

void GdiPainter::fillRect(const forms::PixelRect& r, forms::Colour colour) {
    if (r.empty()) return;
    RECT rc = device(r);
    HBRUSH brush = CreateSolidBrush(colourRef(colour));
    FillRect(dc_, &rc, brush);
    DeleteObject(brush);
}

void GdiPainter::drawPicture(const forms::Picture& picture, const forms::PixelRect& box, bool stretch) {
    if (box.empty()) return;
    BoxClip clip(dc_, device(box));
    const forms::PixelRect shown = stretch ? box : forms::PixelRect{box.left, box.top, picture.width(), picture.height()};
    // At 96 dots per inch GDI draws the pictures as they are; at any other
    // scale bitmaps and icons are resampled smoothly.
    static_cast<const Win32Picture&>(picture).render(dc_, device(shown), scale_ != 1.0);
}

void GdiPainter::drawText(const std::string& text, const forms::PixelRect& box, const forms::TextStyle& style) {
    if (text.empty() || box.empty() || !style.font) return;
    RECT rc = device(box);
    BoxClip clip(dc_, rc);
    const std::wstring wide = widen(text);
    const int length = static_cast<int>(wide.size());
    HGDIOBJ oldFont = SelectObject(dc_, fonts_.get(*style.font, style.underline, 1.0));
    if (scale_ != 1.0) {
        // Lines break where they break at 96 dots per inch, whatever the
        // hinting of the larger font: the text is a little wider or narrower
        // than its width at 96 times the scale, and the design's boxes are
        // tight. The box the lines are broken and aligned in grows or shrinks
        // by that ratio around its alignment edge; the drawing stays clipped
        // to the box.
        SIZE layout{}, drawn{};
        GetTextExtentPoint32W(dc_, wide.c_str(), length, &layout);
        SelectObject(dc_, fonts_.get(*style.font, style.underline, scale_));
        GetTextExtentPoint32W(dc_, wide.c_str(), length, &drawn);
        const int grow =
            layout.cx > 0 ? static_cast<int>((rc.right - rc.left) * (drawn.cx / (layout.cx * scale_) - 1)) : 0;
        switch (style.alignment) {
            case forms::Alignment::Left: rc.right += grow; break;
            case forms::Alignment::Right: rc.left -= grow; break;
            case forms::Alignment::Center:
                rc.left -= grow / 2;
                rc.right += grow - grow / 2;
                break;
        }
    }
    SetTextColor(dc_, colourRef(style.colour));
    SetBkMode(dc_, TRANSPARENT);
    UINT format = DT_WORDBREAK | alignmentFormat(style.alignment);
    if (!style.useMnemonic) format |= DT_NOPREFIX;
    DrawTextW(dc_, wide.c_str(), length, &rc, format);
    SelectObject(dc_, oldFont);
}

forms::PixelRect textBounds(FontCache& fonts, const std::string& text, const forms::PixelRect& box,
                            const forms::TextStyle& style) {
    if (text.empty() || box.empty() || !style.font) return {box.left, box.top, 0, 0};
    HDC dc = GetDC(nullptr);
    if (!dc) return box;
    const std::wstring wide = widen(text);
    HGDIOBJ oldFont = SelectObject(dc, fonts.get(*style.font, style.underline, 1.0));
    // The lines as drawText breaks them, at 96 dots per inch: DT_CALCRECT
    // gives the widest line's width and the lines' height, from the box's
    // left edge.
    RECT r{box.left, box.top, box.left + box.width, box.top + box.height};
    UINT format = DT_WORDBREAK | DT_CALCRECT;
    if (!style.useMnemonic) format |= DT_NOPREFIX;
    DrawTextW(dc, wide.c_str(), static_cast<int>(wide.size()), &r, format);
    SelectObject(dc, oldFont);
    ReleaseDC(nullptr, dc);
    const int width = std::min<int>(r.right - r.left, box.width), spare = box.width - width;
    const int left = box.left + (style.alignment == forms::Alignment::Right    ? spare
                                 : style.alignment == forms::Alignment::Center ? spare / 2
                                                                               : 0);
    return forms::PixelRect{left, box.top, width, static_cast<int>(r.bottom - r.top)}.intersect(box);
}

void GdiPainter::drawShape(const forms::ShapeDef& shape, const forms::PixelRect& box) {
    if (box.empty()) return;
    const RECT whole = device(box);
    BoxClip clip(dc_, whole);
    RECT r = whole;
    if (shape.kind == forms::ShapeKind::Square || shape.kind == forms::ShapeKind::Circle ||
        shape.kind == forms::ShapeKind::RoundedSquare) {
        // The square ones are centred in their box, as large as it allows.
        const int width = whole.right - whole.left, height = whole.bottom - whole.top;
        const int side = std::min(width, height);
        r.left = whole.left + (width - side) / 2;
        r.top = whole.top + (height - side) / 2;
        r.right = r.left + side;
        r.bottom = r.top + side;
    }
    // An inside-frame pen keeps the whole outline inside the box; its width
    // is in layout pixels, like the box.
    const int penWidth = static_cast<int>(std::max(1, shape.borderWidth) * scale_ + 0.5);
    HPEN pen = CreatePen(PS_INSIDEFRAME, penWidth, colourRef(shape.borderColor));
    HBRUSH brush = shape.fillStyle == forms::FillStyle::Solid ? CreateSolidBrush(colourRef(shape.fillColor))
                                                              : static_cast<HBRUSH>(GetStockObject(NULL_BRUSH));
    HGDIOBJ oldPen = SelectObject(dc_, pen);
    HGDIOBJ oldBrush = SelectObject(dc_, brush);
    const int corner = std::min(r.right - r.left, r.bottom - r.top) / 4;
    switch (shape.kind) {
        case forms::ShapeKind::Oval:
        case forms::ShapeKind::Circle: Ellipse(dc_, r.left, r.top, r.right, r.bottom); break;
        case forms::ShapeKind::RoundedRectangle:
        case forms::ShapeKind::RoundedSquare: RoundRect(dc_, r.left, r.top, r.right, r.bottom, corner, corner); break;
        case forms::ShapeKind::Rectangle:
        case forms::ShapeKind::Square: Rectangle(dc_, r.left, r.top, r.right, r.bottom); break;
    }
    SelectObject(dc_, oldBrush);
    SelectObject(dc_, oldPen);
    DeleteObject(pen);
    if (shape.fillStyle == forms::FillStyle::Solid) DeleteObject(brush);
}

void GdiPainter::drawFocusRect(const forms::PixelRect& box) {
    if (box.empty()) return;
    // The system's dotted pattern lines up with the brush origin, which is in
    // device pixels; a paint into a memory bitmap moves the viewport, so the
    // origin moves with it to keep the dots on the same client pixels.
    POINT viewport, oldOrigin;
    GetViewportOrgEx(dc_, &viewport);
    SetBrushOrgEx(dc_, ((viewport.x % 8) + 8) % 8, ((viewport.y % 8) + 8) % 8, &oldOrigin);
    // The pattern takes the text and background colours: black and white
    // make it a pure inversion.
    const COLORREF oldText = SetTextColor(dc_, RGB(0, 0, 0));
    const COLORREF oldBack = SetBkColor(dc_, RGB(255, 255, 255));
    RECT rc = device(box);
    DrawFocusRect(dc_, &rc);
    SetBkColor(dc_, oldBack);
    SetTextColor(dc_, oldText);
    SetBrushOrgEx(dc_, oldOrigin.x, oldOrigin.y, nullptr);
}

}  // namespace platform::win32
