#include "platform/win32/gdi_painter.h"

#include <algorithm>
#include <cmath>

#include "platform/win32/unicode.h"
#include "platform/win32/win32_pictures.h"

namespace platform::win32 {

namespace {

constexpr double kDotsPerInch = 96.0;

RECT toRect(const forms::PixelRect& r) { return {r.left, r.top, r.right(), r.bottom()}; }

// Draws inside box only, whatever the clip set before.
class BoxClip {
public:
    BoxClip(HDC dc, const forms::PixelRect& box) : dc_(dc), saved_(SaveDC(dc)) {
        IntersectClipRect(dc, box.left, box.top, box.right(), box.bottom());
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
    for (auto& [key, font] : fonts_) DeleteObject(font);
}

HFONT FontCache::get(const forms::FontDef& f, bool underline) {
    Key key{f.name, f.size, f.weight, f.italic, underline, f.strikethrough, f.charset};
    for (const auto& [known, font] : fonts_)
        if (known == key) return font;
    const int height = -static_cast<int>(std::lround(f.size * kDotsPerInch / 72.0));
    HFONT font = CreateFontW(height, 0, 0, 0, f.weight, f.italic, underline, f.strikethrough,
                             static_cast<DWORD>(f.charset), OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                             DEFAULT_PITCH | FF_DONTCARE, widen(f.name).c_str());
    fonts_.emplace_back(std::move(key), font);
    return font;
}

COLORREF colourRef(forms::Colour colour) {
    if (forms::isSystemColour(colour)) return GetSysColor(forms::systemColourIndex(colour));
    return static_cast<COLORREF>(colour & 0x00FFFFFFu);
}

GdiPainter::GdiPainter(HDC dc, FontCache& fonts) : dc_(dc), fonts_(fonts), saved_(SaveDC(dc)) {
    SetBkMode(dc_, TRANSPARENT);
}

GdiPainter::~GdiPainter() { RestoreDC(dc_, saved_); }

void GdiPainter::setClip(const forms::PixelRect& r) {
    SelectClipRgn(dc_, nullptr);
    IntersectClipRect(dc_, r.left, r.top, r.right(), r.bottom());
}

void GdiPainter::fillRect(const forms::PixelRect& r, forms::Colour colour) {
    if (r.empty()) return;
    RECT rc = toRect(r);
    HBRUSH brush = CreateSolidBrush(colourRef(colour));
    FillRect(dc_, &rc, brush);
    DeleteObject(brush);
}

void GdiPainter::drawPicture(const forms::Picture& picture, const forms::PixelRect& box, bool stretch) {
    if (box.empty()) return;
    BoxClip clip(dc_, box);
    static_cast<const Win32Picture&>(picture).render(dc_, box, stretch);
}

void GdiPainter::drawText(const std::string& text, const forms::PixelRect& box, const forms::TextStyle& style) {
    if (text.empty() || box.empty() || !style.font) return;
    BoxClip clip(dc_, box);
    HGDIOBJ oldFont = SelectObject(dc_, fonts_.get(*style.font, style.underline));
    SetTextColor(dc_, colourRef(style.colour));
    SetBkMode(dc_, TRANSPARENT);
    UINT format = DT_WORDBREAK | alignmentFormat(style.alignment);
    if (!style.useMnemonic) format |= DT_NOPREFIX;
    std::wstring wide = widen(text);
    RECT rc = toRect(box);
    DrawTextW(dc_, wide.c_str(), static_cast<int>(wide.size()), &rc, format);
    SelectObject(dc_, oldFont);
}

void GdiPainter::drawShape(const forms::ShapeDef& shape, const forms::PixelRect& box) {
    if (box.empty()) return;
    BoxClip clip(dc_, box);
    RECT r = toRect(box);
    if (shape.kind == forms::ShapeKind::Square || shape.kind == forms::ShapeKind::Circle ||
        shape.kind == forms::ShapeKind::RoundedSquare) {
        // The square ones are centred in their box, as large as it allows.
        int side = std::min(box.width, box.height);
        r.left = box.left + (box.width - side) / 2;
        r.top = box.top + (box.height - side) / 2;
        r.right = r.left + side;
        r.bottom = r.top + side;
    }
    // An inside-frame pen keeps the whole outline inside the box.
    HPEN pen = CreatePen(PS_INSIDEFRAME, std::max(1, shape.borderWidth), colourRef(shape.borderColor));
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
    RECT rc = toRect(box);
    DrawFocusRect(dc_, &rc);
    SetBkColor(dc_, oldBack);
    SetTextColor(dc_, oldText);
    SetBrushOrgEx(dc_, oldOrigin.x, oldOrigin.y, nullptr);
}

}  // namespace platform::win32
