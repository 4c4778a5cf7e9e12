#include "platform/cairo/cairo_pictures.h"

#include "forms/runtime_error.h"

namespace platform::cairo {

std::unique_ptr<forms::Picture> CairoPictureLoader::load(forms::FileImage) {
    throw forms::RuntimeError(481, "Invalid picture");
}

}  // namespace platform::cairo
