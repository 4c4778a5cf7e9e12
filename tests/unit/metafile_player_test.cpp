// The metafile player refuses what it does not know instead of guessing:
// bad headers, files cut short anywhere, unknown records, and styles it
// does not draw. The picture loader does the same for the other formats.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "forms/runtime_error.h"
#include "platform/cairo/cairo_pictures.h"
#include "platform/cairo/wmf_player.h"
#include "screen/pictures.h"

namespace {

using Bytes = std::vector<std::uint8_t>;
using platform::cairo::parseMetafile;

Bytes logo() {
    forms::FileImage f = screen::pictures::logo();
    return {f.begin(), f.end()};
}

void put16(Bytes& b, std::size_t at, std::uint32_t v) {
    b[at] = v & 0xFF;
    b[at + 1] = (v >> 8) & 0xFF;
}
std::uint32_t get16(const Bytes& b, std::size_t at) { return b[at] | b[at + 1] << 8; }

// Offsets of the logo's records, in file order.
std::vector<std::size_t> records(const Bytes& f) {
    std::vector<std::size_t> at;
    for (std::size_t p = 40; p < f.size(); p += 2 * (get16(f, p) | get16(f, p + 2) << 16)) at.push_back(p);
    return at;
}

// The header's checksum after editing the placeable header.
void fixChecksum(Bytes& f) {
    std::uint32_t sum = 0;
    for (std::size_t at = 0; at < 20; at += 2) sum ^= get16(f, at);
    put16(f, 20, sum);
}

// Inserts a record of `function` with `params` before the record at `at`,
// keeping the header's sizes right, so that only the record is new.
void insertRecord(Bytes& f, std::size_t at, std::uint16_t function, std::vector<std::uint16_t> params) {
    Bytes r(6 + 2 * params.size());
    put16(r, 0, static_cast<std::uint32_t>(3 + params.size()));
    put16(r, 4, function);
    for (std::size_t i = 0; i < params.size(); ++i) put16(r, 6 + 2 * i, params[i]);
    f.insert(f.begin() + static_cast<long>(at), r.begin(), r.end());
    put16(f, 22 + 6, get16(f, 22 + 6) + static_cast<std::uint32_t>(3 + params.size()));
}

void expectRefused(const Bytes& f, const std::string& why) {
    try {
        parseMetafile(f);
        ADD_FAILURE() << "accepted; expected: " << why;
    } catch (const forms::RuntimeError& e) {
        EXPECT_EQ(e.number(), 481);
        EXPECT_NE(e.description().find("Invalid picture: "), std::string::npos);
        EXPECT_NE(e.description().find(why), std::string::npos) << e.description();
    }
}

TEST(MetafilePlayer, RefusesABadPlaceableOrMetafileHeader) {
    Bytes f = logo();
    f[0] ^= 1;
    expectRefused(f, "not a placeable metafile");

    f = logo();
    f[10] ^= 1;  // the bounding box, checksum left as it was
    expectRefused(f, "checksum");

    f = logo();
    put16(f, 10, 0);  // right edge 0: an empty box
    fixChecksum(f);
    expectRefused(f, "bounding box is empty");

    f = logo();
    put16(f, 14, 0);
    fixChecksum(f);
    expectRefused(f, "units per inch");

    f = logo();
    put16(f, 24, 10);  // header size in words
    expectRefused(f, "not a standard one");

    f = logo();
    put16(f, 26, 0x0200);
    expectRefused(f, "version 0x0200");
}

TEST(MetafilePlayer, RefusesTheFileCutShortAtAnyLength) {
    const Bytes whole = logo();
    for (std::size_t n = 0; n < whole.size(); ++n) {
        Bytes f(whole.begin(), whole.begin() + static_cast<long>(n));
        EXPECT_THROW(parseMetafile(f), forms::RuntimeError) << "cut to " << n << " bytes";
    }
    // A header that promises more words than the file holds.
    Bytes f = whole;
    put16(f, 28, get16(f, 28) + 1);
    expectRefused(f, "cut short");
}

TEST(MetafilePlayer, RefusesRecordsItDoesNotKnowAndStylesItDoesNotDraw) {
    const Bytes whole = logo();
    const std::vector<std::size_t> at = records(whole);
    ASSERT_EQ(at.size(), 9u);

    Bytes f = whole;
    insertRecord(f, at[7], 0x0102, {1});  // SetBkMode, before the poly-polygon
    expectRefused(f, "unsupported metafile record 0x0102");

    f = whole;
    insertRecord(f, at[1], 0x020B, {0, 0});  // SetWindowOrg
    expectRefused(f, "unsupported metafile record 0x020B");

    f = whole;
    put16(f, at[0] + 6, 1);  // MM_TEXT
    expectRefused(f, "mapping mode 1");

    f = whole;
    put16(f, at[3] + 6, 2);  // a hatched brush
    expectRefused(f, "brush style 2");

    f = whole;
    put16(f, at[5] + 6, 0);  // a solid pen: outlines the player does not draw
    expectRefused(f, "pen style 0");

    f = whole;
    put16(f, at[2] + 6, 3);
    expectRefused(f, "fill mode 3");

    f = whole;
    put16(f, at[4] + 6, 3);  // slot 3 of 4 was never filled
    expectRefused(f, "not made");

    f = whole;
    put16(f, at[7] + 8, get16(f, at[7] + 8) + 1);  // the first polygon claims a point more
    expectRefused(f, "point counts");

    f = whole;
    put16(f, 22 + 10, 1);  // room for one object, but two are made
    expectRefused(f, "more objects");

    // The end record replaced by an unknown one of the same size.
    f = whole;
    put16(f, at[8] + 4, 0x0001);
    expectRefused(f, "0x0001");
}

TEST(MetafilePlayer, RefusesDrawingBeforeItsMappingAndObjects) {
    const Bytes whole = logo();
    const std::vector<std::size_t> at = records(whole);
    // Move the poly-polygon in front of everything else.
    Bytes f(whole.begin(), whole.begin() + static_cast<long>(at[0]));
    f.insert(f.end(), whole.begin() + static_cast<long>(at[7]), whole.begin() + static_cast<long>(at[8]));
    f.insert(f.end(), whole.begin() + static_cast<long>(at[0]), whole.begin() + static_cast<long>(at[7]));
    f.insert(f.end(), whole.begin() + static_cast<long>(at[8]), whole.end());
    ASSERT_EQ(f.size(), whole.size());
    expectRefused(f, "before setting its mapping");
}

TEST(PictureLoader, RefusesFileImagesItCannotDecodeWithAClearError) {
    platform::cairo::CairoPictureLoader loader;
    auto refused = [&](Bytes bytes, const std::string& why) {
        try {
            loader.load(bytes);
            ADD_FAILURE() << "accepted; expected: " << why;
        } catch (const forms::RuntimeError& e) {
            EXPECT_EQ(e.number(), 481);
            EXPECT_NE(e.description().find(why), std::string::npos) << e.description();
        }
    };
    refused({'G', 'I', 'F', '8', '9', 'a'}, "not a BMP, ICO or placeable WMF");

    forms::FileImage hand = screen::pictures::hand();
    refused(Bytes(hand.begin(), hand.begin() + 30), "cut short");  // inside the directory
    refused(Bytes(hand.begin(), hand.begin() + 600), "cut short");  // inside the first image

    forms::FileImage bmp = screen::pictures::background();
    Bytes cut(bmp.begin(), bmp.begin() + 40);  // the information header cut off
    EXPECT_THROW(loader.load(cut), forms::RuntimeError);
    // Cut anywhere in its pixels, it is refused, not shown in part.
    refused(Bytes(bmp.begin(), bmp.begin() + 60), "cut short");
    refused(Bytes(bmp.begin(), bmp.end() - 1), "cut short");
    Bytes garbage(bmp.begin(), bmp.begin() + 54);
    garbage[28] = 7;  // 7 bits per pixel
    EXPECT_THROW(loader.load(garbage), forms::RuntimeError);
    // A palette the header declares too large to be real: refused before
    // the decoder allocates it.
    Bytes palette(bmp.begin(), bmp.end());
    palette[46] = 0x02, palette[47] = 0xF1, palette[48] = 0x00, palette[49] = 0xE8;
    refused(palette, "palette of 3892375810 colours");
    palette[46] = 1, palette[47] = 1, palette[48] = 0, palette[49] = 0;  // 257
    refused(palette, "palette of 257 colours");
}

}  // namespace
