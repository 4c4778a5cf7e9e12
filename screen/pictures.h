// The pictures built into the program, as complete file images: what the
// controls of the window definition hold as their Picture and MouseIcon.
//
// The file images in screen/pictures/ (or the maker's), compiled in by the
// build (see cmake/EmbeddedFiles.cmake); the program reads no picture file at
// run time. Each array is declared with its length, so these are constants
// and the window definition that points at them is constant data.
#pragma once

#include "embedded/background.h"
#include "embedded/disc.h"
#include "embedded/hand.h"
#include "embedded/hand_cursor.h"
#include "embedded/logo.h"
#include "embedded/window_icon.h"
#include "forms/definition.h"

namespace screen::pictures {

constexpr forms::FileImage background() { return data::background; }   // BMP, 694 by 477, 24 bits: Picture1
constexpr forms::FileImage disc() { return data::disc; }  // ICO, 32 and 16 pixels, 4 bits: the panel's bullets
constexpr forms::FileImage hand() { return data::hand; }  // ICO, 32 and 16 pixels, 4 bits: the marker images
constexpr forms::FileImage handCursor() { return data::hand_cursor; }  // ICO, 32 and 16 pixels, 8 bits: the link pointer
constexpr forms::FileImage logo() { return data::logo; }  // placeable WMF: the maker's logo
// ICO, 32 by 32 at 1 and 4 bits and 16 by 16 at 4 bits: the window's icon
// where the platform takes it from a picture (on Windows it is the
// executable's icon resource instead).
constexpr forms::FileImage windowIcon() { return data::window_icon; }

}  // namespace screen::pictures
