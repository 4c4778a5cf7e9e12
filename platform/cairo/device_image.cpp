#include "platform/cairo/device_image.h"

#include <algorithm>
#include <functional>
#include <new>

#include "platform/cairo/cairo_painter.h"

namespace platform::cairo {

Surface deviceImage(cairo_format_t format, const forms::PixelRect& layout, double scale, cairo_surface_t* like) {
    forms::PixelRect device = forms::toDevice(layout, scale);
    const int oddLeft = device.left & 1, oddTop = device.top & 1;
    device = {device.left - oddLeft, device.top - oddTop, device.width + oddLeft, device.height + oddTop};
    Surface image(like ? cairo_surface_create_similar_image(like, format, device.width, device.height)
                       : cairo_image_surface_create(format, device.width, device.height));
    if (cairo_surface_status(image.get()) != CAIRO_STATUS_SUCCESS) throw std::bad_alloc();
    cairo_surface_set_device_scale(image.get(), scale, scale);
    cairo_surface_set_device_offset(image.get(), -device.left, -device.top);
    return image;
}

Surface paintForm(const forms::Form& form, const forms::PixelRect& layout, double scale, cairo_surface_t* like) {
    Surface image = deviceImage(CAIRO_FORMAT_RGB24, layout, scale, like);
    cairo_t* cr = cairo_create(image.get());
    {
        CairoPainter painter(cr, scale);
        form.paint(painter, layout);
    }
    cairo_destroy(cr);
    cairo_surface_flush(image.get());
    return image;
}

void repaintForm(cairo_t* target, const forms::Form& form, const forms::PixelRect& layout, double scale,
                 const std::function<void()>& bandCopied) {
    constexpr int kBandRows = 128;  // layout pixels
    for (int top = layout.top; top < layout.bottom(); top += kBandRows) {
        const forms::PixelRect band{layout.left, top, layout.width, std::min(kBandRows, layout.bottom() - top)};
        {
            Surface part = paintForm(form, band, scale, cairo_get_target(target));
            const forms::PixelRect d = forms::toDevice(band, scale);
            cairo_save(target);
            cairo_rectangle(target, d.left / scale, d.top / scale, d.width / scale, d.height / scale);
            cairo_clip(target);
            cairo_set_source_surface(target, part.get(), 0, 0);
            cairo_paint(target);
            cairo_restore(target);
        }  // the band's image is given back before the next one is made
        if (bandCopied) bandCopied();
    }
}

}  // namespace platform::cairo
