// The screen follows the pointer's path, not how often it was sampled: the
// moves the form adds between two positions in different controls, when the
// pointer comes in, and none for a pointer standing still. First on a small
// form made for the purpose, then on the menu, whose screen after a jump
// must be, pixel for pixel, the screen after the same path sampled finely.
#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "app/form1.h"
#include "platform/cairo/cairo_pictures.h"
#include "platform/headless/fake_shell.h"
#include "platform/headless/headless_window.h"
#include "tests/unit/recording_site.h"

namespace {

using forms::Point;
using Log = std::vector<std::string>;

// Box at (15, 15) twips = (1, 1) px, 600 by 300 px. In pixels of the box:
// Left (0..100 x 0..100) and Right (80..180 x 0..100) overlap; Far
// (300..400 x 0..100) and Low (0..100 x 200..300) stand alone on the box.
const forms::ControlDef kControls[] = {
    {.id = 1, .name = "Box", .kind = forms::Kind::PictureBox, .box = {15, 15, 9000, 4500}},
    {.id = 2, .name = "Left", .kind = forms::Kind::Label, .box = {0, 0, 1500, 1500}},
    {.id = 3, .name = "Right", .kind = forms::Kind::Label, .box = {1200, 0, 1500, 1500}},
    {.id = 4, .name = "Far", .kind = forms::Kind::Label, .box = {4500, 0, 1500, 1500}},
    {.id = 5, .name = "Low", .kind = forms::Kind::Label, .box = {0, 3000, 1500, 1500}},
};

class PathTest : public ::testing::Test {
protected:
    PathTest() : form(forms::WindowDef{}, kControls, pictures) {
        form.attach(&site);
        logEvents(form, {"Box", "Left", "Right", "Far", "Low"}, log);
    }
    static Point at(int x, int y) { return {1 + x, 1 + y}; }
    Log take() { return std::exchange(log, {}); }

