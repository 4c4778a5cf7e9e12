// Pictures: built by the back end from a control's embedded file image when
// the form is created, and owned by the form for its whole life.
#pragma once

#include <memory>

#include "forms/definition.h"

namespace forms {

class Picture {
public:
    virtual ~Picture() = default;
    // Natural size in pixels (for an icon, its 32 by 32 image).
    virtual int width() const = 0;
    virtual int height() const = 0;
};

class PictureLoader {
public:
    virtual ~PictureLoader() = default;
    // Decodes a BMP, ICO or placeable WMF file image. Raises a run-time error
    // ("Invalid picture") for anything else.
    virtual std::unique_ptr<Picture> load(FileImage fileImage) = 0;
};

}  // namespace forms
