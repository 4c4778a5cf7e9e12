#include "forms/colour.h"

#include <array>

#include "forms/runtime_error.h"

namespace forms {

Colour colourFromText(std::string_view text) {
    if (text.size() < 3 || text[0] != '&' || (text[1] != 'H' && text[1] != 'h'))
        throw RuntimeError(errors::kTypeMismatch, "Type mismatch");
    std::string_view digits = text.substr(2);
    while (digits.size() > 1 && digits.front() == '0') digits.remove_prefix(1);
    if (digits.size() > 8) throw RuntimeError(errors::kOverflow, "Overflow");
    Colour value = 0;
    for (char c : digits) {
        int d;
        if (c >= '0' && c <= '9') d = c - '0';
        else if (c >= 'a' && c <= 'f') d = c - 'a' + 10;
        else if (c >= 'A' && c <= 'F') d = c - 'A' + 10;
        else throw RuntimeError(errors::kTypeMismatch, "Type mismatch");
        value = (value << 4) | static_cast<Colour>(d);
    }
    return value;
}

Rgb defaultSystemColour(int index) {
    // The Windows standard scheme, indexed by COLOR_* number.
    static constexpr std::array<Rgb, 31> kTable = {{
        {200, 200, 200},  // 0 scroll bar
        {0, 0, 0},        // 1 desktop
        {153, 180, 209},  // 2 active caption
        {191, 205, 219},  // 3 inactive caption
        {240, 240, 240},  // 4 menu
        {255, 255, 255},  // 5 window background
        {100, 100, 100},  // 6 window frame
        {0, 0, 0},        // 7 menu text
        {0, 0, 0},        // 8 window text
        {0, 0, 0},        // 9 caption text
        {180, 180, 180},  // 10 active border
        {180, 180, 180},  // 11 active border (the sizing frame of an active window)
        {171, 171, 171},  // 12 application workspace
        {0, 120, 215},    // 13 highlight
        {255, 255, 255},  // 14 highlight text
        {240, 240, 240},  // 15 button face
        {160, 160, 160},  // 16 button shadow
        {109, 109, 109},  // 17 grey text
        {0, 0, 0},        // 18 button text
        {0, 0, 0},        // 19 inactive caption text
        {255, 255, 255},  // 20 button highlight
        {105, 105, 105},  // 21 3D dark shadow
        {227, 227, 227},  // 22 3D light
        {0, 0, 0},        // 23 tooltip text
        {255, 255, 225},  // 24 tooltip background
        {0, 0, 0},        // 25 unused
        {0, 102, 204},    // 26 hot-tracking
        {185, 209, 234},  // 27 gradient active caption
        {215, 228, 242},  // 28 gradient inactive caption
        {0, 120, 215},    // 29 menu highlight
        {240, 240, 240},  // 30 menu bar
    }};
    if (index < 0 || index >= static_cast<int>(kTable.size())) return {0, 0, 0};
    return kTable[static_cast<std::size_t>(index)];
}

Rgb resolveWithDefaults(Colour c) {
    return isSystemColour(c) ? defaultSystemColour(systemColourIndex(c)) : rgbOf(c);
}

}  // namespace forms
