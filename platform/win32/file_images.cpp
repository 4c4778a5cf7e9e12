#include "platform/win32/file_images.h"

#include <initializer_list>
#include <string>

#include "forms/little_endian.h"
#include "forms/runtime_error.h"

namespace platform::win32 {

namespace {

[[noreturn]] void invalid(const char* why) {
    throw forms::RuntimeError(forms::errors::kInvalidPicture, std::string("Invalid picture: ") + why);
}

using forms::little_endian::s16;
using forms::little_endian::s32;
using forms::little_endian::u16;
using forms::little_endian::u32;

constexpr std::uint32_t kBitmapInfoHeaderSize = 40;

// The bytes of one row of pixels, padded to four bytes.
std::uint64_t rowBytes(std::uint64_t width, std::uint32_t bitsPerPixel) { return (width * bitsPerPixel + 31) / 32 * 4; }

// Entries of a colour table: what the header asks for, at most one per
// value a pixel can hold.
std::uint64_t colourEntries(std::uint32_t bitsPerPixel, std::uint32_t used) {
    if (bitsPerPixel > 8) return used;
    if (used > (1u << bitsPerPixel)) invalid("the colour table is larger than its pixels can index");
    return used ? used : 1u << bitsPerPixel;
}

bool oneOf(std::uint32_t value, std::initializer_list<std::uint32_t> allowed) {
    for (std::uint32_t a : allowed)
        if (value == a) return true;
    return false;
}

}  // namespace

BitmapParts bitmapParts(forms::FileImage f) {
    if (f.size() < 14 + kBitmapInfoHeaderSize) invalid("the bitmap file is cut short");
    if (f[0] != 'B' || f[1] != 'M') invalid("not a bitmap file");
    const std::uint32_t offBits = u32(f, 10), headerSize = u32(f, 14);
    // The information header and its later versions (with colour masks,
    // colour space, profile); the old OS/2 core header is not taken.
    if (!oneOf(headerSize, {40, 52, 56, 108, 124})) invalid("the bitmap's header is unknown");
    if (14 + std::uint64_t{headerSize} > f.size()) invalid("the bitmap file is cut short");
    const std::int32_t width = s32(f, 18), height = s32(f, 22);
    const std::uint32_t bitsPerPixel = u16(f, 28);
    if (width <= 0 || width > 32767 || height == 0 || height < -32767 || height > 32767)
        invalid("the bitmap's size is out of range");
    if (u16(f, 26) != 1) invalid("the bitmap has more than one plane");
    if (!oneOf(bitsPerPixel, {1, 4, 8, 16, 24, 32})) invalid("the bitmap's bits per pixel are unknown");
    if (u32(f, 30) != 0) invalid("the bitmap is compressed");
    const std::uint64_t tableEnd = 14 + std::uint64_t{headerSize} + colourEntries(bitsPerPixel, u32(f, 46)) * 4;
    if (offBits < tableEnd) invalid("the bitmap's pixels overlap its header");
    const std::uint32_t rows = static_cast<std::uint32_t>(height < 0 ? -height : height);
    if (offBits + rowBytes(static_cast<std::uint32_t>(width), bitsPerPixel) * rows > f.size())
        invalid("the bitmap's pixels are cut short");
    return {f.data() + 14, f.data() + offBits, width, static_cast<int>(rows), height > 0};
}

IconParts iconParts(forms::FileImage f) {
    if (f.size() < 6 || u16(f, 0) != 0 || u16(f, 2) != 1) invalid("not an icon file");
    const std::uint32_t count = u16(f, 4);
    if (count == 0) invalid("the icon file is empty");
    if (6 + 16 * std::uint64_t{count} > f.size()) invalid("the icon directory is cut short");
    // A directory entry: width, height (0 for 256), ..., bytes, offset.
    std::size_t entry = 6;
    for (std::size_t e = 6; e < 6 + 16 * count; e += 16)
        if (f[e] == 32 && f[e + 1] == 32) {
            entry = e;
            break;
        }
    const std::uint32_t bytes = u32(f, entry + 8), offset = u32(f, entry + 12);
    if (std::uint64_t{offset} + bytes > f.size()) invalid("an icon image lies outside the file");
    if (bytes < kBitmapInfoHeaderSize) invalid("an icon image is cut short");
    const forms::FileImage image = f.subspan(offset, bytes);
    if (u32(image, 0) != kBitmapInfoHeaderSize) invalid("an icon image is not an uncompressed bitmap");
    const std::int32_t width = s32(image, 4), doubledHeight = s32(image, 8);
    const std::uint32_t bitsPerPixel = u16(image, 14);
    if (width <= 0 || width > 256 || doubledHeight <= 0 || doubledHeight > 512 || doubledHeight % 2)
        invalid("an icon image's size is out of range");
    if (u16(image, 12) != 1 || !oneOf(bitsPerPixel, {1, 4, 8, 24, 32}) || u32(image, 16) != 0)
        invalid("an icon image is not an uncompressed bitmap");
    const int height = doubledHeight / 2;
    // The colour bitmap, then the 1-bit mask.
    const std::uint64_t needed = kBitmapInfoHeaderSize + colourEntries(bitsPerPixel, u32(image, 32)) * 4 +
                                 (rowBytes(width, bitsPerPixel) + rowBytes(width, 1)) * height;
    if (needed > bytes) invalid("an icon image is cut short");
    return {image, width, height};
}

MetafileParts metafileParts(forms::FileImage f) {
    constexpr std::size_t kPlaceable = 22, kHeader = 18;
    if (f.size() < kPlaceable + kHeader) invalid("the metafile is cut short");
    if (u32(f, 0) != 0x9AC6CDD7) invalid("not a placeable metafile");
    std::uint32_t checksum = 0;
    for (std::size_t at = 0; at < 20; at += 2) checksum ^= u16(f, at);
    if (checksum != u16(f, 20)) invalid("the placeable header's checksum is wrong");
    MetafileParts parts;
    parts.left = s16(f, 6);
    parts.top = s16(f, 8);
    parts.right = s16(f, 10);
    parts.bottom = s16(f, 12);
    parts.unitsPerInch = static_cast<int>(u16(f, 14));
    if (parts.right <= parts.left || parts.bottom <= parts.top || parts.unitsPerInch == 0)
        invalid("the metafile's bounding box is empty");
    // The standard metafile: in memory, 9 words of header, version 1 or 3,
    // and its size in words.
    const forms::FileImage rest = f.subspan(kPlaceable);
    if (!oneOf(u16(rest, 0), {1, 2}) || u16(rest, 2) != 9 || !oneOf(u16(rest, 4), {0x100, 0x300}))
        invalid("not a standard metafile");
    const std::uint64_t bytes = std::uint64_t{u32(rest, 6)} * 2;
    if (bytes < kHeader || bytes > rest.size()) invalid("the metafile's size does not match the file");
    parts.metafile = rest.first(bytes);
    return parts;
}

}  // namespace platform::win32
