#include "file_formats.h"

#include <algorithm>
#include <stdexcept>

namespace picgen {

namespace {

class Writer {
public:
    void u8(std::uint32_t v) { out.push_back(static_cast<std::uint8_t>(v)); }
    void u16(std::uint32_t v) {
        u8(v & 0xFF);
        u8((v >> 8) & 0xFF);
    }
    void u32(std::uint32_t v) {
        u16(v & 0xFFFF);
        u16(v >> 16);
    }
    void s16(int v) { u16(static_cast<std::uint16_t>(static_cast<std::int16_t>(v))); }
    void bytes(const Bytes& b) { out.insert(out.end(), b.begin(), b.end()); }
    Bytes out;
};

int rowBytes(int width, int bitsPerPixel) { return (width * bitsPerPixel + 31) / 32 * 4; }

}  // namespace

Bytes writeBmp24(int width, int height, const std::vector<Rgb>& pixels, int xPixelsPerMetre, int yPixelsPerMetre) {
    if (pixels.size() != static_cast<std::size_t>(width) * height) throw std::logic_error("bmp: pixel count");
    const int stride = rowBytes(width, 24);
    const std::uint32_t imageSize = static_cast<std::uint32_t>(stride) * height;
    Writer w;
    w.u8('B');
    w.u8('M');
    w.u32(54 + imageSize);
    w.u32(0);
    w.u32(54);
    w.u32(40);
    w.u32(width);
    w.u32(height);  // positive: rows bottom-up
    w.u16(1);
    w.u16(24);
    w.u32(0);  // no compression
    w.u32(imageSize);
    w.u32(xPixelsPerMetre);
    w.u32(yPixelsPerMetre);
    w.u32(0);
    w.u32(0);
    for (int y = height - 1; y >= 0; --y) {
        for (int x = 0; x < width; ++x) {
            const Rgb& c = pixels[static_cast<std::size_t>(y) * width + x];
            w.u8(c.b);
            w.u8(c.g);
            w.u8(c.r);
        }
        for (int pad = width * 3; pad < stride; ++pad) w.u8(0);
    }
    return w.out;
}

Bytes IconImage::dib() const {
    const std::size_t n = static_cast<std::size_t>(width) * height;
    if (indices.size() != n || transparent.size() != n) throw std::logic_error("ico: pixel count");
    if (palette.size() != (1u << bitsPerPixel)) throw std::logic_error("ico: palette size");
    const int colourStride = rowBytes(width, bitsPerPixel);
    const int maskStride = rowBytes(width, 1);
    Writer w;
    w.u32(40);
    w.u32(width);
    w.u32(height * 2);  // colour bitmap and mask
    w.u16(1);
    w.u16(bitsPerPixel);
    w.u32(0);
    w.u32(static_cast<std::uint32_t>((colourStride + maskStride) * height));
    w.u32(0);
    w.u32(0);
    w.u32(0);
    w.u32(0);
    for (const Rgb& c : palette) {
        w.u8(c.b);
        w.u8(c.g);
        w.u8(c.r);
        w.u8(0);
    }
    for (int y = height - 1; y >= 0; --y) {
        Bytes row(colourStride, 0);
        for (int x = 0; x < width; ++x) {
            // A transparent pixel has colour 0, so that the mask alone decides what shows.
            std::uint8_t v = transparent[y * width + x] ? 0 : indices[y * width + x];
            if (v >= palette.size()) throw std::logic_error("ico: index outside the palette");
            int bit = x * bitsPerPixel;
            row[bit / 8] |= static_cast<std::uint8_t>(v << (8 - bitsPerPixel - bit % 8));
        }
        w.bytes(row);
    }
    for (int y = height - 1; y >= 0; --y) {
        Bytes row(maskStride, 0);
        for (int x = 0; x < width; ++x)
            if (transparent[y * width + x]) row[x / 8] |= static_cast<std::uint8_t>(0x80 >> (x % 8));
        w.bytes(row);
    }
    return w.out;
}

Bytes writeIco(const std::vector<IconImage>& images, const std::vector<int>& directoryColourCounts) {
    if (images.size() != directoryColourCounts.size()) throw std::logic_error("ico: colour counts");
    std::vector<Bytes> dibs;
    for (const IconImage& i : images) dibs.push_back(i.dib());
    Writer w;
    w.u16(0);
    w.u16(1);  // icon
    w.u16(static_cast<std::uint32_t>(images.size()));
    std::uint32_t offset = 6 + 16 * static_cast<std::uint32_t>(images.size());
    for (std::size_t i = 0; i < images.size(); ++i) {
        w.u8(images[i].width);
        w.u8(images[i].height);
        w.u8(directoryColourCounts[i]);
        w.u8(0);
        w.u16(1);
        w.u16(images[i].bitsPerPixel);
        w.u32(static_cast<std::uint32_t>(dibs[i].size()));
        w.u32(offset);
        offset += static_cast<std::uint32_t>(dibs[i].size());
    }
    for (const Bytes& d : dibs) w.bytes(d);
    return w.out;
}

Bytes writePlaceableWmf(const LogoMetafile& m) {
    // The records, each as its size in words, function number and parameters.
    std::vector<std::vector<std::uint16_t>> records;
    auto record = [&](std::uint16_t function, std::vector<std::uint16_t> params) {
        std::vector<std::uint16_t> r{0, 0, function};
        r.insert(r.end(), params.begin(), params.end());
        r[0] = static_cast<std::uint16_t>(r.size() & 0xFFFF);
        r[1] = static_cast<std::uint16_t>(r.size() >> 16);
        records.push_back(std::move(r));
    };
    auto word = [](int v) { return static_cast<std::uint16_t>(static_cast<std::int16_t>(v)); };
    record(0x0103, {8});                                        // SetMapMode MM_ANISOTROPIC
    record(0x020C, {word(m.windowHeight), word(m.windowWidth)});  // SetWindowExt (y, x)
    record(0x0106, {1});                                        // SetPolyFillMode ALTERNATE
    record(0x02FC, {0, word(m.brushColour & 0xFFFF), word(m.brushColour >> 16), 0});  // BS_SOLID
    record(0x012D, {0});                                        // SelectObject brush
    record(0x02FA, {5, 0, 0, 0, 0});                            // CreatePenIndirect PS_NULL
    record(0x012D, {1});                                        // SelectObject pen
    std::vector<std::uint16_t> poly{word(static_cast<int>(m.polygons.size()))};
    for (const Polygon& p : m.polygons) poly.push_back(word(static_cast<int>(p.size())));
    for (const Polygon& p : m.polygons)
        for (const Point& pt : p) {
            poly.push_back(word(pt.x));
            poly.push_back(word(pt.y));
        }
    record(0x0538, poly);  // PolyPolygon
    record(0x0000, {});    // EOF

    std::uint32_t words = 9, largest = 0;
    for (const auto& r : records) {
        words += static_cast<std::uint32_t>(r.size());
        largest = std::max<std::uint32_t>(largest, static_cast<std::uint32_t>(r.size()));
    }

    Writer w;
    std::vector<std::uint16_t> placeable{0xCDD7, 0x9AC6, 0, 0, 0, word(m.boundsWidth), word(m.boundsHeight),
                                         word(m.unitsPerInch), 0, 0};
    std::uint16_t checksum = 0;
    for (std::uint16_t v : placeable) {
        w.u16(v);
        checksum ^= v;
    }
    w.u16(checksum);
    w.u16(1);  // in memory
    w.u16(9);
    w.u16(0x0300);
    w.u32(words);
    w.u16(m.objectSlots);
    w.u32(largest);
    w.u16(0);
    for (const auto& r : records)
        for (std::uint16_t v : r) w.u16(v);
    return w.out;
}

}  // namespace picgen
