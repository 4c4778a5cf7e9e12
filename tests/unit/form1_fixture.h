// Form1 on the headless back end, loaded as at start-up, with a recording
// shell and a window that logs its unload into the same call list and keeps
// what the form tells readers.
#pragma once

#include <gtest/gtest.h>

#include "app/form1.h"
#include "platform/cairo/cairo_pictures.h"
#include "platform/headless/fake_shell.h"
#include "tests/unit/recording_site.h"

class LoggingSite : public RecordingSite {
public:
    explicit LoggingSite(platform::headless::FakeShell& shell) : shell_(shell) {}
    void unload() override { shell_.calls.push_back("unload"); }

private:
    platform::headless::FakeShell& shell_;
};

class Form1Test : public ::testing::Test {
protected:
    Form1Test() : form(shell, pictures), site(shell) {
        form.attach(&site);
        form.Form_Load();
    }

    // The centre of a control, in client-area pixels.
    forms::Point centre(const forms::Control& c) const {
        forms::PixelRect r = form.visibleBox(c);
        return {r.left + r.width / 2, r.top + r.height / 2};
    }
    // A point of the background that no control covers.
    forms::Point background() const { return {form.visibleBox(form.Picture1).left + 5, 470}; }

    void moveOver(const forms::Control& c) { form.pointerMove(centre(c)); }
    void click(const forms::Control& c, forms::Button b = forms::Button::Left) {
        form.pointerDown(centre(c), b);
        form.pointerUp(centre(c), b);
    }
    bool press(forms::Key k, int modifiers = 0) { return form.keyDown({k, modifiers, false}); }

    platform::headless::FakeShell shell;
    platform::cairo::CairoPictureLoader pictures;
    Form1 form;
    LoggingSite site;
};
