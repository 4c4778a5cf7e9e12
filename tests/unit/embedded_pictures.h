// The six pictures the program embeds, by their file names in
// screen/pictures/, for tests that go through all of them.
#pragma once

#include <array>

#include "screen/pictures.h"

struct EmbeddedPicture {
    const char* file;
    forms::FileImage bytes;
};

inline std::array<EmbeddedPicture, 6> embeddedPictures() {
    return {{{"background.bmp", screen::pictures::background()},
             {"disc.ico", screen::pictures::disc()},
             {"hand.ico", screen::pictures::hand()},
             {"hand-cursor.ico", screen::pictures::handCursor()},
             {"logo.wmf", screen::pictures::logo()},
             {"window.ico", screen::pictures::windowIcon()}}};
}
