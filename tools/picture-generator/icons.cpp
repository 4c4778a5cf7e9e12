// The icon pictures: a disc-like bullet, a hand pointing right, a hand
// pointer with the index finger raised, and the window icon. The hands are
// drawn from a few rounded parts (palm, fingers, thumb, cuff); every part
// gets a one-pixel black outline where it meets the surround or a part lying
// over it, and a grey shade along its lower edge.
#include <cmath>

#include "pictures.h"

namespace picgen {

namespace {

// The sixteen colours of the standard Windows palette.
const std::vector<Rgb> kStandard16 = {
    {0, 0, 0},     {128, 0, 0},   {0, 128, 0},   {128, 128, 0},   {0, 0, 128},   {128, 0, 128},
    {0, 128, 128}, {192, 192, 192}, {128, 128, 128}, {255, 0, 0}, {0, 255, 0},   {255, 255, 0},
    {0, 0, 255},   {255, 0, 255}, {0, 255, 255}, {255, 255, 255},
};
enum : std::uint8_t { kBlack = 0, kTeal = 6, kSilver = 7, kGrey = 8, kNavy = 4, kBlue = 12, kWhite = 15 };

// 256 colours: the standard sixteen, a 6 by 6 by 6 cube, then a grey ramp.
std::vector<Rgb> palette256() {
    std::vector<Rgb> p = kStandard16;
    for (int r = 0; r < 6; ++r)
        for (int g = 0; g < 6; ++g)
            for (int b = 0; b < 6; ++b)
                p.push_back({static_cast<std::uint8_t>(r * 51), static_cast<std::uint8_t>(g * 51),
                             static_cast<std::uint8_t>(b * 51)});
    for (int i = 0; p.size() < 256; ++i) p.push_back({static_cast<std::uint8_t>(8 + i * 10),
                                                       static_cast<std::uint8_t>(8 + i * 10),
                                                       static_cast<std::uint8_t>(8 + i * 10)});
    return p;
}

IconImage blank(int size, int bitsPerPixel, std::vector<Rgb> palette) {
    IconImage i;
    i.width = i.height = size;
    i.bitsPerPixel = bitsPerPixel;
    i.palette = std::move(palette);
    i.indices.assign(static_cast<std::size_t>(size) * size, 0);
    i.transparent.assign(static_cast<std::size_t>(size) * size, true);
    return i;
}

// A rounded part of a hand, in the coordinates of a 32 by 32 picture:
// the points within `radius` of the segment from (x0, y0) to (x1, y1).
struct Part {
    double x0, y0, x1, y1, radius;
    std::uint8_t fill;
};

bool inside(const Part& p, double x, double y) {
    double dx = p.x1 - p.x0, dy = p.y1 - p.y0;
    double len2 = dx * dx + dy * dy;
    double t = len2 == 0 ? 0 : ((x - p.x0) * dx + (y - p.y0) * dy) / len2;
    t = t < 0 ? 0 : t > 1 ? 1 : t;
    double ex = x - (p.x0 + t * dx), ey = y - (p.y0 + t * dy);
    return ex * ex + ey * ey <= p.radius * p.radius;
}

struct Shades {
    std::uint8_t outline, shade;
};

// Draws the parts, later ones over earlier ones, scaled to the image's size.
void sketch(IconImage& image, const std::vector<Part>& parts, Shades shades) {
    const int n = image.width;
    const double scale = 32.0 / n;
    std::vector<int> owner(static_cast<std::size_t>(n) * n, -1);
    for (int y = 0; y < n; ++y)
        for (int x = 0; x < n; ++x)
            for (int k = 0; k < static_cast<int>(parts.size()); ++k)
                if (inside(parts[k], (x + 0.5) * scale, (y + 0.5) * scale)) owner[y * n + x] = k;
    auto at = [&](int x, int y) { return x < 0 || y < 0 || x >= n || y >= n ? -1 : owner[y * n + x]; };
    for (int y = 0; y < n; ++y) {
        for (int x = 0; x < n; ++x) {
            int k = at(x, y);
            if (k < 0) continue;
            // The edge of a part is drawn on its own pixels, where its
            // neighbour is the surround or a part lying above it.
            auto edge = [&](int j) { return j < 0 || j > k; };
            bool outline = edge(at(x - 1, y)) || edge(at(x + 1, y)) || edge(at(x, y - 1)) || edge(at(x, y + 1));
            bool lower = edge(at(x, y + 2));
            std::uint8_t colour = outline ? shades.outline : lower && n >= 32 ? shades.shade : parts[k].fill;
            image.indices[y * n + x] = colour;
            image.transparent[y * n + x] = false;
        }
    }
}

// A right-pointing hand: cuff on the left, index finger along the top, the
// other three fingers curled under it, the thumb tucked along their front.
const std::vector<Part> kPointingHand = {
    {4.5, 12.5, 4.5, 24.5, 3.0, kSilver},   // cuff
    {10.5, 15, 12, 21, 5.6, kWhite},        // palm
    {13, 11.0, 28.0, 11.0, 2.7, kWhite},    // index finger
    {16.5, 15.8, 20.5, 15.8, 2.3, kWhite},  // middle finger
    {16.5, 20.2, 19.5, 20.2, 2.3, kWhite},  // ring finger
    {15.0, 24.4, 17.5, 24.4, 2.1, kWhite},  // little finger
    {9.5, 15.8, 15.5, 15.8, 2.3, kWhite},   // thumb, over the palm's top
};

// A hand with the index finger raised: the other fingers curled to its
// right, the thumb on the left, the cuff at the bottom.
const std::vector<Part> kRaisedHand = {
    {16, 27.8, 21, 27.8, 3.0, kSilver},   // cuff
    {16.5, 20.5, 20.5, 22, 6.2, kWhite},  // palm
    {12.5, 3.5, 12.5, 17, 2.5, kWhite},   // index finger
    {17.0, 13.5, 17.0, 17.0, 2.3, kWhite},  // middle finger
    {21.0, 14.3, 21.0, 17.5, 2.3, kWhite},  // ring finger
    {24.8, 15.6, 24.8, 18.8, 2.1, kWhite},  // little finger
    {6.0, 17.0, 10.5, 22.5, 2.2, kWhite},  // thumb
};

IconImage drawHand(int size, const std::vector<Part>& parts, int bitsPerPixel, const std::vector<Rgb>& palette) {
    IconImage image = blank(size, bitsPerPixel, palette);
    sketch(image, parts, {kBlack, kSilver});
    return image;
}

// A glossy ball lit from the upper left, its 16 colours running from the
// rim's dark red through orange to a white highlight.
IconImage drawDisc(int size) {
    std::vector<Rgb> palette{{0, 0, 0}};
    for (int i = 0; i < 13; ++i) {
        double t = i / 12.0;
        palette.push_back({static_cast<std::uint8_t>(std::floor(90 + t * 165 + 0.5)),
                           static_cast<std::uint8_t>(std::floor(10 + t * t * 170 + 0.5)),
                           static_cast<std::uint8_t>(std::floor(4 + t * t * t * 60 + 0.5))});
    }
    palette.push_back({255, 226, 170});
    palette.push_back({255, 255, 255});
    IconImage image = blank(size, 4, palette);

    static const int kBayer[4][4] = {{0, 8, 2, 10}, {12, 4, 14, 6}, {3, 11, 1, 9}, {15, 7, 13, 5}};
    const double centre = size / 2.0, radius = size * 14.5 / 32;
    const double lx = -0.48, ly = -0.56, lz = 0.675;  // towards the light, unit length
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            double dx = (x + 0.5 - centre) / radius, dy = (y + 0.5 - centre) / radius;
            double d2 = dx * dx + dy * dy;
            if (d2 > 1) continue;
            double nz = std::sqrt(1 - d2);
            double diffuse = dx * lx + dy * ly + nz * lz;
            diffuse = diffuse < 0 ? 0 : diffuse;
            double h = dx * lx * 0.5 + dy * ly * 0.5 + nz * (lz + 1) * 0.5;  // towards the eye and light
            h /= std::sqrt(lx * lx * 0.25 + ly * ly * 0.25 + (lz + 1) * (lz + 1) * 0.25);
            double shine = h < 0 ? 0 : h;
            for (int i = 0; i < 5; ++i) shine *= shine;  // to the 32nd power
            double level = 1 + (0.12 + 0.88 * diffuse) * 11.99 + kBayer[y % 4][x % 4] / 16.0 - 0.5;
            auto index = static_cast<std::uint8_t>(level < 1 ? 1 : level > 13 ? 13 : level);
            if (shine > 0.55) index = shine > 0.8 ? 15 : 14;
            bool rim = (std::sqrt(d2) * radius) > radius - 1.0;
            image.indices[y * size + x] = rim ? 1 : index;
            image.transparent[y * size + x] = false;
        }
    }
    return image;
}

