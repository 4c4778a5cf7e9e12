// Our own pictures for the menu, each as its complete file image.
#pragma once

#include "file_formats.h"

namespace picgen {

Bytes background();       // BMP, 694 by 477, 24 bits: dark marble
Bytes disc();             // ICO, 32 and 16 pixels, 4 bits: a round bullet
Bytes hand();             // ICO, 32 and 16 pixels, 4 bits: a hand pointing right
Bytes handCursor();       // ICO, 32 and 16 pixels, 8 bits: a hand with the index finger raised
Bytes logo();             // placeable WMF: "TARVELO" in striped letters
Bytes windowIcon();       // ICO, 32 by 32 at 1 and 4 bits and 16 by 16 at 4 bits: a window

// The images of windowIcon(), one by one, as the executable's icon resources hold them.
std::vector<Bytes> windowIconImages();

}  // namespace picgen
