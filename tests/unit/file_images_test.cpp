// The checks the Windows painter makes before it hands GDI any part of a
// picture's file image: the program's own pictures pass, and every cut or
// bent header that would make GDI read outside the image is refused with
// "Invalid picture".
#include <gtest/gtest.h>

#include <cstdint>
#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "forms/runtime_error.h"
#include "platform/win32/file_images.h"
#include "screen/pictures.h"

namespace {

using platform::win32::bitmapParts;
using platform::win32::iconParts;
using platform::win32::metafileParts;
using Bytes = std::vector<std::uint8_t>;

Bytes copy(forms::FileImage f) { return {f.begin(), f.end()}; }

void put32(Bytes& b, std::size_t at, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) b[at + i] = static_cast<std::uint8_t>(v >> (8 * i));
}
void put16(Bytes& b, std::size_t at, std::uint16_t v) {
    b[at] = static_cast<std::uint8_t>(v);
    b[at + 1] = static_cast<std::uint8_t>(v >> 8);
}

template <typename Parse>
void expectRefused(const Bytes& bytes, Parse parse, const char* what) {
    try {
        parse(forms::FileImage(bytes));
        ADD_FAILURE() << what << ": taken";
    } catch (const forms::RuntimeError& e) {
        EXPECT_EQ(e.number(), forms::errors::kInvalidPicture) << what;
        EXPECT_EQ(std::string(e.what()).rfind("Invalid picture: ", 0), 0u) << what << ": " << e.what();
    }
}

using Bends = std::vector<std::pair<const char*, std::function<void(Bytes&)>>>;

// Each bend of a good file image is refused; fix, when given, runs after the
// bend (to keep a checksum right, so that the field itself is refused).
template <typename Parse>
void expectEachRefused(const Bytes& good, const Bends& bends, Parse parse, void (*fix)(Bytes&) = nullptr) {
    for (const auto& [what, bend] : bends) {
        Bytes bent = good;
        bend(bent);
        if (fix) fix(bent);
        expectRefused(bent, parse, what);
    }
}

// Every cut of a file image short of the end of the parts it is drawn from
// is refused: nothing a cut image yields points past its end.
template <typename Parse>
void expectEveryCutRefused(forms::FileImage whole, std::size_t needed, Parse parse) {
    // Every cut through the headers and the last rows, and a sample of the
    // others (copying a megabyte for each cut would take seconds).
    for (std::size_t n = 0; n < needed; n += (n < 4096 || needed - n < 4096) ? 1 : 4093) {
        const Bytes cut(whole.begin(), whole.begin() + static_cast<std::ptrdiff_t>(n));
        try {
            parse(forms::FileImage(cut));
        } catch (const forms::RuntimeError& e) {
            ASSERT_EQ(e.number(), forms::errors::kInvalidPicture);
            continue;
        }
        ADD_FAILURE() << "a cut to " << n << " of " << whole.size() << " bytes was taken";
    }
}

TEST(FileImages, TheProgramsOwnPicturesAreFoundWhereTheyLie) {
    const forms::FileImage bmp = screen::pictures::background();
    const auto bitmap = bitmapParts(bmp);
    EXPECT_EQ(bitmap.width, 694);
    EXPECT_EQ(bitmap.height, 477);
    EXPECT_TRUE(bitmap.bottomUp);
    EXPECT_EQ(bitmap.info, bmp.data() + 14);
    EXPECT_EQ(bitmap.bits, bmp.data() + 54);

    // The control shows the 32 by 32 image, whatever the order of the
    // directory; the window icon's first 32 by 32 one is its 1-bit image.
    for (forms::FileImage ico : {screen::pictures::disc(), screen::pictures::hand(), screen::pictures::handCursor()}) {
        const auto icon = iconParts(ico);
        EXPECT_EQ(icon.width, 32);
        EXPECT_EQ(icon.height, 32);
        EXPECT_EQ(icon.image.data(), ico.data() + 38);
    }
    Bytes swapped = copy(screen::pictures::hand());
    std::swap_ranges(swapped.begin() + 6, swapped.begin() + 22, swapped.begin() + 22);
    EXPECT_EQ(iconParts(swapped).width, 32);
    EXPECT_EQ(iconParts(swapped).image.size(), 744u);
    EXPECT_EQ(iconParts(screen::pictures::windowIcon()).image.size(), 304u);

    const forms::FileImage wmf = screen::pictures::logo();
    const auto logo = metafileParts(wmf);
    EXPECT_EQ(logo.right - logo.left, 705);
    EXPECT_EQ(logo.bottom - logo.top, 241);
    EXPECT_EQ(logo.unitsPerInch, 1000);
    EXPECT_EQ(logo.metafile.data(), wmf.data() + 22);
    EXPECT_EQ(logo.metafile.size(), wmf.size() - 22);
}

