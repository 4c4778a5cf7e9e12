// The maker's logo: "TARVELO" in bold capitals cut into six horizontal
// stripes, with speed lines (as many as make 62 polygons) trailing after
// the O. Each letter is drawn as outlines (with its holes), and every stripe
// of a letter becomes one filled polygon: the letter's cross-section between the stripe's top and
// bottom. Every place where a letter's shape changes its topology lies in a
// gap between stripes, so a stripe of a letter is always a set of separate
// pieces with straight or curved sides.
#include <algorithm>
#include <cmath>
#include <stdexcept>

#include "pictures.h"

namespace picgen {

namespace {

struct P {
    double x, y;
};
using Contour = std::vector<P>;
using Shape = std::vector<Contour>;  // outlines, filled by the even-odd rule

constexpr int kWindowWidth = 16000, kWindowHeight = 5473;
constexpr int kStripes = 6;
constexpr double kTop = 420, kBottom = 5053;
constexpr double kStripe = (kBottom - kTop) / (kStripes + (kStripes - 1) * 0.36);
constexpr double kGap = kStripe * 0.36;
constexpr double kBeyond = 60;  // letters reach past the outer stripes, which cut them
constexpr double kStem = 560;   // the width of upright strokes
constexpr double kSlant = 600;  // the horizontal width of slanted strokes
constexpr int kPolygons = 62;
constexpr int kPoints = 1070;  // the polygons' points in all

double stripeTop(int i) { return kTop + i * (kStripe + kGap); }
double stripeBottom(int i) { return stripeTop(i) + kStripe; }
// The middle of the gap below stripe i: where a letter may change its shape.
double gapBelow(int i) { return stripeBottom(i) + kGap / 2; }

constexpr double top = kTop - kBeyond, bottom = kBottom + kBeyond;

// A quarter of an ellipse about (cx, cy) with radii rx and ry, clockwise on
// a y-down page, as `steps` segments: quarter 0 runs from the right to the
// bottom, 1 from the bottom to the left, 2 from the left to the top and 3
// from the top to the right. The points come from the rational form of the
// circle (u being the tangent of half the angle), so no library function is
// involved.
void arc(Contour& c, double cx, double cy, double rx, double ry, int quarter, int steps) {
    for (int k = 0; k <= steps; ++k) {
        double u = static_cast<double>(k) / steps;
        double cs = (1 - u * u) / (1 + u * u), sn = 2 * u / (1 + u * u);
        double x, y;
        switch (quarter) {
            case 0: x = cs, y = sn; break;     // right to bottom
            case 1: x = -sn, y = cs; break;    // bottom to left
            case 2: x = -cs, y = -sn; break;   // left to top
            default: x = sn, y = -cs; break;   // top to right
        }
        c.push_back({cx + rx * x, cy + ry * y});
    }
}

// A rectangle with rounded corners, clockwise on a y-down page.
Contour roundedRect(double x0, double y0, double x1, double y1, double r, int steps) {
    Contour c;
    arc(c, x1 - r, y0 + r, r, r, 3, steps);  // top right
    arc(c, x1 - r, y1 - r, r, r, 0, steps);  // bottom right
    arc(c, x0 + r, y1 - r, r, r, 1, steps);  // bottom left
    arc(c, x0 + r, y0 + r, r, r, 2, steps);  // top left
    return c;
}

Shape letterT(double x, double w) {
    double l = x + (w - kStem) / 2, r = l + kStem;
    return {{{x, top}, {x + w, top}, {x + w, gapBelow(0)}, {r, gapBelow(0)}, {r, bottom}, {l, bottom}, {l, gapBelow(0)},
             {x, gapBelow(0)}}};
}

// A and V share their slanted legs; along a leg, `at` gives the outer edge's x.
Shape letterA(double x, double w) {
    const double apex = 520;  // half the flat top's width
    auto outerL = [&](double y) { return x + w / 2 - apex + (y - top) / (bottom - top) * (apex - w / 2); };
    auto outerR = [&](double y) { return 2 * (x + w / 2) - outerL(y); };
    auto innerL = [&](double y) { return outerL(y) + kSlant; };
    auto innerR = [&](double y) { return outerR(y) - kSlant; };
    const double holeTop = gapBelow(1), holeBottom = gapBelow(2), notchTop = gapBelow(3);
    Contour outer{{outerL(top), top},
                  {outerR(top), top},
                  {outerR(bottom), bottom},
                  {innerR(bottom), bottom},
                  {innerR(notchTop), notchTop},
                  {innerL(notchTop), notchTop},
                  {innerL(bottom), bottom},
                  {outerL(bottom), bottom}};
    Contour hole{{innerL(holeTop), holeTop}, {innerR(holeTop), holeTop}, {innerR(holeBottom), holeBottom},
                 {innerL(holeBottom), holeBottom}};
    return {outer, hole};
}

Shape letterV(double x, double w) {
    const double foot = 560;  // half the flat bottom's width
    auto outerL = [&](double y) { return x + (y - top) / (bottom - top) * (w / 2 - foot); };
    auto outerR = [&](double y) { return 2 * (x + w / 2) - outerL(y); };
    const double notchBottom = gapBelow(3);
    return {{{outerL(top), top},
             {outerL(top) + kSlant, top},
             {outerL(notchBottom) + kSlant, notchBottom},
             {outerR(notchBottom) - kSlant, notchBottom},
             {outerR(top) - kSlant, top},
             {outerR(top), top},
             {outerR(bottom), bottom},
             {outerL(bottom), bottom}}};
}

Shape letterR(double x, double w) {
    // The bowl fills the top three stripes and ends in the gap below them,
    // where the leg starts and slants down to the bottom right.
    const double bowlBottom = gapBelow(2) + kGap * 0.2;
    const double stemR = x + kStem, bowlR = x + w - 100;
    const double rx = 720, ry = (bowlBottom - top) / 2;
    Contour outer{{x, top}};
    arc(outer, bowlR - rx, top + ry, rx, ry, 3, 12);
    arc(outer, bowlR - rx, top + ry, rx, ry, 0, 12);
    const double notchTop = gapBelow(2), legTopL = x + w * 0.40, legBottomR = x + w;
    auto legL = [&](double y) {
        return legTopL + (y - notchTop) / (bottom - notchTop) * (legBottomR - kSlant - legTopL);
    };
    outer.push_back({legL(bowlBottom) + kSlant, bowlBottom});
    outer.push_back({legBottomR, bottom});
    outer.push_back({legBottomR - kSlant, bottom});
    outer.push_back({legL(notchTop), notchTop});
    outer.push_back({stemR, notchTop});
    outer.push_back({stemR, bottom});
    outer.push_back({x, bottom});
    // The counter: stripe 1 between the stem and the bowl's right side.
    const double holeTop = gapBelow(0), holeBottom = gapBelow(1);
    const double hrx = 330, hry = (holeBottom - holeTop) / 2;
    Contour hole{{stemR, holeTop}};
    arc(hole, bowlR - kStem - hrx, holeTop + hry, hrx, hry, 3, 6);
    arc(hole, bowlR - kStem - hrx, holeTop + hry, hrx, hry, 0, 6);
    hole.push_back({stemR, holeBottom});
    return {outer, hole};
}

Shape letterE(double x, double w) {
    const double s = x + kStem, mid = x + w - 250;
    return {{{x, top},
             {x + w, top},
             {x + w, gapBelow(0)},
             {s, gapBelow(0)},
             {s, gapBelow(1)},
             {mid, gapBelow(1)},
             {mid, gapBelow(2)},
             {s, gapBelow(2)},
             {s, gapBelow(4)},
             {x + w, gapBelow(4)},
             {x + w, bottom},
             {x, bottom}}};
}

Shape letterL(double x, double w) {
    return {{{x, top}, {x + kStem, top}, {x + kStem, gapBelow(4)}, {x + w, gapBelow(4)}, {x + w, bottom}, {x, bottom}}};
}

Shape letterO(double x, double w) {
    return {roundedRect(x, top, x + w, bottom, 900, 12),
            roundedRect(x + kStem, gapBelow(0), x + w - kStem, gapBelow(4), 360, 7)};
}

// Speed lines trailing after the last letter, one on each of the lowest
// `count` stripes: wedges that run out to a point, shorter going down.
std::vector<Contour> speedLines(double x, double w, int count) {
    std::vector<Contour> lines;
    for (int i = 0; i < count; ++i) {
        int stripe = kStripes - count + i;
        double y0 = stripeTop(stripe), y1 = stripeBottom(stripe);
        double x1 = x + w * (1.0 - 0.12 * i);
        lines.push_back({{x, y0}, {x1 - w * 0.35, y0}, {x1, (y0 + y1) / 2}, {x1 - w * 0.35, y1}, {x, y1}});
    }
    return lines;
}

// The x positions where the horizontal line at y crosses the shape's outlines.
std::vector<double> crossings(const Shape& shape, double y) {
    std::vector<double> xs;
    for (const Contour& c : shape) {
        for (std::size_t i = 0; i < c.size(); ++i) {
            const P& a = c[i];
            const P& b = c[(i + 1) % c.size()];
            if (a.y == b.y) continue;
            if (y < std::min(a.y, b.y) || y >= std::max(a.y, b.y)) continue;
            xs.push_back(a.x + (y - a.y) / (b.y - a.y) * (b.x - a.x));
        }
    }
    std::sort(xs.begin(), xs.end());
    if (xs.size() % 2) throw std::logic_error("logo: an open outline");
    return xs;
}

// The pieces of one stripe of a shape: its cross-sections, walked down the
// left sides and back up the right sides.
std::vector<Contour> cut(const Shape& shape, double y0, double y1) {
    std::vector<double> ys{y0, y1};
    for (const Contour& c : shape)
        for (const P& p : c)
            if (p.y > y0 && p.y < y1) ys.push_back(p.y);
    std::sort(ys.begin(), ys.end());
    ys.erase(std::unique(ys.begin(), ys.end()), ys.end());
    std::vector<std::vector<double>> rows;
    for (double y : ys) rows.push_back(crossings(shape, y));
    for (const auto& r : rows)
        if (r.size() != rows.front().size()) throw std::logic_error("logo: a letter changes shape inside a stripe");
    std::vector<Contour> pieces;
    for (std::size_t j = 0; j < rows.front().size(); j += 2) {
        Contour piece;
        for (std::size_t k = 0; k < ys.size(); ++k) piece.push_back({rows[k][j], ys[k]});
        for (std::size_t k = ys.size(); k-- > 0;) piece.push_back({rows[k][j + 1], ys[k]});
        pieces.push_back(piece);
    }
    return pieces;
}

std::int16_t unit(double v) { return static_cast<std::int16_t>(std::floor(v + 0.5)); }

// Removes points that round onto their predecessor.
Polygon toPolygon(const Contour& c) {
    Polygon p;
    for (const P& q : c) {
        Point pt{unit(q.x), unit(q.y)};
        if (p.empty() || pt.x != p.back().x || pt.y != p.back().y) p.push_back(pt);
    }
    while (p.size() > 1 && p.front().x == p.back().x && p.front().y == p.back().y) p.pop_back();
    return p;
}

// Brings the total number of points to `total` by putting extra points
// on the longest sides, which leaves the drawing as it was.
void padPoints(std::vector<Polygon>& polygons, int total) {
    int count = 0;
    for (const Polygon& p : polygons) count += static_cast<int>(p.size());
    if (count > total) throw std::logic_error("logo: too many points");
    for (; count < total; ++count) {
        std::size_t bestPoly = 0, bestEdge = 0;
        long long bestLength = -1;
        for (std::size_t i = 0; i < polygons.size(); ++i) {
            const Polygon& p = polygons[i];
            for (std::size_t e = 0; e < p.size(); ++e) {
                const Point& a = p[e];
                const Point& b = p[(e + 1) % p.size()];
                long long dx = b.x - a.x, dy = b.y - a.y, length = dx * dx + dy * dy;
                // Only sides whose middle is a whole point, so the new point lies on them exactly.
                if ((dx % 2) || (dy % 2)) continue;
                if (length > bestLength) bestLength = length, bestPoly = i, bestEdge = e;
            }
        }
        if (bestLength <= 0) throw std::logic_error("logo: no side to put a point on");
        Polygon& p = polygons[bestPoly];
        const Point a = p[bestEdge], b = p[(bestEdge + 1) % p.size()];
        p.insert(p.begin() + static_cast<long>(bestEdge) + 1,
                 Point{static_cast<std::int16_t>((a.x + b.x) / 2), static_cast<std::int16_t>((a.y + b.y) / 2)});
    }
}

}  // namespace

Bytes logo() {
    struct Letter {
        Shape (*make)(double x, double w);
        double width;
    };
    const Letter letters[] = {{letterT, 1750}, {letterA, 2100}, {letterR, 1900}, {letterV, 2100},
                              {letterE, 1600}, {letterL, 1500}, {letterO, 2050}};
    const double spacing = 220, trail = 1250;
    double width = trail;
    for (const Letter& l : letters) width += l.width + spacing;
    double x = (kWindowWidth - width) / 2;
    if (x < 50) throw std::logic_error("logo: the letters are wider than the window");

    LogoMetafile m;
    m.boundsWidth = 705;
    m.boundsHeight = 241;
    m.unitsPerInch = 1000;
    m.windowWidth = kWindowWidth;
    m.windowHeight = kWindowHeight;
    m.brushColour = 0x00FF0000;
    m.objectSlots = 4;
    for (const Letter& l : letters) {
        Shape shape = l.make(x, l.width);
        for (int s = 0; s < kStripes; ++s)
            for (const Contour& piece : cut(shape, stripeTop(s), stripeBottom(s))) m.polygons.push_back(toPolygon(piece));
        x += l.width + spacing;
    }
    // The speed lines make up the number of polygons.
    const int lines = kPolygons - static_cast<int>(m.polygons.size());
    if (lines < 1 || lines > kStripes) throw std::logic_error("logo: the letters make the wrong number of polygons");
    for (const Contour& line : speedLines(x, trail, lines)) m.polygons.push_back(toPolygon(line));
    padPoints(m.polygons, kPoints);
    return writePlaceableWmf(m);
}

}  // namespace picgen
