// Telling a double-click from two clicks, the same way for every back end.
//
// The second left press within the platform's double-click time and distance
// of the first, over the same control, is a double-click; the press after a
// double-click starts over, so a triple click is a double-click and a new
// first press. Any other button's press ends a pending first press.
//
// A back end passes on what its platform tells it: the platform's own count
// where it keeps one (Windows marks the second press of a double-click), or
// the press's time with the platform's limits where it leaves counting to the
// program (GTK). A platform's count of 2 is honoured only for a press over
// the same control as a pending first press; beyond that the platform's rule
// stands.
#pragma once

#include <cstdint>

#include "forms/geometry.h"

namespace forms {

class Control;

// The platform's double-click limits: the two presses lie less than timeMs
// apart and at most distance pixels from each other along either axis.
struct DoubleClickLimits {
    std::uint32_t timeMs = 500;
    int distance = 2;
};

// What the platform says about one button press.
struct Press {
    // The platform's count: 1 for a press it counts as single, 2 for the
    // second press of a double-click; 0 when it keeps no count, and the time
    // and the limits decide.
    int count = 1;
    // When, on the platform's millisecond clock (which may wrap around).
    std::uint32_t timeMs = 0;
    DoubleClickLimits limits{};

    static constexpr Press counted(int count) { return {count, 0, {}}; }
    static constexpr Press timed(std::uint32_t timeMs, DoubleClickLimits limits) { return {0, timeMs, limits}; }
};

class DoubleClickTracker {
public:
    // A left press at p, going to target (nullptr: the form itself). True
    // when it is the second press of a double-click.
    bool leftPress(const Control* target, Point p, const Press& press);
    // A press of another button: the next left press starts over.
    void otherPress() { pending_ = false; }

private:
    bool pending_ = false;  // the last press was a left first press
    const Control* target_ = nullptr;
    Point at_{};
    std::uint32_t timeMs_ = 0;
};

}  // namespace forms
