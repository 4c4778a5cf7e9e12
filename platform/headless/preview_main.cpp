// Writes pictures of the menu without a screen: the start screen, the
// screen after the pointer has moved over each part of it, and after the
// first Tab, one PNG each.
//
//   install-menu-preview [OUTPUT-DIR] [WIDTHxHEIGHT]
#include <cstdio>
#include <exception>
#include <string>

#include "app/form1.h"
#include "platform/cairo/cairo_pictures.h"
#include "platform/headless/fake_shell.h"
#include "platform/headless/headless_window.h"

namespace {

struct State {
    const char* file;
    const char* control;  // the pointer moves to its centre; nullptr for the start screen
    int tabs = 0;         // then Tab is pressed so many times
};

constexpr State kStates[] = {
    {"start.png", nullptr},         {"background.png", "Picture1"}, {"address.png", "Label8"},
    {"index.png", "Label10"},       {"other.png", "Label11"},       {"exit.png", "Label12"},
    {"contact.png", "Image1"},      {"tab.png", nullptr, 1},
};

forms::Point centreOf(const forms::Form& form, const forms::Control& c) {
    forms::PixelRect r = form.visibleBox(c);
    if (c.kind() == forms::Kind::PictureBox) return {r.left + 10, r.top + r.height - 10};
    return {r.left + r.width / 2, r.top + r.height / 2};
}

}  // namespace

int main(int argc, char** argv) {
    std::string dir = argc > 1 ? argv[1] : ".";
    int width = 1024, height = 768;
    if (argc > 2 && std::sscanf(argv[2], "%dx%d", &width, &height) != 2) {
        std::fprintf(stderr, "install-menu-preview: size must be WIDTHxHEIGHT, not %s\n", argv[2]);
        return 2;
    }
    try {
        platform::headless::FakeShell shell;
        platform::cairo::CairoPictureLoader loader;
        // Each state on a menu of its own, fresh from the load step: the
        // pointer comes from the background onto the control, as a user's would.
        for (const State& s : kStates) {
            Form1 form(shell, loader);
            // A maximized window's client area: the screen less the one-pixel border.
            platform::headless::HeadlessWindow window(form, width - 2, height - 2);
            form.Form_Load();
            if (s.control) {
                form.pointerMove(centreOf(form, form.Picture1));
                form.pointerMove(centreOf(form, form.control(s.control)));
            }
            for (int i = 0; i < s.tabs; ++i) window.press(forms::Key::Tab);
            std::string path = dir + "/" + s.file;
            platform::headless::HeadlessWindow::savePng(window.render().get(), path);
            std::printf("%s\n", path.c_str());
        }
    } catch (const std::exception& e) {
        std::fprintf(stderr, "install-menu-preview: %s\n", e.what());
        return 1;
    }
    return 0;
}
