// What the first frame needs and the display does not: prepared on a second
// thread while the main thread starts GTK and connects to the X server.
//
// Left to the main thread, fontconfig's set-up, loading, shaping and
// rasterizing the labels' fonts, and decoding the pictures take about as
// long as everything else before the first frame. GTK uses no fonts and no
// pictures of ours while it starts, so the two threads share nothing until
// adopt() hands the work over.
#pragma once

#include <memory>
#include <span>
#include <thread>
#include <vector>

#include "forms/definition.h"
#include "forms/picture.h"
#include "platform/cairo/cairo_pictures.h"

typedef struct _PangoFontMap PangoFontMap;

namespace platform::cairo {

class StartupWarmup {
public:
    // Starts the thread: it draws each label's caption in its font and box
    // off screen at the scale the window is expected to have, with a pango
    // font map of its own (which sets up fontconfig), and decodes every
    // picture of the controls.
    explicit StartupWarmup(std::span<const forms::ControlDef> controls, double scale = 1.0);
    // Waits for the thread.
    ~StartupWarmup();
    StartupWarmup(const StartupWarmup&) = delete;
    StartupWarmup& operator=(const StartupWarmup&) = delete;

    // Waits for the thread, then makes its font map, with the fonts and
    // glyphs it loaded, the calling thread's default pango font map, where
    // the painter's layouts find it.
    void adopt();

    // After adopt(): a loader that hands out the pictures decoded already,
    // each once, for the same file images, and decodes anything else itself.
    // A picture the thread could not decode is decoded again here, and fails
    // here the same way.
    forms::PictureLoader& loader() { return loader_; }

private:
    class PreparedLoader final : public forms::PictureLoader {
    public:
        std::unique_ptr<forms::Picture> load(forms::FileImage fileImage) override;

        struct Prepared {
            forms::FileImage image;
            std::unique_ptr<forms::Picture> picture;
        };
        std::vector<Prepared> prepared;

    private:
        CairoPictureLoader decoder_;
    };

    void join();

    std::thread thread_;
    PangoFontMap* map_ = nullptr;
    PreparedLoader loader_;
};

}  // namespace platform::cairo
