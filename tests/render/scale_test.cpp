// The screen on a high-density display: laid out in the same layout pixels,
// drawn at device resolution. At scale 2 every box is twice as large, the
// text, the logo and the shape are drawn anew at that size rather than
// enlarged from the 1x frame, and a part painted again after a hover fits the
// rest of the frame without a seam.
#include <gtest/gtest.h>
#include <cairo.h>

#include <cmath>
#include <vector>

#include "platform/cairo/device_image.h"
#include "platform/headless/headless_window.h"
#include "tests/render/ink.h"
#include "tests/unit/form1_fixture.h"

namespace {

using platform::headless::HeadlessWindow;
using platform::headless::Surface;

constexpr int kClientWidth = 1022, kClientHeight = 766;

class ScaleTest : public Form1Test {
protected:
    Surface render(double scale) { return HeadlessWindow(form, kClientWidth, kClientHeight, scale).render(); }

    static forms::Rgb at(cairo_surface_t* s, int x, int y) { return HeadlessWindow::pixel(s, x, y); }

    // The mean difference per channel between two images over a device
    // rectangle.
    static double meanDifference(cairo_surface_t* a, cairo_surface_t* b, const forms::PixelRect& r) {
        double sum = 0;
        for (int y = r.top; y < r.bottom(); ++y)
            for (int x = r.left; x < r.right(); ++x) {
                forms::Rgb p = at(a, x, y), q = at(b, x, y);
                sum += std::abs(p.r - q.r) + std::abs(p.g - q.g) + std::abs(p.b - q.b);
            }
        return sum / (3.0 * r.area());
    }

    // The frame of scale 1 enlarged to scale 2 with the filter the painter
    // enlarges bitmaps with: what GTK would show if the menu drew at 1x.
    static Surface enlarged(cairo_surface_t* one) {
        const int w = cairo_image_surface_get_width(one), h = cairo_image_surface_get_height(one);
        Surface two(cairo_image_surface_create(CAIRO_FORMAT_RGB24, 2 * w, 2 * h));
        cairo_t* cr = cairo_create(two.get());
        cairo_scale(cr, 2, 2);
        cairo_set_source_surface(cr, one, 0, 0);
        cairo_pattern_set_filter(cairo_get_source(cr), CAIRO_FILTER_GOOD);
        cairo_pattern_set_extend(cairo_get_source(cr), CAIRO_EXTEND_PAD);
        cairo_paint(cr);
        cairo_destroy(cr);
        cairo_surface_flush(two.get());
        return two;
    }

