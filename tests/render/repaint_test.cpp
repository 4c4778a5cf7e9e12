// A part of the screen painted again, as a window repaints what changed,
// shows exactly the pixels of the whole screen painted at once, wherever the
// part's edges cut through a control.
#include <gtest/gtest.h>
#include <cairo.h>

#include <cstring>

#include "platform/cairo/cairo_painter.h"
#include "platform/headless/headless_window.h"
#include "tests/unit/form1_fixture.h"

namespace {

using platform::headless::HeadlessWindow;

class RepaintTest : public Form1Test {
protected:
    RepaintTest() : window(form, 1022, 766) {}

    // Only dirty painted, into an image of its own size, as the GTK window does.
    platform::headless::Surface paintPart(const forms::PixelRect& dirty) const {
        platform::headless::Surface part(cairo_image_surface_create(CAIRO_FORMAT_RGB24, dirty.width, dirty.height));
        cairo_t* cr = cairo_create(part.get());
        cairo_translate(cr, -dirty.left, -dirty.top);
        {
            platform::cairo::CairoPainter painter(cr);
            form.paint(painter, dirty);
        }
        cairo_destroy(cr);
        cairo_surface_flush(part.get());
        return part;
    }

    // The pixels of the part that differ from the whole screen's.
    static int differing(cairo_surface_t* whole, cairo_surface_t* part, const forms::PixelRect& at) {
        int n = 0;
        for (int y = 0; y < at.height; ++y)
            for (int x = 0; x < at.width; ++x)
                n += !(HeadlessWindow::pixel(part, x, y) == HeadlessWindow::pixel(whole, at.left + x, at.top + y));
        return n;
    }

    HeadlessWindow window;
};

TEST_F(RepaintTest, PartsCuttingThroughStretchedPicturesMatchTheWholeScreen) {
    platform::headless::Surface whole = window.render();
    const forms::PixelRect disc = form.visibleBox(form.Image6), logo = form.visibleBox(form.Image1);
    const forms::PixelRect parts[] = {
        {disc.left - 5, disc.top + disc.height / 3, 60, 7},             // a band through the disc
        {disc.left + 7, disc.top - 3, 9, disc.height},                  // a column through it
        {logo.left + logo.width / 2, logo.top + 5, logo.width, 11},     // through the logo
        {form.visibleBox(form.Label13).left + 3, form.visibleBox(form.Label13).top + 4, 50, 9},  // through text
    };
    for (const forms::PixelRect& p : parts) {
        platform::headless::Surface part = paintPart(p);
        EXPECT_EQ(differing(whole.get(), part.get(), p), 0)
            << "part at " << p.left << "," << p.top << " " << p.width << "x" << p.height;
    }
}

}  // namespace
