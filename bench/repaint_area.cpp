// How much of the screen a hover repaints: the union of the rectangles a
// movement invalidates, as a share of Picture1's area, for a transition and
// for a second movement over the same control. Prints one line per figure:
//   name share
#include <algorithm>
#include <cstdio>
#include <set>
#include <utility>
#include <vector>

#include "app/form1.h"
#include "platform/cairo/cairo_pictures.h"
#include "platform/headless/fake_shell.h"
#include "platform/headless/headless_window.h"

namespace {

// The number of pixels covered by any of the rectangles.
long long unionArea(const std::vector<forms::PixelRect>& rects) {
    std::set<std::pair<int, int>> pixels;
    for (const auto& r : rects)
        for (int y = r.top; y < r.bottom(); ++y)
            for (int x = r.left; x < r.right(); ++x) pixels.insert({x, y});
    return static_cast<long long>(pixels.size());
}

}  // namespace

int main() {
    platform::headless::FakeShell shell;
    platform::cairo::CairoPictureLoader pictures;
    Form1 form(shell, pictures);
    platform::headless::HeadlessWindow window(form, 1022, 766);
    form.Form_Load();
    const double picture = static_cast<double>(form.pixelBox(form.Picture1).area());
    const forms::Point background{6, 470};
    forms::PixelRect entry = form.visibleBox(form.Label8);
    const forms::Point onEntry{entry.left + entry.width / 2, entry.top + entry.height / 2};

    auto measure = [&](forms::Point p) {
        window.takeDirty();
        form.pointerMove(p);
        return unionArea(window.takeDirty()) / picture;
    };
    measure(background);
    std::printf("background-to-entry %.4f\n", measure(onEntry));
    std::printf("entry-repeat %.4f\n", measure(onEntry));
    std::printf("entry-to-background %.4f\n", measure(background));
    std::printf("background-repeat %.4f\n", measure(background));
    return 0;
}
