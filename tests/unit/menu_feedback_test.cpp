// The menu labels as links and the reset over the background, walked with
// scripted pointer sequences.
#include "menu/texts.h"
#include "tests/unit/form1_fixture.h"

namespace {

constexpr forms::Colour kDesignGreen = 0x0000FF00;
constexpr forms::Colour kHover = 0x00FFFF00;
constexpr forms::Colour kPressed = 0x8000000E;
constexpr forms::Colour kRest = 0x0080FF80;

struct Entry {
    const char* label;
    const char* marker;
    bool linkPointer;  // hand pointer and underline on hover
};

constexpr Entry kEntries[] = {
    {"Label8", "Image2", true},
    {"Label10", "Image3", true},
    {"Label11", "Image4", false},
    {"Label12", "Image5", true},
};

TEST_F(Form1Test, EveryEntryGoesToHoverOnMovementOverIt) {
    for (const Entry& e : kEntries) {
        SCOPED_TRACE(e.label);
        forms::Control& label = form.control(e.label);
        moveOver(label);
        EXPECT_EQ(label.ForeColor, kHover);
        EXPECT_TRUE(form.control(e.marker).Visible);
        EXPECT_EQ(label.FontUnderline, e.linkPointer);
        EXPECT_EQ(label.MousePointer, e.linkPointer ? forms::pointer::kCustom : forms::pointer::kDefault);
    }
}

TEST_F(Form1Test, DesignGreenUntilTheFirstMoveOverTheBackgroundThenLightGreen) {
    for (const Entry& e : kEntries) EXPECT_EQ(form.control(e.label).ForeColor, kDesignGreen) << e.label;
    moveOver(form.Label8);  // the pointer comes in over the background
    EXPECT_EQ(form.Label8.ForeColor, kHover);
    EXPECT_EQ(form.Label11.ForeColor, kRest);
    moveOver(form.Label10);  // straight from one entry to the next, over the background between them
    EXPECT_EQ(form.Label8.ForeColor, kRest);
    EXPECT_EQ(form.Label10.ForeColor, kHover);

    form.pointerMove(background());
    for (const Entry& e : kEntries) {
        SCOPED_TRACE(e.label);
        EXPECT_EQ(form.control(e.label).ForeColor, kRest);
        EXPECT_FALSE(form.control(e.label).FontUnderline);
        EXPECT_FALSE(form.control(e.marker).Visible);
    }
    // The pointer stays custom after the first hover; it shows only over the label.
    EXPECT_EQ(form.Label8.MousePointer, forms::pointer::kCustom);
}

TEST_F(Form1Test, AnyButtonGivesThePressedLookUntilTheNextMovement) {
    for (forms::Button b : {forms::Button::Left, forms::Button::Right, forms::Button::Middle}) {
        moveOver(form.Label11);
        form.pointerDown(centre(form.Label11), b);
        EXPECT_EQ(form.Label11.ForeColor, kPressed);
        form.pointerUp(centre(form.Label11), b);
        EXPECT_EQ(form.Label11.ForeColor, kPressed) << "button up keeps the pressed colour";
        form.pointerMove(centre(form.Label11));
        EXPECT_EQ(form.Label11.ForeColor, kPressed) << "the pointer standing still";
        form.pointerMove({centre(form.Label11).x + 1, centre(form.Label11).y});
        EXPECT_EQ(form.Label11.ForeColor, kHover);
    }
}

TEST_F(Form1Test, PressedLookKeepsUnderlineAndMarkerAndMovingWhileHeldIsHover) {
    moveOver(form.Label10);
    form.pointerDown(centre(form.Label10), forms::Button::Right);
    EXPECT_EQ(form.Label10.ForeColor, kPressed);
    EXPECT_TRUE(form.Label10.FontUnderline);
    EXPECT_TRUE(form.Image3.Visible);
    // Still held: the move goes to the label that has the capture, even over the background.
    form.pointerMove(background());
    EXPECT_EQ(form.Label10.ForeColor, kHover);
    EXPECT_TRUE(form.Image3.Visible) << "no reset while the label holds the capture";
    form.pointerUp(background(), forms::Button::Right);
    form.pointerMove({background().x + 1, background().y});
    EXPECT_EQ(form.Label10.ForeColor, kRest);
}

TEST_F(Form1Test, ClickingOtherSoftwaresOnlySetsThePressedColour) {
    moveOver(form.Label11);
    shell.calls.clear();
    click(form.Label11);
    EXPECT_EQ(form.Label11.ForeColor, kPressed);
    EXPECT_TRUE(shell.calls.empty()) << "nothing looked up, started or shown";
    EXPECT_FALSE(form.unloaded());
}

// The controls beside an entry have no handlers, but the background lies
// between them and the entry: however quickly the pointer gets there, the
// entry goes to rest on the way.
TEST_F(Form1Test, LeavingAnEntryForTheControlsBesideItPassesOverTheBackground) {
    for (const forms::Control* beside : {&form.Image2, &form.Label13, &form.Label4}) {
        SCOPED_TRACE(beside->name());
        moveOver(form.Label8);
        ASSERT_TRUE(form.Image2.Visible);
        moveOver(*beside);
        EXPECT_EQ(form.Label8.ForeColor, kRest);
        EXPECT_FALSE(form.Label8.FontUnderline);
        EXPECT_FALSE(form.Image2.Visible);
    }
}

TEST_F(Form1Test, PointerIsTheHandOverLinkEntriesOnlyAfterTheirFirstHover) {
    ASSERT_NE(form.Label8.mouseIcon(), nullptr) << "the hand cursor picture is built in";
    form.pointerMove(centre(form.Label8));
    forms::Cursor hand = form.cursor();
    EXPECT_EQ(hand.code, forms::pointer::kCustom);
    EXPECT_EQ(hand.icon, form.Label8.mouseIcon());
    moveOver(form.Label11);
    EXPECT_EQ(form.cursor(), forms::Cursor{}) << "OTHER SOFTWARES keeps the standard pointer";
    form.pointerMove(background());
    EXPECT_EQ(form.cursor(), forms::Cursor{});
    moveOver(form.Label8);
    EXPECT_EQ(form.cursor().code, forms::pointer::kCustom);
}

TEST_F(Form1Test, EveryBackgroundMoveRunsTheWholeResetButRepaintsNothingTheSecondTime) {
    form.pointerMove(background());
    site.dirty.clear();
    for (int i = 0; i < 100; ++i) form.pointerMove({background().x + i % 3, background().y});
    EXPECT_TRUE(site.dirty.empty());
    form.pointerMove({background().x, centre(form.Label8).y});  // the background beside the entry
    for (int i = 0; i < 100; ++i) moveOver(form.Label8);
    long long area = 0;
    for (const auto& r : site.dirty) area += r.area();
    long long picture = form.pixelBox(form.Picture1).area();
    EXPECT_GT(area, 0);
    // The entry, its marker and the two description labels: never the whole box.
    EXPECT_LT(area * 3, picture);
}

}  // namespace
