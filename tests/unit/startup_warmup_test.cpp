// The start-up warm-up of the Linux program: what its thread hands over must
// be what the main thread would have made itself.
#include <gtest/gtest.h>
#include <pango/pangocairo.h>

#include <thread>
#include <vector>

#include "forms/runtime_error.h"
#include "platform/cairo/cairo_pictures.h"
#include "platform/cairo/startup_warmup.h"
#include "screen/form1_definition.h"

namespace {

using platform::cairo::StartupWarmup;

std::vector<forms::FileImage> imagesOf(std::span<const forms::ControlDef> controls) {
    std::vector<forms::FileImage> images;
    for (const forms::ControlDef& def : controls)
        for (forms::FileImage image : {def.picture, def.mouseIcon})
            if (!image.empty()) images.push_back(image);
    return images;
}

// Runs f on a thread of its own: each test starts with no default font map.
template <class F>
void onFreshThread(F f) {
    std::thread t(f);
    t.join();
}

TEST(StartupWarmup, HandsOutEachPictureOfTheFormOnceThenDecodesAgain) {
    onFreshThread([] {
        const auto controls = screen::form1Controls();
        const auto images = imagesOf(controls);
        ASSERT_FALSE(images.empty());
        StartupWarmup warmup(controls);
        warmup.adopt();
        platform::cairo::CairoPictureLoader direct;
        // The form loads every control's pictures, each its own copy, in turn;
        // then the same images once more, as a later load would.
        for (int round = 0; round < 2; ++round) {
            std::vector<std::unique_ptr<forms::Picture>> kept;
            for (forms::FileImage image : images) {
                auto picture = warmup.loader().load(image);
                ASSERT_NE(picture, nullptr);
                auto expected = direct.load(image);
                EXPECT_EQ(picture->width(), expected->width());
                EXPECT_EQ(picture->height(), expected->height());
                for (const auto& other : kept) EXPECT_NE(other.get(), picture.get()) << "one copy per load";
                kept.push_back(std::move(picture));
            }
        }
    });
}

TEST(StartupWarmup, APictureThatCannotBeDecodedFailsWhereTheFormLoadsIt) {
    onFreshThread([] {
        static const std::uint8_t broken[] = {'B', 'M', 1, 2, 3, 4, 5, 6};
        std::vector<forms::ControlDef> controls(screen::form1Controls().begin(), screen::form1Controls().end());
        controls[1].picture = forms::FileImage(broken, sizeof broken);
        StartupWarmup warmup(controls);
        warmup.adopt();
        try {
            warmup.loader().load(controls[1].picture);
            FAIL() << "a broken bitmap loaded";
        } catch (const forms::RuntimeError& e) {
            EXPECT_EQ(e.number(), 481);
        }
        // The good pictures are still there.
        EXPECT_NE(warmup.loader().load(controls[0].picture), nullptr);
    });
}

TEST(StartupWarmup, EndsCleanlyWhenNothingIsAdopted) {
    onFreshThread([] {
        // As when GTK cannot open the display: the thread is waited for and
        // its map and pictures freed (the sanitizer ring reports a leak).
        { StartupWarmup warmup(screen::form1Controls()); }
        // This thread's default map is its own, made now, not the warm-up's.
        PangoFontMap* first = pango_cairo_font_map_get_default();
        EXPECT_EQ(pango_cairo_font_map_get_default(), first);
    });
}

}  // namespace
