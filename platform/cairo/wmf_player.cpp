#include "platform/cairo/wmf_player.h"

namespace platform::cairo {

void playMetafile(cairo_t* cr, const Metafile& m, const forms::PixelRect& box) {
    if (box.empty()) return;
    cairo_save(cr);
    cairo_translate(cr, box.left, box.top);
    cairo_scale(cr, static_cast<double>(box.width) / m.windowWidth, static_cast<double>(box.height) / m.windowHeight);
    for (const MetafileFill& fill : m.fills) {
        cairo_new_path(cr);
        for (const auto& polygon : fill.polygons) {
            if (polygon.empty()) continue;
            cairo_move_to(cr, polygon.front().x, polygon.front().y);
            for (const MetafilePoint& pt : polygon) cairo_line_to(cr, pt.x, pt.y);
            cairo_close_path(cr);
        }
        cairo_set_fill_rule(cr, fill.alternate ? CAIRO_FILL_RULE_EVEN_ODD : CAIRO_FILL_RULE_WINDING);
        cairo_set_source_rgb(cr, (fill.colour & 0xFF) / 255.0, (fill.colour >> 8 & 0xFF) / 255.0,
                             (fill.colour >> 16 & 0xFF) / 255.0);
        cairo_fill(cr);
    }
    cairo_restore(cr);
}

}  // namespace platform::cairo