TEST(FileImages, EveryCutImageIsRefused) {
    // The bitmap's last row and the metafile's last record end their files;
    // an icon without the 16 by 16 image after its 32 by 32 one is whole.
    expectEveryCutRefused(screen::pictures::background(), screen::pictures::background().size(), bitmapParts);
    expectEveryCutRefused(screen::pictures::hand(), 38 + 744, iconParts);
    expectEveryCutRefused(screen::pictures::handCursor(), 38 + 2216, iconParts);
    expectEveryCutRefused(screen::pictures::logo(), screen::pictures::logo().size(), metafileParts);
    const Bytes withoutSmallImage(screen::pictures::hand().begin(), screen::pictures::hand().begin() + 38 + 744);
    EXPECT_EQ(iconParts(withoutSmallImage).image.size(), 744u);
}

TEST(FileImages, BentBitmapHeadersAreRefused) {
    const Bytes good = copy(screen::pictures::background());
    const Bends bends = {
        {"pixels past the end", [](Bytes& b) { put32(b, 10, 60); }},
        {"pixels inside the header", [](Bytes& b) { put32(b, 10, 40); }},
        {"an OS/2 core header", [](Bytes& b) { put32(b, 14, 12); }},
        {"a header of unknown size", [](Bytes& b) { put32(b, 14, 64); }},
        {"a huge header", [](Bytes& b) { put32(b, 14, 0xFFFFFFF0u); }},
        {"no width", [](Bytes& b) { put32(b, 18, 0); }},
        {"a negative width", [](Bytes& b) { put32(b, 18, 0xFFFFFD4Au); }},
        {"a width that overflows the rows", [](Bytes& b) { put32(b, 18, 0x7FFFFFFFu); }},
        {"no height", [](Bytes& b) { put32(b, 22, 0); }},
        {"two planes", [](Bytes& b) { put16(b, 26, 2); }},
        {"7 bits per pixel", [](Bytes& b) { put16(b, 28, 7); }},
        {"run-length compression", [](Bytes& b) { put32(b, 30, 1); }},
        {"a colour table larger than 8 bits can index", [](Bytes& b) {
             put16(b, 28, 8);
             put32(b, 46, 257);
         }},
        {"a colour table between header and pixels that is not there", [](Bytes& b) { put32(b, 46, 1); }},
    };
    expectEachRefused(good, bends, bitmapParts);
    // Rows stored top-down are taken as such.
    Bytes topDown = good;
    put32(topDown, 22, static_cast<std::uint32_t>(-477));
    EXPECT_FALSE(bitmapParts(topDown).bottomUp);
    EXPECT_EQ(bitmapParts(topDown).height, 477);
}

TEST(FileImages, BentIconsAndMetafilesAreRefused) {
    const Bytes ico = copy(screen::pictures::hand());
    const Bends icons = {
        {"a cursor file", [](Bytes& b) { put16(b, 2, 2); }},
        {"no images", [](Bytes& b) { put16(b, 4, 0); }},
        {"more directory entries than the file holds", [](Bytes& b) { put16(b, 4, 200); }},
        {"an image past the end", [](Bytes& b) { put32(b, 6 + 12, 1000); }},
        {"an offset that wraps round", [](Bytes& b) { put32(b, 6 + 12, 0xFFFFFFF0u); }},
        {"an image shorter than its header", [](Bytes& b) { put32(b, 6 + 8, 20); }},
        {"an image shorter than its pixels", [](Bytes& b) { put32(b, 6 + 8, 600); }},
        {"a PNG image", [](Bytes& b) { put32(b, 38, 0x474E5089u); }},
        {"a height not doubled", [](Bytes& b) { put32(b, 38 + 8, 33); }},
        {"a huge width", [](Bytes& b) { put32(b, 38 + 4, 100000); }},
        {"a compressed image", [](Bytes& b) { put32(b, 38 + 16, 2); }},
    };
    expectEachRefused(ico, icons, iconParts);

    const Bytes wmf = copy(screen::pictures::logo());
    const Bends metafiles = {
        {"an empty bounding box", [](Bytes& b) { put16(b, 10, 0); }},
        {"no units per inch", [](Bytes& b) { put16(b, 14, 0); }},
        {"a header of another size", [](Bytes& b) { put16(b, 22 + 2, 8); }},
        {"a metafile longer than the file", [](Bytes& b) { put32(b, 22 + 6, 100000); }},
        {"a metafile shorter than its header", [](Bytes& b) { put32(b, 22 + 6, 4); }},
    };
    const Bends checksummed = {
        {"a wrong checksum", [](Bytes& b) { b[20] ^= 1; }},
        {"another key", [](Bytes& b) { b[0] ^= 1; }},
    };
    expectEachRefused(wmf, checksummed, metafileParts);
    // The checksum covers the bounding box and the units: it is set again so
    // that the field itself is what is refused.
    expectEachRefused(wmf, metafiles, metafileParts, [](Bytes& b) {
        std::uint16_t sum = 0;
        for (std::size_t at = 0; at < 20; at += 2) sum ^= static_cast<std::uint16_t>(b[at] | b[at + 1] << 8);
        put16(b, 20, sum);
    });
}

}  // namespace
