// A part of the screen painted again, as a window repaints what changed,
// shows exactly the pixels of the whole screen painted at once, wherever the
// part's edges cut through a control.
#include <gtest/gtest.h>
#include <cairo.h>

#include "platform/cairo/device_image.h"
#include "platform/headless/headless_window.h"
#include "tests/unit/form1_fixture.h"

namespace {

using platform::headless::HeadlessWindow;

class RepaintTest : public Form1Test {
protected:
    RepaintTest() : window(form, 1022, 766) {}

    // The pixels of a part painted into an image of its own, as the window
    // repaints it, that differ from the whole screen's.
    int differing(cairo_surface_t* whole, const forms::PixelRect& at) const {
        platform::headless::Surface part = platform::cairo::paintForm(form, at, 1.0);
        double originX, originY;  // minus where the part starts on the whole screen
        cairo_surface_get_device_offset(part.get(), &originX, &originY);
        int n = 0;
        for (int y = at.top; y < at.bottom(); ++y)
            for (int x = at.left; x < at.right(); ++x)
                n += !(HeadlessWindow::pixel(part.get(), x + static_cast<int>(originX), y + static_cast<int>(originY)) ==
                       HeadlessWindow::pixel(whole, x, y));
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
        EXPECT_EQ(differing(whole.get(), p), 0)
            << "part at " << p.left << "," << p.top << " " << p.width << "x" << p.height;
    }
}

}  // namespace
