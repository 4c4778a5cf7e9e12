#include "platform/cairo/cairo_pictures.h"

#include <gdk-pixbuf/gdk-pixbuf.h>

#include <cmath>
#include <cstring>
#include <string>
#include <vector>

#include "forms/little_endian.h"
#include "forms/runtime_error.h"
#include "platform/cairo/cairo_painter.h"
#include "platform/cairo/device_image.h"
#include "platform/cairo/wmf_player.h"

namespace platform::cairo {

namespace {

[[noreturn]] void invalid(const std::string& why) {
    throw forms::RuntimeError(forms::errors::kInvalidPicture, "Invalid picture: " + why);
}

using forms::little_endian::u16;
using forms::little_endian::u32;

// A decoded bitmap or icon, drawn at natural size or scaled to fill its box.
class RasterPicture final : public CairoPicture {
public:
    explicit RasterPicture(Surface surface) : surface_(std::move(surface)) {}
    int width() const override { return cairo_image_surface_get_width(surface_.get()); }
    int height() const override { return cairo_image_surface_get_height(surface_.get()); }
    cairo_surface_t* surface() const { return surface_.get(); }

    void render(cairo_t* cr, const forms::PixelRect& box, bool stretch) const override {
        cairo_save(cr);
        cairo_translate(cr, box.left, box.top);
        if (stretch && !box.empty() && (box.width != width() || box.height != height()))
            cairo_scale(cr, static_cast<double>(box.width) / width(), static_cast<double>(box.height) / height());
        cairo_set_source_surface(cr, surface_.get(), 0, 0);
        // GOOD filters a shrunk picture over all its pixels, not just the
        // nearest, and an enlarged one smoothly between them; its edge pixels
        // reach to its edge instead of fading into what lies outside it.
        cairo_pattern_set_filter(cairo_get_source(cr), CAIRO_FILTER_GOOD);
        cairo_pattern_set_extend(cairo_get_source(cr), CAIRO_EXTEND_PAD);
        cairo_rectangle(cr, 0, 0, width(), height());
        cairo_fill(cr);
        cairo_restore(cr);
    }

private:
    Surface surface_;
};

// A placeable metafile: natural size from its bounding box at 96 pixels to
// the inch, always drawn to fill the box it is given.
class MetafilePicture final : public CairoPicture {
public:
    explicit MetafilePicture(Metafile m) : m_(std::move(m)) {}
    int width() const override { return pixels(m_.boundsWidth); }
    int height() const override { return pixels(m_.boundsHeight); }
    void render(cairo_t* cr, const forms::PixelRect& box, bool stretch) const override {
        forms::PixelRect r = stretch ? box : forms::PixelRect{box.left, box.top, width(), height()};
        playMetafile(cr, m_, r);
    }

private:
    int pixels(int units) const { return static_cast<int>(std::lround(units * 96.0 / m_.unitsPerInch)); }
    Metafile m_;
};

struct PixbufLoaderDeleter {
    void operator()(GdkPixbufLoader* l) const { g_object_unref(l); }
};

// Decodes with gdk-pixbuf's loader for `type` and copies the pixels into a
// cairo surface (alpha premultiplied, as cairo keeps it).
Surface decode(forms::FileImage bytes, const char* type) {
    GError* error = nullptr;
    std::unique_ptr<GdkPixbufLoader, PixbufLoaderDeleter> loader(gdk_pixbuf_loader_new_with_type(type, &error));
    auto fail = [&](const char* what) {
        std::string why = error ? error->message : what;
        if (error) g_error_free(error);
        invalid(why);
    };
    if (!loader) fail("no decoder for this format");
    if (!gdk_pixbuf_loader_write(loader.get(), bytes.data(), bytes.size(), &error)) {
        gdk_pixbuf_loader_close(loader.get(), nullptr);
        fail("cannot decode");
    }
    if (!gdk_pixbuf_loader_close(loader.get(), &error)) fail("cannot decode");
    GdkPixbuf* pixbuf = gdk_pixbuf_loader_get_pixbuf(loader.get());
    if (!pixbuf || gdk_pixbuf_get_bits_per_sample(pixbuf) != 8) fail("cannot decode");

    const int w = gdk_pixbuf_get_width(pixbuf), h = gdk_pixbuf_get_height(pixbuf);
    const int channels = gdk_pixbuf_get_n_channels(pixbuf);
    const bool alpha = gdk_pixbuf_get_has_alpha(pixbuf);
    Surface surface(cairo_image_surface_create(alpha ? CAIRO_FORMAT_ARGB32 : CAIRO_FORMAT_RGB24, w, h));
    if (cairo_surface_status(surface.get()) != CAIRO_STATUS_SUCCESS) invalid("the picture is too large");
    cairo_surface_flush(surface.get());
    const guchar* src = gdk_pixbuf_read_pixels(pixbuf);
    const int srcStride = gdk_pixbuf_get_rowstride(pixbuf);
    unsigned char* dst = cairo_image_surface_get_data(surface.get());
    const int dstStride = cairo_image_surface_get_stride(surface.get());
    for (int y = 0; y < h; ++y) {
        const guchar* s = src + static_cast<std::size_t>(y) * srcStride;
        auto* d = reinterpret_cast<std::uint32_t*>(dst + static_cast<std::size_t>(y) * dstStride);
        for (int x = 0; x < w; ++x, s += channels) {
            std::uint32_t a = alpha ? s[3] : 255;
            auto pre = [a](std::uint32_t c) { return (c * a + 127) / 255; };
            d[x] = a << 24 | pre(s[0]) << 16 | pre(s[1]) << 8 | pre(s[2]);
        }
    }
    cairo_surface_mark_dirty(surface.get());
    return surface;
}

// The largest width or height of a picture the loader takes.
constexpr std::int64_t kMaxPictureSide = 4096;

// gdk-pixbuf shows whatever rows it got of a bitmap cut short, as if the
// file were whole: the sizes its headers declare are checked first.
void checkBitmapLength(forms::FileImage bmp) {
    if (bmp.size() < 54) invalid("the bitmap file is cut short");
    const std::uint64_t declared = u32(bmp, 2), offset = u32(bmp, 10);
    const std::int64_t width = static_cast<std::int32_t>(u32(bmp, 18)), height = static_cast<std::int32_t>(u32(bmp, 22));
    const std::uint64_t bits = u16(bmp, 28), compression = u32(bmp, 30);
    if (declared > bmp.size() || offset >= bmp.size()) invalid("the bitmap file is cut short");
    // The decoder allocates what the header declares before it reads a row:
    // sizes no picture of a menu has are refused up front.
    const std::uint64_t headerSize = u32(bmp, 14);
    if (headerSize != 40 && headerSize != 52 && headerSize != 56 && headerSize != 108 && headerSize != 124)
        invalid("the bitmap has an information header of " + std::to_string(headerSize) + " bytes");
    if (14 + headerSize > bmp.size()) invalid("the bitmap file is cut short");
    if (width <= 0 || height == 0 || width > kMaxPictureSide || height > kMaxPictureSide ||
        height < -kMaxPictureSide)
        invalid("the bitmap declares a size of " + std::to_string(width) + " by " + std::to_string(height));
    if (bits != 1 && bits != 4 && bits != 8 && bits != 16 && bits != 24 && bits != 32)
        invalid("the bitmap declares " + std::to_string(bits) + " bits per pixel");
    // The palette is allocated for the colours the header says it uses.
    const std::uint64_t coloursUsed = u32(bmp, 46);
    if (coloursUsed > 256) invalid("the bitmap declares a palette of " + std::to_string(coloursUsed) + " colours");
    if (14 + headerSize + 4 * coloursUsed > bmp.size()) invalid("the bitmap file is cut short");
    if (compression == 0) {
        const std::uint64_t rows = static_cast<std::uint64_t>(height < 0 ? -height : height);
        const std::uint64_t stride = (static_cast<std::uint64_t>(width) * bits + 31) / 32 * 4;
        if (offset + stride * rows > bmp.size()) invalid("the bitmap file is cut short");
    }
}

// An icon file reduced to its 32 by 32 image (or, lacking one, its first),
// which is the one a control shows; the decoder would pick by its own rules.
std::vector<std::uint8_t> iconImage(forms::FileImage ico) {
    const std::size_t count = u16(ico, 4);
    if (count == 0) invalid("the icon file has no images");
    if (ico.size() < 6 + 16 * count) invalid("the icon file is cut short");
    std::size_t chosen = 0;
    for (std::size_t i = 0; i < count; ++i)
        if (ico[6 + 16 * i] == 32 && ico[7 + 16 * i] == 32) {
            chosen = i;
            break;
        }
    const std::size_t entry = 6 + 16 * chosen;
    const std::size_t size = u32(ico, entry + 8), offset = u32(ico, entry + 12);
    if (offset > ico.size() || ico.size() - offset < size) invalid("the icon file is cut short");
    // An icon image is a bitmap header with doubled height, then its rows:
    // a header declaring more than an icon can hold is refused.
    if (size < 40 || u32(ico, offset) < 40) invalid("the icon image has no bitmap header");
    const std::int64_t w = static_cast<std::int32_t>(u32(ico, offset + 4));
    const std::int64_t h = static_cast<std::int32_t>(u32(ico, offset + 8));
    if (w <= 0 || w > 256 || h <= 0 || h > 512)
        invalid("the icon image declares a size of " + std::to_string(w) + " by " + std::to_string(h));
    const std::uint32_t bits = u16(ico, offset + 14), coloursUsed = u32(ico, offset + 32);
    if (bits != 1 && bits != 4 && bits != 8 && bits != 24 && bits != 32)
        invalid("the icon image declares " + std::to_string(bits) + " bits per pixel");
    if (coloursUsed > 256) invalid("the icon image declares " + std::to_string(coloursUsed) + " palette colours");
    std::vector<std::uint8_t> one(ico.begin(), ico.begin() + 6);
    one[4] = 1;
    one[5] = 0;
    one.insert(one.end(), ico.begin() + entry, ico.begin() + entry + 12);
    const std::uint32_t newOffset = 6 + 16;
    for (int k = 0; k < 4; ++k) one.push_back(static_cast<std::uint8_t>(newOffset >> (8 * k)));
    one.insert(one.end(), ico.begin() + offset, ico.begin() + offset + size);
    return one;
}

}  // namespace

std::unique_ptr<forms::Picture> CairoPictureLoader::load(forms::FileImage f) {
    if (f.size() >= 2 && f[0] == 'B' && f[1] == 'M') {
        checkBitmapLength(f);
        return std::make_unique<RasterPicture>(decode(f, "bmp"));
    }
    if (f.size() >= 6 && u16(f, 0) == 0 && u16(f, 2) == 1) {
        std::vector<std::uint8_t> one = iconImage(f);
        return std::make_unique<RasterPicture>(decode(one, "ico"));
    }
    if (f.size() >= 4 && u32(f, 0) == 0x9AC6CDD7) return std::make_unique<MetafilePicture>(parseMetafile(f));
    invalid("not a BMP, ICO or placeable WMF file image");
}

cairo_surface_t* rasterSurface(const forms::Picture& picture) {
    auto* raster = dynamic_cast<const RasterPicture*>(&picture);
    return raster ? raster->surface() : nullptr;
}

}  // namespace platform::cairo
