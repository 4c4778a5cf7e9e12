#include "platform/win32/win32_pictures.h"

#include "forms/runtime_error.h"

namespace platform::win32 {

// Decoding is not there yet: every file image is refused as the runtime
// refuses one it cannot read.
std::unique_ptr<forms::Picture> Win32PictureLoader::load(forms::FileImage) {
    throw forms::RuntimeError(481, "Invalid picture");
}

HCURSOR cursorFromPicture(const forms::Picture& picture) {
    return static_cast<const Win32Picture&>(picture).cursor();
}

}  // namespace platform::win32
