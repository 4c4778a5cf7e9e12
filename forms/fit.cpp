#include "forms/fit.h"

#include <algorithm>

namespace forms {

double fitScale(double systemScale, Size available, Size layout) {
    double scale = systemScale;
    // At available / layout an edge lands exactly on the last device pixel
    // (toDevice rounds a device position of a whole number to itself).
    if (layout.width > 0 && available.width > 0)
        scale = std::min(scale, static_cast<double>(available.width) / layout.width);
    if (layout.height > 0 && available.height > 0)
        scale = std::min(scale, static_cast<double>(available.height) / layout.height);
    return std::min(systemScale, std::max(1.0, scale));
}

}  // namespace forms
