// A window without a screen: it records what the form invalidates, whether
// it was unloaded and what the form tells readers, takes keys as a keyboard
// would give them, and paints the whole client area into an image in memory,
// through the same cairo painter as the GTK window, at a scale (device pixels
// per layout pixel) as a screen of that density would.
#pragma once

#include <cairo.h>

#include <memory>
#include <string>
#include <vector>

#include "forms/form.h"
#include "platform/cairo/cairo_painter.h"
#include "platform/cairo/device_image.h"

namespace platform::headless {

using Surface = platform::cairo::Surface;

class HeadlessWindow final : public forms::FormSite {
public:
    // A client area of width by height layout pixels, as a maximized window
    // on a screen of that size would have (less its one-pixel border), drawn
    // at scale.
    HeadlessWindow(forms::Form& form, int width, int height, double scale = 1.0);
    ~HeadlessWindow() override;

    void invalidate(const forms::PixelRect& rect) override;
    void unload() override { unloaded_ = true; }

    // A key pressed and released; true when the form took it.
    bool press(forms::Key key, int modifiers = 0) { return form_.keyDown({key, modifiers, false}); }

    // What the form told its readers since the last call, one line each:
    // "focus Label8", "focus none", "name Label3", "show Label13",
    // "hide Label13".
    std::vector<std::string> takeReaderNews();
    void focusChanged(const forms::Control* entry) override;
    void nameChanged(const forms::Control& child) override;
    void visibilityChanged(const forms::Control& child, bool visible) override;
    // Text laid out as the cairo painter lays it out.
    forms::PixelRect textBounds(const std::string& text, const forms::PixelRect& box,
                                const forms::TextStyle& style) const override {
        return platform::cairo::textBounds(text, box, style);
    }

    bool unloaded() const { return unloaded_; }
    // Invalidated rectangles (layout pixels) since the last call, and their
    // total area.
    std::vector<forms::PixelRect> takeDirty();
    long long dirtyArea() const;

    // The whole client area, painted now: an image of its device pixels.
    Surface render() const;
    // The colour of an image's device pixel.
    static forms::Rgb pixel(cairo_surface_t* surface, int x, int y);
    static void savePng(cairo_surface_t* surface, const std::string& path);

    // The window install-menu shows a form in on a screen of width by
    // height device pixels at a scale (GTK's scale factor): the client area
    // inside the frame of one of the screen's layout pixels, in layout
    // pixels at the scale the form's layout fits it at (forms/fit.h).
    struct Fitted {
        int width, height;
        double scale;
    };
    static Fitted fittedTo(const forms::Form& form, int width, int height, double scale);

    int width() const { return width_; }
    int height() const { return height_; }
    double scale() const { return scale_; }

private:
    forms::Form& form_;
    int width_, height_;
    double scale_;
    bool unloaded_ = false;
    std::vector<forms::PixelRect> dirty_;
    std::vector<std::string> news_;
};

}  // namespace platform::headless