// The window icon: a white window with a black frame, a coloured title
// stripe with a close box, and a grey shadow.
IconImage window(int size, int bitsPerPixel) {
    IconImage image = bitsPerPixel == 1 ? blank(size, 1, {{0, 0, 0}, {255, 255, 255}}) : blank(size, 4, kStandard16);
    const std::uint8_t black = 0, white = bitsPerPixel == 1 ? 1 : kWhite;
    const std::uint8_t title = bitsPerPixel == 1 ? 0 : kNavy, close = white;
    const bool big = size == 32;
    // One pixel of surround all round, the shadow included.
    const int left = 1, top = big ? 3 : 2, right = big ? 28 : 13, bottom = big ? 27 : 12;
    const int shadow = big ? 2 : 1;
    const int titleBottom = big ? top + 6 : top + 3;
    auto set = [&](int x, int y, std::uint8_t c) {
        image.indices[y * size + x] = c;
        image.transparent[y * size + x] = false;
    };
    if (bitsPerPixel != 1)
        for (int y = top + shadow; y <= bottom + shadow; ++y)
            for (int x = left + shadow; x <= right + shadow; ++x) set(x, y, kGrey);
    for (int y = top; y <= bottom; ++y) {
        for (int x = left; x <= right; ++x) {
            bool frame = x == left || x == right || y == top || y == bottom || y == titleBottom;
            set(x, y, frame ? black : y < titleBottom ? title : white);
        }
    }
    // The close box at the stripe's right end, and a few lines of "text".
    int boxSize = big ? 3 : 1, boxRight = right - (big ? 2 : 1), boxTop = top + (big ? 2 : 1);
    for (int y = boxTop; y < boxTop + boxSize; ++y)
        for (int x = boxRight - boxSize + 1; x <= boxRight; ++x) set(x, y, close);
    if (big) {
        const std::uint8_t ink = bitsPerPixel == 1 ? 0 : kBlue;
        for (int line = 0; line < 4; ++line) {
            int y = titleBottom + 4 + line * 4;
            if (y >= bottom - 1) break;
            int end = right - 4 - (line % 2) * 6;
            for (int x = left + 4; x <= end; ++x) set(x, y, ink);
        }
    } else {
        for (int x = left + 2; x <= right - 3; ++x) set(x, titleBottom + 3, bitsPerPixel == 1 ? 0 : kBlue);
        for (int x = left + 2; x <= right - 5; ++x) set(x, titleBottom + 6, bitsPerPixel == 1 ? 0 : kBlue);
    }
    return image;
}

}  // namespace

Bytes disc() { return writeIco({drawDisc(32), drawDisc(16)}, {16, 16}); }

Bytes hand() {
    return writeIco({drawHand(32, kPointingHand, 4, kStandard16), drawHand(16, kPointingHand, 4, kStandard16)},
                    {16, 16});
}

Bytes handCursor() {
    std::vector<Rgb> p = palette256();
    return writeIco({drawHand(32, kRaisedHand, 8, p), drawHand(16, kRaisedHand, 8, p)}, {0, 0});
}

Bytes windowIcon() { return writeIco({window(32, 1), window(32, 4), window(16, 4)}, {2, 16, 16}); }

std::vector<Bytes> windowIconImages() { return {window(32, 1).dib(), window(32, 4).dib(), window(16, 4).dib()}; }

}  // namespace picgen
