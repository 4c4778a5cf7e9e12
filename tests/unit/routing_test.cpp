// Mouse routing, clicks and double-clicks, the pointer and invalidation of
// the form runtime, on a small form made for the purpose.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "forms/form.h"
#include "tests/unit/recording_site.h"

namespace {

using forms::Button;
using forms::ControlDef;
using forms::Event;
using forms::Kind;
using forms::Point;

const std::uint8_t kIconBytes[] = {0, 0, 1, 0};

// Box at (15, 15) twips = (1, 1) px, 600 by 300 px. Inside it, in pixels of
// the box: Top (ID 2) and Under (ID 3) overlap at x 50..100; Hidden (ID 4)
// and Outline (ID 5, a shape) lie at x 200..300 over Plain (ID 6).
const ControlDef kControls[] = {
    {.id = 1, .name = "Box", .kind = Kind::PictureBox, .box = {15, 15, 9000, 4500}},
    {.id = 2, .name = "Top", .kind = Kind::Label, .box = {750, 0, 1500, 1500}},
    {.id = 3, .name = "Under", .kind = Kind::Label, .box = {0, 0, 1500, 1500}, .mouseIcon = kIconBytes},
    {.id = 4, .name = "Hidden", .kind = Kind::Image, .box = {3000, 0, 1500, 1500}, .visible = false},
    {.id = 5, .name = "Outline", .kind = Kind::Shape, .box = {3000, 0, 1500, 1500}},
    {.id = 6, .name = "Plain", .kind = Kind::Label, .box = {3000, 0, 3000, 3000}},
};

class RoutingTest : public ::testing::Test {
protected:
    RoutingTest() : form(forms::WindowDef{}, kControls, pictures) {
        form.attach(&site);
        logEvents(form, {"Box", "Top", "Under", "Plain"}, log);
    }

    // A point in pixels of the box's client area.
    static Point at(int x, int y) { return {1 + x, 1 + y}; }

    std::vector<std::string> take() { return std::exchange(log, {}); }

    // A press and release of a button at a point, at a time on a fake clock,
    // with the form left to count (as on GTK).
    void timedClick(Point p, std::uint32_t ms, Button b = Button::Left) {
        form.pointerDown(p, b, forms::Press::timed(ms, kLimits));
        form.pointerUp(p, b);
    }
    static constexpr forms::DoubleClickLimits kLimits{400, 5};

