// The start screen as the headless painter draws it, probed pixel by pixel.
// Set RENDER_TEST_PNG_DIR to keep the pictures for a look.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "platform/headless/headless_window.h"
#include "tests/unit/form1_fixture.h"

namespace {

using platform::headless::HeadlessWindow;

struct Bounds {
    int left = 1 << 30, top = 1 << 30, right = -1, bottom = -1;
    int count = 0;
    void add(int x, int y) {
        left = std::min(left, x), top = std::min(top, y), right = std::max(right, x), bottom = std::max(bottom, y);
        ++count;
    }
};

class StartScreenTest : public Form1Test {
protected:
    StartScreenTest() : window(form, 1022, 766) {}

    platform::headless::Surface shoot(const char* name) {
        platform::headless::Surface s = window.render();
        if (const char* dir = std::getenv("RENDER_TEST_PNG_DIR"))
            HeadlessWindow::savePng(s.get(), std::string(dir) + "/" + name + ".png");
        return s;
    }

    // The pixels of this colour inside a rectangle, give or take tolerance
    // on each channel (for anti-aliased lines).
    static Bounds find(cairo_surface_t* s, const forms::PixelRect& r, forms::Rgb colour, int tolerance = 0) {
        Bounds b;
        for (int y = r.top; y < r.bottom(); ++y)
            for (int x = r.left; x < r.right(); ++x) {
                forms::Rgb p = HeadlessWindow::pixel(s, x, y);
                if (std::abs(p.r - colour.r) <= tolerance && std::abs(p.g - colour.g) <= tolerance &&
                    std::abs(p.b - colour.b) <= tolerance)
                    b.add(x, y);
            }
        return b;
    }

    HeadlessWindow window;
};

constexpr forms::Rgb kWhite{255, 255, 255};
constexpr forms::Rgb kBlack{0, 0, 0};
constexpr forms::Rgb kGreen{0, 255, 0};
constexpr forms::Rgb kCyan{0, 255, 255};

TEST_F(StartScreenTest, PictureBoxStartsOnePixelInsideTheClientArea) {
    auto s = shoot("start");
    forms::Rgb windowBackground = forms::resolveWithDefaults(0x80000005);
    EXPECT_EQ(HeadlessWindow::pixel(s.get(), 0, 0), windowBackground);
    EXPECT_EQ(HeadlessWindow::pixel(s.get(), 0, 200), windowBackground);
    EXPECT_NE(HeadlessWindow::pixel(s.get(), 1, 1), windowBackground);
    EXPECT_NE(HeadlessWindow::pixel(s.get(), 638, 479), windowBackground);
    EXPECT_EQ(HeadlessWindow::pixel(s.get(), 639, 479), windowBackground) << "638 pixels wide";
    EXPECT_EQ(HeadlessWindow::pixel(s.get(), 638, 480), windowBackground) << "479 pixels high";
    // Below the 477 rows of the background picture, the box's own colour shows.
    EXPECT_EQ(HeadlessWindow::pixel(s.get(), 300, 479), forms::resolveWithDefaults(0x8000000B));
}

TEST_F(StartScreenTest, BlackShadowShowsFivePixelsRightOfAndBelowTheWhiteName) {
    auto s = shoot("start");
    forms::PixelRect title = form.visibleBox(form.Label2);
    forms::PixelRect both{title.left, title.top, title.width + 10, title.height + 10};
    Bounds white = find(s.get(), both, kWhite);
    Bounds black = find(s.get(), both, kBlack);
    ASSERT_GT(white.count, 100);
    ASSERT_GT(black.count, 20);
    EXPECT_NEAR(black.right - white.right, 5, 1);
    EXPECT_NEAR(black.bottom - white.bottom, 5, 1);
    EXPECT_GE(black.left, white.left) << "the shadow never shows left of the name";
    EXPECT_GE(black.top, white.top) << "nor above it";
}

TEST_F(StartScreenTest, MenuLabelsShowInGreenAndHoverTurnsOneCyan) {
    auto s = shoot("start");
    for (forms::Control* c : {&form.Label8, &form.Label10, &form.Label11, &form.Label12}) {
        SCOPED_TRACE(c->name());
        EXPECT_GT(find(s.get(), form.visibleBox(*c), kGreen).count, 20);
        EXPECT_EQ(find(s.get(), form.visibleBox(*c), kCyan).count, 0);
    }
    moveOver(form.Label10);
    auto hovered = shoot("index-hovered");
    forms::PixelRect box = form.visibleBox(form.Label10);
    EXPECT_GT(find(hovered.get(), box, kCyan).count, 20);
    EXPECT_EQ(find(hovered.get(), box, kGreen).count, 0);
    // The underline: one row of the label that is cyan for most of the text's width.
    Bounds text = find(hovered.get(), box, kCyan);
    int longest = 0;
    for (int y = box.top; y < box.bottom(); ++y)
        longest = std::max(longest, find(hovered.get(), {text.left, y, text.right - text.left + 1, 1}, kCyan, 90).count);
    EXPECT_GT(longest, (text.right - text.left) * 9 / 10);
}

TEST_F(StartScreenTest, PanelIntroductionWrapsInsideItsBoxAndIsCutAtItsBottom) {
    forms::PixelRect box = form.visibleBox(form.Label13);
    auto s = shoot("start");
    Bounds ink = find(s.get(), box, kWhite);
    ASSERT_GT(ink.count, 100);
    EXPECT_GE(ink.bottom - ink.top, 3 * 14) << "156 characters take several lines";
    EXPECT_LT(ink.right, box.right());

    // A longer caption is cut at the box: nothing of it shows below.
    std::string longer;
    for (int i = 0; i < 40; ++i) longer += "words upon words ";
    form.Label13.Caption = longer;
    auto cut = shoot("label13-cut");
    Bounds all = find(cut.get(), {box.left, box.top, box.width, box.height + 20}, kWhite);
    EXPECT_EQ(all.bottom, find(cut.get(), box, kWhite).bottom);
    EXPECT_LT(all.bottom, box.bottom());
}

TEST_F(StartScreenTest, BackgroundMoveHidesThePanelAndShowsTheInstruction) {
    form.pointerMove(background());
    auto s = shoot("background");
    forms::PixelRect title = form.visibleBox(form.Label14);
    EXPECT_EQ(find(s.get(), title, forms::Rgb{255, 255, 0}).count, 0) << "the yellow panel titles are gone";
    EXPECT_GT(find(s.get(), form.visibleBox(form.Label4), kWhite).count, 50) << "the instruction, in white";
}

}  // namespace
