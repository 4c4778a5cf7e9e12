// Positions and sizes. The form definition and every property speak twips
// (1/1440 inch); the screen and the painter speak pixels. At 96 dots per inch
// 15 twips make one pixel.
#pragma once

#include <algorithm>

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
    friend bool operator==(const PixelRect&, const PixelRect&) = default;
};

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
