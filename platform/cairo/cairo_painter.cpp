#include "platform/cairo/cairo_painter.h"

#include <pango/pangocairo.h>

#include <algorithm>
#include <cmath>
#include <memory>

#include "forms/mnemonic.h"
#include "platform/cairo/device_image.h"
#include "platform/cairo/font_faces.h"

namespace platform::cairo {

namespace {

constexpr double kDotsPerInch = 96.0;

void setSource(cairo_t* cr, forms::Colour colour) {
    forms::Rgb c = forms::resolveWithDefaults(colour);
    cairo_set_source_rgb(cr, c.r / 255.0, c.g / 255.0, c.b / 255.0);
}

struct LayoutDeleter {
    void operator()(PangoLayout* l) const { g_object_unref(l); }
};
struct FontDeleter {
    void operator()(PangoFontDescription* d) const { pango_font_description_free(d); }
};
struct AttrListDeleter {
    void operator()(PangoAttrList* a) const { pango_attr_list_unref(a); }
};

PangoAlignment pangoAlignment(forms::Alignment a) {
    switch (a) {
        case forms::Alignment::Center: return PANGO_ALIGN_CENTER;
        case forms::Alignment::Right: return PANGO_ALIGN_RIGHT;
        case forms::Alignment::Left: break;
    }
    return PANGO_ALIGN_LEFT;
}

void insert(PangoAttrList* list, PangoAttribute* attr, std::size_t start, std::size_t end) {
    attr->start_index = static_cast<guint>(start);
    attr->end_index = static_cast<guint>(end);
    pango_attr_list_insert(list, attr);
}

std::size_t utf8Length(const std::string& s, std::size_t at) {
    std::size_t n = 1;
    while (at + n < s.size() && (static_cast<unsigned char>(s[at + n]) & 0xC0) == 0x80) ++n;
    return n;
}

using LayoutPtr = std::unique_ptr<PangoLayout, LayoutDeleter>;

// The text's lines as pango breaks them in a box of that width, at 96 dots
// per inch in the face that stands in for the font's.
LayoutPtr textLayout(cairo_t* cr, const std::string& shown, int width, const forms::TextStyle& style) {
    LayoutPtr layout(pango_cairo_create_layout(cr));
    pango_cairo_context_set_resolution(pango_layout_get_context(layout.get()), kDotsPerInch);
    pango_layout_context_changed(layout.get());

    std::unique_ptr<PangoFontDescription, FontDeleter> font(pango_font_description_new());
    pango_font_description_set_family(font.get(), linuxFamily(style.font->name));
    pango_font_description_set_size(font.get(), static_cast<gint>(std::lround(style.font->size * PANGO_SCALE)));
    pango_font_description_set_weight(font.get(), static_cast<PangoWeight>(style.font->weight));
    pango_font_description_set_style(font.get(), style.font->italic ? PANGO_STYLE_ITALIC : PANGO_STYLE_NORMAL);
    pango_layout_set_font_description(layout.get(), font.get());

    pango_layout_set_width(layout.get(), width * PANGO_SCALE);
    pango_layout_set_wrap(layout.get(), PANGO_WRAP_WORD);
    pango_layout_set_alignment(layout.get(), pangoAlignment(style.alignment));
    pango_layout_set_text(layout.get(), shown.data(), static_cast<int>(shown.size()));
    return layout;
}

}  // namespace

forms::PixelRect textBounds(const std::string& text, const forms::PixelRect& box, const forms::TextStyle& style) {
    if (text.empty() || box.empty() || !style.font) return {box.left, box.top, 0, 0};
    // Measured on an image, as the back ends paint: its font options are
    // those the lines are broken with on the screen.
    Surface image(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, 1, 1));
    cairo_t* cr = cairo_create(image.get());
    const LayoutPtr layout = textLayout(cr, forms::accessKeyText(text, style.useMnemonic).text, box.width, style);
    PangoRectangle logical;
    pango_layout_get_pixel_extents(layout.get(), nullptr, &logical);
    cairo_destroy(cr);
    return forms::PixelRect{box.left + logical.x, box.top + logical.y, logical.width, logical.height}.intersect(box);
}

cairo_surface_t* CairoPicture::atDeviceResolution(const forms::PixelRect& box, bool stretch, double scale) const {
    if (drawn_.image && drawn_.box == box && drawn_.stretch == stretch && drawn_.scale == scale)
        return drawn_.image.get();
    Surface image = deviceImage(CAIRO_FORMAT_ARGB32, box, scale);
    cairo_t* cr = cairo_create(image.get());
    render(cr, box, stretch);
    cairo_destroy(cr);
    cairo_surface_flush(image.get());
    drawn_ = {box, stretch, scale, std::move(image)};
    return drawn_.image.get();
}

CairoPainter::CairoPainter(cairo_t* cr, double scale) : cr_(cr), scale_(scale) { cairo_save(cr_); }

CairoPainter::~CairoPainter() { cairo_restore(cr_); }

void CairoPainter::devicePath(const forms::PixelRect& r) {
    const forms::PixelRect d = forms::toDevice(r, scale_);
    cairo_rectangle(cr_, d.left / scale_, d.top / scale_, d.width / scale_, d.height / scale_);
}

