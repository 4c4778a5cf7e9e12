// The pictures built into the program, read field by field from their file
// images: the sizes, offsets, depths and counts the formats promise, and
// masks that leave each icon's surround transparent.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "platform/cairo/wmf_player.h"
#include "screen/pictures.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

std::uint32_t u16(forms::FileImage b, std::size_t at) { return b[at] | b[at + 1] << 8; }
std::uint32_t u32(forms::FileImage b, std::size_t at) { return u16(b, at) | u16(b, at + 2) << 16; }
std::int32_t s32(forms::FileImage b, std::size_t at) { return static_cast<std::int32_t>(u32(b, at)); }

struct Entry {
    int width, height, colourCount, planes, bitsPerPixel;
    std::uint32_t size, offset;
};

std::vector<Entry> directory(forms::FileImage ico) {
    EXPECT_EQ(u16(ico, 0), 0u);
    EXPECT_EQ(u16(ico, 2), 1u) << "an icon file, not a cursor file";
    std::vector<Entry> entries;
    for (std::size_t i = 0; i < u16(ico, 4); ++i) {
        std::size_t e = 6 + 16 * i;
        entries.push_back({ico[e], ico[e + 1], ico[e + 2], static_cast<int>(u16(ico, e + 4)),
                           static_cast<int>(u16(ico, e + 6)), u32(ico, e + 8), u32(ico, e + 12)});
    }
    return entries;
}

// Checks an icon image's header and returns whether each pixel is
// transparent by its mask, the top row first.
std::vector<bool> checkImage(forms::FileImage ico, const Entry& e, int size, int bitsPerPixel) {
    forms::FileImage dib = ico.subspan(e.offset, e.size);
    EXPECT_EQ(u32(dib, 0), 40u);
    EXPECT_EQ(s32(dib, 4), size);
    EXPECT_EQ(s32(dib, 8), 2 * size) << "height doubled for colour bitmap and mask";
    EXPECT_EQ(u16(dib, 12), 1u);
    EXPECT_EQ(u16(dib, 14), static_cast<unsigned>(bitsPerPixel));
    EXPECT_EQ(u32(dib, 16), 0u) << "uncompressed";
    const std::size_t palette = 4u << bitsPerPixel;
    const std::size_t colourStride = (size * bitsPerPixel + 31) / 32 * 4, maskStride = (size + 31) / 32 * 4;
    EXPECT_EQ(dib.size(), 40 + palette + (colourStride + maskStride) * size) << "header, colours, bitmap, mask";
    std::vector<bool> transparent;
    const std::size_t mask = 40 + palette + colourStride * size;
    for (int y = size - 1; y >= 0; --y)  // the mask is stored bottom-up
        for (int x = 0; x < size; ++x) transparent.push_back(dib[mask + y * maskStride + x / 8] & (0x80 >> (x % 8)));
    return transparent;
}

// The surround of the drawing is see-through: every pixel of the image's
// outer frame, and the drawing itself covers the centre region.
void expectTransparentSurround(const std::vector<bool>& t, int size, int opaqueAtLeast) {
    int opaque = 0;
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x) {
            bool frame = x == 0 || y == 0 || x == size - 1 || y == size - 1;
            if (frame) EXPECT_TRUE(t[y * size + x]) << "pixel " << x << "," << y << " of the surround";
            if (!t[y * size + x]) ++opaque;
        }
    EXPECT_GE(opaque, opaqueAtLeast);
    EXPECT_LT(opaque, size * size * 9 / 10) << "the mask leaves little transparent";
}

TEST(PictureFiles, BackgroundIsA24BitBottomUpBitmapWithThePromisedHeader) {
    forms::FileImage b = screen::pictures::background();
    ASSERT_EQ(b.size(), 994122u);
    EXPECT_EQ(b[0], 'B');
    EXPECT_EQ(b[1], 'M');
    EXPECT_EQ(u32(b, 2), 994122u);
    EXPECT_EQ(u32(b, 10), 54u);
    EXPECT_EQ(u32(b, 14), 40u);
    EXPECT_EQ(s32(b, 18), 694);
    EXPECT_EQ(s32(b, 22), 477) << "positive: rows bottom-up";
    EXPECT_EQ(u16(b, 26), 1u);
    EXPECT_EQ(u16(b, 28), 24u);
    EXPECT_EQ(u32(b, 30), 0u);
    EXPECT_EQ(u32(b, 34), 994068u) << "477 rows of 2084 bytes";
    EXPECT_EQ(s32(b, 38), 3790);
    EXPECT_EQ(s32(b, 42), 3780);
    EXPECT_EQ(u32(b, 46), 0u) << "no colour table";
    // Each row's two padding bytes are zero.
    for (int row = 0; row < 477; ++row) EXPECT_EQ(u16(b, 54 + row * 2084 + 2082), 0u) << row;
}

