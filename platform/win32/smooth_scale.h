// Smooth resampling of pictures drawn at a scale, so that a bitmap or an
// icon at 150 % keeps its look instead of doubling every other row and
// column. Plain C++ on 32-bit pixels: GDI's own stretching either drops the
// transparency (StretchBlt) or does not smooth (AlphaBlend).
#pragma once

#include <cstdint>
#include <vector>

namespace platform::win32 {

// Pixels as 0xAARRGGBB with the colour premultiplied by its alpha, top row
// first: the layout of a 32-bit top-down DIB as GdiAlphaBlend takes it.
struct Pixels {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> argb;
};

// The image resampled to width by height pixels, each target pixel blended
// linearly from the four source pixels whose centres surround its own (the
// edge pixels repeated beyond the edges): for the enlargements, and the
// slight reductions, that drawing at 96 dots per inch or more asks for. The
// same size gives a copy; an empty source gives a transparent image.
Pixels scaleSmoothly(const Pixels& source, int width, int height);

}  // namespace platform::win32