    static forms::PixelRect twice(const forms::PixelRect& r) { return forms::toDevice(r, 2.0); }
};

TEST_F(ScaleTest, AtScaleTwoEveryBoxIsTwiceAsLargeInDevicePixels) {
    Surface one = render(1), two = render(2);
    ASSERT_EQ(cairo_image_surface_get_width(two.get()), 2 * kClientWidth);
    ASSERT_EQ(cairo_image_surface_get_height(two.get()), 2 * kClientHeight);
    const forms::Rgb windowBackground = forms::resolveWithDefaults(0x80000005);
    // Picture1 starts one layout pixel, two device pixels, inside the client
    // area and ends after 638 by 479 layout pixels.
    EXPECT_EQ(at(two.get(), 1, 1), windowBackground);
    EXPECT_NE(at(two.get(), 2, 2), windowBackground);
    EXPECT_NE(at(two.get(), 1277, 959), windowBackground);
    EXPECT_EQ(at(two.get(), 1278, 500), windowBackground) << "638 layout pixels wide";
    EXPECT_EQ(at(two.get(), 500, 960), windowBackground) << "479 layout pixels high";
    // The picture box's own colour below the background bitmap's 477 rows:
    // two layout rows, four device rows, with no row of the bitmap fading
    // into it.
    const forms::Rgb boxColour = forms::resolveWithDefaults(0x8000000B);
    EXPECT_NE(at(two.get(), 600, 955), boxColour);
    for (int y = 956; y < 960; ++y) EXPECT_EQ(at(two.get(), 600, y), boxColour) << y;

    // The open background: each layout pixel's four device pixels are near
    // its colour at scale 1 (enlarged smoothly, not moved).
    for (forms::Point p : {forms::Point{20, 470}, forms::Point{300, 440}, forms::Point{630, 20}}) {
        forms::Rgb a = at(one.get(), p.x, p.y), b = at(two.get(), 2 * p.x, 2 * p.y);
        EXPECT_NEAR(a.r, b.r, 24) << p.x << "," << p.y;
        EXPECT_NEAR(a.g, b.g, 24) << p.x << "," << p.y;
        EXPECT_NEAR(a.b, b.b, 24) << p.x << "," << p.y;
    }
    // The menu entries keep their lines and stay bold, at twice the size.
    auto pixel = [&](int x, int y) { return at(two.get(), x, y); };
    for (forms::Control* c : {&form.Label8, &form.Label10, &form.Label11, &form.Label12}) {
        SCOPED_TRACE(c->name());
        ink::Measure m = ink::measure(pixel, twice(form.visibleBox(*c)), forms::rgbOf(c->ForeColor));
        EXPECT_EQ(m.lines, 1);
        EXPECT_GE(m.stem, 2 * 2.2);
        EXPECT_GE(m.right - m.left, 2 * form.visibleBox(*c).width * 8 / 10);
    }
}

TEST_F(ScaleTest, TextLogoAndShapeAreDrawnAtScaleTwoNotEnlargedFromScaleOne) {
    Surface two = render(2);
    Surface one = render(1);
    Surface up = enlarged(one.get());
    // Where only the background shows, the frame is the enlarged 1x frame.
    const forms::PixelRect open[] = {twice({20, 440, 30, 30}), twice({450, 200, 40, 20})};
    for (const forms::PixelRect& r : open) EXPECT_LT(meanDifference(two.get(), up.get(), r), 0.5);
    // Where there is text, a line or the logo, it is drawn anew: sharper
    // edges, other pixels.
    const char* drawn[] = {"Label8", "Label10", "Label12", "Label13", "Label2", "Label5", "Image1"};
    for (const char* name : drawn) {
        EXPECT_GT(meanDifference(two.get(), up.get(), twice(form.visibleBox(form.control(name)))), 2.0) << name;
    }
    // The shape's left line, four layout pixels wide.
    const forms::PixelRect shape = form.visibleBox(form.Shape1);
    EXPECT_GT(meanDifference(two.get(), up.get(), twice({shape.left, shape.top + shape.height / 3, 6, 10})), 2.0);
}

// The window keeps what it showed and paints again only what the form
// invalidates, each part into an image of its own that is copied into place,
// as the GTK window does. After hover transitions the frame must be exactly
// the frame painted whole: no seam, no outline around a repainted box.
void expectNoSeams(Form1& form, double scale, std::initializer_list<forms::Control*> path) {
    HeadlessWindow window(form, kClientWidth, kClientHeight, scale);
    Surface shown = window.render();
    window.takeDirty();
    for (forms::Control* c : path) {
        forms::PixelRect box = form.visibleBox(*c);
        form.pointerMove(c == &form.Picture1 ? forms::Point{box.left + 5, 470}
                                             : forms::Point{box.left + box.width / 2, box.top + box.height / 2});
        cairo_t* cr = cairo_create(shown.get());
        for (const forms::PixelRect& dirty : window.takeDirty()) platform::cairo::repaintForm(cr, form, dirty, scale);
        cairo_destroy(cr);
        cairo_surface_flush(shown.get());

        Surface whole = window.render();
        const int w = cairo_image_surface_get_width(whole.get()), h = cairo_image_surface_get_height(whole.get());
        int differing = 0;
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x)
                differing += !(HeadlessWindow::pixel(shown.get(), x, y) == HeadlessWindow::pixel(whole.get(), x, y));
        EXPECT_EQ(differing, 0) << "at scale " << scale << " after moving over " << c->name();
    }
}

TEST_F(ScaleTest, RepaintedBoxesLeaveNoSeamsAfterHoverTransitions) {
    for (double scale : {2.0, 1.5, 3.0}) {
        expectNoSeams(form, scale, {&form.Picture1, &form.Label8, &form.Picture1, &form.Label11, &form.Label10,
                                    &form.Picture1, &form.Label12, &form.Image1});
    }
}

}  // namespace
