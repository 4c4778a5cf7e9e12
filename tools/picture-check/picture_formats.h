// The formats the screen binds its six picture files to: what each file in
// screen/pictures/ (or a maker's replacement) must be for the window
// definition, both back ends' decoders and the executable's icon resources
// to take it as it is. Plain data, shared by the picture checker, the
// picture generator and the resource check of the shipping executable.
#pragma once

#include <cstdint>
#include <span>

namespace picturecheck {

enum class Kind { Bitmap, Icon, Metafile };

// One image of an icon file: a 40-byte information header with doubled
// height, a full colour table, the colour bitmap and a 1-bit mask.
struct IconImageFormat {
    int size = 0;                  // width and height in pixels
    int bitsPerPixel = 0;          // 1, 4 or 8: 2, 16 or 256 colours
    int directoryColourCount = 0;  // the icon directory's colour count field (0 for 256)
};

constexpr std::uint32_t rowBytes(int width, int bitsPerPixel) {
    return static_cast<std::uint32_t>((width * bitsPerPixel + 31) / 32 * 4);
}
// The image's bytes in the file, and so in an icon resource.
constexpr std::uint32_t imageBytes(const IconImageFormat& f) {
    return 40 + (4u << f.bitsPerPixel) + (rowBytes(f.size, f.bitsPerPixel) + rowBytes(f.size, 1)) * f.size;
}

// A 24-bit bitmap without a colour table, rows bottom-up, uncompressed.
struct BitmapFormat {
    int width = 0, height = 0;
    int bitsPerPixel = 0;
};
constexpr std::uint32_t bitmapBytes(const BitmapFormat& f) {
    return 54 + rowBytes(f.width, f.bitsPerPixel) * static_cast<std::uint32_t>(f.height);
}

struct PictureFormat {
    const char* fileName;  // its name in screen/pictures/
    Kind kind;
    const char* role;      // what the screen does with it
    BitmapFormat bitmap{};
    std::span<const IconImageFormat> icon{};  // the images in file order
    // Every image's outer edge transparent: the picture is drawn over the
    // background, or is the pointer, and its surround must not show.
    bool transparentSurround = false;
    // Where the images are also the executable's icon resources: the number
    // of the first, the others following in order.
    int firstIconResource = 0;
};

inline constexpr IconImageFormat kMarkerIcon[] = {{32, 4, 16}, {16, 4, 16}};
inline constexpr IconImageFormat kPointerIcon[] = {{32, 8, 0}, {16, 8, 0}};
// The window icon's images are also the executable's icon resources, in
// this order from kWindowIconFirstResource on; the group directory of the
// resource script lists them with these sizes.
inline constexpr IconImageFormat kWindowIcon[] = {{32, 1, 2}, {32, 4, 16}, {16, 4, 16}};
inline constexpr int kWindowIconFirstResource = 30001;

inline constexpr PictureFormat kPictures[] = {
    {"background.bmp", Kind::Bitmap, "the background, drawn at natural size", {694, 477, 24}},
    {"disc.ico", Kind::Icon, "the other-software panel's bullet", {}, kMarkerIcon, true},
    {"hand.ico", Kind::Icon, "the marker beside a menu entry", {}, kMarkerIcon, true},
    {"hand-cursor.ico", Kind::Icon, "the pointer over a menu entry", {}, kPointerIcon, true},
    {"logo.wmf", Kind::Metafile, "the logo, stretched into its box"},
    {"window.ico", Kind::Icon, "the window's and the executable's icon", {}, kWindowIcon, false,
     kWindowIconFirstResource},
};

}  // namespace picturecheck
