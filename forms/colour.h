// Colours as the form definition stores them: 0x00BBGGRR, or, with the top
// bit set, 0x80000000 + n naming system colour n, which the back end resolves
// when it paints.
#pragma once

#include <cstdint>
#include <string_view>

namespace forms {

using Colour = std::uint32_t;

inline constexpr Colour kSystemColourFlag = 0x80000000u;

inline constexpr bool isSystemColour(Colour c) { return (c & kSystemColourFlag) != 0; }
inline constexpr int systemColourIndex(Colour c) { return static_cast<int>(c & 0xFFu); }
inline constexpr Colour systemColour(int n) { return kSystemColourFlag + static_cast<Colour>(n); }

struct Rgb {
    std::uint8_t r = 0, g = 0, b = 0;
    friend bool operator==(const Rgb&, const Rgb&) = default;
};

inline constexpr Rgb rgbOf(Colour bgr) {
    return {static_cast<std::uint8_t>(bgr & 0xFF), static_cast<std::uint8_t>((bgr >> 8) & 0xFF),
            static_cast<std::uint8_t>((bgr >> 16) & 0xFF)};
}

// Converts a colour written as "&H" hexadecimal text ("&H00ffff00",
// "&H8000000E") to its 32-bit value. Raises a run-time error (type mismatch)
// for any other text, and overflow for more than eight digits.
Colour colourFromText(std::string_view text);

// The standard Windows colours of the system colours a form may name, for
// back ends that have no system palette of their own.
Rgb defaultSystemColour(int index);

// A plain colour as it is, a system colour through defaultSystemColour.
Rgb resolveWithDefaults(Colour c);

}  // namespace forms
