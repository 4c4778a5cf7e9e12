// Pictures for the cairo painter, built from their embedded file images:
// gdk-pixbuf decodes bitmaps and icons (of an icon file, the 32 by 32
// image), our own player draws placeable metafiles (wmf_player.h).
#pragma once

#include <cairo.h>

#include "forms/picture.h"

namespace platform::cairo {

class CairoPictureLoader final : public forms::PictureLoader {
public:
    // Raises run-time error 481 "Invalid picture: <why>" for a file image it
    // cannot load.
    std::unique_ptr<forms::Picture> load(forms::FileImage fileImage) override;
};

// The pixels of a bitmap or icon picture made by CairoPictureLoader (ARGB32
// with premultiplied alpha for icons, RGB24 for bitmaps), for a host that
// builds a mouse pointer or a window icon from it; nullptr for a metafile.
// The picture keeps ownership.
cairo_surface_t* rasterSurface(const forms::Picture& picture);

}  // namespace platform::cairo
