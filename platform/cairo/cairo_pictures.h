// Pictures for the cairo painter, decoded from their embedded file images.
#pragma once

#include "forms/picture.h"

namespace platform::cairo {

class CairoPictureLoader final : public forms::PictureLoader {
public:
    std::unique_ptr<forms::Picture> load(forms::FileImage fileImage) override;
};

}  // namespace platform::cairo
