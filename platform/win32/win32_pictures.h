// Pictures for the GDI painter, built from their embedded file images with
// the system's own picture loader. A picture that is a mouse icon also hands
// out the pointer made from it, at the size the window's DPI asks for.
#pragma once

#include <windows.h>

#include "forms/geometry.h"
#include "forms/picture.h"

namespace platform::win32 {

class Win32Picture : public forms::Picture {
public:
    // Draws the picture to fill rect (device pixels of dc); transparent
    // parts leave what lies below. A metafile is played into rect. A bitmap
    // or an icon of another size than rect is stretched as the system's
    // picture object does, or, when smooth, resampled with a smoothing
    // filter (once for each size, then kept).
    virtual void render(HDC dc, const RECT& rect, bool smooth) const = 0;
    // The pointer made from this picture, size by size pixels with its hot
    // spot in the centre, owned by the picture; null when it cannot be one.
    virtual HCURSOR cursor(int size) const {
        (void)size;
        return nullptr;
    }
};

class Win32PictureLoader final : public forms::PictureLoader {
public:
    std::unique_ptr<forms::Picture> load(forms::FileImage fileImage) override;
};

// The pointer for a control's MouseIcon at size by size pixels; null (show
// the arrow) when the picture gives none.
HCURSOR cursorFromPicture(const forms::Picture& picture, int size);

}  // namespace platform::win32
