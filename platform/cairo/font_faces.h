// The faces the Linux back ends draw the screen's Windows font names with.
//
// The window definition names Windows faces ("Tahoma", "Courier New", "MS
// Sans Serif"); a Debian desktop has none of them. One table, as data, maps
// each to a face from Debian's desktop font packages (tools/setup.sh) whose
// weight and widths keep every caption on the lines its box was sized for,
// followed by a generic family of the same kind, so that a missing package
// still gives a face of the right sort rather than whatever fontconfig likes
// best. Every cairo painter asks pango for fonts through this table only.
#pragma once

#include <span>

namespace platform::cairo {

struct FaceSubstitute {
    const char* windowsFace;  // as the window definition names it
    const char* family;       // a pango family list: the face, then its generic family
};

// The table itself, for tests and for anyone who wants to see the choice.
std::span<const FaceSubstitute> faceSubstitutes();

// The pango family list to draw a font named windowsFace with (matched
// without regard to case, as Windows matches face names). A name the table
// does not know is passed on as it is.
const char* linuxFamily(const char* windowsFace);

}  // namespace platform::cairo