    NoPictures pictures;
    RecordingSite site;
    forms::Form form;
    Log log;
};

TEST_F(PathTest, AJumpOverTheBoxMovesOverItOnTheWay) {
    form.pointerMove(at(50, 250));
    take();
    form.pointerMove(at(350, 50));  // Low to Far in one report, passing nothing else
    EXPECT_EQ(take(), (Log{"Box:move", "Far:move"}));
    form.pointerMove(at(50, 250));
    EXPECT_EQ(take(), (Log{"Box:move", "Low:move"}));
}

TEST_F(PathTest, EveryControlOnTheWayGetsAMoveInTheOrderOfThePath) {
    form.pointerMove(at(10, 50));
    take();
    form.pointerMove(at(390, 50));  // Left, Right where they overlap, the box, Far
    EXPECT_EQ(take(), (Log{"Right:move", "Box:move", "Far:move"}));
    form.pointerMove(at(10, 50));
    EXPECT_EQ(take(), (Log{"Box:move", "Right:move", "Left:move"}));
}

TEST_F(PathTest, ControlsThatTouchOrOverlapHaveNothingBetweenThem) {
    form.pointerMove(at(50, 50));
    take();
    form.pointerMove(at(150, 50));
    form.pointerMove(at(60, 40));
    EXPECT_EQ(take(), (Log{"Right:move", "Left:move"}));
}

TEST_F(PathTest, MovesWithinOneControlAddNothingAndAStillPointerNothingAtAll) {
    form.pointerMove(at(350, 50));
    take();
    form.pointerMove(at(390, 90));
    form.pointerMove(at(310, 10));
    EXPECT_EQ(take(), (Log{"Far:move", "Far:move"})) << "a move straight across a control";
    site.dirty.clear();
    form.pointerMove(at(310, 10));
    EXPECT_TRUE(take().empty()) << "the position reported last";
    EXPECT_TRUE(site.dirty.empty());
}

TEST_F(PathTest, APointerComingInComesOverTheBox) {
    form.pointerMove(at(50, 50));  // the first position: the window showed under it
    EXPECT_EQ(take(), (Log{"Box:move", "Left:move"}));
    form.pointerLeave();
    form.pointerMove(at(350, 50));  // back in, elsewhere
    EXPECT_EQ(take(), (Log{"Box:move", "Far:move"}));
    form.pointerLeave();
    form.pointerMove(at(500, 250));  // onto the box itself
    EXPECT_EQ(take(), (Log{"Box:move"}));
    form.pointerLeave();
    form.pointerMove({0, 160});  // the form's own strip left of the box: no control
    form.pointerMove(at(50, 50));  // in over the box
    EXPECT_EQ(take(), (Log{"Box:move", "Left:move"}));
}

TEST_F(PathTest, WhileAButtonIsHeldTheControlThatGotItTakesEveryMoveAndNothingLies) {
    form.pointerMove(at(50, 50));
    form.pointerDown(at(50, 50), forms::Button::Left);
    take();
    form.pointerMove(at(350, 50));
    form.pointerUp(at(350, 50), forms::Button::Left);
    EXPECT_EQ(take(), (Log{"Left:move", "Left:up"}));
    form.pointerMove(at(360, 50));
    EXPECT_EQ(take(), (Log{"Far:move"})) << "released over Far: the path starts there";
}

TEST_F(PathTest, WhatAMoveOnTheWayShowsIsOnTheRestOfTheWay) {
    // Right's handler shows a control over the box between Right and Far
    // that has no handler of its own: it swallows that stretch of the way.
    static const forms::ControlDef kWithHidden[] = {
        kControls[0], kControls[1], kControls[2], kControls[3], kControls[4],
        {.id = 6, .name = "Shown", .kind = forms::Kind::Label, .box = {2700, 0, 1800, 1500}, .visible = false},
    };
    forms::Form f(forms::WindowDef{}, kWithHidden, pictures);
    Log order;
    for (const char* name : {"Box", "Left", "Far"})
        f.on(f.control(name), forms::Event::MouseMove, [&order, name] { order.push_back(name); });
    f.on(f.control("Right"), forms::Event::MouseMove, [&] {
        order.push_back("Right");
        f.control("Shown").Visible = true;
    });
    f.pointerMove(at(50, 50));
    f.pointerMove(at(350, 50));
    EXPECT_EQ(order, (Log{"Box", "Left", "Right", "Far"}));
}

// The menu: a jump and the same path through the background give the same
// screen.
class MenuPathTest : public ::testing::Test {
protected:
    struct Menu {
        explicit Menu(MenuPathTest& t) : form(t.shell, t.pictures), window(form, 1022, 766) { form.Form_Load(); }
        Point centre(const char* name) const {
            const forms::PixelRect r = form.visibleBox(form.control(name));
            return {r.left + r.width / 2, r.top + r.height / 2};
        }
        void moveTo(const char* name) { form.pointerMove(centre(name)); }
        Form1 form;
        platform::headless::HeadlessWindow window;
    };

    // How many pixels of the two screens differ.
    static long differing(const Menu& a, const Menu& b) {
        const platform::headless::Surface x = a.window.render(), y = b.window.render();
        const int w = cairo_image_surface_get_width(x.get()), h = cairo_image_surface_get_height(x.get());
        long n = 0;
        for (int row = 0; row < h; ++row)
            for (int col = 0; col < w; ++col)
                n += platform::headless::HeadlessWindow::pixel(x.get(), col, row) !=
                     platform::headless::HeadlessWindow::pixel(y.get(), col, row);
        return n;
    }

