// Start-up, the load step, the ways out, and the taskbar.
#include <algorithm>

#include "tests/unit/form1_fixture.h"

namespace {

using Calls = std::vector<std::string>;

TEST_F(Form1Test, LoadStepMovesThePictureBoxOnePixelIntoTheClientArea) {
    EXPECT_EQ(form.Picture1.box(), (forms::TwipsRect{15, 15, 9570, 7190}));
    EXPECT_EQ(form.pixelBox(form.Picture1), (forms::PixelRect{1, 1, 638, 479}));
    // The children moved with it.
    EXPECT_EQ(form.pixelBox(form.Label8), (forms::PixelRect{17, 241, 173, 27}));
}

TEST_F(Form1Test, LoadStepHidesTheMarkersAndTheTaskbarButNotThePanel) {
    for (forms::Control* c : {&form.Image2, &form.Image3, &form.Image4, &form.Image5}) EXPECT_FALSE(c->Visible);
    for (forms::Control* c : {&form.Label13, &form.Label19, &form.Image6, &form.Image8}) EXPECT_TRUE(c->Visible);
    EXPECT_EQ(shell.calls, (Calls{"findTaskbar Shell_TrayWnd", "showWindow 0"}));
    EXPECT_FALSE(shell.taskbarVisible);
}

TEST_F(Form1Test, ExitSetsThePressedColourUnloadsThenShowsTheTaskbar) {
    shell.calls.clear();
    click(form.Label12);
    EXPECT_EQ(form.Label12.ForeColor, 0x8000000Eu);
    EXPECT_TRUE(form.unloaded());
    EXPECT_EQ(shell.calls, (Calls{"unload", "findTaskbar Shell_TrayWnd", "showWindow 1"}));
    EXPECT_TRUE(shell.taskbarVisible);
    // The window is gone: nothing answers any more.
    form.pointerMove(centre(form.Label8));
    EXPECT_FALSE(form.Label8.FontUnderline);
}

TEST_F(Form1Test, OnlyALeftClickOnExitEnds) {
    click(form.Label12, forms::Button::Right);
    EXPECT_FALSE(form.unloaded());
    EXPECT_FALSE(shell.taskbarVisible);
}

TEST_F(Form1Test, TaskbarIsLookedUpAfreshAndItsEarlierStateNotRemembered) {
    // Another program hid the taskbar before the menu started: EXIT shows it anyway.
    shell.taskbarVisible = false;
    click(form.Label12);
    EXPECT_TRUE(shell.taskbarVisible);
    EXPECT_EQ(std::count(shell.calls.begin(), shell.calls.end(), "findTaskbar Shell_TrayWnd"), 2);
}

TEST_F(Form1Test, ClosingTheWindowAnyOtherWayShowsTheTaskbarFirst) {
    shell.calls.clear();
    form.closeRequested();
    EXPECT_EQ(shell.calls, (Calls{"findTaskbar Shell_TrayWnd", "showWindow 1", "unload"}));
    EXPECT_TRUE(shell.taskbarVisible);
}

TEST_F(Form1Test, UntrappedRunTimeErrorShowsTheStandardMessageAndEndsWithTheTaskbarBack) {
    form.on(form.Label6, forms::Event::MouseMove, [this] { form.Label6.Caption = "x"; form.Image1.Caption = "y"; });
    form.pointerMove(centre(form.Label6));
    ASSERT_EQ(shell.messages.size(), 1u);
    EXPECT_EQ(shell.messages[0].prompt, "Run-time error '438':\n\nObject doesn't support this property or method");
    EXPECT_TRUE(shell.taskbarVisible);
    EXPECT_TRUE(form.unloaded());
    EXPECT_EQ(form.Label6.Caption.value(), "x") << "steps before the failing one were made";
}

TEST_F(Form1Test, AnyFailureInAHandlerStillBringsTheTaskbarBack) {
    form.on(form.Label7, forms::Event::MouseMove, [] { throw std::length_error("vector too long"); });
    form.pointerMove(centre(form.Label7));
    EXPECT_TRUE(shell.taskbarVisible);
    EXPECT_TRUE(form.unloaded());
    ASSERT_EQ(shell.messages.size(), 1u);
    EXPECT_EQ(shell.messages[0].prompt, "Run-time error '51':\n\nInternal error");
}

}  // namespace

namespace {

TEST(Form1NoTaskbar, WithoutAPanelLoadAndExitCarryOnSilently) {
    platform::headless::FakeShell shell;
    shell.hasTaskbar = false;
    platform::cairo::CairoPictureLoader pictures;
    Form1 form(shell, pictures);
    form.Form_Load();
    forms::PixelRect exit = form.visibleBox(form.Label12);
    forms::Point p{exit.left + 5, exit.top + 5};
    form.pointerDown(p, forms::Button::Left);
    form.pointerUp(p, forms::Button::Left);
    EXPECT_TRUE(form.unloaded());
    EXPECT_TRUE(shell.messages.empty());
    EXPECT_EQ(shell.calls, (std::vector<std::string>{"findTaskbar Shell_TrayWnd", "showWindow 0",
                                                     "findTaskbar Shell_TrayWnd", "showWindow 1"}));
}

}  // namespace
