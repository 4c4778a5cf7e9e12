// Pictures for the GDI painter, built from their embedded file images with
// the system's own picture loader. A picture that is a mouse icon also hands
// out the cursor made from it.
#pragma once

#include <windows.h>

#include "forms/geometry.h"
#include "forms/picture.h"

namespace platform::win32 {

class Win32Picture : public forms::Picture {
public:
    // Draws the picture at its natural size from box's top-left corner, or
    // stretched to fill box; transparent parts leave what lies below.
    virtual void render(HDC dc, const forms::PixelRect& box, bool stretch) const = 0;
    // The pointer made from this picture, owned by the picture; null when it
    // cannot be one.
    virtual HCURSOR cursor() const { return nullptr; }
};

class Win32PictureLoader final : public forms::PictureLoader {
public:
    std::unique_ptr<forms::Picture> load(forms::FileImage fileImage) override;
};

// The cursor for a control's MouseIcon; null (show the arrow) when the
// picture gives none.
HCURSOR cursorFromPicture(const forms::Picture& picture);

}  // namespace platform::win32
