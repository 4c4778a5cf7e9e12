#include "picture_check.h"

#include <cstdio>

#include "forms/little_endian.h"
#include "forms/runtime_error.h"
#include "platform/cairo/wmf_reader.h"

namespace picturecheck {

namespace {

constexpr std::uint32_t kPlaceableKey = 0x9AC6CDD7;

using forms::little_endian::s32;
using forms::little_endian::u16;
using forms::little_endian::u32;

std::string hex(std::uint32_t v) {
    char text[16];
    std::snprintf(text, sizeof text, "0x%08X", static_cast<unsigned>(v));
    return text;
}

std::string bytes(std::size_t n) { return std::to_string(n) + " bytes"; }

class Findings {
public:
    explicit Findings(std::string prefix = "") : prefix_(std::move(prefix)) {}

    void add(const std::string& field, const std::string& detail) { list.push_back({prefix_ + field, detail}); }
    // Adds the field when it differs; returns whether it matched.
    bool expect(const std::string& field, long long actual, long long needed, const std::string& note = "") {
        if (actual == needed) return true;
        add(field, "is " + std::to_string(actual) + ", the screen needs " + std::to_string(needed) + note);
        return false;
    }
    std::vector<Difference> list;

private:
    std::string prefix_;
};

void checkBitmap(const BitmapFormat& f, FileBytes b, Findings& out) {
    const std::uint32_t fileSize = bitmapBytes(f);
    const std::uint32_t imageSize = fileSize - 54;
    if (b.size() < 54) return out.add("file size", "is " + bytes(b.size()) + ", too short for a bitmap's headers");
    if (b[0] != 'B' || b[1] != 'M') return out.add("signature", "is not \"BM\": this is not a bitmap file");
    out.expect("information header size", u32(b, 14), 40,
               " (a bitmap without colour-space information; other headers move the pixels)");
    out.expect("width", s32(b, 18), f.width);
    const std::int32_t height = s32(b, 22);
    out.expect("height", height, f.height, height == -f.height ? " (rows stored bottom-up, not top-down)" : "");
    out.expect("planes", u16(b, 26), 1);
    out.expect("bits per pixel", u16(b, 28), f.bitsPerPixel);
    out.expect("compression", u32(b, 30), 0, " (uncompressed)");
    // The image size may also be left 0 in an uncompressed bitmap.
    if (u32(b, 34) != 0) out.expect("image size", u32(b, 34), imageSize);
    out.expect("colours used", u32(b, 46), 0, " (no colour table)");
    out.expect("pixel data offset", u32(b, 10), 54);
    out.expect("file size field", u32(b, 2), fileSize);
    out.expect("file size", static_cast<long long>(b.size()), fileSize);
}

// The mask of an image whose header matched: every pixel of the outer edge
// transparent where the screen needs a transparent surround, and at least
// one pixel opaque.
void checkMask(const IconImageFormat& f, FileBytes dib, bool surround, Findings& out) {
    const std::uint32_t maskStride = rowBytes(f.size, 1);
    const std::size_t mask = 40 + (4u << f.bitsPerPixel) + rowBytes(f.size, f.bitsPerPixel) * f.size;
    int opaque = 0;
    bool reported = false;
    for (int y = 0; y < f.size; ++y) {
        const std::size_t row = mask + static_cast<std::size_t>(f.size - 1 - y) * maskStride;  // bottom-up
        for (int x = 0; x < f.size; ++x) {
            const bool transparent = dib[row + x / 8] & (0x80 >> (x % 8));
            if (transparent) continue;
            ++opaque;
            const bool edge = x == 0 || y == 0 || x == f.size - 1 || y == f.size - 1;
            if (surround && edge && !reported) {
                out.add("mask", "leaves pixel " + std::to_string(x) + "," + std::to_string(y) +
                                    " of the edge opaque, the screen needs a transparent surround");
                reported = true;
            }
        }
    }
    if (opaque == 0) out.add("mask", "is transparent everywhere: nothing of the image would show");
}

void checkIconImage(const IconImageFormat& f, FileBytes dib, bool surround, Findings& out, Findings& maskOut) {
    if (dib.size() >= 8 && dib[0] == 0x89 && dib[1] == 'P' && dib[2] == 'N' && dib[3] == 'G')
        return out.add("format", "is PNG, the screen needs a bitmap with a mask");
    if (dib.size() < 40) return out.add("size", "is " + bytes(dib.size()) + ", too short for its header");
    bool same = out.expect("header size", u32(dib, 0), 40);
    same &= out.expect("width", s32(dib, 4), f.size);
    same &= out.expect("height", s32(dib, 8), 2 * f.size, " (twice the image's, for the colours and the mask)");
    same &= out.expect("planes", u16(dib, 12), 1);
    same &= out.expect("bits per pixel", u16(dib, 14), f.bitsPerPixel);
    same &= out.expect("compression", u32(dib, 16), 0, " (uncompressed)");
    const std::uint32_t used = u32(dib, 32);
    if (used != 0) same &= out.expect("colours used", used, 1 << f.bitsPerPixel, " (a full colour table)");
    if (same && dib.size() == imageBytes(f)) checkMask(f, dib, surround, maskOut);
}

void checkIcon(const PictureFormat& format, FileBytes b, Findings& out) {
    const std::span<const IconImageFormat> images = format.icon;
    if (b.size() < 6) return out.add("file size", "is " + bytes(b.size()) + ", too short for an icon directory");
    out.expect("reserved field", u16(b, 0), 0);
    const std::uint32_t type = u16(b, 2);
    if (type != 1)
        return out.add("type", "is " + std::to_string(type) + (type == 2 ? " (a cursor file)" : "") +
                                   ", the screen needs 1 (an icon file)");
    std::string sizes;
    for (const IconImageFormat& f : images)
        sizes += (sizes.empty() ? "" : ", ") + std::to_string(f.size) + " by " + std::to_string(f.size) + " at " +
                 std::to_string(f.bitsPerPixel) + (f.bitsPerPixel == 1 ? " bit" : " bits");
    if (!out.expect("image count", u16(b, 4), static_cast<long long>(images.size()), " (" + sizes + ", in this order)"))
        return;
    std::size_t expectedOffset = 6 + 16 * images.size();
    if (b.size() < expectedOffset) return out.add("file size", "is " + bytes(b.size()) + ", too short for its directory");
    for (std::size_t i = 0; i < images.size(); ++i) {
        const IconImageFormat& f = images[i];
        const std::string image = "image " + std::to_string(i + 1);
        Findings entry(image + " directory entry: "), header(image + " header: "), mask(image + " ");
        const std::size_t e = 6 + 16 * i;
        const int width = b[e] ? b[e] : 256, height = b[e + 1] ? b[e + 1] : 256;
        const std::uint32_t size = u32(b, e + 8), offset = u32(b, e + 12);
        entry.expect("width", width, f.size);
        entry.expect("height", height, f.size);
        entry.expect("colour count", b[e + 2], f.directoryColourCount);
        entry.expect("planes", u16(b, e + 4), 1);
        entry.expect("bits per pixel", u16(b, e + 6), f.bitsPerPixel);
        entry.expect("size", size, imageBytes(f));
        entry.expect("offset", offset, static_cast<long long>(expectedOffset), " (the images follow the directory in order)");
        if (offset > b.size() || b.size() - offset < size)
            entry.add("bytes", "lie past the end of the file");
        else
            checkIconImage(f, b.subspan(offset, size), format.transparentSurround, header, mask);
        for (const Findings* found : {&entry, &header, &mask})
            out.list.insert(out.list.end(), found->list.begin(), found->list.end());
        expectedOffset += imageBytes(f);
    }
    out.expect("file size", static_cast<long long>(b.size()), static_cast<long long>(expectedOffset));
}

void checkMetafile(FileBytes b, Findings& out) {
    if (b.size() < 4 || u32(b, 0) != kPlaceableKey) {
        const bool standard = b.size() >= 4 && (u32(b, 0) == 0x00090001 || u32(b, 0) == 0x00090002);
        return out.add("placeable header",
                       std::string("is missing") +
                           (standard ? " (the file starts with a plain metafile header)"
                                     : b.size() >= 4 ? " (the file starts with " + hex(u32(b, 0)) + ")" : "") +
                           ", the screen needs one with the key " + hex(kPlaceableKey));
    }
    platform::cairo::Metafile m;
    try {
        m = platform::cairo::parseMetafile(b);
    } catch (const forms::RuntimeError& e) {
        std::string why = e.description();
        if (why.rfind("Invalid picture: ", 0) == 0) why.erase(0, 17);
        return out.add("records", why);
    }
    const std::size_t length = 22 + 2 * static_cast<std::size_t>(m.sizeInWords);
    if (b.size() != length)
        out.add("file size", "is " + bytes(b.size()) + ", its headers count " + bytes(length));
    if (m.fills.empty()) out.add("records", "draw nothing, the screen needs at least one filled poly-polygon");
}

bool sameName(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
        if (lower(a[i]) != lower(b[i])) return false;
    }
    return true;
}

}  // namespace

const PictureFormat* formatFor(std::string_view fileName) {
    for (const PictureFormat& f : kPictures)
        if (sameName(fileName, f.fileName)) return &f;
    return nullptr;
}

std::vector<Difference> check(const PictureFormat& format, FileBytes file) {
    Findings out;
    switch (format.kind) {
        case Kind::Bitmap: checkBitmap(format.bitmap, file, out); break;
        case Kind::Icon: checkIcon(format, file, out); break;
        case Kind::Metafile: checkMetafile(file, out); break;
    }
    return out.list;
}

std::vector<FileBytes> iconImages(const PictureFormat& format, FileBytes file) {
    std::vector<FileBytes> images;
    if (format.kind != Kind::Icon || !check(format, file).empty()) return images;
    for (std::size_t i = 0; i < format.icon.size(); ++i)
        images.push_back(file.subspan(u32(file, 6 + 16 * i + 12), u32(file, 6 + 16 * i + 8)));
    return images;
}

}  // namespace picturecheck
