// The pictures built into the program: each fits the format the screen
// binds it to (the picture checker's rules), and what is particular to our
// own drawings: the background's header as we write it, how much of each
// icon the drawing covers, the logo's numbers.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "picture_check.h"
#include "platform/cairo/wmf_player.h"
#include "screen/pictures.h"

namespace {

std::uint32_t u16(forms::FileImage b, std::size_t at) { return b[at] | b[at + 1] << 8; }
std::uint32_t u32(forms::FileImage b, std::size_t at) { return u16(b, at) | u16(b, at + 2) << 16; }
std::int32_t s32(forms::FileImage b, std::size_t at) { return static_cast<std::int32_t>(u32(b, at)); }

void expectFits(const char* name, forms::FileImage file) {
    EXPECT_EQ(picturecheck::check(*picturecheck::formatFor(name), file), std::vector<picturecheck::Difference>{})
        << name;
}

// Whether each pixel of an icon's image is transparent by its mask, the top
// row first (the icon has already been found to fit its format).
std::vector<bool> transparency(forms::FileImage ico, std::size_t image) {
    const forms::FileImage dib = ico.subspan(u32(ico, 6 + 16 * image + 12), u32(ico, 6 + 16 * image + 8));
    const int size = s32(dib, 4), bits = static_cast<int>(u16(dib, 14));
    const std::size_t maskStride = picturecheck::rowBytes(size, 1);
    const std::size_t mask = 40 + (4u << bits) + picturecheck::rowBytes(size, bits) * size;
    std::vector<bool> transparent;
    for (int y = size - 1; y >= 0; --y)  // the mask is stored bottom-up
        for (int x = 0; x < size; ++x) transparent.push_back(dib[mask + y * maskStride + x / 8] & (0x80 >> (x % 8)));
    return transparent;
}

// Our drawings leave their whole outer frame see-through and cover at least
// opaqueAtLeast pixels, but not nearly all.
void expectDrawingWithSurround(forms::FileImage ico, std::size_t image, int size, int opaqueAtLeast) {
    const std::vector<bool> t = transparency(ico, image);
    ASSERT_EQ(t.size(), static_cast<std::size_t>(size * size));
    int opaque = 0;
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x) {
            const bool frame = x == 0 || y == 0 || x == size - 1 || y == size - 1;
            if (frame) {
                EXPECT_TRUE(t[y * size + x]) << "pixel " << x << "," << y << " of the surround";
            }
            opaque += !t[y * size + x];
        }
    EXPECT_GE(opaque, opaqueAtLeast);
    EXPECT_LT(opaque, size * size * 9 / 10) << "the mask leaves little transparent";
}

TEST(PictureFiles, BackgroundIsA24BitBottomUpBitmapWithThePromisedHeader) {
    forms::FileImage b = screen::pictures::background();
    expectFits("background.bmp", b);
    ASSERT_EQ(b.size(), 994122u);
    EXPECT_EQ(u32(b, 34), 994068u) << "the image size written, not left 0";
    EXPECT_EQ(s32(b, 38), 3790);
    EXPECT_EQ(s32(b, 42), 3780);
    // Each row's two padding bytes are zero.
    for (int row = 0; row < 477; ++row) EXPECT_EQ(u16(b, 54 + row * 2084 + 2082), 0u) << row;
}

TEST(PictureFiles, DiscAndHandAreTwoImage16ColourIconsWithTransparentSurrounds) {
    expectFits("disc.ico", screen::pictures::disc());
    expectFits("hand.ico", screen::pictures::hand());
    for (forms::FileImage ico : {screen::pictures::disc(), screen::pictures::hand()}) {
        ASSERT_EQ(ico.size(), 1078u);
        expectDrawingWithSurround(ico, 0, 32, 200);
        expectDrawingWithSurround(ico, 1, 16, 50);
    }
}

TEST(PictureFiles, HandCursorIsATwoImage256ColourIconWithATransparentSurround) {
    forms::FileImage ico = screen::pictures::handCursor();
    expectFits("hand-cursor.ico", ico);
    ASSERT_EQ(ico.size(), 3638u);
    expectDrawingWithSurround(ico, 0, 32, 150);
}

TEST(PictureFiles, WindowIconHasThreeImagesAndTheResourcesHoldTheSameBytes) {
    forms::FileImage ico = screen::pictures::windowIcon();
    expectFits("window.ico", ico);
    const int sizes[] = {32, 32, 16};
    for (int i = 0; i < 3; ++i) {
        SCOPED_TRACE(i);
        expectDrawingWithSurround(ico, i, sizes[i], sizes[i] * sizes[i] / 2);
    }
    // That the resources 30001 to 30003 are these images: PictureCheck.TheWindowIconsImagesAreTheExecutablesIconResources.
}

TEST(PictureFiles, LogoIsAPlaceableMetafileOfOnePolyPolygonOf62PolygonsInBlue) {
    forms::FileImage f = screen::pictures::logo();
    expectFits("logo.wmf", f);
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
