// The cost of the menu's work per mouse event, headless: routing, the
// handlers and invalidation, then the repaint a hover causes and a full
// frame.
#include <benchmark/benchmark.h>

#include <vector>

#include "app/form1.h"
#include "platform/cairo/cairo_painter.h"
#include "platform/cairo/cairo_pictures.h"
#include "platform/headless/fake_shell.h"
#include "platform/headless/headless_window.h"

namespace {

struct Menu {
    platform::headless::FakeShell shell;
    platform::cairo::CairoPictureLoader pictures;
    Form1 form{shell, pictures};
    platform::headless::HeadlessWindow window{form, 1022, 766};
    Menu() { form.Form_Load(); }

    forms::Point centre(const char* name) const {
        forms::PixelRect r = form.visibleBox(form.control(name));
        return {r.left + r.width / 2, r.top + r.height / 2};
    }
};

// Movements that alternate between the background, each entry, the logo and the panel.
std::vector<forms::Point> tour(const Menu& m) {
    return {{6, 470},          m.centre("Label8"), {6, 470}, m.centre("Label10"), m.centre("Label11"),
            m.centre("Label13"), {6, 470},          m.centre("Label12"), m.centre("Image1"), {6, 470}};
}

void PerMouseMove(benchmark::State& state) {
    Menu m;
    std::vector<forms::Point> points = tour(m);
    std::size_t i = 0;
    for (auto _ : state) {
        m.form.pointerMove(points[i]);
        if (++i == points.size()) {
            // What a window does with them each frame: repaint, and pass the
            // readers' news on. Kept, they would grow for the whole run.
            i = 0;
            m.window.takeDirty();
            m.window.takeReaderNews();
        }
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(PerMouseMove)->Iterations(1000000);

void FullFrame(benchmark::State& state) {
    Menu m;
    for (auto _ : state) benchmark::DoNotOptimize(m.window.render());
}
BENCHMARK(FullFrame)->Unit(benchmark::kMillisecond);

// Paints only what a hover from the background onto an entry invalidated.
void HoverRepaint(benchmark::State& state) {
    Menu m;
    platform::headless::Surface surface(cairo_image_surface_create(CAIRO_FORMAT_RGB24, 1022, 766));
    cairo_t* cr = cairo_create(surface.get());
    for (auto _ : state) {
        m.form.pointerMove({6, 470});
        m.window.takeDirty();
        m.form.pointerMove(m.centre("Label8"));
        platform::cairo::CairoPainter painter(cr);
        for (const auto& r : m.window.takeDirty()) m.form.paint(painter, r);
    }
    cairo_destroy(cr);
}
BENCHMARK(HoverRepaint)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
