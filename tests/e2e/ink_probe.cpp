// Prints what the text in a box of a PNG looks like, for the end-to-end
// cases to judge a screenshot as the render tests judge a headless frame:
//
//   ink_probe PNG X Y WIDTH HEIGHT RRGGBB
//   -> lines N width W stem S       (the text's lines, its ink's width in
//                                    pixels, its strokes' median width)
#include <cairo.h>

#include <cstdio>
#include <cstring>

#include "tests/render/ink.h"

int main(int argc, char** argv) {
    forms::PixelRect box;
    unsigned colour = 0;
    if (argc != 7 || std::sscanf(argv[2], "%d", &box.left) != 1 || std::sscanf(argv[3], "%d", &box.top) != 1 ||
        std::sscanf(argv[4], "%d", &box.width) != 1 || std::sscanf(argv[5], "%d", &box.height) != 1 ||
        std::sscanf(argv[6], "%x", &colour) != 1) {
        std::fprintf(stderr, "usage: ink_probe PNG X Y WIDTH HEIGHT RRGGBB\n");
        return 2;
    }
    cairo_surface_t* png = cairo_image_surface_create_from_png(argv[1]);
    if (cairo_surface_status(png) != CAIRO_STATUS_SUCCESS) {
        std::fprintf(stderr, "ink_probe: cannot read %s\n", argv[1]);
        return 2;
    }
    const int w = cairo_image_surface_get_width(png), h = cairo_image_surface_get_height(png);
    if (box.empty() || box.left < 0 || box.top < 0 || box.right() > w || box.bottom() > h) {
        std::fprintf(stderr, "ink_probe: the box lies outside the %dx%d picture\n", w, h);
        return 2;
    }
    const unsigned char* data = cairo_image_surface_get_data(png);
    const int stride = cairo_image_surface_get_stride(png);
    auto pixel = [&](int x, int y) {
        std::uint32_t v;
        std::memcpy(&v, data + static_cast<std::size_t>(y) * stride + 4 * x, 4);
        return forms::Rgb{static_cast<std::uint8_t>(v >> 16), static_cast<std::uint8_t>(v >> 8),
                          static_cast<std::uint8_t>(v)};
    };
    const forms::Rgb text{static_cast<std::uint8_t>(colour >> 16), static_cast<std::uint8_t>(colour >> 8),
                          static_cast<std::uint8_t>(colour)};
    ink::Measure m = ink::measure(pixel, box, text);
    std::printf("lines %d width %d stem %.2f\n", m.lines, m.right - m.left, m.stem);
    cairo_surface_destroy(png);
    return 0;
}
