#include "platform/cairo/font_faces.h"

#include <strings.h>

namespace platform::cairo {

namespace {

// "Tahoma" bold: DejaVu Sans Condensed Bold is as heavy as a bold Tahoma and
// fills the menu entries' boxes as it did (at 12 points "ADDRESS SOFTWARE"
// takes 169 of its 173 pixels); the regular Tahoma and the wide DejaVu Sans
// would wrap or thin the entries. "Courier New": Liberation Mono has its
// metrics, so the panel's texts break where they did. "MS Sans Serif": a
// sans of its widths, Liberation Sans.
constexpr FaceSubstitute kFaces[] = {
    {"Tahoma", "DejaVu Sans Condensed,sans-serif"},
    {"Courier New", "Liberation Mono,monospace"},
    {"MS Sans Serif", "Liberation Sans,sans-serif"},
};

}  // namespace

std::span<const FaceSubstitute> faceSubstitutes() { return kFaces; }

const char* linuxFamily(const char* windowsFace) {
    for (const FaceSubstitute& f : kFaces)
        if (strcasecmp(f.windowsFace, windowsFace) == 0) return f.family;
    return windowsFace;
}

}  // namespace platform::cairo
