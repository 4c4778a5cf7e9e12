// The menu worked with the keyboard: every key leaves it exactly as the
// mouse would, checked against a second menu driven by the pointer alone.
#include <strings.h>

#include <sstream>

#include "tests/unit/form1_fixture.h"

namespace {

using forms::Key;
using forms::modifier::kShift;

// Every property of every control, one line each.
std::vector<std::string> state(const forms::Form& f) {
    std::vector<std::string> lines;
    for (const auto& c : f.controls()) {
        std::ostringstream line;
        line << c->name() << " " << c->Left << "," << c->Top << " " << c->Width << "x" << c->Height
             << " visible=" << c->Visible.value() << " caption=[" << c->Caption.value() << "] colour=" << std::hex
             << c->ForeColor.value() << std::dec << " underline=" << c->FontUnderline.value()
             << " pointer=" << c->MousePointer.value();
        lines.push_back(line.str());
    }
    return lines;
}

class MenuKeyboardTest : public Form1Test {
protected:
    MenuKeyboardTest() : mouse(mouseShell, pictures) {
        mouse.Form_Load();
        for (auto* s : {&shell, &mouseShell}) s->lookup = [](const std::string& path, int) -> std::string {
            return strcasecmp(path.c_str() + path.size() - 8, "\\QUV.EXE") == 0 ? "QUV.exe" : "";
        };
    }

    // On the pointer's menu: from the background just left of the control
    // onto it, passing nothing else.
    void mouseOnto(const forms::Control& c) {
        const forms::PixelRect r = mouse.visibleBox(c);
        mouse.pointerMove({mouse.visibleBox(mouse.Picture1).left + 5, r.top + r.height / 2});
        mouse.pointerMove({r.left + r.width / 2, r.top + r.height / 2});
    }
    void mouseClick(const forms::Control& c) {
        const forms::PixelRect r = mouse.visibleBox(c);
        mouse.pointerDown({r.left + r.width / 2, r.top + r.height / 2}, forms::Button::Left);
        mouse.pointerUp({r.left + r.width / 2, r.top + r.height / 2}, forms::Button::Left);
    }
    std::string focusedName() const { return form.focused() ? form.focused()->name() : "none"; }

