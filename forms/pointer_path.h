// The straight path of the pointer between two positions it reported, and
// where it crosses the edges of boxes: what the form walks to deliver moves
// over what lies between two positions in different controls.
//
// The path runs from the centre of the first pixel to the centre of the
// second; a point of it at t (0 at the first position, 1 at the second)
// lies in the pixel that holds it. Between two consecutive crossings the
// path stays inside the same boxes.
#pragma once

#include <span>
#include <vector>

#include "forms/geometry.h"

namespace forms {

struct PointerPath {
    Point from;
    Point to;

    // The pixel the path passes through at t.
    Point at(double t) const;
    // Where the path enters or leaves one of boxes after `after` and before
    // the end (1), in order, each once.
    std::vector<double> crossings(std::span<const PixelRect> boxes, double after) const;
};

}  // namespace forms
