// The scale a window draws its form at: the system's (a high-density
// screen's device pixels per layout pixel), or less, so that the whole
// layout fits the monitor the window covers. A 1024x768 screen at 200 %
// draws the menu at 1.6, not 2: every entry stays on the screen, and EXIT
// clickable. The scale never goes below 1: a screen too small for the
// design at its own size shows it as the design is, cut at the edge.
#pragma once

namespace forms {

struct Size {
    int width = 0;
    int height = 0;
    friend bool operator==(const Size&, const Size&) = default;
};

// The largest scale, up to systemScale, at which a layout of `layout`
// pixels covers at most `available` device pixels (toDevice of its far
// edges), and at least 1.
double fitScale(double systemScale, Size available, Size layout);

}  // namespace forms
