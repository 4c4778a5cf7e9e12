// What the text in a box of a picture of the screen looks like: the lines it
// takes and how wide its strokes are, measured from the pixels alone, so
// that the render tests and the end-to-end cases judge a headless frame and a
// screenshot the same way.
//
// Each pixel's ink is how far it lies from the box's background towards the
// text colour (0 background, 1 text), which undoes anti-aliasing: a stroke's
// width is the sum of the ink across it, whatever the sub-pixel position.
#pragma once

#include <algorithm>
#include <vector>

#include "forms/colour.h"
#include "forms/geometry.h"

namespace ink {

struct Measure {
    int lines = 0;            // bands of rows with ink, separated by rows without
    int left = 0, right = 0;  // the ink's columns, right exclusive
    int top = 0, bottom = 0;  // and rows, bottom exclusive
    double stem = 0;          // the median width of the strokes the middle rows cross
};

// A pixel with at least this much ink belongs to the text.
inline constexpr double kInked = 0.3;

// pixel(x, y) gives a forms::Rgb of the picture; text is the text's colour.
template <class PixelAt>
Measure measure(PixelAt pixel, const forms::PixelRect& box, forms::Rgb text) {
    // The background: the median of each channel over the box, which the
    // text's few pixels do not move.
    std::vector<int> r, g, b;
    for (int y = box.top; y < box.bottom(); ++y)
        for (int x = box.left; x < box.right(); ++x) {
            forms::Rgb p = pixel(x, y);
            r.push_back(p.r), g.push_back(p.g), b.push_back(p.b);
        }
    auto median = [](std::vector<int>& v) {
        std::nth_element(v.begin(), v.begin() + v.size() / 2, v.end());
        return static_cast<double>(v[v.size() / 2]);
    };
    if (r.empty()) return {};
    const double br = median(r), bg = median(g), bb = median(b);
    const double dr = text.r - br, dg = text.g - bg, db = text.b - bb;
    const double span = dr * dr + dg * dg + db * db;
    auto inkAt = [&](int x, int y) {
        if (span == 0) return 0.0;
        forms::Rgb p = pixel(x, y);
        double a = ((p.r - br) * dr + (p.g - bg) * dg + (p.b - bb) * db) / span;
        return std::clamp(a, 0.0, 1.0);
    };

    Measure m;
    m.left = box.right(), m.top = box.bottom();
    std::vector<bool> rowInked(box.height, false);
    for (int y = box.top; y < box.bottom(); ++y)
        for (int x = box.left; x < box.right(); ++x)
            if (inkAt(x, y) >= kInked) {
                rowInked[y - box.top] = true;
                m.left = std::min(m.left, x), m.right = std::max(m.right, x + 1);
                m.top = std::min(m.top, y), m.bottom = std::max(m.bottom, y + 1);
            }
    for (int i = 0; i < box.height; ++i)
        if (rowInked[i] && (i == 0 || !rowInked[i - 1])) ++m.lines;
    if (m.lines == 0) return {};

    // Strokes across the middle third of the ink's rows: each run of inked
    // pixels, widened by the partly inked pixels at its ends.
    std::vector<double> widths;
    const int third = (m.bottom - m.top) / 3;
    for (int y = m.top + third; y < m.bottom - third; ++y) {
        for (int x = m.left; x < m.right;) {
            if (inkAt(x, y) < kInked) {
                ++x;
                continue;
            }
            double width = x > m.left ? inkAt(x - 1, y) : 0;
            while (x < m.right && inkAt(x, y) >= kInked) width += inkAt(x++, y);
            if (x < m.right) width += inkAt(x, y);
            widths.push_back(width);
        }
    }
    if (!widths.empty()) {
        std::nth_element(widths.begin(), widths.begin() + widths.size() / 2, widths.end());
        m.stem = widths[widths.size() / 2];
    }
    return m;
}

}  // namespace ink
