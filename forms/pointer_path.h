// The straight path of the pointer between two positions it reported, and
// where it crosses the edges of boxes: what the form walks to deliver moves
// over what lies between two positions in different controls.
//
// The path runs from the centre of the first pixel to the centre of the
// second; a point of it at t (0 at the first position, 1 at the second)
// lies in the pixel that holds it. Between two consecutive crossings of a
// box's edges the path stays inside the box, or outside it.
#pragma once

#include "forms/geometry.h"

namespace forms {

struct PointerPath {
    Point from;
    Point to;

    // The pixel the path passes through at t.
    Point at(double t) const;
    // The first point after `after` where the path enters or leaves box; 1
    // (the end) when it does neither before the end.
    double crossing(const PixelRect& box, double after) const;
};

}  // namespace forms
