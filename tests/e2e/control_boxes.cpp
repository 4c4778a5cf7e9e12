// Prints where each control of the menu lies once the load step has run, so
// that the end-to-end scripts point at and probe the same boxes the form
// uses, without a table of numbers of their own:
//
//   Name left top width height     (pixels of the window's client area)
//
// Given a screen, `e2e_control_boxes WIDTHxHEIGHT SCALE`, it first prints
// the scale install-menu draws at there, "scale S", where the layout would
// not fit the screen at SCALE (as the preview tool does).
#include <cstdio>

#include "app/form1.h"
#include "platform/cairo/cairo_pictures.h"
#include "platform/headless/fake_shell.h"
#include "platform/headless/headless_window.h"

int main(int argc, char** argv) {
    platform::headless::FakeShell shell;
    platform::cairo::CairoPictureLoader pictures;
    Form1 form(shell, pictures);
    form.Form_Load();
    int width = 0, height = 0;
    double scale = 1;
    if (argc == 3 && std::sscanf(argv[1], "%dx%d", &width, &height) == 2 && std::sscanf(argv[2], "%lf", &scale) == 1)
        std::printf("scale %.17g\n", platform::headless::HeadlessWindow::fittedTo(form, width, height, scale).scale);
    for (const auto& c : form.controls()) {
        forms::PixelRect r = form.visibleBox(*c);
        std::printf("%s %d %d %d %d\n", c->name(), r.left, r.top, r.width, r.height);
    }
    return 0;
}
