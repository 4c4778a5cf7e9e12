// A reader for the placeable Windows metafiles the menu embeds. It knows
// exactly the records a filled, outline-free vector drawing needs: the
// anisotropic mapping mode with a logical window, the polygon fill mode,
// solid brushes, null pens, selecting them, and poly-polygons. Anything else
// (another record, mapping mode, brush or pen style, a header or record that
// is bad or cut short) is refused with a run-time error 481 that says what
// is wrong, rather than drawn by guesswork. It needs no drawing library, so
// that the build's picture checker reads a maker's logo with this very code.
#pragma once

#include <cstdint>
#include <vector>

#include "forms/definition.h"

namespace platform::cairo {

struct MetafilePoint {
    std::int16_t x = 0, y = 0;
};

// One poly-polygon, filled with the brush and fill mode it was drawn with.
struct MetafileFill {
    forms::Colour colour = 0;  // 0x00BBGGRR
    bool alternate = true;     // even-odd filling; otherwise winding
    std::vector<std::vector<MetafilePoint>> polygons;
};

struct Metafile {
    // The placeable header: the picture's size is bounds / unitsPerInch inches.
    int boundsLeft = 0, boundsTop = 0, boundsWidth = 0, boundsHeight = 0;
    int unitsPerInch = 0;
    // The metafile header.
    int version = 0;
    std::uint32_t sizeInWords = 0;
    int objectCount = 0;
    // The logical window that the picture's box shows.
    int windowWidth = 0, windowHeight = 0;
    std::vector<MetafileFill> fills;
};

// Reads and checks the whole file image; throws forms::RuntimeError(481).
Metafile parseMetafile(forms::FileImage fileImage);

}  // namespace platform::cairo
