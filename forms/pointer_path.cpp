#include "forms/pointer_path.h"

#include <cmath>

namespace forms {

Point PointerPath::at(double t) const {
    return {static_cast<int>(std::floor(from.x + 0.5 + t * (to.x - from.x))),
            static_cast<int>(std::floor(from.y + 0.5 + t * (to.y - from.y)))};
}

double PointerPath::crossing(const PixelRect& box, double after) const {
    double first = 1;
    if (box.empty()) return first;
    const double x0 = from.x + 0.5, y0 = from.y + 0.5, dx = to.x - from.x, dy = to.y - from.y;
    // Where the path meets the line `edge` of one axis while the other axis
    // lies within [low, high], the box's extent along it.
    auto meet = [&](double start, double step, int edge, double otherStart, double otherStep, int low, int high) {
        if (step == 0) return;
        const double t = (edge - start) / step;
        const double other = otherStart + t * otherStep;
        if (t > after && t < first && other >= low && other <= high) first = t;
    };
    meet(x0, dx, box.left, y0, dy, box.top, box.bottom());
    meet(x0, dx, box.right(), y0, dy, box.top, box.bottom());
    meet(y0, dy, box.top, x0, dx, box.left, box.right());
    meet(y0, dy, box.bottom(), x0, dx, box.left, box.right());
    return first;
}

}  // namespace forms