void CairoPainter::setClip(const forms::PixelRect& r) {
    cairo_restore(cr_);
    cairo_save(cr_);
    devicePath(r);
    cairo_clip(cr_);
}

void CairoPainter::fillRect(const forms::PixelRect& r, forms::Colour colour) {
    setSource(cr_, colour);
    devicePath(r);
    cairo_fill(cr_);
}

void CairoPainter::drawPicture(const forms::Picture& picture, const forms::PixelRect& box, bool stretch) {
    const auto& drawable = static_cast<const CairoPicture&>(picture);
    if (box.empty()) return;
    cairo_save(cr_);
    devicePath(box);
    cairo_clip(cr_);
    if (stretch || scale_ != 1) {
        // Scaled once, whole, then copied pixel for pixel. At natural size
        // only what the box shows of the picture is kept.
        forms::PixelRect drawn = stretch ? box : box.intersect({box.left, box.top, picture.width(), picture.height()});
        cairo_set_source_surface(cr_, drawable.atDeviceResolution(drawn, stretch, scale_), 0, 0);
        cairo_paint(cr_);
    } else {
        drawable.render(cr_, box, false);  // one pixel of the picture to one of the screen
    }
    cairo_restore(cr_);
}

void CairoPainter::drawText(const std::string& text, const forms::PixelRect& box, const forms::TextStyle& style) {
    if (text.empty() || box.empty() || !style.font) return;
    forms::DisplayText shown = forms::accessKeyText(text, style.useMnemonic);

    const LayoutPtr layout = textLayout(cr_, shown.text, box.width, style);

    std::unique_ptr<PangoAttrList, AttrListDeleter> attrs(pango_attr_list_new());
    if (style.underline)
        insert(attrs.get(), pango_attr_underline_new(PANGO_UNDERLINE_SINGLE), 0, shown.text.size());
    if (style.font->strikethrough)
        insert(attrs.get(), pango_attr_strikethrough_new(TRUE), 0, shown.text.size());
    for (std::size_t at : shown.underlined)
        insert(attrs.get(), pango_attr_underline_new(PANGO_UNDERLINE_SINGLE), at, at + utf8Length(shown.text, at));
    pango_layout_set_attributes(layout.get(), attrs.get());

    cairo_save(cr_);
    devicePath(box);
    cairo_clip(cr_);
    setSource(cr_, style.colour);
    cairo_move_to(cr_, box.left, box.top);
    pango_cairo_show_layout(cr_, layout.get());
    cairo_restore(cr_);
}

void CairoPainter::drawShape(const forms::ShapeDef& shape, const forms::PixelRect& box) {
    if (box.empty()) return;
    // The outline lies inside the box: its centre line is half a line in.
    const double w = std::max(1, shape.borderWidth);
    const double x = box.left + w / 2, y = box.top + w / 2;
    const double width = std::max(0.0, box.width - w), height = std::max(0.0, box.height - w);
    cairo_save(cr_);
    cairo_new_path(cr_);
    switch (shape.kind) {
        case forms::ShapeKind::Oval:
        case forms::ShapeKind::Circle: {
            double rx = width / 2, ry = height / 2;
            if (shape.kind == forms::ShapeKind::Circle) rx = ry = std::min(rx, ry);
            // The path is made in a scaled space, the line drawn in the real one.
            cairo_save(cr_);
            cairo_translate(cr_, x + width / 2, y + height / 2);
            cairo_scale(cr_, std::max(rx, 0.01), std::max(ry, 0.01));
            cairo_arc(cr_, 0, 0, 1, 0, 2 * M_PI);
            cairo_restore(cr_);
            break;
        }
        default:
            cairo_rectangle(cr_, x, y, width, height);
            break;
    }
    if (shape.fillStyle == forms::FillStyle::Solid) {
        setSource(cr_, shape.fillColor);
        cairo_fill_preserve(cr_);
    }
    setSource(cr_, shape.borderColor);
    cairo_set_line_width(cr_, w);
    cairo_stroke(cr_);
    cairo_restore(cr_);
}

void CairoPainter::drawFocusRect(const forms::PixelRect& box) {
    if (box.empty()) return;
    // Each pixel of the edge once, the corners too; every other one inverted
    // (white with the difference operator is 255 minus the colour below).
    cairo_save(cr_);
    cairo_new_path(cr_);
    auto dot = [&](int x, int y) {
        if ((x + y) & 1) cairo_rectangle(cr_, x, y, 1, 1);
    };
    for (int x = box.left; x < box.right(); ++x) {
        dot(x, box.top);
        if (box.height > 1) dot(x, box.bottom() - 1);
    }
    for (int y = box.top + 1; y < box.bottom() - 1; ++y) {
        dot(box.left, y);
        if (box.width > 1) dot(box.right() - 1, y);
    }
    cairo_set_operator(cr_, CAIRO_OPERATOR_DIFFERENCE);
    cairo_set_source_rgb(cr_, 1, 1, 1);
    cairo_fill(cr_);
    cairo_restore(cr_);
}

}  // namespace platform::cairo