TEST(PictureFiles, DiscAndHandAreTwoImage16ColourIconsWithTransparentSurrounds) {
    for (forms::FileImage ico : {screen::pictures::disc(), screen::pictures::hand()}) {
        ASSERT_EQ(ico.size(), 1078u);
        std::vector<Entry> e = directory(ico);
        ASSERT_EQ(e.size(), 2u);
        EXPECT_EQ(e[0].width, 32);
        EXPECT_EQ(e[0].height, 32);
        EXPECT_EQ(e[0].colourCount, 16);
        EXPECT_EQ(e[0].bitsPerPixel, 4);
        EXPECT_EQ(e[0].size, 744u);
        EXPECT_EQ(e[0].offset, 38u);
        EXPECT_EQ(e[1].width, 16);
        EXPECT_EQ(e[1].height, 16);
        EXPECT_EQ(e[1].colourCount, 16);
        EXPECT_EQ(e[1].size, 296u);
        EXPECT_EQ(e[1].offset, 782u);
        expectTransparentSurround(checkImage(ico, e[0], 32, 4), 32, 200);
        expectTransparentSurround(checkImage(ico, e[1], 16, 4), 16, 50);
    }
}

TEST(PictureFiles, HandCursorIsATwoImage256ColourIconWithATransparentSurround) {
    forms::FileImage ico = screen::pictures::handCursor();
    ASSERT_EQ(ico.size(), 3638u);
    std::vector<Entry> e = directory(ico);
    ASSERT_EQ(e.size(), 2u);
    EXPECT_EQ(e[0].width, 32);
    EXPECT_EQ(e[0].colourCount, 0);
    EXPECT_EQ(e[0].bitsPerPixel, 8);
    EXPECT_EQ(e[0].size, 2216u);
    EXPECT_EQ(e[0].offset, 38u);
    EXPECT_EQ(e[1].width, 16);
    EXPECT_EQ(e[1].colourCount, 0);
    EXPECT_EQ(e[1].size, 1384u);
    EXPECT_EQ(e[1].offset, 2254u);
    std::vector<bool> t = checkImage(ico, e[0], 32, 8);
    expectTransparentSurround(t, 32, 150);
    checkImage(ico, e[1], 16, 8);
}

Bytes readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

TEST(PictureFiles, WindowIconHasThreeImagesAndTheResourcesHoldTheSameBytes) {
    forms::FileImage ico = screen::pictures::windowIcon();
    std::vector<Entry> e = directory(ico);
    ASSERT_EQ(e.size(), 3u);
    const int sizes[] = {32, 32, 16}, depths[] = {1, 4, 4}, colours[] = {2, 16, 16};
    const std::uint32_t bytes[] = {304, 744, 296};
    for (int i = 0; i < 3; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(e[i].width, sizes[i]);
        EXPECT_EQ(e[i].bitsPerPixel, depths[i]);
        EXPECT_EQ(e[i].colourCount, colours[i]);
        EXPECT_EQ(e[i].size, bytes[i]);
        expectTransparentSurround(checkImage(ico, e[i], sizes[i], depths[i]), sizes[i], sizes[i] * sizes[i] / 2);
        // The executable's icon resource 30001 + i is this very image.
        Bytes resource = readFile(std::string(SOURCE_DIR) + "/screen/resources/window-icon-" +
                                  std::to_string(30001 + i) + ".dib");
        forms::FileImage image = ico.subspan(e[i].offset, e[i].size);
        EXPECT_TRUE(std::equal(resource.begin(), resource.end(), image.begin(), image.end()));
    }
}

TEST(PictureFiles, LogoIsAPlaceableMetafileOfOnePolyPolygonOf62PolygonsInBlue) {
    forms::FileImage f = screen::pictures::logo();
    ASSERT_EQ(f.size(), 4530u);
    platform::cairo::Metafile m = platform::cairo::parseMetafile(f);
    EXPECT_EQ(m.boundsWidth, 705);
    EXPECT_EQ(m.boundsHeight, 241);
    EXPECT_EQ(m.unitsPerInch, 1000);
    EXPECT_EQ(m.version, 0x0300);
    EXPECT_EQ(m.sizeInWords, 2254u);
    EXPECT_EQ(m.objectCount, 4);
    EXPECT_EQ(m.windowWidth, 16000);
    EXPECT_EQ(m.windowHeight, 5473);
    ASSERT_EQ(m.fills.size(), 1u) << "one poly-polygon";
    EXPECT_EQ(m.fills[0].colour, 0x00FF0000u);
    EXPECT_TRUE(m.fills[0].alternate);
    ASSERT_EQ(m.fills[0].polygons.size(), 62u);
    for (const auto& polygon : m.fills[0].polygons) {
        EXPECT_GE(polygon.size(), 3u);
        for (const auto& p : polygon) {
            EXPECT_TRUE(p.x >= 0 && p.x <= 16000 && p.y >= 0 && p.y <= 5473) << p.x << "," << p.y;
        }
    }
    // The record sequence, read directly: the set-up, the one drawing record, the end.
    std::vector<std::uint32_t> functions;
    for (std::size_t at = 22 + 18; at < f.size(); at += 2 * u32(f, at)) functions.push_back(u16(f, at + 4));
    EXPECT_EQ(functions, (std::vector<std::uint32_t>{0x0103, 0x020C, 0x0106, 0x02FC, 0x012D, 0x02FA, 0x012D, 0x0538,
                                                      0x0000}));
}

}  // namespace
