// The keyboard focus and the accessible tree of the form runtime, on a small
// form made for the purpose: three entries, a text and a picture on a
// background, every handler logged.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "forms/form.h"
#include "tests/unit/recording_site.h"

namespace {

using forms::AccessibleRole;
using forms::Button;
using forms::ControlDef;
using forms::Event;
using forms::Key;
using forms::Kind;
using forms::Point;
using Log = std::vector<std::string>;

const std::uint8_t kPictureBytes[] = {0, 0, 1, 0};

// The box at (15, 15) twips = (1, 1) px, 600 by 300 px; in its pixels: the
// entries A, B, C at y 0, 40, 80 (100 by 30 px), Text at (200, 0), Pic at
// (200, 100), Quiet (not listed for readers) at (400, 0).
const ControlDef kControls[] = {
    {.id = 1, .name = "Box", .kind = Kind::PictureBox, .box = {15, 15, 9000, 4500}},
    {.id = 2, .name = "A", .kind = Kind::Label, .box = {0, 0, 1500, 450}, .caption = "&Alpha"},
    {.id = 3, .name = "B", .kind = Kind::Label, .box = {0, 600, 1500, 450}, .caption = "Beta"},
    {.id = 4, .name = "C", .kind = Kind::Label, .box = {0, 1200, 1500, 450}, .caption = "Gamma"},
    {.id = 5, .name = "Text", .kind = Kind::Label, .box = {3000, 0, 3000, 450}, .caption = "Fish && Chips"},
    {.id = 6, .name = "Plain", .kind = Kind::Label, .box = {3000, 600, 3000, 450}, .caption = "Fish && Chips",
     .useMnemonic = false},
    {.id = 7, .name = "Pic", .kind = Kind::Image, .box = {3000, 1500, 1500, 1500}, .picture = kPictureBytes},
    {.id = 8, .name = "Quiet", .kind = Kind::Label, .box = {6000, 0, 1500, 450}, .caption = "unlisted"},
};

const forms::AccessibleDef kTree[] = {
    {"Text", AccessibleRole::StaticText},
    {"A", AccessibleRole::Link, true},
    {"B", AccessibleRole::Link, true},
    {"C", AccessibleRole::Link, true},
    {"Plain", AccessibleRole::StaticText},
};

class KeyboardTest : public ::testing::Test {
protected:
    KeyboardTest() : form(forms::WindowDef{}, kControls, pictures) {
        form.attach(&site);
        form.setAccessibility("Test Window", kTree);
        logEvents(form, {"Box", "A", "B", "C", "Text", "Plain"}, log);
    }

    bool press(Key k, int modifiers = 0, bool repeat = false) { return form.keyDown({k, modifiers, repeat}); }
    Log take() { return std::exchange(log, {}); }
    Log news() { return std::exchange(site.news, {}); }
    const char* focused() const { return form.focused() ? form.focused()->name() : "none"; }
    Point centre(const char* name) const {
        forms::PixelRect r = form.visibleBox(form.control(name));
        return {r.left + r.width / 2, r.top + r.height / 2};
    }
    static Point background() { return {500, 250}; }

