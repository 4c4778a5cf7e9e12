// The Windows painter's smooth resampling of bitmaps and icons at a scale.
#include <gtest/gtest.h>

#include <cstdint>

#include "platform/win32/smooth_scale.h"

namespace {

using platform::win32::Pixels;
using platform::win32::scaleSmoothly;

Pixels filled(int width, int height, std::uint32_t argb) {
    return {width, height, std::vector<std::uint32_t>(static_cast<std::size_t>(width) * height, argb)};
}

std::uint32_t channel(std::uint32_t p, int c) { return (p >> (8 * c)) & 0xFF; }

// The sizes the menu's pictures take at the scales of common displays: the
// background at 150 %, the markers and the pointer at 125 to 200 %, the discs
// (24 pixels at 96 dots per inch) at 125 and 150 %.
struct Size {
    int fromW, fromH, toW, toH;
};
constexpr Size kSizes[] = {{694, 477, 1041, 716}, {32, 32, 48, 48}, {32, 32, 40, 40}, {32, 32, 30, 30},
                           {32, 32, 36, 36},      {32, 32, 64, 64}, {7, 5, 11, 8},    {3, 1, 1, 2}};

TEST(SmoothScale, AFlatAreaStaysExactlyFlat) {
    for (const Size& s : kSizes) {
        Pixels out = scaleSmoothly(filled(s.fromW, s.fromH, 0xFF3A7BC4), s.toW, s.toH);
        ASSERT_EQ(out.width, s.toW);
        ASSERT_EQ(out.height, s.toH);
        ASSERT_EQ(out.argb.size(), static_cast<std::size_t>(s.toW) * s.toH);
        for (std::uint32_t p : out.argb) ASSERT_EQ(p, 0xFF3A7BC4u) << s.fromW << "->" << s.toW;
    }
}

TEST(SmoothScale, TheSameSizeCopiesAndNothingGivesTransparency) {
    Pixels icon = filled(4, 3, 0);
    icon.argb[5] = 0xFF102030;
    EXPECT_EQ(scaleSmoothly(icon, 4, 3).argb, icon.argb);
    Pixels none = scaleSmoothly(Pixels{}, 5, 2);
    EXPECT_EQ(none.argb, std::vector<std::uint32_t>(10, 0u));
    EXPECT_TRUE(scaleSmoothly(icon, 0, 7).argb.empty());
}

// An icon's opaque hand on its transparent surround: its edge blends, and
// no pixel's premultiplied colour exceeds its alpha (which would draw as a
// bright fringe).
TEST(SmoothScale, AnIconsEdgeBlendsAndStaysPremultiplied) {
    Pixels icon = filled(32, 32, 0);
    for (int y = 8; y < 24; ++y)
        for (int x = 6 + y % 3; x < 27; ++x) icon.argb[y * 32 + x] = 0xFFFFE0A0 - (static_cast<std::uint32_t>(x) << 3);
    for (const Size& s : kSizes) {
        if (s.fromW != 32) continue;
        Pixels out = scaleSmoothly(icon, s.toW, s.toH);
        int partial = 0;
        for (std::uint32_t p : out.argb) {
            for (int c = 0; c < 3; ++c) ASSERT_LE(channel(p, c), channel(p, 3)) << s.toW;
            if (channel(p, 3) != 0 && channel(p, 3) != 255) ++partial;
        }
        EXPECT_GT(partial, s.toW) << "the edge is smoothed at " << s.toW;
    }
}

// Enlarged by half, a hard edge gets an in-between column (nearest
// neighbour would double every other column and blend none).
TEST(SmoothScale, EnlargingBlendsAHardEdge) {
    Pixels edge = filled(8, 2, 0xFF000000);
    for (int y = 0; y < 2; ++y)
        for (int x = 4; x < 8; ++x) edge.argb[y * 8 + x] = 0xFFFFFFFF;
    Pixels wide = scaleSmoothly(edge, 12, 3);
    int between = 0;
    for (int x = 0, last = -1; x < 12; ++x) {
        const int grey = static_cast<int>(channel(wide.argb[x], 1));
        EXPECT_GE(grey, last) << "dark to light without a step back at " << x;
        last = grey;
        if (grey > 0 && grey < 255) ++between;
    }
    EXPECT_GE(between, 1);

}

// What the picture shows stays where it was, scaled: a shift of half a pixel
// would misplace the marker hand and the pointer's hot spot.
TEST(SmoothScale, ContentStaysInPlace) {
    Pixels icon = filled(32, 32, 0);
    for (int y = 20; y < 24; ++y)
        for (int x = 12; x < 16; ++x) icon.argb[y * 32 + x] = 0xFFFFFFFF;
    for (const Size& s : kSizes) {
        if (s.fromW != 32) continue;
        Pixels out = scaleSmoothly(icon, s.toW, s.toH);
        double mass = 0, cx = 0, cy = 0;
        for (int y = 0; y < out.height; ++y)
            for (int x = 0; x < out.width; ++x) {
                const double a = channel(out.argb[y * out.width + x], 3);
                mass += a;
                cx += a * (x + 0.5);
                cy += a * (y + 0.5);
            }
        const double ratio = s.toW / 32.0;
        EXPECT_NEAR(cx / mass, 14.0 * ratio, 0.05) << s.toW;
        EXPECT_NEAR(cy / mass, 22.0 * ratio, 0.05) << s.toW;
        EXPECT_NEAR(mass / 255, 16 * ratio * ratio, 16 * ratio * ratio * 0.02) << "coverage at " << s.toW;
    }
}

}  // namespace
