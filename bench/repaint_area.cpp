// How much of the screen a hover repaints: the union of the rectangles a
// movement invalidates, as a share of Picture1's area, for a transition and
// for a second movement over the same control. For a transition it also
// gives the floor any repaint of rectangles has: the pixels that really
// change between the frames before and after, and the union of their
// bounding boxes within each invalidated rectangle, whole or line by line.
// Prints one line per figure:
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

// Pixels that differ between two renders of the same size.
std::vector<forms::Point> changedPixels(cairo_surface_t* before, cairo_surface_t* after, int width, int height) {
    std::vector<forms::Point> changed;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            if (platform::headless::HeadlessWindow::pixel(before, x, y) !=
                platform::headless::HeadlessWindow::pixel(after, x, y))
                changed.push_back({x, y});
    return changed;
}

// The bounding box of the changed pixels inside each rectangle; by bands,
// one box for each run of rows that hold changed pixels, as a repaint line
// by line of a text would give.
std::vector<forms::PixelRect> boundsWithin(const std::vector<forms::PixelRect>& rects,
                                           const std::vector<forms::Point>& changed, bool byBands) {
    std::vector<forms::PixelRect> bounds;
    for (const auto& r : rects) {
        int left = r.right(), top = r.bottom(), right = r.left, bottom = r.top;
        auto close = [&] {
            if (right > left && bottom > top) bounds.push_back({left, top, right - left, bottom - top});
            left = r.right(), top = r.bottom(), right = r.left, bottom = r.top;
        };
        for (int y = r.top; y < r.bottom(); ++y) {
            bool rowChanged = false;
            for (const auto& p : changed) {
                if (p.y != y || p.x < r.left || p.x >= r.right()) continue;
                rowChanged = true;
                left = std::min(left, p.x);
                top = std::min(top, p.y);
                right = std::max(right, p.x + 1);
                bottom = std::max(bottom, p.y + 1);
            }
            if (byBands && !rowChanged) close();
        }
        close();
    }
    return bounds;
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
    // A transition: what it invalidates, and the floor of what it must.
    auto transition = [&](const char* name, forms::Point p) {
        auto before = window.render();
        window.takeDirty();
        form.pointerMove(p);
        const std::vector<forms::PixelRect> dirty = window.takeDirty();
        auto after = window.render();
        const auto changed = changedPixels(before.get(), after.get(), window.width(), window.height());
        std::printf("%s %.4f\n", name, unionArea(dirty) / picture);
        std::printf("%s-changed-pixels %.4f\n", name, static_cast<double>(changed.size()) / picture);
        std::printf("%s-changed-bounds %.4f\n", name, unionArea(boundsWithin(dirty, changed, false)) / picture);
        std::printf("%s-changed-lines %.4f\n", name, unionArea(boundsWithin(dirty, changed, true)) / picture);
    };
    measure(background);
    transition("background-to-entry", onEntry);
    std::printf("entry-repeat %.4f\n", measure(onEntry));
    transition("entry-to-background", background);
    std::printf("background-repeat %.4f\n", measure(background));
    return 0;
}