    static constexpr Point kBackground{6, 470};
    platform::headless::FakeShell shell;
    platform::cairo::CairoPictureLoader pictures;
};

TEST_F(MenuPathTest, AJumpBetweenEntriesShowsWhatThePathThroughTheBackgroundShows) {
    const char* const entries[] = {"Label8", "Label10", "Label11", "Label12"};
    for (const char* from : entries) {
        for (const char* to : entries) {
            if (from == to) continue;
            SCOPED_TRACE(std::string(from) + " to " + to);
            Menu jump(*this), path(*this);
            for (Menu* m : {&jump, &path}) {
                m->form.pointerMove(kBackground);
                m->moveTo(from);
            }
            jump.moveTo(to);
            path.form.pointerMove(kBackground);
            path.moveTo(to);
            EXPECT_EQ(differing(jump, path), 0);
            EXPECT_EQ(jump.form.control(from).ForeColor, 0x0080FF80u) << "left at rest";
            EXPECT_EQ(jump.form.focused(), &jump.form.control(to));
        }
    }
}

TEST_F(MenuPathTest, FromTheStartScreenOrAWindowOpeningUnderThePointerTheBackgroundComesFirst) {
    for (const char* entry : {"Label8", "Label10", "Label11", "Label12", "Image1"}) {
        SCOPED_TRACE(entry);
        // The window opens with the pointer resting on the entry: its first
        // report is there.
        Menu opened(*this), path(*this);
        opened.moveTo(entry);
        path.form.pointerMove(kBackground);
        path.moveTo(entry);
        EXPECT_EQ(differing(opened, path), 0);
        if (std::string(entry) != "Label11") {
            EXPECT_FALSE(opened.form.Label13.Visible) << "no text over the panel's";
        }

        // From the start screen's description area, which has no handler,
        // straight onto the entry.
        Menu jump(*this);
        jump.moveTo("Label4");
        jump.moveTo(entry);
        EXPECT_EQ(differing(jump, path), 0);
    }
}

TEST_F(MenuPathTest, AStillPointerAndASecondMoveOverTheSameEntryRepaintNothing) {
    Menu m(*this);
    m.form.pointerMove(kBackground);
    m.moveTo("Label10");
    m.window.takeDirty();
    const Point c = m.centre("Label10");
    m.form.pointerMove(c);
    m.form.pointerMove({c.x + 3, c.y + 1});
    EXPECT_TRUE(m.window.takeDirty().empty());

    // A press's look stays while the pointer stands still, as when the host
    // reports where the pointer is after the click's handler.
    m.form.pointerDown(c, forms::Button::Right);
    m.form.pointerUp(c, forms::Button::Right);
    m.form.pointerMove(c);
    EXPECT_EQ(m.form.Label10.ForeColor, 0x8000000Eu);
}

TEST(FitScale, TheSystemsScaleWhereTheLayoutFitsElseTheLargestThatFits) {
    const forms::Size layout{639, 480};  // the menu after its load step
    EXPECT_EQ(forms::fitScale(1.0, {1024, 768}, layout), 1.0);
    EXPECT_EQ(forms::fitScale(1.5, {1024, 768}, layout), 1.5);
    EXPECT_EQ(forms::fitScale(2.0, {2048, 1536}, layout), 2.0);
    // 192 dots per inch on a 1024x768 screen: 1.6, the bottom edge on the last row.
    const double windows = forms::fitScale(2.0, {1024, 768}, layout);
    EXPECT_DOUBLE_EQ(windows, 1.6);
    // Scale 2 on a 1024x768 screen, less GTK's frame of one pixel at 2.
    const double gtk = forms::fitScale(2.0, {1020, 764}, layout);
    EXPECT_LT(gtk, 1.6);
    EXPECT_GT(gtk, 1.59);
    for (auto [scale, w, h] : {std::tuple{windows, 1024, 768}, std::tuple{gtk, 1020, 764}}) {
        EXPECT_LE(forms::toDevice(layout.width, scale), w);
        EXPECT_EQ(forms::toDevice(layout.height, scale), h) << "as large as fits: the far edge on the last pixel";
    }
}

TEST(FitScale, NeverBelowTheDesignsSizeNorAboveTheSystems) {
    EXPECT_EQ(forms::fitScale(1.0, {640, 480}, {639, 480}), 1.0);
    EXPECT_EQ(forms::fitScale(2.0, {600, 400}, {639, 480}), 1.0) << "too small even at 1: the design's size";
    EXPECT_EQ(forms::fitScale(0.75, {1024, 768}, {639, 480}), 0.75);
    EXPECT_EQ(forms::fitScale(2.0, {0, 0}, {639, 480}), 2.0) << "a monitor of no known size";
}

TEST_F(MenuPathTest, TheMenusLayoutIsItsPictureBoxAfterTheLoadStep) {
    Menu m(*this);
    EXPECT_EQ(m.form.layoutSize(), (forms::Size{639, 480}));
}

}  // namespace
