// The pictures on the screen, probed pixel by pixel on the headless back end
// after the load step: the background unscaled from Picture1's corner, the
// markers with their surround showing the background, the discs shrunk to
// 24 by 24, the logo stretched over its box, and texts that read on the
// background.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "app/form1.h"
#include "platform/cairo/cairo_pictures.h"
#include "platform/headless/fake_shell.h"
#include "platform/headless/headless_window.h"
#include "screen/pictures.h"

namespace {

using platform::headless::HeadlessWindow;

// The background bitmap's own pixel, the top row being row 0.
forms::Rgb bitmapPixel(int x, int y) {
    forms::FileImage b = screen::pictures::background();
    std::size_t at = 54 + static_cast<std::size_t>(476 - y) * 2084 + 3 * static_cast<std::size_t>(x);
    return {b[at + 2], b[at + 1], b[at]};
}

int distance(forms::Rgb a, forms::Rgb b) {
    return std::abs(a.r - b.r) + std::abs(a.g - b.g) + std::abs(a.b - b.b);
}

double luminance(forms::Rgb c) {
    auto lin = [](int v) {
        double s = v / 255.0;
        return s <= 0.03928 ? s / 12.92 : std::pow((s + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * lin(c.r) + 0.7152 * lin(c.g) + 0.0722 * lin(c.b);
}

double contrast(double a, double b) { return (std::max(a, b) + 0.05) / (std::min(a, b) + 0.05); }

bool isLogoBlue(forms::Rgb c) { return c.b > c.r + 100 && c.b > c.g + 100; }

class PicturesOnScreen : public ::testing::Test {
protected:
    PicturesOnScreen() : form(shell, loader), window(form, 1022, 766) {
        form.Form_Load();
        shot = window.render();
    }

    forms::Rgb at(int x, int y) const { return HeadlessWindow::pixel(shot.get(), x, y); }
    forms::PixelRect box(const char* name) const { return form.visibleBox(form.control(name)); }
    // The client-area pixel that shows the bitmap's pixel (x, y).
    forms::Rgb onScreen(int x, int y) const {
        forms::PixelRect p = box("Picture1");
        return at(p.left + x, p.top + y);
    }
    void repaint() { shot = window.render(); }

    platform::headless::FakeShell shell;
    platform::cairo::CairoPictureLoader loader;
    Form1 form;
    HeadlessWindow window;
    platform::headless::Surface shot;
};

TEST_F(PicturesOnScreen, BackgroundStartsAtPicture1sCornerAtNaturalSize) {
    forms::PixelRect p = box("Picture1");
    ASSERT_EQ(p.left, 1);
    ASSERT_EQ(p.top, 1);
    // The corner and points of open background across the box, right up to
    // its last visible column: each the bitmap's own pixel, so not scaled.
    const forms::Point points[] = {{0, 0}, {1, 0}, {0, 1}, {5, 470}, {220, 200}, {630, 20}, {p.width - 1, 300},
                                   {p.width - 1, 5}, {300, 440}};
    for (forms::Point q : points) {
        ASSERT_LT(q.x, p.width);
        EXPECT_EQ(onScreen(q.x, q.y), bitmapPixel(q.x, q.y)) << q.x << "," << q.y;
    }
    // The bitmap is wider than the box: its last columns are not squeezed in.
    EXPECT_LT(p.width, 694);
    EXPECT_NE(onScreen(p.width - 1, 300), bitmapPixel(693, 300));
}

TEST_F(PicturesOnScreen, AShownMarkerIsTheHandWithTheBackgroundAroundIt) {
    forms::PixelRect marker = box("Image3");
    forms::PixelRect p = box("Picture1");
    ASSERT_EQ(marker.width, 32);
    const forms::Rgb before = at(marker.left + 26, marker.top + 11);
    form.control("Image3").Visible = true;
    repaint();
    // The index finger's tip, drawn white, where the background showed before.
    EXPECT_EQ(at(marker.left + 26, marker.top + 11), (forms::Rgb{255, 255, 255}));
    EXPECT_NE(before, (forms::Rgb{255, 255, 255}));
    // The corners and the row above the finger are the mask's surround.
    for (forms::Point q : {forms::Point{0, 0}, {31, 0}, {0, 31}, {31, 31}, {20, 2}, {30, 20}}) {
        int x = marker.left + q.x, y = marker.top + q.y;
        EXPECT_EQ(at(x, y), bitmapPixel(x - p.left, y - p.top)) << q.x << "," << q.y;
    }
}

TEST_F(PicturesOnScreen, DiscsAreShrunkToTheir24PixelBoxes) {
    forms::PixelRect p = box("Picture1");
    for (const char* name : {"Image6", "Image7", "Image8"}) {
        SCOPED_TRACE(name);
        forms::PixelRect d = box(name);
        ASSERT_EQ(d.width, 24);
        ASSERT_EQ(d.height, 24);
        auto isDisc = [&](int x, int y) {
            return distance(at(d.left + x, d.top + y), bitmapPixel(d.left + x - p.left, d.top + y - p.top)) > 60;
        };
        // The whole ball fits in the box, centred: drawn unscaled, its lower
        // part would fill the bottom rows and be cut off.
        EXPECT_TRUE(isDisc(12, 12));
        EXPECT_TRUE(isDisc(12, 2));
        EXPECT_TRUE(isDisc(12, 21));
        EXPECT_TRUE(isDisc(2, 12));
        EXPECT_TRUE(isDisc(21, 12));
        for (int x = 0; x < 24; ++x) EXPECT_FALSE(isDisc(x, 23)) << "bottom row, x " << x;
        for (forms::Point c : {forms::Point{0, 0}, {23, 0}, {0, 23}, {23, 23}}) EXPECT_FALSE(isDisc(c.x, c.y));
    }
}

TEST_F(PicturesOnScreen, LogoFillsItsBoxWithoutKeepingItsProportions) {
    forms::PixelRect l = box("Image1");
    ASSERT_EQ(l.width, 84);
    ASSERT_EQ(l.height, 39);
    auto blueIn = [&](int x0, int y0, int x1, int y1) {
        for (int y = y0; y < y1; ++y)
            for (int x = x0; x < x1; ++x)
                if (isLogoBlue(at(x, y))) return true;
        return false;
    };
    const int left = l.left, top = l.top, right = l.left + l.width, bottom = l.top + l.height;
    // Blue reaches within a few pixels of all four edges...
    EXPECT_TRUE(blueIn(left, top, left + 3, bottom));
    EXPECT_TRUE(blueIn(right - 3, top, right, bottom));
    EXPECT_TRUE(blueIn(left, top, right, top + 5));
    EXPECT_TRUE(blueIn(left, bottom - 5, right, bottom));
    // ...and not beyond them (the frame around lies farther out).
    EXPECT_FALSE(blueIn(left - 4, top + 5, left, bottom - 5));
    EXPECT_FALSE(blueIn(right, top + 5, right + 4, bottom - 5));
    EXPECT_FALSE(blueIn(left + 10, top - 4, right - 10, top));
    EXPECT_FALSE(blueIn(left + 10, bottom, right - 10, bottom + 4));
    // Kept at 705 to 241, 84 pixels wide would be only 29 high: the logo's
    // blue would not reach down to the box's lower rows.
    EXPECT_TRUE(blueIn(left, top + 33, right, bottom));
}

TEST_F(PicturesOnScreen, TextsAndLogoStandOutFromTheBackgroundUnderThem) {
    // For each label colour (the menu labels' rest and hover colours too),
    // the background under its box: nearly all of it (95 in 100 pixels)
    // leaves the text a contrast of at least 4.5 to 1.
    auto worstBackground = [&](const forms::PixelRect& r, bool darkest) {
        forms::PixelRect p = box("Picture1");
        std::vector<double> l;
        for (int y = r.top; y < r.top + r.height; ++y)
            for (int x = r.left; x < r.left + r.width; ++x) l.push_back(luminance(bitmapPixel(x - p.left, y - p.top)));
        std::sort(l.begin(), l.end());
        return darkest ? l[l.size() / 20] : l[l.size() * 19 / 20];
    };
    for (const auto& c : form.controls()) {
        if (c->kind() != forms::Kind::Label || c->name() == std::string("Label1")) continue;  // Label1 is the shadow
        std::vector<forms::Colour> colours{c->definition().foreColor};
        if (c->mouseIcon() || c->name() == std::string("Label11")) colours = {0x0080FF80, 0x00FFFF00};
        for (forms::Colour colour : colours) {
            double text = luminance(forms::rgbOf(colour));
            EXPECT_GE(contrast(text, worstBackground(box(c->name()), false)), 4.5) << c->name() << " " << std::hex
                                                                                  << colour;
        }
    }
    // The blue logo sits in the light: at least 3 to 1 against the darkest
    // of its background.
    EXPECT_GE(contrast(luminance({0, 0, 255}), worstBackground(box("Image1"), true)), 3.0);
}

}  // namespace
