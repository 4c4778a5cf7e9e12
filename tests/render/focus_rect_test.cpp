// The keyboard focus on screen: a dotted rectangle just around the focused
// entry's box, every other pixel inverted, shown only once a key has been
// used, and repainted part by part without a seam.
#include <gtest/gtest.h>
#include <cairo.h>

#include "platform/cairo/cairo_painter.h"
#include "platform/headless/headless_window.h"
#include "tests/unit/form1_fixture.h"

namespace {

using platform::headless::HeadlessWindow;
using platform::headless::Surface;

constexpr int kWidth = 1022, kHeight = 766;

class FocusRectTest : public Form1Test {
protected:
    FocusRectTest() : window(form, kWidth, kHeight) {}

    static bool onEdge(const forms::PixelRect& r, int x, int y) {
        return r.contains({x, y}) && (x == r.left || y == r.top || x == r.right() - 1 || y == r.bottom() - 1);
    }
    static forms::Rgb inverted(forms::Rgb c) {
        return {static_cast<std::uint8_t>(255 - c.r), static_cast<std::uint8_t>(255 - c.g),
                static_cast<std::uint8_t>(255 - c.b)};
    }

    // Pixels of b that are not what a focus rectangle on box would make of a:
    // inverted where x + y is odd on the box's edge, the same everywhere else.
    static int notFocusOf(cairo_surface_t* a, cairo_surface_t* b, const forms::PixelRect& box) {
        int wrong = 0;
        for (int y = 0; y < kHeight; ++y)
            for (int x = 0; x < kWidth; ++x) {
                const forms::Rgb before = HeadlessWindow::pixel(a, x, y);
                const bool dot = onEdge(box, x, y) && ((x + y) & 1);
                wrong += !(HeadlessWindow::pixel(b, x, y) == (dot ? inverted(before) : before));
            }
        return wrong;
    }

    HeadlessWindow window;
};

TEST_F(FocusRectTest, TheFirstTabIsThePointersHoverPlusTheFocusRectangle) {
    platform::headless::FakeShell otherShell;
    Form1 pointer(otherShell, pictures);
    HeadlessWindow pointerWindow(pointer, kWidth, kHeight);
    pointer.Form_Load();
    pointer.pointerMove(background());
    pointer.pointerMove(centre(pointer.Label8));
    Surface hovered = pointerWindow.render();

    EXPECT_TRUE(window.press(forms::Key::Tab));
    Surface focused = window.render();
    EXPECT_EQ(notFocusOf(hovered.get(), focused.get(), form.focusRect(form.Label8)), 0);
    if (HasFailure()) HeadlessWindow::savePng(focused.get(), "focus-tab.png");
}

TEST_F(FocusRectTest, ThePointerAloneDrawsNoFocusRectangle) {
    form.pointerMove(background());
    moveOver(form.Label12);
    ASSERT_EQ(form.focused(), &form.Label12);
    Surface hovered = window.render();
    // Escape shows the focus cues but leaves no entry focused: the reset
    // screen has no rectangle; hovering EXIT again then shows it there.
    window.press(forms::Key::Escape);
    Surface reset = window.render();
    form.pointerMove(background());
    Surface background = window.render();
    EXPECT_EQ(notFocusOf(background.get(), reset.get(), {}), 0);
    moveOver(form.Label12);
    Surface cued = window.render();
    EXPECT_EQ(notFocusOf(hovered.get(), cued.get(), form.focusRect(form.Label12)), 0);
}

TEST_F(FocusRectTest, RepaintingOnlyWhatChangedMovesTheRectangleWithoutASeam) {
    window.press(forms::Key::Tab);
    Surface shown = window.render();
    window.takeDirty();
    window.press(forms::Key::Tab);  // from ADDRESS SOFTWARE to INDEX SOFTWARE
    window.press(forms::Key::Tab, forms::modifier::kShift);  // and back
    window.press(forms::Key::Down);

    // The old picture with each invalidated part painted again on its own,
    // starting at odd and even pixels alike, as a window repaints.
    cairo_t* cr = cairo_create(shown.get());
    for (const forms::PixelRect& dirty : window.takeDirty()) {
        for (const forms::PixelRect& part : {forms::PixelRect{dirty.left, dirty.top, dirty.width / 2 + 1, dirty.height},
                                             forms::PixelRect{dirty.left + dirty.width / 2 + 1, dirty.top,
                                                              dirty.width - dirty.width / 2 - 1, dirty.height}}) {
            if (part.empty()) continue;
            cairo_surface_t* image = cairo_image_surface_create(CAIRO_FORMAT_RGB24, part.width, part.height);
            cairo_t* icr = cairo_create(image);
            cairo_translate(icr, -part.left, -part.top);
            {
                platform::cairo::CairoPainter painter(icr);
                form.paint(painter, part);
            }
            cairo_destroy(icr);
            cairo_set_source_surface(cr, image, part.left, part.top);
            cairo_rectangle(cr, part.left, part.top, part.width, part.height);
            cairo_fill(cr);
            cairo_surface_destroy(image);
        }
    }
    cairo_destroy(cr);
    cairo_surface_flush(shown.get());

    Surface whole = window.render();
    EXPECT_EQ(notFocusOf(whole.get(), shown.get(), {}), 0);
}

}  // namespace
