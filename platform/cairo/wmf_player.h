// A player for the placeable Windows metafiles the menu embeds, onto cairo:
// it draws what wmf_reader.h has read and checked.
#pragma once

#include <cairo.h>

#include "platform/cairo/wmf_reader.h"

namespace platform::cairo {

// Draws the metafile's logical window into box (pixels), stretched to fill it.
void playMetafile(cairo_t* cr, const Metafile& metafile, const forms::PixelRect& box);

}  // namespace platform::cairo