    NoPictures pictures;
    RecordingSite site;
    forms::Form form;
    Log log;
};

TEST_F(KeyboardTest, TheFirstForwardKeyFocusesTheFirstEntryAndTheFirstBackwardKeyTheLast) {
    struct Case {
        Key key;
        int modifiers;
        const char* first;
    };
    for (Case c : {Case{Key::Tab, 0, "A"}, Case{Key::Down, 0, "A"}, Case{Key::Right, 0, "A"},
                   Case{Key::Tab, forms::modifier::kShift, "C"}, Case{Key::Up, 0, "C"}, Case{Key::Left, 0, "C"},
                   Case{Key::Down, forms::modifier::kShift, "A"}}) {
        forms::Form fresh(forms::WindowDef{}, kControls, pictures);
        fresh.setAccessibility("Test Window", kTree);
        EXPECT_TRUE(fresh.keyDown({c.key, c.modifiers}));
        ASSERT_NE(fresh.focused(), nullptr);
        EXPECT_STREQ(fresh.focused()->name(), c.first) << "key " << static_cast<int>(c.key);
    }
}

TEST_F(KeyboardTest, EachStepIsAMoveOverTheBackgroundThenOverTheEntryRoundAndRound) {
    press(Key::Tab);
    EXPECT_EQ(take(), (Log{"Box:move", "A:move"}));
    press(Key::Down);
    press(Key::Right);
    EXPECT_EQ(take(), (Log{"Box:move", "B:move", "Box:move", "C:move"}));
    press(Key::Tab);
    EXPECT_STREQ(focused(), "A") << "past the last entry comes the first";
    press(Key::Up);
    EXPECT_STREQ(focused(), "C") << "before the first comes the last";
    press(Key::Tab, forms::modifier::kShift);
    press(Key::Left);
    EXPECT_STREQ(focused(), "A");
    EXPECT_EQ(take(), (Log{"Box:move", "A:move", "Box:move", "C:move", "Box:move", "B:move", "Box:move", "A:move"}));
}

TEST_F(KeyboardTest, HiddenEntriesAreSkippedAndAFocusedEntryThatHidesLosesTheFocus) {
    form.control("B").Visible = false;
    press(Key::Tab);
    press(Key::Tab);
    EXPECT_STREQ(focused(), "C");
    news();
    form.control("C").Visible = false;
    EXPECT_STREQ(focused(), "none");
    EXPECT_EQ(news(), (Log{"focus none", "hide C"}));
    form.control("A").Visible = false;
    take();
    EXPECT_TRUE(press(Key::Tab)) << "the key is the menu's even with nothing to focus";
    EXPECT_STREQ(focused(), "none");
    EXPECT_TRUE(take().empty());
}

TEST_F(KeyboardTest, EnterAndSpaceClickTheFocusedEntryOnceAndNothingWithoutFocus) {
    EXPECT_TRUE(press(Key::Enter));
    EXPECT_TRUE(press(Key::Space));
    EXPECT_TRUE(take().empty()) << "no focus, no click";

    press(Key::Tab);
    take();
    press(Key::Enter);
    EXPECT_EQ(take(), (Log{"A:down", "A:up", "A:click"}));
    press(Key::Enter, 0, true);
    press(Key::Space, 0, true);
    EXPECT_TRUE(take().empty()) << "a held key clicks once";
    press(Key::Space);
    EXPECT_EQ(take(), (Log{"A:down", "A:up", "A:click"}));
    press(Key::Tab, 0, true);
    EXPECT_STREQ(focused(), "B") << "a held Tab goes on moving";
    press(Key::Enter, forms::modifier::kShift);
    EXPECT_EQ(take(), (Log{"Box:move", "B:move", "B:down", "B:up", "B:click"}));
}

TEST_F(KeyboardTest, EnterAfterALeftPressIsNoSecondPressOfADoubleClick) {
    form.pointerMove(centre("A"));
    form.pointerDown(centre("A"), Button::Left, forms::Press::timed(1000, {500, 4}));
    form.pointerUp(centre("A"), Button::Left);
    press(Key::Enter);
    form.pointerDown(centre("A"), Button::Left, forms::Press::timed(1100, {500, 4}));
    form.pointerUp(centre("A"), Button::Left);
    EXPECT_EQ(take(), (Log{"Box:move", "A:move", "A:down", "A:up", "A:click", "A:down", "A:up", "A:click", "A:down",
                           "A:up", "A:click"}));
}

TEST_F(KeyboardTest, EscapeMovesOverTheBackgroundAndClearsTheFocus) {
    press(Key::Escape);
    EXPECT_EQ(take(), (Log{"Box:move"})) << "also with no focus";
    press(Key::Tab);
    take();
    news();
    press(Key::Escape);
    EXPECT_EQ(take(), (Log{"Box:move"}));
    EXPECT_STREQ(focused(), "none");
    EXPECT_EQ(news(), (Log{"focus none"}));
    press(Key::Tab);
    EXPECT_STREQ(focused(), "A") << "and the next Tab starts over";
}

TEST_F(KeyboardTest, ThePointerCarriesTheFocusWithoutRunningAnythingMore) {
    form.pointerMove(centre("B"));
    EXPECT_EQ(take(), (Log{"Box:move", "B:move"})) << "in over the background";
    EXPECT_STREQ(focused(), "B");
    EXPECT_EQ(news(), (Log{"focus B"})) << "once, for where the pointer came to";
    press(Key::Tab);
    EXPECT_STREQ(focused(), "C") << "Tab goes on from where the pointer is";

    form.pointerMove(centre("Text"));  // over the background on the way
    EXPECT_STREQ(focused(), "none");
    press(Key::Tab);
    form.pointerMove(centre("Quiet"));  // touches Text: nothing between
    form.pointerLeave();
    EXPECT_STREQ(focused(), "A") << "controls that are no entries leave the focus alone";
    form.pointerMove(background());
    EXPECT_STREQ(focused(), "none") << "the background took every entry out of hover";

    // A move held by a pressed button goes to the pressed entry.
    form.pointerMove(centre("A"));
    form.pointerDown(centre("A"), Button::Left);
    form.pointerMove(background());
    EXPECT_STREQ(focused(), "A");
    form.pointerUp(background(), Button::Left);
}

TEST_F(KeyboardTest, KeysWaitWhileAButtonIsHeldOrAHandlerRuns) {
    form.pointerMove(centre("A"));
    form.pointerDown(centre("A"), Button::Right);
    take();
    EXPECT_TRUE(press(Key::Tab));
    EXPECT_TRUE(press(Key::Enter));
    EXPECT_TRUE(press(Key::Escape));
    EXPECT_FALSE(form.accessibleActionAvailable(form.control("B")));
    EXPECT_FALSE(form.accessibleAction(form.control("B")));
    EXPECT_TRUE(take().empty()) << "the pressed entry waits for its release";
    EXPECT_STREQ(focused(), "A");
    form.pointerUp(centre("A"), Button::Right);
    take();

    // A handler that opens a modal box: what the box's loop delivers meanwhile.
    bool inside = false;
    form.on(form.control("A"), Event::Click, [&] {
        inside = true;
        EXPECT_TRUE(press(Key::Tab));
        EXPECT_TRUE(press(Key::Enter));
        EXPECT_FALSE(form.accessibleAction(form.control("C")));
    });
    press(Key::Enter);
    EXPECT_TRUE(inside);
    EXPECT_EQ(take(), (Log{"A:down", "A:up"}));
    EXPECT_STREQ(focused(), "A");
    press(Key::Tab);
    EXPECT_STREQ(focused(), "B") << "after the handler, keys work again";
}

TEST_F(KeyboardTest, KeysWithCtrlOrAltAndKeysAfterUnloadAreThePlatforms) {
    EXPECT_FALSE(press(Key::Tab, forms::modifier::kControl));
    EXPECT_FALSE(press(Key::Enter, forms::modifier::kAlt));
    EXPECT_FALSE(press(Key::Escape, forms::modifier::kAlt | forms::modifier::kShift));
    EXPECT_STREQ(focused(), "none");
    EXPECT_FALSE(form.focusCuesShown()) << "a key the menu did not take shows no focus";
    form.unload();
    EXPECT_FALSE(press(Key::Tab));
    EXPECT_TRUE(take().empty());
}

TEST_F(KeyboardTest, TheFocusRectangleShowsFromTheFirstKeyAndRepaintsWhereItMoves) {
    form.pointerMove(centre("A"));
    EXPECT_FALSE(form.focusCuesShown());
    EXPECT_TRUE(site.dirty.empty()) << "the pointer alone shows and repaints no focus";
    form.pointerMove(background());
    press(Key::Escape);
    EXPECT_TRUE(form.focusCuesShown());
    EXPECT_TRUE(site.dirty.empty()) << "no entry focused, nothing to draw";

    const forms::PixelRect a = form.focusRect(form.control("A")), b = form.focusRect(form.control("B"));
    EXPECT_EQ(a, (forms::PixelRect{0, 0, 102, 32})) << "one pixel around the box";
    press(Key::Tab);
    EXPECT_EQ(site.dirty, (std::vector<forms::PixelRect>{a}));
    site.dirty.clear();
    form.pointerMove(centre("B"));
    EXPECT_EQ(site.dirty, (std::vector<forms::PixelRect>{a, b})) << "the old place and the new";

    // A focused entry that moves takes its rectangle along.
    site.dirty.clear();
    form.control("B").Left = 150.0;
    const forms::PixelRect moved = form.focusRect(form.control("B"));
    EXPECT_EQ(site.dirty, (std::vector<forms::PixelRect>{form.visibleBox(form.control("B")).offset(-10, 0),
                                                         form.visibleBox(form.control("B")), b, moved}));
}

TEST_F(KeyboardTest, TheTreeIsTheVisibleListedControlsInTheProgramsOrder) {
    EXPECT_EQ(form.accessibleName(), "Test Window");
    auto names = [&] {
        Log out;
        for (const forms::AccessibleNode& n : form.accessibleChildren())
            out.push_back(std::string(n.control->name()) + (n.role == AccessibleRole::Link ? " link" : " text") +
                          (n.entry ? " entry" : ""));
        return out;
    };
    EXPECT_EQ(names(), (Log{"Text text", "A link entry", "B link entry", "C link entry", "Plain text"}));
    form.control("B").Visible = false;
    EXPECT_EQ(names(), (Log{"Text text", "A link entry", "C link entry", "Plain text"}));
    EXPECT_NE(form.accessibleNode(form.control("B")), nullptr) << "listed, only out of the tree while hidden";
    ASSERT_EQ(form.accessibleList().size(), 5u);
    EXPECT_EQ(form.accessibleList()[2].control, &form.control("B")) << "its place in the list stays";
    EXPECT_EQ(form.accessibleNode(form.control("Quiet")), nullptr);
    EXPECT_EQ(form.accessibleNode(form.control("Box")), nullptr);
}

TEST_F(KeyboardTest, NamesAreCaptionsAsDrawnAndBoxesWhatTheControlShows) {
    EXPECT_EQ(form.accessibleName(form.control("A")), "Alpha") << "an access-key mark is not read";
    EXPECT_EQ(form.accessibleName(form.control("Text")), "Fish & Chips");
    EXPECT_EQ(form.accessibleName(form.control("Plain")), "Fish && Chips") << "drawn as it stands";
    form.control("C").Caption = "Delta";
    EXPECT_EQ(form.accessibleName(form.control("C")), "Delta");

    EXPECT_EQ(form.accessibleBox(form.control("B")), (forms::PixelRect{1, 41, 100, 30}));
    // Moved partly out of the box, it shows only what lies inside.
    form.control("B").Left = -750.0;
    EXPECT_EQ(form.accessibleBox(form.control("B")), (forms::PixelRect{1, 41, 50, 30}));
}

TEST_F(KeyboardTest, HitTestFindsChildrenAndOtherwiseTheWindow) {
    EXPECT_EQ(form.accessibleAt(centre("B")), &form.control("B"));
    EXPECT_EQ(form.accessibleAt(centre("Text")), &form.control("Text"));
    EXPECT_EQ(form.accessibleAt(centre("Pic")), nullptr) << "a picture is not in the tree";
    EXPECT_EQ(form.accessibleAt(centre("Quiet")), nullptr);
    EXPECT_EQ(form.accessibleAt(background()), nullptr);
    EXPECT_EQ(form.accessibleAt({0, 0}), nullptr);
    form.control("B").Visible = false;
    EXPECT_EQ(form.accessibleAt(centre("B")), nullptr);
}

TEST_F(KeyboardTest, ObserversHearRealChangesOfListedControlsOnly) {
    form.control("Text").Caption = "Fish && Chips";  // the same text again
    form.control("Quiet").Caption = "changed";
    form.control("Quiet").Visible = false;
    form.control("Pic").Visible = false;
    form.control("A").ForeColor = 0x00FF0000u;
    EXPECT_TRUE(news().empty());

    form.control("Text").Caption = "Soup";
    form.control("Plain").Visible = false;
    form.control("Plain").Caption = "unseen";  // hidden: not in the tree, no name to change
    form.control("Plain").Visible = true;
    EXPECT_EQ(news(), (Log{"name Text", "hide Plain", "show Plain"}));
}

TEST_F(KeyboardTest, TheDefaultActionFocusesTheEntryAsAKeyWouldThenClicksIt) {
    EXPECT_TRUE(form.accessibleAction(form.control("B")));
    EXPECT_EQ(take(), (Log{"Box:move", "B:move", "B:down", "B:up", "B:click"}));
    EXPECT_STREQ(focused(), "B");
    EXPECT_FALSE(form.focusCuesShown()) << "a reader's action is not a key";
    EXPECT_TRUE(form.accessibleAction(form.control("B")));
    EXPECT_EQ(take(), (Log{"B:down", "B:up", "B:click"})) << "focused already: the click alone";

    EXPECT_TRUE(form.accessibleActionAvailable(form.control("A")));
    EXPECT_FALSE(form.accessibleActionAvailable(form.control("Text")));
    EXPECT_FALSE(form.accessibleAction(form.control("Text"))) << "static text has no action";
    EXPECT_FALSE(form.accessibleAction(form.control("Quiet")));
    form.control("C").Visible = false;
    EXPECT_FALSE(form.accessibleAction(form.control("C")));
    EXPECT_TRUE(take().empty());
}

TEST_F(KeyboardTest, AReaderMovesTheFocusAsAKeyWouldWithoutClickingOrShowingIt) {
    EXPECT_TRUE(form.accessibleFocus(form.control("B")));
    EXPECT_EQ(take(), (Log{"Box:move", "B:move"}));
    EXPECT_STREQ(focused(), "B");
    EXPECT_EQ(news(), (Log{"focus B"}));
    EXPECT_FALSE(form.focusCuesShown());
    EXPECT_TRUE(form.accessibleFocus(form.control("B")));
    EXPECT_TRUE(take().empty()) << "focused already: nothing runs again";
    press(Key::Tab);
    EXPECT_STREQ(focused(), "C") << "keys go on from there";

    EXPECT_FALSE(form.accessibleFocus(form.control("Text"))) << "a text takes no focus";
    form.control("A").Visible = false;
    EXPECT_FALSE(form.accessibleFocus(form.control("A")));
    form.pointerDown(centre("C"), Button::Left);
    take();
    EXPECT_FALSE(form.accessibleFocus(form.control("B"))) << "the pressed entry waits for its release";
    form.pointerUp(centre("C"), Button::Left);
    form.unload();
    take();
    EXPECT_FALSE(form.accessibleFocus(form.control("B")));
    EXPECT_TRUE(take().empty());
    EXPECT_STREQ(focused(), "none");
}

TEST_F(KeyboardTest, ThePlatformCanShowTheFocusBeforeAnyKey) {
    form.showFocusCues();
    EXPECT_TRUE(form.focusCuesShown());
    EXPECT_TRUE(site.dirty.empty()) << "no entry focused yet";
    EXPECT_TRUE(take().empty()) << "no handler runs for it";
    form.pointerMove(centre("A"));
    EXPECT_EQ(site.dirty.back(), form.focusRect(form.control("A"))) << "the pointer's entry shows its focus now";
    site.dirty.clear();
    form.showFocusCues();
    EXPECT_TRUE(site.dirty.empty()) << "shown already";
}

}  // namespace
