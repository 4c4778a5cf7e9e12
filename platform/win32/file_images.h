// Where the parts of a picture's file image lie, checked before GDI is given
// any of them: the Windows painter draws straight from the file images built
// into the program (no decoded copy is made), so every offset and size it
// hands the system must lie inside the image. Plain C++, without Windows
// headers: the checks are tested on every platform.
//
// Each function raises the run-time error "Invalid picture" (481) with the
// reason for a file image it cannot take.
#pragma once

#include <cstddef>
#include <cstdint>

#include "forms/definition.h"

namespace platform::win32 {

// A device-independent bitmap: its information header (with the colour
// table after it) and its pixel rows, both inside the file image.
struct BitmapParts {
    const std::uint8_t* info = nullptr;  // BITMAPINFOHEADER or a later version
    const std::uint8_t* bits = nullptr;
    int width = 0;
    int height = 0;  // rows, whichever way they run
    bool bottomUp = true;
};
BitmapParts bitmapParts(forms::FileImage file);

// The image of an icon file a control shows: the first 32 by 32 one, or the
// first image when there is none of that size. `image` is what the system
// makes an icon from (the icon resource format: header, colour table,
// colour bitmap, mask).
struct IconParts {
    forms::FileImage image;
    int width = 0;
    int height = 0;
};
IconParts iconParts(forms::FileImage file);

// A placeable metafile: the standard metafile after its 22-byte header, and
// the bounding box it is drawn in, in its own units at `unitsPerInch`.
struct MetafileParts {
    forms::FileImage metafile;
    int left = 0, top = 0, right = 0, bottom = 0;
    int unitsPerInch = 0;
};
MetafileParts metafileParts(forms::FileImage file);

}  // namespace platform::win32
