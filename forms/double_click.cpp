#include "forms/double_click.h"

#include <cstdlib>

namespace forms {

bool DoubleClickTracker::leftPress(const Control* target, Point p, const Press& press) {
    bool second = false;
    if (pending_ && target == target_) {
        if (press.count == 0) {
            // Unsigned difference: right across the clock wrapping around.
            const std::uint32_t elapsed = press.timeMs - timeMs_;
            second = elapsed < press.limits.timeMs && std::abs(p.x - at_.x) <= press.limits.distance &&
                     std::abs(p.y - at_.y) <= press.limits.distance;
        } else {
            second = press.count == 2;
        }
    }
    // A double-click uses up its first press; anything else is a new first press.
    pending_ = !second;
    target_ = target;
    at_ = p;
    timeMs_ = press.timeMs;
    return second;
}

}  // namespace forms