    platform::headless::FakeShell mouseShell;
    Form1 mouse;
};

TEST_F(MenuKeyboardTest, EveryKeyStepLeavesTheMenuAsTheMouseComingFromTheBackground) {
    struct Step {
        Key key;
        int modifiers;
        forms::Control& entry;
    };
    const Step steps[] = {
        {Key::Tab, 0, form.Label8},       {Key::Tab, 0, form.Label10},       {Key::Down, 0, form.Label11},
        {Key::Right, 0, form.Label12},    {Key::Tab, 0, form.Label8},        {Key::Tab, kShift, form.Label12},
        {Key::Up, 0, form.Label11},       {Key::Left, 0, form.Label10},      {Key::Left, 0, form.Label8},
        {Key::Left, 0, form.Label12},
    };
    for (const Step& s : steps) {
        SCOPED_TRACE(s.entry.name());
        EXPECT_TRUE(press(s.key, s.modifiers));
        mouseOnto(mouse.control(s.entry.name()));
        EXPECT_EQ(form.focused(), &s.entry);
        EXPECT_EQ(state(form), state(mouse));
    }
}

TEST_F(MenuKeyboardTest, EnterAndSpaceDoWhatAClickDoes) {
    press(Key::Tab);
    press(Key::Enter);  // ADDRESS SOFTWARE: its installer is missing
    mouseOnto(mouse.Label8);
    mouseClick(mouse.Label8);
    press(Key::Tab);
    press(Key::Space);  // INDEX SOFTWARE: found, started
    mouseOnto(mouse.Label10);
    mouseClick(mouse.Label10);
    press(Key::Tab);
    press(Key::Enter);  // OTHER SOFTWARES: the pressed colour only
    mouseOnto(mouse.Label11);
    mouseClick(mouse.Label11);

    EXPECT_EQ(state(form), state(mouse));
    EXPECT_EQ(shell.calls, mouseShell.calls);
    ASSERT_EQ(shell.starts.size(), 1u);
    EXPECT_EQ(shell.starts[0].program, "C:\\Menu\\QUV.exe");
    ASSERT_EQ(shell.messages.size(), 1u);
    EXPECT_EQ(shell.messages[0].prompt,
              "Excutable(MURDELO.exe) File Not Found,\rCant't install ADDRESS-BOOK Software Package");
    EXPECT_EQ(form.Label11.ForeColor, 0x8000000Eu);
    EXPECT_FALSE(form.unloaded());
}

TEST_F(MenuKeyboardTest, EnterOnExitEndsWithTheTaskbarBack) {
    press(Key::Tab, kShift);
    shell.calls.clear();
    press(Key::Enter);
    EXPECT_TRUE(form.unloaded());
    EXPECT_TRUE(shell.taskbarVisible);
    EXPECT_EQ(shell.calls, (std::vector<std::string>{"unload", "findTaskbar Shell_TrayWnd", "showWindow 1"}));
    EXPECT_FALSE(press(Key::Tab)) << "nothing is left to take keys";
}

TEST_F(MenuKeyboardTest, MouseThenKeysGoOnFromTheEntryUnderThePointer) {
    form.pointerMove(background());
    moveOver(form.Label10);
    press(Key::Tab);
    EXPECT_EQ(form.focused(), &form.Label11);
    EXPECT_TRUE(form.Label13.Visible) << "OTHER SOFTWARES opened its panel";
    EXPECT_EQ(form.Label10.ForeColor, 0x0080FF80u) << "INDEX went to rest with the background's step";
    EXPECT_FALSE(form.Image3.Visible);

    // Over a control that is no entry the focus stays where it was.
    moveOver(form.Label4);  // the background on the way took it
    EXPECT_EQ(form.focused(), nullptr);
    press(Key::Tab);
    form.pointerMove({centre(form.Label4).x + 5, centre(form.Label4).y});
    press(Key::Tab);
    EXPECT_EQ(form.focused(), &form.Label10);
    // Over the background it goes, and the next Tab starts from the top.
    form.pointerMove(background());
    press(Key::Tab, kShift);
    EXPECT_EQ(form.focused(), &form.Label12);
}

TEST_F(MenuKeyboardTest, KeysThenMouseTheHoverFollowsThePointer) {
    press(Key::Tab);
    press(Key::Tab);
    EXPECT_EQ(form.focused(), &form.Label10);
    moveOver(form.Label8);
    EXPECT_EQ(form.focused(), &form.Label8);
    EXPECT_EQ(form.Label3.Caption.value(), "Click to Install ADDRESS-BOOK Utility Software");
    EXPECT_EQ(form.Label10.ForeColor, 0x0080FF80u) << "the pointer came in over the background, as with the mouse";
    click(form.Label8);
    ASSERT_EQ(shell.messages.size(), 1u);
    press(Key::Tab);
    EXPECT_EQ(form.focused(), &form.Label10);
    EXPECT_EQ(form.Label8.ForeColor, 0x0080FF80u);
}

TEST_F(MenuKeyboardTest, KeysWhileTheMessageBoxIsOpenDoNotReachTheMenu) {
    std::vector<std::string> during;
    bool taken = true;
    shell.whileBoxOpen = [&](const platform::headless::FakeShell::MessageBox&) {
        const auto before = state(form);
        for (Key k : {Key::Tab, Key::Down, Key::Enter, Key::Space, Key::Escape}) taken &= press(k);
        taken &= !form.accessibleAction(form.Label10);
        EXPECT_EQ(state(form), before);
        EXPECT_EQ(form.focused(), &form.Label8);
    };
    press(Key::Tab);
    press(Key::Enter);  // ADDRESS SOFTWARE: the not-found box
    EXPECT_TRUE(taken) << "taken, so that the platform does not act on them either";
    EXPECT_EQ(shell.messages.size(), 1u);
    EXPECT_TRUE(shell.starts.empty());
    shell.whileBoxOpen = [](const platform::headless::FakeShell::MessageBox&) {};
    press(Key::Tab);
    EXPECT_EQ(form.focused(), &form.Label10) << "the box closed: keys work again";
}

}  // namespace
