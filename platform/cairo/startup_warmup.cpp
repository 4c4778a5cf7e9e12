#include "platform/cairo/startup_warmup.h"

#include <pango/pangocairo.h>

#include <algorithm>
#include <system_error>

#include "forms/geometry.h"
#include "platform/cairo/cairo_painter.h"
#include "platform/cairo/device_image.h"

namespace platform::cairo {

namespace {

// Draws each caption in its font and box on an image of the kind the
// window's paint uses, at the same scale, so that the fonts and glyphs pango
// and cairo keep are the ones that paint asks for.
void drawCaptions(const std::vector<forms::ControlDef>& labels, double scale) {
    for (const forms::ControlDef& def : labels) {
        forms::PixelRect box = forms::toPixels(def.box);
        box.left = box.top = 0;
        box.width = std::clamp(box.width, 1, 2048);
        box.height = std::clamp(box.height, 1, 2048);
        Surface image = deviceImage(CAIRO_FORMAT_RGB24, box, scale);
        cairo_t* cr = cairo_create(image.get());
        {
            CairoPainter painter(cr, scale);
            const forms::TextStyle style{&def.font, def.font.underline, def.foreColor, def.alignment,
                                         def.useMnemonic};
            painter.drawText(def.caption, box, style);
        }
        cairo_destroy(cr);
    }
}

bool sameImage(forms::FileImage a, forms::FileImage b) { return a.data() == b.data() && a.size() == b.size(); }

}  // namespace

StartupWarmup::StartupWarmup(std::span<const forms::ControlDef> controls, double scale) {
    std::vector<forms::ControlDef> labels;
    std::vector<forms::FileImage> images;
    for (const forms::ControlDef& def : controls) {
        if (def.kind == forms::Kind::Label && def.caption && *def.caption) labels.push_back(def);
        for (forms::FileImage image : {def.picture, def.mouseIcon})
            if (!image.empty()) images.push_back(image);
    }
    auto work = [this, labels = std::move(labels), images = std::move(images), scale] {
        // A map of this thread's own: pango keeps one default map per thread.
        PangoFontMap* map = pango_cairo_font_map_new();
        pango_cairo_font_map_set_default(PANGO_CAIRO_FONT_MAP(map));
        try {
            drawCaptions(labels, scale);
        } catch (...) {
            // What was not prepared, the first paint does.
        }
        pango_cairo_font_map_set_default(nullptr);
        map_ = map;

        CairoPictureLoader decoder;
        for (forms::FileImage image : images) {
            try {
                loader_.prepared.push_back({image, decoder.load(image)});
            } catch (...) {
                // Left for the main thread, which reports it.
            }
        }
    };
    try {
        thread_ = std::thread(std::move(work));
    } catch (const std::system_error&) {
        // No thread: the first paint and the form do it all, as they would
        // anyway.
    }
}

StartupWarmup::~StartupWarmup() {
    join();
    if (map_) g_object_unref(map_);
}

void StartupWarmup::join() {
    if (thread_.joinable()) thread_.join();
}

void StartupWarmup::adopt() {
    join();
    if (!map_) return;
    pango_cairo_font_map_set_default(PANGO_CAIRO_FONT_MAP(map_));
    g_object_unref(map_);
    map_ = nullptr;
}

std::unique_ptr<forms::Picture> StartupWarmup::PreparedLoader::load(forms::FileImage fileImage) {
    for (Prepared& p : prepared) {
        if (p.picture && sameImage(p.image, fileImage)) return std::move(p.picture);
    }
    return decoder_.load(fileImage);
}

}  // namespace platform::cairo
