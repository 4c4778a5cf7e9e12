#include "forms/pointer_path.h"

#include <algorithm>
#include <cmath>

namespace forms {

Point PointerPath::at(double t) const {
    return {static_cast<int>(std::floor(from.x + 0.5 + t * (to.x - from.x))),
            static_cast<int>(std::floor(from.y + 0.5 + t * (to.y - from.y)))};
}

std::vector<double> PointerPath::crossings(std::span<const PixelRect> boxes, double after) const {
    const double x0 = from.x + 0.5, y0 = from.y + 0.5, dx = to.x - from.x, dy = to.y - from.y;
    std::vector<double> cuts;
    // Where the path meets the line `edge` of one axis while the other axis
    // lies within [low, high] of the box.
    auto meet = [&](double start, double step, int edge, double otherStart, double otherStep, int low, int high) {
        if (step == 0) return;
        const double t = (edge - start) / step;
        if (t <= after || t >= 1) return;
        const double other = otherStart + t * otherStep;
        if (other >= low && other <= high) cuts.push_back(t);
    };
    for (const PixelRect& b : boxes) {
        if (b.empty()) continue;
        meet(x0, dx, b.left, y0, dy, b.top, b.bottom());
        meet(x0, dx, b.right(), y0, dy, b.top, b.bottom());
        meet(y0, dy, b.top, x0, dx, b.left, b.right());
        meet(y0, dy, b.bottom(), x0, dx, b.left, b.right());
    }
    std::sort(cuts.begin(), cuts.end());
    cuts.erase(std::unique(cuts.begin(), cuts.end()), cuts.end());
    return cuts;
}

}  // namespace forms
