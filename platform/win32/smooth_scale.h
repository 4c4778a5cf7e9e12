// Smooth resampling of pictures drawn at a scale, so that a bitmap or an
// icon at 150 % keeps its look instead of doubling every other row and
// column. Plain C++ on 32-bit pixels: GDI's own stretching either drops the
// transparency (StretchBlt) or does not smooth (AlphaBlend).
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
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

// Reads row `row` of a source image, as premultiplied 0xAARRGGBB pixels,
// into `out` (the source's width of them).
using RowReader = std::function<void(int row, std::uint32_t* out)>;

// Rows first to last (exclusive) of a sourceWidth by sourceHeight image
// resampled to width by height as scaleSmoothly does, pixel for pixel the
// same, written to target (row `first` at target, rows `stride` pixels
// apart). Reads only the source rows those rows blend from: a picture drawn
// at a scale is resampled band by band, as paints need it.
void scaleRowsSmoothly(int sourceWidth, int sourceHeight, const RowReader& read, int width, int height, int first,
                       int last, std::uint32_t* target, std::size_t stride);

}  // namespace platform::win32
