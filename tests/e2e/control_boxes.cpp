// Prints where each control of the menu lies once the load step has run, so
// that the end-to-end scripts point at and probe the same boxes the form
// uses, without a table of numbers of their own:
//
//   Name left top width height     (pixels of the window's client area)
#include <cstdio>

#include "app/form1.h"
#include "platform/cairo/cairo_pictures.h"
#include "platform/headless/fake_shell.h"

int main() {
    platform::headless::FakeShell shell;
    platform::cairo::CairoPictureLoader pictures;
    Form1 form(shell, pictures);
    form.Form_Load();
    for (const auto& c : form.controls()) {
        forms::PixelRect r = form.visibleBox(*c);
        std::printf("%s %d %d %d %d\n", c->name(), r.left, r.top, r.width, r.height);
    }
    return 0;
}
