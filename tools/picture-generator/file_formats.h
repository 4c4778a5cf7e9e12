// Writers for the three Windows picture file formats the menu embeds: BMP,
// ICO and placeable WMF. Each returns the complete file image; the callers
// supply pixels or polygons and choose every field that varies.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

namespace picgen {

using Bytes = std::vector<std::uint8_t>;

struct Rgb {
    std::uint8_t r = 0, g = 0, b = 0;
};

// A 24-bit, bottom-up, uncompressed BMP. pixels holds width * height
// colours, the top row first.
Bytes writeBmp24(int width, int height, const std::vector<Rgb>& pixels, int xPixelsPerMetre, int yPixelsPerMetre);

// One image of an icon file: a palette-indexed colour bitmap with its 1-bit
// transparency mask (true = transparent), both with the top row first.
struct IconImage {
    int width = 0, height = 0;
    int bitsPerPixel = 4;                 // 1, 4 or 8
    std::vector<Rgb> palette;             // 2, 16 or 256 entries
    std::vector<std::uint8_t> indices;    // width * height palette indices
    std::vector<bool> transparent;        // width * height mask bits

    // The image as an icon resource stores it: a 40-byte information header
    // with doubled height, the colour table, the colour bitmap and the mask.
    Bytes dib() const;
};

// An icon file. directoryColourCount gives each entry's colour count field.
Bytes writeIco(const std::vector<IconImage>& images, const std::vector<int>& directoryColourCounts);

struct Point {
    std::int16_t x = 0, y = 0;
};
using Polygon = std::vector<Point>;

// A placeable metafile that fills polygons with one solid brush and no pen:
// anisotropic mapping onto a logical window of windowWidth by windowHeight,
// alternate filling, and a single poly-polygon record.
struct LogoMetafile {
    int boundsWidth = 0, boundsHeight = 0;  // in units
    int unitsPerInch = 1000;
    int windowWidth = 0, windowHeight = 0;
    std::uint32_t brushColour = 0;  // 0x00BBGGRR
    int objectSlots = 2;            // the header's object count
    std::vector<Polygon> polygons;
};
Bytes writePlaceableWmf(const LogoMetafile& m);

}  // namespace picgen
