// The pictures built into the program, as complete file images: what the
// controls of the window definition hold as their Picture and MouseIcon.
#pragma once

#include "forms/definition.h"

namespace screen::pictures {

forms::FileImage background();   // BMP, 694 by 477, 24 bits: Picture1
forms::FileImage disc();         // ICO, 32 and 16 pixels, 4 bits: the panel's bullets
forms::FileImage hand();         // ICO, 32 and 16 pixels, 4 bits: the marker images
forms::FileImage handCursor();   // ICO, 32 and 16 pixels, 8 bits: the link pointer
forms::FileImage logo();         // placeable WMF: the maker's logo
// ICO, 32 by 32 at 1 and 4 bits and 16 by 16 at 4 bits: the window's icon
// where the platform takes it from a picture (on Windows it is the
// executable's icon resource instead).
forms::FileImage windowIcon();

}  // namespace screen::pictures
