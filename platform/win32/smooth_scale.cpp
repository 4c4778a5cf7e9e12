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
    const RowReader read = [&](int row, std::uint32_t* into) {
        std::copy_n(&source.argb[static_cast<std::size_t>(row) * source.width], source.width, into);
    };
    scaleRowsSmoothly(source.width, source.height, read, out.width, out.height, 0, out.height, out.argb.data(),
                      static_cast<std::size_t>(out.width));
    return out;
}

void scaleRowsSmoothly(int sourceWidth, int sourceHeight, const RowReader& read, int width, int height, int first,
                       int last, std::uint32_t* target, std::size_t stride) {
    if (sourceWidth <= 0 || sourceHeight <= 0 || width <= 0 || height <= 0) return;
    first = std::max(0, first);
    last = std::min(height, last);
    const std::vector<std::uint32_t> across = axis(sourceWidth, width), down = axis(sourceHeight, height);
    // Two source rows at a time, each blended across once: the rows above
    // and below the target row's centre.
    std::vector<std::uint32_t> source(static_cast<std::size_t>(sourceWidth));
    std::vector<std::uint32_t> blended[2] = {std::vector<std::uint32_t>(static_cast<std::size_t>(width)),
                                             std::vector<std::uint32_t>(static_cast<std::size_t>(width))};
    int held[2] = {-1, -1};
    auto row = [&](int r, int keep) -> const std::uint32_t* {
        for (int slot = 0; slot < 2; ++slot)
            if (held[slot] == r) return blended[slot].data();
        const int slot = held[0] == keep ? 1 : 0;
        read(r, source.data());
        std::uint32_t* into = blended[slot].data();
        for (int x = 0; x < width; ++x) {
            const std::uint32_t wx = across[2 * x + 1], left = across[2 * x], right = wx ? left + 1 : left;
            into[x] = blend(source[left], source[right], wx);
        }
        held[slot] = r;
        return into;
    };
    for (int y = first; y < last; ++y) {
        const std::uint32_t wy = down[2 * y + 1];
        const int a = static_cast<int>(down[2 * y]);
        const std::uint32_t* above = row(a, wy ? a + 1 : a);
        const std::uint32_t* below = wy ? row(a + 1, a) : above;
        // Colour and alpha are weighted alike, so premultiplied colour
        // never exceeds its alpha.
        std::uint32_t* out = target + static_cast<std::size_t>(y - first) * stride;
        for (int x = 0; x < width; ++x) out[x] = blend(above[x], below[x], wy);
    }
}

}  // namespace platform::win32
