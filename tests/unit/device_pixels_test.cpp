// Layout pixels to device pixels and back: what a back end drawing at a
// scale relies on to keep hit testing, drawing and repainting in step.
#include <gtest/gtest.h>

#include "forms/geometry.h"

namespace {

using forms::PixelRect;
using forms::Point;

constexpr double kScales[] = {1.0, 1.25, 1.5, 1.75, 2.0, 2.5, 3.0, 120.0 / 96, 110.0 / 96};

bool covers(const PixelRect& outer, const PixelRect& inner) {
    return outer.left <= inner.left && outer.top <= inner.top && outer.right() >= inner.right() &&
           outer.bottom() >= inner.bottom();
}

TEST(DevicePixels, ScaleOneChangesNothing) {
    for (PixelRect r : {PixelRect{0, 0, 638, 479}, PixelRect{1, -24, 644, 478}, PixelRect{-5, -3, 0, 7}}) {
        EXPECT_EQ(forms::toDevice(r, 1.0), r);
        const PixelRect expected = r.empty() ? PixelRect{r.left, r.top, 0, 0} : r;
        EXPECT_EQ(forms::coveringLayout(r, 1.0), expected);
    }
    for (int v : {-25, -1, 0, 1, 17, 479, 1023})
        EXPECT_EQ(forms::toLayout(Point{v, -v}, 1.0), (Point{v, -v})) << v;
}

TEST(DevicePixels, OneAndAHalfGrowsTheBoxesOfTheScreen) {
    // Picture1 after the load step, and EXIT's box inside it.
    EXPECT_EQ(forms::toDevice(PixelRect{1, 1, 638, 479}, 1.5), (PixelRect{1, 1, 957, 719}));
    EXPECT_EQ(forms::toDevice(PixelRect{85, 417, 41, 21}, 1.5), (PixelRect{127, 625, 62, 32}));
}

// A device pixel is drawn as part of a box exactly where the pointer hits
// it: no pixel at a box's edge that looks inside but clicks outside.
TEST(DevicePixels, APointerHitsABoxExactlyOnItsDevicePixels) {
    const PixelRect boxes[] = {{0, 0, 1, 1}, {17, 241, 173, 27}, {85, 417, 41, 21}, {-3, -24, 7, 5}, {5, 5, 0, 3}};
    for (double scale : kScales) {
        for (const PixelRect& box : boxes) {
            const PixelRect device = forms::toDevice(box, scale);
            for (int y = -80; y < 800; ++y) {
                const int x = box.left * scale + (y % 7) - 3;  // around the left edge
                for (int dx : {0, static_cast<int>(box.width * scale)}) {  // and the right one
                    const Point p{x + dx, y};
                    ASSERT_EQ(device.contains(p), box.contains(forms::toLayout(p, scale)))
                        << "scale " << scale << ", box at " << box.left << "," << box.top << ", pixel " << p.x << ","
                        << p.y;
                }
            }
        }
    }
}

TEST(DevicePixels, BoxesThatTouchStillTouch) {
    for (double scale : kScales) {
        for (int edge = -30; edge < 700; ++edge) {
            PixelRect left{edge - 9, 0, 9, 4}, right{edge, 0, 13, 4};
            ASSERT_EQ(forms::toDevice(left, scale).right(), forms::toDevice(right, scale).left) << scale << " " << edge;
        }
    }
}

// What a back end repaints for a damaged device area covers it, and is no
// larger than it must be.
TEST(DevicePixels, TheLayoutAreaOfADamagedDeviceAreaCoversItTightly) {
    const PixelRect damaged[] = {{0, 0, 1024, 768}, {127, 625, 62, 32}, {1, 1, 1, 1}, {300, 200, 3, 700}, {-4, -7, 9, 2}};
    for (double scale : kScales) {
        for (const PixelRect& d : damaged) {
            const PixelRect layout = forms::coveringLayout(d, scale);
            ASSERT_TRUE(covers(forms::toDevice(layout, scale), d)) << scale;
            for (PixelRect smaller : {PixelRect{layout.left + 1, layout.top, layout.width - 1, layout.height},
                                      PixelRect{layout.left, layout.top + 1, layout.width, layout.height - 1},
                                      PixelRect{layout.left, layout.top, layout.width - 1, layout.height},
                                      PixelRect{layout.left, layout.top, layout.width, layout.height - 1}})
                EXPECT_FALSE(covers(forms::toDevice(smaller, scale), d)) << scale;
        }
    }
}

}  // namespace
