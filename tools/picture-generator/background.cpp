// The background: dark slate marble with soft veins and a fine grain, lit
// by a pale glow in the top-left corner where the blue logo sits, so that
// the light texts read on the dark stone and the blue logo on the light.
//
// Only additions, multiplications, divisions, square roots and floor are
// used, all exactly rounded, so that every machine writes the same bytes.
#include "pictures.h"

#include <cmath>
#include <cstdint>

namespace picgen {

namespace {

std::uint32_t hash(std::int32_t x, std::int32_t y, std::uint32_t seed) {
    std::uint32_t h = static_cast<std::uint32_t>(x) * 0x8DA6B343u ^ static_cast<std::uint32_t>(y) * 0xD8163841u ^
                      seed * 0xCB1AB31Fu;
    h ^= h >> 13;
    h *= 0x5BD1E995u;
    h ^= h >> 15;
    return h;
}

double lattice(std::int32_t x, std::int32_t y, std::uint32_t seed) { return (hash(x, y, seed) & 0xFFFF) / 65535.0; }

double smooth(double t) { return t * t * (3 - 2 * t); }

// Value noise in [0, 1] with a period of `cell` pixels.
double valueNoise(double x, double y, double cell, std::uint32_t seed) {
    double fx = x / cell, fy = y / cell;
    double ix = std::floor(fx), iy = std::floor(fy);
    double tx = smooth(fx - ix), ty = smooth(fy - iy);
    auto X = static_cast<std::int32_t>(ix), Y = static_cast<std::int32_t>(iy);
    double a = lattice(X, Y, seed), b = lattice(X + 1, Y, seed);
    double c = lattice(X, Y + 1, seed), d = lattice(X + 1, Y + 1, seed);
    double top = a + (b - a) * tx, bottom = c + (d - c) * tx;
    return top + (bottom - top) * ty;
}

// Fractal noise in [0, 1]: octaves from `cell` pixels down, each half as strong.
double fractal(double x, double y, double cell, int octaves, std::uint32_t seed) {
    double sum = 0, weight = 1, total = 0;
    for (int i = 0; i < octaves; ++i) {
        sum += weight * valueNoise(x, y, cell, seed + static_cast<std::uint32_t>(i));
        total += weight;
        weight /= 2;
        cell /= 2;
    }
    return sum / total;
}

double clamp01(double v) { return v < 0 ? 0 : v > 1 ? 1 : v; }

// 1 on a vein's centre line, falling off quickly to 0 between veins.
double vein(double phase) {
    double t = phase - std::floor(phase);
    double d = t < 0.5 ? t : 1 - t;  // distance to the nearest line, 0 to 0.5
    double v = clamp01(1 - d * 9);
    return v * v * v;
}

std::uint8_t channel(double v) {
    double c = std::floor(v + 0.5);
    return static_cast<std::uint8_t>(c < 0 ? 0 : c > 255 ? 255 : c);
}

struct Colour {
    double r, g, b;
};

Colour mix(Colour a, Colour b, double t) { return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t}; }

}  // namespace

Bytes background() {
    constexpr int kWidth = 694, kHeight = 477;
    const Colour deep{18, 24, 36}, stone{44, 54, 72}, veinColour{104, 116, 138}, light{214, 221, 232}, shadow{128, 140, 162};
    // The glow: an ellipse round the logo and the shape that frames it.
    const double glowX = 88, glowY = 68, glowRx = 92, glowRy = 58;

    std::vector<Rgb> pixels;
    pixels.reserve(kWidth * kHeight);
    for (int y = 0; y < kHeight; ++y) {
        for (int x = 0; x < kWidth; ++x) {
            double base = fractal(x, y, 96, 5, 11);
            double warp = fractal(x, y, 160, 4, 23);
            Colour c = mix(deep, stone, clamp01((base - 0.25) * 1.6));
            // Two families of veins running diagonally, bent by the warp.
            double v1 = vein(x / 230.0 + y / 410.0 + warp * 2.2);
            double v2 = vein(x / 150.0 - y / 260.0 + base * 1.7 + 0.37) * 0.45;
            double veins = clamp01(v1 * 0.55 + v2 * 0.5) * fractal(x, y, 48, 3, 41);
            c = mix(c, veinColour, veins);
            double grain = (lattice(x, y, 97) - 0.5) * 7;
            c = {c.r + grain, c.g + grain, c.b + grain};

            double dx = (x - glowX) / glowRx, dy = (y - glowY) / glowRy;
            double r = std::sqrt(dx * dx + dy * dy);
            double glow = smooth(clamp01((1.6 - r) / 1.05));
            if (glow > 0) {
                // The lit stone keeps its texture: clouds and veins in grey-blue.
                Colour lit = mix(light, shadow, clamp01(veins * 0.9 + (0.55 - base) * 0.5));
                c = mix(c, lit, glow * 0.94);
            }
            pixels.push_back({channel(c.r), channel(c.g), channel(c.b)});
        }
    }
    return writeBmp24(kWidth, kHeight, pixels, 3790, 3780);
}

}  // namespace picgen
