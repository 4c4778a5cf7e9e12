// Mouse routing, the pointer and invalidation of the form runtime, on a small
// form made for the purpose.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "forms/form.h"

namespace {

using forms::Button;
using forms::ControlDef;
using forms::Event;
using forms::Kind;
using forms::Point;

class NoPictures : public forms::PictureLoader {
public:
    std::unique_ptr<forms::Picture> load(forms::FileImage) override {
        struct Icon : forms::Picture {
            int width() const override { return 32; }
            int height() const override { return 32; }
        };
        return std::make_unique<Icon>();
    }
};

class RecordingSite : public forms::FormSite {
public:
    std::vector<forms::PixelRect> dirty;
    bool unloaded = false;
    void invalidate(const forms::PixelRect& r) override { dirty.push_back(r); }
    void unload() override { unloaded = true; }
};

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
        for (const char* name : {"Box", "Top", "Under", "Plain"})
            for (Event e : {Event::MouseMove, Event::MouseDown, Event::MouseUp, Event::Click})
                form.on(form.control(name), e, [this, name, e] { log.push_back(std::string(name) + ":" + eventName(e)); });
    }

    static const char* eventName(Event e) {
        switch (e) {
            case Event::MouseMove: return "move";
            case Event::MouseDown: return "down";
            case Event::MouseUp: return "up";
            case Event::Click: return "click";
        }
        return "?";
    }

    // A point in pixels of the box's client area.
    static Point at(int x, int y) { return {1 + x, 1 + y}; }

    std::vector<std::string> take() { return std::exchange(log, {}); }

    NoPictures pictures;
    RecordingSite site;
    forms::Form form;
    std::vector<std::string> log;
};

TEST_F(RoutingTest, LowestIdOnTopTakesTheMouseWhereControlsOverlap) {
    form.pointerMove(at(75, 10));
    form.pointerMove(at(25, 10));
    form.pointerMove(at(120, 10));
    EXPECT_EQ(take(), (std::vector<std::string>{"Top:move", "Under:move", "Top:move"}));
}

TEST_F(RoutingTest, HiddenControlsAndShapesLetTheMouseThrough) {
    form.pointerMove(at(250, 50));
    EXPECT_EQ(take(), (std::vector<std::string>{"Plain:move"}));
    form.control("Hidden").Visible = true;
    form.pointerMove(at(250, 50));
    EXPECT_TRUE(take().empty()) << "a shown image without handlers swallows the move";
}

TEST_F(RoutingTest, BackgroundWhereNoControlAndFormOutsideTheBox) {
    form.pointerMove(at(500, 250));
    form.pointerMove({0, 0});      // the form's own strip left of and above the box
    form.pointerMove({700, 400});  // beyond the box
    EXPECT_EQ(take(), (std::vector<std::string>{"Box:move"}));
    EXPECT_EQ(form.hitTest({0, 0}), nullptr);
    EXPECT_EQ(form.hitTest(at(599, 299)), &form.control("Box"));
    EXPECT_EQ(form.hitTest(at(600, 299)), nullptr) << "the box's right edge is exclusive";
}

TEST_F(RoutingTest, ControlWithoutHandlerSwallowsEvents) {
    form.on(form.control("Top"), Event::MouseMove, {});
    form.pointerMove(at(75, 10));
    EXPECT_TRUE(take().empty()) << "the move must not reach Under or the box";
}

TEST_F(RoutingTest, CaptureSendsMovesAndUpToTheControlThatGotTheDown) {
    form.pointerDown(at(25, 10), Button::Left);
    form.pointerMove(at(500, 250));  // over the background, still captured
    form.pointerUp(at(500, 250), Button::Left);
    form.pointerMove(at(500, 250));  // released: the background again
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

TEST_F(RoutingTest, SecondButtonKeepsTheCaptureUntilTheLastComesUp) {
    form.pointerDown(at(25, 10), Button::Left);
    form.pointerDown(at(75, 10), Button::Middle);  // over Top, but Under holds the capture
    form.pointerUp(at(75, 10), Button::Left);
    form.pointerMove(at(75, 10));
    form.pointerUp(at(75, 10), Button::Middle);
    form.pointerMove(at(75, 10));
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
    form.pointerMove(at(25, 10));
    EXPECT_TRUE(take().empty());
}

}  // namespace