    NoPictures pictures;
    RecordingSite site;
    forms::Form form;
    std::vector<std::string> log;
};

TEST_F(RoutingTest, LowestIdOnTopTakesTheMouseWhereControlsOverlap) {
    form.pointerMove(at(75, 10));  // coming in, over the box
    form.pointerMove(at(25, 10));
    form.pointerMove(at(120, 10));
    EXPECT_EQ(take(), (std::vector<std::string>{"Box:move", "Top:move", "Under:move", "Top:move"}));
}

TEST_F(RoutingTest, HiddenControlsAndShapesLetTheMouseThrough) {
    form.pointerMove(at(250, 50));
    EXPECT_EQ(take(), (std::vector<std::string>{"Box:move", "Plain:move"}));
    form.control("Hidden").Visible = true;
    form.pointerMove(at(251, 50));
    EXPECT_TRUE(take().empty()) << "a shown image without handlers swallows the move";
}

TEST_F(RoutingTest, BackgroundWhereNoControlAndFormOutsideTheBox) {
    form.pointerMove(at(500, 250));
    form.pointerLeave();
    form.pointerMove({0, 0});  // the form's own strip left of and above the box
    form.pointerLeave();
    form.pointerMove({700, 400});  // beyond the box
    EXPECT_EQ(take(), (std::vector<std::string>{"Box:move"}));
    EXPECT_EQ(form.hitTest({0, 0}), nullptr);
    EXPECT_EQ(form.hitTest(at(599, 299)), &form.control("Box"));
    EXPECT_EQ(form.hitTest(at(600, 299)), nullptr) << "the box's right edge is exclusive";
}

TEST_F(RoutingTest, ControlWithoutHandlerSwallowsEvents) {
    form.on(form.control("Top"), Event::MouseMove, {});
    form.pointerMove(at(120, 150));  // the box just below Top
    take();
    form.pointerMove(at(75, 10));
    EXPECT_TRUE(take().empty()) << "the move must not reach Under or the box";
}

TEST_F(RoutingTest, CaptureSendsMovesAndUpToTheControlThatGotTheDown) {
    form.pointerDown(at(25, 10), Button::Left);
    form.pointerMove(at(500, 250));  // over the background, still captured
    form.pointerUp(at(500, 250), Button::Left);
    form.pointerMove(at(501, 250));  // released: the background again
    EXPECT_EQ(take(), (std::vector<std::string>{"Under:down", "Under:move", "Under:up", "Box:move"}));
}

TEST_F(RoutingTest, ClickIsLeftDownAndUpOverTheSameControl) {
    form.pointerDown(at(25, 10), Button::Left);
    form.pointerUp(at(30, 12), Button::Left);
    EXPECT_EQ(take(), (std::vector<std::string>{"Under:down", "Under:up", "Under:click"}));

    form.pointerDown(at(25, 10), Button::Left);
    form.pointerUp(at(75, 10), Button::Left);  // released over Top
    EXPECT_EQ(take(), (std::vector<std::string>{"Under:down", "Under:up"}));

    form.pointerDown(at(25, 10), Button::Right);
    form.pointerUp(at(25, 10), Button::Right);
    EXPECT_EQ(take(), (std::vector<std::string>{"Under:down", "Under:up"})) << "no click for the right button";
}

using Log = std::vector<std::string>;
const Log kClick{"Under:down", "Under:up", "Under:click"};
const Log kDouble{"Under:dblclick", "Under:up"};

TEST_F(RoutingTest, SecondPressInTimeAndPlaceIsADoubleClickAndTheThirdStartsOver) {
    timedClick(at(25, 10), 1000);
    EXPECT_EQ(take(), kClick);
    timedClick(at(30, 15), 1399);  // 399 ms later, 5 px off along both axes
    EXPECT_EQ(take(), kDouble) << "the second press raises DblClick, its release no Click";
    timedClick(at(30, 15), 1500);
    EXPECT_EQ(take(), kClick) << "a third press is a new first press";
    timedClick(at(30, 15), 1600);
    EXPECT_EQ(take(), kDouble);
}

TEST_F(RoutingTest, ASlowOrDistantSecondPressIsAClickOfItsOwn) {
    timedClick(at(25, 10), 1000);
    timedClick(at(25, 10), 1400);  // exactly the double-click time: too late
    timedClick(at(25, 10), 2400);  // a second later
    EXPECT_EQ(take(), (Log{"Under:down", "Under:up", "Under:click", "Under:down", "Under:up", "Under:click",
                           "Under:down", "Under:up", "Under:click"}));
    timedClick(at(31, 10), 2500);  // 6 px away from the last press
    timedClick(at(31, 16), 2600);  // 6 px below it
    EXPECT_EQ(take(), (Log{"Under:down", "Under:up", "Under:click", "Under:down", "Under:up", "Under:click"}));
}

TEST_F(RoutingTest, ASecondPressOnAnotherControlIsAFirstPressThere) {
    // Under (x < 50) and Top (x >= 50) meet at x 50: two presses 2 px apart.
    timedClick(at(49, 10), 1000);
    timedClick(at(51, 10), 1100);
    timedClick(at(51, 10), 1200);
    EXPECT_EQ(take(), (Log{"Under:down", "Under:up", "Under:click", "Top:down", "Top:up", "Top:click",
                           "Top:dblclick", "Top:up"}));
}

TEST_F(RoutingTest, RightAndMiddleButtonsNeverDoubleClickAndBreakALeftOne) {
    for (Button b : {Button::Right, Button::Middle}) {
        timedClick(at(25, 10), 1000, b);
        timedClick(at(25, 10), 1100, b);
        EXPECT_EQ(take(), (Log{"Under:down", "Under:up", "Under:down", "Under:up"}));
    }
    timedClick(at(25, 10), 2000);
    timedClick(at(25, 10), 2050, Button::Right);
    timedClick(at(25, 10), 2100);
    EXPECT_EQ(take(), (Log{"Under:down", "Under:up", "Under:click", "Under:down", "Under:up", "Under:down",
                           "Under:up", "Under:click"}))
        << "the left press after a right one is a first press";
}

TEST_F(RoutingTest, ThePlatformsCountDecidesWhereItKeepsOne) {
    // As on Windows: the second press of a double-click comes marked.
    auto press = [&](Point p, int count) {
        form.pointerDown(p, Button::Left, forms::Press::counted(count));
        form.pointerUp(p, Button::Left);
    };
    press(at(25, 10), 1);
    press(at(25, 10), 2);
    press(at(25, 10), 1);
    EXPECT_EQ(take(), (Log{"Under:down", "Under:up", "Under:click", "Under:dblclick", "Under:up", "Under:down",
                           "Under:up", "Under:click"}));
    press(at(25, 10), 1);
    press(at(25, 10), 1);  // the platform saw no double-click
    EXPECT_EQ(take(), (Log{"Under:down", "Under:up", "Under:click", "Under:down", "Under:up", "Under:click"}));
    press(at(49, 10), 1);
    press(at(51, 10), 2);  // a double-click for the window, but over another control
    EXPECT_EQ(take(), (Log{"Under:down", "Under:up", "Under:click", "Top:down", "Top:up", "Top:click"}));
}

TEST_F(RoutingTest, DoubleClickTimeHoldsAcrossTheClockWrappingAround) {
    timedClick(at(25, 10), 0xFFFFFF00u);
    timedClick(at(25, 10), 0x00000080u);  // 384 ms later
    EXPECT_EQ(take(), (Log{"Under:down", "Under:up", "Under:click", "Under:dblclick", "Under:up"}));
}

TEST_F(RoutingTest, ADoubleClickWithoutAHandlerIsSwallowed) {
    form.on(form.control("Under"), Event::DblClick, {});
    timedClick(at(25, 10), 1000);
    timedClick(at(25, 10), 1100);
    EXPECT_EQ(take(), (Log{"Under:down", "Under:up", "Under:click", "Under:up"}))
        << "no MouseDown and no Click in its place, and nothing for the box beneath";
}

TEST_F(RoutingTest, SecondButtonKeepsTheCaptureUntilTheLastComesUp) {
    form.pointerDown(at(25, 10), Button::Left);
    form.pointerDown(at(75, 10), Button::Middle);  // over Top, but Under holds the capture
    form.pointerUp(at(75, 10), Button::Left);
    form.pointerMove(at(76, 10));
    form.pointerUp(at(76, 10), Button::Middle);
    form.pointerMove(at(77, 10));
    EXPECT_EQ(take(), (std::vector<std::string>{"Under:down", "Under:down", "Under:up", "Under:move", "Under:up",
                                                "Top:move"}));
}

TEST_F(RoutingTest, UpWithoutDownIsIgnored) {
    form.pointerUp(at(25, 10), Button::Left);
    EXPECT_TRUE(take().empty());
}

TEST_F(RoutingTest, CursorFollowsTheControlUnderThePointer) {
    forms::Control& under = form.control("Under");
    form.pointerMove(at(25, 10));
    EXPECT_EQ(form.cursor(), forms::Cursor{});
    under.MousePointer = forms::pointer::kCustom;
    ASSERT_NE(under.mouseIcon(), nullptr);
    EXPECT_EQ(form.cursor(), (forms::Cursor{forms::pointer::kCustom, under.mouseIcon()}));
    form.pointerMove(at(75, 10));
    EXPECT_EQ(form.cursor(), forms::Cursor{}) << "Top keeps the default pointer";
    form.control("Top").MousePointer = forms::pointer::kCustom;
    EXPECT_EQ(form.cursor(), forms::Cursor{}) << "custom without a MouseIcon shows the default";
    form.control("Top").MousePointer = forms::pointer::kCross;
    EXPECT_EQ(form.cursor().code, forms::pointer::kCross);
}

TEST_F(RoutingTest, RepaintOnlyWhenAValueReallyChanges) {
    forms::Control& plain = form.control("Plain");
    plain.Caption = "one";
    ASSERT_EQ(site.dirty.size(), 1u);
    EXPECT_EQ(site.dirty[0], (forms::PixelRect{201, 1, 200, 200}));
    site.dirty.clear();
    plain.Caption = "one";
    plain.ForeColor = plain.ForeColor.value();
    plain.Visible = true;
    plain.MousePointer = forms::pointer::kCustom;  // a pointer change paints nothing
    EXPECT_TRUE(site.dirty.empty());
}

TEST_F(RoutingTest, MovingTheBoxRepaintsOldAndNewPlaceAndMovesItsChildren) {
    forms::Control& box = form.control("Box");
    box.Top = 150.0f;
    ASSERT_EQ(site.dirty.size(), 2u);
    EXPECT_EQ(site.dirty[0], (forms::PixelRect{1, 1, 600, 300}));
    EXPECT_EQ(site.dirty[1], (forms::PixelRect{1, 10, 600, 300}));
    EXPECT_EQ(form.pixelBox(form.control("Plain")).top, 10);
}

TEST_F(RoutingTest, AssignmentsThatCannotBeMadeRaiseRunTimeErrors) {
    auto number = [](auto&& assign) {
        try {
            assign();
        } catch (const forms::RuntimeError& e) {
            return e.number();
        }
        return 0;
    };
    EXPECT_EQ(number([&] { form.control("Hidden").Caption = "x"; }), 438);
    EXPECT_EQ(number([&] { form.control("Outline").MousePointer = 99; }), 438);
    EXPECT_EQ(number([&] { form.control("Box").Width = 40000.0; }), 6);
    EXPECT_EQ(number([&] { form.control("Box").Left = -32768.0; }), 0);
    EXPECT_EQ(form.control("Box").Left, -32768);
}

TEST_F(RoutingTest, UntrappedErrorInAHandlerUnloadsAndLaterEventsAreIgnored) {
    form.on(form.control("Plain"), Event::MouseMove, [] { throw forms::RuntimeError(5, "Invalid procedure call"); });
    form.pointerMove(at(250, 50));
    EXPECT_TRUE(form.unloaded());
    EXPECT_TRUE(site.unloaded);
    take();
    form.pointerMove(at(25, 10));
    EXPECT_TRUE(take().empty());
}

}  // namespace
