// Writes pictures of the menu without a screen: the start screen, the
// screen after the pointer has moved over each part of it, and after the
// first Tab, one PNG each.
//
//   install-menu-preview [OUTPUT-DIR] [WIDTHxHEIGHT] [SCALE]
//
// WIDTHxHEIGHT is the screen in device pixels (1024x768 unless given), SCALE
// its device pixels per layout pixel (1 unless given; 2 is what GTK calls a
// scale factor of 2): the menu is laid out on the screen's size divided by
// the scale and drawn at its device pixels, as install-menu on that screen,
// at a smaller scale where its layout would not fit the screen at SCALE.
// Each picture is the window's client area, the screen less the one-layout-
// pixel frame.
#include <cmath>
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

// The largest scale taken: beyond it the pictures grow past any screen.
constexpr double kMaxScale = 8;

int main(int argc, char** argv) {
    if (argc > 4) {
        std::fprintf(stderr, "usage: install-menu-preview [OUTPUT-DIR] [WIDTHxHEIGHT] [SCALE]\n");
        return 2;
    }
    std::string dir = argc > 1 ? argv[1] : ".";
    int width = 1024, height = 768;
    char extra;
    if (argc > 2 && (std::sscanf(argv[2], "%dx%d%c", &width, &height, &extra) != 2 || width < 1 || height < 1 ||
                     width > 16384 || height > 16384)) {
        std::fprintf(stderr, "install-menu-preview: size must be WIDTHxHEIGHT, each 1 to 16384, not %s\n", argv[2]);
        return 2;
    }
    double scale = 1;
    if (argc > 3 && (std::sscanf(argv[3], "%lf%c", &scale, &extra) != 1 || !std::isfinite(scale) || scale < 1 ||
                     scale > kMaxScale)) {
        std::fprintf(stderr, "install-menu-preview: scale must be a number from 1 to %g, not %s\n", kMaxScale,
                     argv[3]);
        return 2;
    }
    // The screen in layout pixels, and the client area inside the frame.
    const int clientWidth = static_cast<int>(width / scale) - 2;
    const int clientHeight = static_cast<int>(height / scale) - 2;
    if (clientWidth < 1 || clientHeight < 1) {
        std::fprintf(stderr, "install-menu-preview: a %dx%d screen at scale %g leaves no room inside the frame\n",
                     width, height, scale);
        return 2;
    }
    try {
        platform::headless::FakeShell shell;
        platform::cairo::CairoPictureLoader loader;
        // Each state on a menu of its own, fresh from the load step: the
        // pointer comes from the background onto the control, as a user's would.
        for (const State& s : kStates) {
            Form1 form(shell, loader);
            form.Form_Load();
            // Drawn at the scale, or less where the layout would not fit the screen.
            const auto fitted = platform::headless::HeadlessWindow::fittedTo(form, width, height, scale);
            platform::headless::HeadlessWindow window(form, fitted.width, fitted.height, fitted.scale);
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
