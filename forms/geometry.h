// Positions and sizes. The form definition and every property speak twips
// (1/1440 inch); the screen and the painter speak pixels. At 96 dots per inch
// 15 twips make one pixel.
#pragma once

#include <algorithm>
#include <cmath>

namespace forms {

inline constexpr int kTwipsPerPixel = 15;

// Twips to pixels, rounded to the nearest pixel (15 is odd: there are no
// halves to break ties on). Integer arithmetic: hit testing runs this for
// every control on every mouse event.
inline constexpr int twipsToPixels(int twips) {
    constexpr int half = kTwipsPerPixel / 2;
    return twips >= 0 ? (twips + half) / kTwipsPerPixel : -((-twips + half) / kTwipsPerPixel);
}
static_assert(twipsToPixels(7190) == 479 && twipsToPixels(-360) == -24 && twipsToPixels(8) == 1 &&
              twipsToPixels(-7) == 0);

inline constexpr int pixelsToTwips(int pixels) { return pixels * kTwipsPerPixel; }

struct Point {
    int x = 0;
    int y = 0;
    friend bool operator==(const Point&, const Point&) = default;
};

// A rectangle in pixels: left and top inclusive, width and height in pixels.
struct PixelRect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;

    int right() const { return left + width; }
    int bottom() const { return top + height; }
    bool empty() const { return width <= 0 || height <= 0; }
    long long area() const { return empty() ? 0 : static_cast<long long>(width) * height; }
    bool contains(Point p) const {
        return p.x >= left && p.x < right() && p.y >= top && p.y < bottom();
    }
    PixelRect intersect(const PixelRect& o) const {
        int l = std::max(left, o.left), t = std::max(top, o.top);
        int r = std::min(right(), o.right()), b = std::min(bottom(), o.bottom());
        if (r <= l || b <= t) return {l, t, 0, 0};
        return {l, t, r - l, b - t};
    }
    bool intersects(const PixelRect& o) const { return !intersect(o).empty(); }
    PixelRect offset(int dx, int dy) const { return {left + dx, top + dy, width, height}; }
    PixelRect inflate(int d) const { return {left - d, top - d, width + 2 * d, height + 2 * d}; }
    friend bool operator==(const PixelRect&, const PixelRect&) = default;
};

// Device pixels. The form lays itself out in layout pixels (15 twips each);
// a back end draws at device pixels = layout pixels x its scale (1 at 96 dots
// per inch, 1.5 at 144). A layout edge falls on the first device pixel whose
// centre lies at or past it, and a device pixel belongs to the layout pixel
// that holds its centre: so a device pixel lies in a box's device rectangle
// exactly when the pointer there hits the box. At scale 1 both are the
// identity.
inline int toDevice(int layout, double scale) { return static_cast<int>(std::ceil(layout * scale - 0.5)); }
inline int toLayout(int device, double scale) { return static_cast<int>(std::floor((device + 0.5) / scale)); }

inline Point toLayout(Point device, double scale) { return {toLayout(device.x, scale), toLayout(device.y, scale)}; }

// The device pixels a layout rectangle covers; two layout rectangles that
// touch give device rectangles that touch.
inline PixelRect toDevice(const PixelRect& r, double scale) {
    int l = toDevice(r.left, scale), t = toDevice(r.top, scale);
    return {l, t, std::max(0, toDevice(r.right(), scale) - l), std::max(0, toDevice(r.bottom(), scale) - t)};
}

// The smallest layout rectangle whose device rectangle covers r: what must be
// painted again when the device pixels of r are invalid.
inline PixelRect coveringLayout(const PixelRect& r, double scale) {
    if (r.empty()) return {toLayout(r.left, scale), toLayout(r.top, scale), 0, 0};
    int l = toLayout(r.left, scale), t = toLayout(r.top, scale);
    return {l, t, toLayout(r.right() - 1, scale) + 1 - l, toLayout(r.bottom() - 1, scale) + 1 - t};
}

// A control's box in twips, relative to its container's client area.
struct TwipsRect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    friend bool operator==(const TwipsRect&, const TwipsRect&) = default;
};

// The pixel rectangle of a twips box: each edge is rounded on its own, so two
// boxes that touch in twips touch in pixels too.
inline PixelRect toPixels(const TwipsRect& t) {
    int l = twipsToPixels(t.left), tp = twipsToPixels(t.top);
    int r = twipsToPixels(t.left + t.width), b = twipsToPixels(t.top + t.height);
    return {l, tp, std::max(0, r - l), std::max(0, b - tp)};
}

}  // namespace forms
