#include "platform/win32/smooth_scale.h"

#include <algorithm>
#include <cmath>

namespace platform::win32 {

namespace {

// Weights in 1/256.
constexpr std::uint32_t kOne = 256;

// Two pixels blended channel by channel, w/256 of the second: two channels at
// a time in the halves of a 32-bit word, each at most 255 x 256 before it is
// rounded back to 8 bits. A blend of equal pixels is that pixel exactly.
std::uint32_t blend(std::uint32_t a, std::uint32_t b, std::uint32_t w) {
    const std::uint32_t v = kOne - w;
    const std::uint32_t redBlue = (((a & 0x00FF00FF) * v + (b & 0x00FF00FF) * w + 0x00800080) >> 8) & 0x00FF00FF;
    const std::uint32_t alphaGreen = (((a >> 8) & 0x00FF00FF) * v + ((b >> 8) & 0x00FF00FF) * w + 0x00800080) & 0xFF00FF00;
    return redBlue | alphaGreen;
}

// For each target position along one axis, the first of the two source
// positions whose centres it lies between (the edge pixels repeated beyond
// the edges) and the weight of the second, as pairs.
std::vector<std::uint32_t> axis(int from, int to) {
    std::vector<std::uint32_t> pairs(2 * static_cast<std::size_t>(to));
    const double ratio = static_cast<double>(from) / to;
    for (int t = 0; t < to; ++t) {
        const double centre = std::clamp((t + 0.5) * ratio - 0.5, 0.0, from - 1.0);
        const int first = static_cast<int>(centre);
        pairs[2 * t] = static_cast<std::uint32_t>(first);
        pairs[2 * t + 1] = static_cast<std::uint32_t>((centre - first) * kOne + 0.5);
    }
    return pairs;
}

}  // namespace

Pixels scaleSmoothly(const Pixels& source, int width, int height) {
    Pixels out{std::max(0, width), std::max(0, height), {}};
    out.argb.assign(static_cast<std::size_t>(out.width) * out.height, 0);
    if (source.width <= 0 || source.height <= 0 || out.argb.empty()) return out;
    const std::vector<std::uint32_t> across = axis(source.width, out.width), down = axis(source.height, out.height);
    std::uint32_t* target = out.argb.data();
    for (int y = 0; y < out.height; ++y) {
        const std::uint32_t wy = down[2 * y + 1];
        const std::uint32_t* above = &source.argb[down[2 * y] * static_cast<std::size_t>(source.width)];
        const std::uint32_t* below = wy ? above + source.width : above;
        for (int x = 0; x < out.width; ++x) {
            const std::uint32_t wx = across[2 * x + 1], left = across[2 * x], right = wx ? left + 1 : left;
            // Colour and alpha are weighted alike, so premultiplied colour
            // never exceeds its alpha.
            *target++ = blend(blend(above[left], above[right], wx), blend(below[left], below[right], wx), wy);
        }
    }
    return out;
}

}  // namespace platform::win32
