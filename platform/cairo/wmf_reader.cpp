#include "platform/cairo/wmf_reader.h"

#include <cstdio>
#include <string>

#include "forms/runtime_error.h"

namespace platform::cairo {

namespace {

constexpr std::uint32_t kPlaceableKey = 0x9AC6CDD7;
constexpr std::size_t kPlaceableSize = 22, kHeaderSize = 18;

// The records the player knows.
enum Function : std::uint16_t {
    kEof = 0x0000,
    kSetMapMode = 0x0103,
    kSetPolyFillMode = 0x0106,
    kSelectObject = 0x012D,
    kSetWindowExt = 0x020C,
    kCreatePenIndirect = 0x02FA,
    kCreateBrushIndirect = 0x02FC,
    kPolyPolygon = 0x0538,
};
constexpr int kAnisotropic = 8;
constexpr int kAlternate = 1, kWinding = 2;
constexpr int kSolidBrush = 0, kNullPen = 5;

[[noreturn]] void invalid(const std::string& why) {
    throw forms::RuntimeError(forms::errors::kInvalidPicture, "Invalid picture: " + why);
}

std::string hex4(unsigned v) {
    char buf[8];
    std::snprintf(buf, sizeof buf, "0x%04X", v & 0xFFFF);
    return buf;
}

// Little-endian reads, each checked against the end of what it may read.
class Reader {
public:
    Reader(forms::FileImage bytes, std::size_t end) : bytes_(bytes), end_(end) {}
    std::uint16_t u16(std::size_t at) const {
        need(at, 2);
        return static_cast<std::uint16_t>(bytes_[at] | bytes_[at + 1] << 8);
    }
    std::int16_t s16(std::size_t at) const { return static_cast<std::int16_t>(u16(at)); }
    std::uint32_t u32(std::size_t at) const { return u16(at) | static_cast<std::uint32_t>(u16(at + 2)) << 16; }

private:
    void need(std::size_t at, std::size_t n) const {
        if (at > end_ || end_ - at < n) invalid("the metafile is cut short");
    }
    forms::FileImage bytes_;
    std::size_t end_;
};

// GDI objects as the player knows them.
struct Object {
    enum class Kind { Free, Brush, NullPen } kind = Kind::Free;
    forms::Colour colour = 0;
};

}  // namespace

Metafile parseMetafile(forms::FileImage file) {
    if (file.size() < kPlaceableSize + kHeaderSize) invalid("the metafile is shorter than its headers");
    Reader header(file, file.size());
    if (header.u32(0) != kPlaceableKey) invalid("not a placeable metafile");
    std::uint16_t checksum = 0;
    for (std::size_t at = 0; at < 20; at += 2) checksum ^= header.u16(at);
    if (checksum != header.u16(20)) invalid("the placeable header's checksum is wrong");

    Metafile m;
    m.boundsLeft = header.s16(6);
    m.boundsTop = header.s16(8);
    m.boundsWidth = header.s16(10) - m.boundsLeft;
    m.boundsHeight = header.s16(12) - m.boundsTop;
    m.unitsPerInch = header.u16(14);
    if (m.boundsWidth <= 0 || m.boundsHeight <= 0) invalid("the metafile's bounding box is empty");
    if (m.unitsPerInch == 0) invalid("the metafile has no units per inch");

    const std::size_t h = kPlaceableSize;
    const std::uint16_t type = header.u16(h), headerWords = header.u16(h + 2);
    m.version = header.u16(h + 4);
    m.sizeInWords = header.u32(h + 6);
    m.objectCount = header.u16(h + 10);
    if ((type != 1 && type != 2) || headerWords != 9) invalid("the metafile header is not a standard one");
    if (m.version != 0x0300 && m.version != 0x0100) invalid("unknown metafile version " + hex4(m.version));
    if (m.sizeInWords < 9 || (file.size() - h) / 2 < m.sizeInWords)
        invalid("the metafile is cut short: its header counts " + std::to_string(m.sizeInWords) + " words");

    const std::size_t end = h + 2 * static_cast<std::size_t>(m.sizeInWords);
    Reader in(file, end);
    std::vector<Object> objects(m.objectCount);
    int brush = -1, pen = -1;
    bool alternate = true, anisotropic = false;
    bool ended = false;
    for (std::size_t at = h + kHeaderSize; !ended;) {
        if (at >= end) invalid("the metafile has no end record");
        const std::uint32_t words = in.u32(at);
        const std::uint16_t function = in.u16(at + 4);
        if (words < 3 || (end - at) / 2 < words) invalid("a metafile record is cut short");
        const std::size_t params = at + 6;
        const std::uint32_t paramWords = words - 3;
        auto expect = [&](std::uint32_t n) {
            if (paramWords != n) invalid("metafile record " + hex4(function) + " has the wrong size");
        };
        auto newObject = [&](Object o) {
            for (Object& slot : objects)
                if (slot.kind == Object::Kind::Free) {
                    slot = o;
                    return;
                }
            invalid("the metafile makes more objects than its header allows");
        };
        switch (function) {
            case kEof:
                expect(0);
                if (at + 6 != end) invalid("the metafile goes on after its end record");
                ended = true;
                break;
            case kSetMapMode:
                expect(1);
                if (in.u16(params) != kAnisotropic) invalid("unsupported mapping mode " + std::to_string(in.u16(params)));
                anisotropic = true;
                break;
            case kSetWindowExt:
                expect(2);
                m.windowHeight = in.s16(params);
                m.windowWidth = in.s16(params + 2);
                if (m.windowWidth == 0 || m.windowHeight == 0) invalid("the metafile's window is empty");
                break;
            case kSetPolyFillMode: {
                expect(1);
                const std::uint16_t mode = in.u16(params);
                if (mode != kAlternate && mode != kWinding) invalid("unknown polygon fill mode " + std::to_string(mode));
                alternate = mode == kAlternate;
                break;
            }
            case kCreateBrushIndirect: {
                expect(4);
                if (in.u16(params) != kSolidBrush) invalid("unsupported brush style " + std::to_string(in.u16(params)));
                newObject({Object::Kind::Brush, in.u32(params + 2) & 0x00FFFFFF});
                break;
            }
            case kCreatePenIndirect:
                expect(5);
                if (in.u16(params) != kNullPen) invalid("unsupported pen style " + std::to_string(in.u16(params)));
                newObject({Object::Kind::NullPen, 0});
                break;
            case kSelectObject: {
                expect(1);
                const std::uint16_t index = in.u16(params);
                if (index >= objects.size() || objects[index].kind == Object::Kind::Free)
                    invalid("the metafile selects an object it has not made");
                (objects[index].kind == Object::Kind::Brush ? brush : pen) = index;
                break;
            }
            case kPolyPolygon: {
                if (!anisotropic || m.windowWidth == 0) invalid("the metafile draws before setting its mapping");
                if (brush < 0 || pen < 0) invalid("the metafile draws before selecting its brush and pen");
                if (paramWords < 1) invalid("a poly-polygon record is cut short");
                const std::uint16_t count = in.u16(params);
                if (count == 0 || paramWords < 1u + count) invalid("a poly-polygon record is cut short");
                std::uint64_t points = 0;
                for (std::uint16_t i = 0; i < count; ++i) points += in.u16(params + 2 + 2 * i);
                if (paramWords != 1u + count + 2 * points) invalid("a poly-polygon's point counts do not match its size");
                MetafileFill fill{objects[brush].colour, alternate, {}};
                std::size_t p = params + 2 + 2 * static_cast<std::size_t>(count);
                for (std::uint16_t i = 0; i < count; ++i) {
                    std::vector<MetafilePoint> polygon(in.u16(params + 2 + 2 * i));
                    for (MetafilePoint& pt : polygon) {
                        pt = {in.s16(p), in.s16(p + 2)};
                        p += 4;
                    }
                    fill.polygons.push_back(std::move(polygon));
                }
                m.fills.push_back(std::move(fill));
                break;
            }
            default:
                invalid("unsupported metafile record " + hex4(function));
        }
        at += 2 * static_cast<std::size_t>(words);
    }
    return m;
}

}  // namespace platform::cairo
