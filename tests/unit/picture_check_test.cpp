// The picture checker: our own pictures fit; a maker's picture that differs
// from what the screen binds it to is refused with the field that differs,
// for each of the three formats; and no file, however cut short or
// garbled, makes it read outside the file.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "picture_check.h"
#include "screen/pictures.h"
#include "tests/unit/embedded_pictures.h"

namespace {

using Bytes = std::vector<std::uint8_t>;
using picturecheck::Difference;

const picturecheck::PictureFormat& format(const char* name) { return *picturecheck::formatFor(name); }

Bytes copy(forms::FileImage f) { return {f.begin(), f.end()}; }

void put16(Bytes& b, std::size_t at, std::uint32_t v) {
    b[at] = v & 0xFF;
    b[at + 1] = (v >> 8) & 0xFF;
}
void put32(Bytes& b, std::size_t at, std::uint32_t v) {
    put16(b, at, v & 0xFFFF);
    put16(b, at + 2, v >> 16);
}
std::uint32_t get16(const Bytes& b, std::size_t at) { return b[at] | b[at + 1] << 8; }
std::uint32_t get32(const Bytes& b, std::size_t at) { return get16(b, at) | get16(b, at + 2) << 16; }

std::vector<std::string> fields(const std::vector<Difference>& ds) {
    std::vector<std::string> out;
    for (const Difference& d : ds) out.push_back(d.field);
    return out;
}
std::string detailOf(const std::vector<Difference>& ds, const std::string& field) {
    for (const Difference& d : ds)
        if (d.field == field) return d.detail;
    return "(no " + field + ")";
}

std::vector<Difference> checkAs(const char* name, const Bytes& b) { return picturecheck::check(format(name), b); }

// Every shorter copy of a file is refused without reading past its end (the
// unit ring also runs under AddressSanitizer).
void expectEveryTruncationRefused(const char* name, const Bytes& good) {
    for (std::size_t n = 0; n < good.size(); n += n < 200 ? 1 : 97) {
        Bytes cut(good.begin(), good.begin() + static_cast<std::ptrdiff_t>(n));
        cut.shrink_to_fit();
        EXPECT_FALSE(checkAs(name, cut).empty()) << name << " cut to " << n << " bytes";
    }
}

TEST(PictureCheck, OurSixPicturesFitAndNamesAreFoundInAnyLetterCase) {
    for (const EmbeddedPicture& p : embeddedPictures())
        EXPECT_EQ(picturecheck::check(format(p.file), p.bytes), std::vector<Difference>{}) << p.file;
    EXPECT_EQ(picturecheck::formatFor("Hand-Cursor.ICO"), &format("hand-cursor.ico"));
    EXPECT_EQ(picturecheck::formatFor("cursor.ico"), nullptr);
    EXPECT_EQ(picturecheck::formatFor("background.png"), nullptr);
}

// A 24-bit bottom-up bitmap of the given size, as paint programs write it.
Bytes bitmap(int width, int height, int bitsPerPixel = 24) {
    const std::uint32_t stride = picturecheck::rowBytes(width, bitsPerPixel), image = stride * height;
    Bytes b(54 + image, 0x40);
    b[0] = 'B', b[1] = 'M';
    put32(b, 2, 54 + image), put32(b, 6, 0), put32(b, 10, 54), put32(b, 14, 40);
    put32(b, 18, width), put32(b, 22, height), put16(b, 26, 1), put16(b, 28, bitsPerPixel), put32(b, 30, 0);
    put32(b, 34, image), put32(b, 38, 2835), put32(b, 42, 2835), put32(b, 46, 0), put32(b, 50, 0);
    return b;
}

TEST(PictureCheck, ABackgroundOfAnotherSizeNamesItsWidthHeightAndByteCounts) {
    const std::vector<Difference> d = checkAs("background.bmp", bitmap(640, 480));
    EXPECT_EQ(fields(d), (std::vector<std::string>{"width", "height", "image size", "file size field", "file size"}));
    EXPECT_EQ(detailOf(d, "width"), "is 640, the screen needs 694");
    EXPECT_EQ(detailOf(d, "height"), "is 480, the screen needs 477");
    EXPECT_EQ(detailOf(d, "file size"), "is 921654, the screen needs 994122");
}

TEST(PictureCheck, ABackgroundOfTheRightSizeButAnotherLayoutNamesTheField) {
    EXPECT_EQ(checkAs("background.bmp", bitmap(694, 477)), std::vector<Difference>{}) << "any resolution will do";
    Bytes noImageSize = bitmap(694, 477);
    put32(noImageSize, 34, 0);
    EXPECT_EQ(checkAs("background.bmp", noImageSize), std::vector<Difference>{}) << "0: uncompressed, size implied";

    Bytes topDown = bitmap(694, 477);
    put32(topDown, 22, static_cast<std::uint32_t>(-477));
    EXPECT_EQ(fields(checkAs("background.bmp", topDown)), std::vector<std::string>{"height"});
    EXPECT_NE(detailOf(checkAs("background.bmp", topDown), "height").find("bottom-up"), std::string::npos);

    Bytes v5 = bitmap(694, 477);  // a header with colour-space information
    put32(v5, 14, 124);
    EXPECT_EQ(fields(checkAs("background.bmp", v5)), std::vector<std::string>{"information header size"});

    Bytes compressed = bitmap(694, 477);
    put32(compressed, 30, 1);
    EXPECT_EQ(fields(checkAs("background.bmp", compressed)), std::vector<std::string>{"compression"});

    Bytes palette = bitmap(694, 477);
    put32(palette, 46, 16);
    EXPECT_EQ(fields(checkAs("background.bmp", palette)), std::vector<std::string>{"colours used"});

    const std::vector<Difference> deep = checkAs("background.bmp", bitmap(694, 477, 32));
    EXPECT_EQ(detailOf(deep, "bits per pixel"), "is 32, the screen needs 24");

    Bytes trailing = bitmap(694, 477);
    trailing.push_back(0);
    EXPECT_EQ(fields(checkAs("background.bmp", trailing)), std::vector<std::string>{"file size"});

    Bytes png = bitmap(694, 477);
    png[0] = 0x89, png[1] = 'P';
    EXPECT_EQ(fields(checkAs("background.bmp", png)), std::vector<std::string>{"signature"});
    expectEveryTruncationRefused("background.bmp", bitmap(694, 477));
}

// Icons: offsets of our disc and hand pictures' images and their parts.
constexpr std::size_t kImage1 = 38, kImage2 = 782;
constexpr std::size_t kMask1 = kImage1 + 40 + 64 + 16 * 32;  // after header, 16 colours, 4-bit rows

TEST(PictureCheck, A32BitIconNamesTheDepthOfEachImageInItsDirectoryAndHeader) {
    Bytes hand = copy(screen::pictures::hand());
    for (std::size_t image : {kImage1, kImage2}) put16(hand, image + 14, 32);
    put16(hand, 6 + 6, 32);
    put16(hand, 6 + 16 + 6, 32);
    const std::vector<Difference> d = checkAs("hand.ico", hand);
    EXPECT_EQ(fields(d), (std::vector<std::string>{"image 1 directory entry: bits per pixel", "image 1 header: bits per pixel",
                                                   "image 2 directory entry: bits per pixel", "image 2 header: bits per pixel"}));
    EXPECT_EQ(detailOf(d, "image 1 header: bits per pixel"), "is 32, the screen needs 4");
}

TEST(PictureCheck, IconsInAnotherOrderCountOrKindAreRefusedByThatField) {
    // The 16 by 16 image first.
    const Bytes disc = copy(screen::pictures::disc());
    Bytes swapped(disc.begin(), disc.begin() + 38);
    std::copy(disc.begin() + 6 + 16, disc.begin() + 6 + 32, swapped.begin() + 6);
    std::copy(disc.begin() + 6, disc.begin() + 6 + 16, swapped.begin() + 6 + 16);
    put32(swapped, 6 + 12, 38), put32(swapped, 6 + 16 + 12, 38 + 296);
    swapped.insert(swapped.end(), disc.begin() + kImage2, disc.end());
    swapped.insert(swapped.end(), disc.begin() + kImage1, disc.begin() + kImage2);
    const std::vector<Difference> d = checkAs("disc.ico", swapped);
    EXPECT_EQ(detailOf(d, "image 1 directory entry: width"), "is 16, the screen needs 32");
    EXPECT_EQ(detailOf(d, "image 2 directory entry: width"), "is 32, the screen needs 16");

    Bytes cursor = copy(screen::pictures::handCursor());
    put16(cursor, 2, 2);
    EXPECT_EQ(checkAs("hand-cursor.ico", cursor),
              (std::vector<Difference>{{"type", "is 2 (a cursor file), the screen needs 1 (an icon file)"}}));

    // The marker's 16-colour hand is not the pointer's 256-colour one.
    const std::vector<Difference> pointer = checkAs("hand-cursor.ico", copy(screen::pictures::hand()));
    EXPECT_EQ(detailOf(pointer, "image 1 directory entry: colour count"), "is 16, the screen needs 0");
    EXPECT_EQ(detailOf(pointer, "image 1 header: bits per pixel"), "is 4, the screen needs 8");
    EXPECT_EQ(detailOf(pointer, "file size"), "is 1078, the screen needs 3638");

    // A window icon of two images.
    const std::vector<Difference> two = checkAs("window.ico", copy(screen::pictures::hand()));
    EXPECT_EQ(fields(two), std::vector<std::string>{"image count"});
    EXPECT_NE(detailOf(two, "image count").find("32 by 32 at 1 bit, 32 by 32 at 4 bits, 16 by 16 at 4 bits"),
              std::string::npos);
}

TEST(PictureCheck, AnIconImageWithAnotherHeaderOrNoBitmapIsRefused) {
    Bytes height = copy(screen::pictures::disc());
    put32(height, kImage1 + 8, 32);  // the mask's rows not counted
    EXPECT_EQ(fields(checkAs("disc.ico", height)), std::vector<std::string>{"image 1 header: height"});

    Bytes used = copy(screen::pictures::disc());
    put32(used, kImage2 + 32, 5);  // a colour table shorter than the file holds
    EXPECT_EQ(fields(checkAs("disc.ico", used)), std::vector<std::string>{"image 2 header: colours used"});
    put32(used, kImage2 + 32, 16);
    EXPECT_EQ(checkAs("disc.ico", used), std::vector<Difference>{}) << "a full table may be counted";

    Bytes png = copy(screen::pictures::disc());
    const std::uint8_t signature[] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    std::copy(std::begin(signature), std::end(signature), png.begin() + kImage1);
    EXPECT_EQ(fields(checkAs("disc.ico", png)), std::vector<std::string>{"image 1 header: format"});

    Bytes past = copy(screen::pictures::disc());
    put32(past, 6 + 16 + 12, 1000);
    const std::vector<Difference> d = checkAs("disc.ico", past);
    EXPECT_EQ(fields(d), (std::vector<std::string>{"image 2 directory entry: offset", "image 2 directory entry: bytes"}));
}

TEST(PictureCheck, MasksMustLeaveTheSurroundTransparentAndShowSomething) {
    Bytes opaque = copy(screen::pictures::hand());
    std::fill(opaque.begin() + kMask1, opaque.begin() + kMask1 + 4 * 32, 0x00);
    const std::vector<Difference> d = checkAs("hand.ico", opaque);
    EXPECT_EQ(fields(d), std::vector<std::string>{"image 1 mask"});
    EXPECT_EQ(detailOf(d, "image 1 mask"),
              "leaves pixel 0,0 of the edge opaque, the screen needs a transparent surround");

    Bytes invisible = copy(screen::pictures::hand());
    std::fill(invisible.begin() + kMask1, invisible.begin() + kMask1 + 4 * 32, 0xFF);
    EXPECT_EQ(detailOf(checkAs("hand.ico", invisible), "image 1 mask"),
              "is transparent everywhere: nothing of the image would show");

    // The window icon may fill its square: only the pictures drawn over the
    // background or used as the pointer need a surround.
    Bytes window = copy(screen::pictures::windowIcon());
    const std::size_t image2 = get32(window, 6 + 16 + 12);
    std::fill(window.begin() + image2 + 40 + 64 + 16 * 32, window.begin() + image2 + 744, 0x00);
    EXPECT_EQ(checkAs("window.ico", window), std::vector<Difference>{});
}

TEST(PictureCheck, TheWindowIconsImagesAreTheExecutablesIconResources) {
    const forms::FileImage ico = screen::pictures::windowIcon();
    const std::vector<picturecheck::FileBytes> images = picturecheck::iconImages(format("window.ico"), ico);
    ASSERT_EQ(images.size(), 3u);
    for (int i = 0; i < 3; ++i) {
        SCOPED_TRACE(i);
        std::ifstream in(std::string(SOURCE_DIR) + "/screen/resources/window-icon-" + std::to_string(30001 + i) + ".dib",
                         std::ios::binary);
        const Bytes resource{std::istreambuf_iterator<char>(in), {}};
        EXPECT_EQ(images[i].size(), picturecheck::imageBytes(picturecheck::kWindowIcon[i]));
        EXPECT_TRUE(std::equal(resource.begin(), resource.end(), images[i].begin(), images[i].end()));
    }
    Bytes wrong = copy(ico);
    put16(wrong, 6 + 6, 8);
    EXPECT_TRUE(picturecheck::iconImages(format("window.ico"), wrong).empty()) << "no images of an icon that does not fit";
}

TEST(PictureCheck, EveryTruncationOfAnIconIsRefused) {
    expectEveryTruncationRefused("disc.ico", copy(screen::pictures::disc()));
    expectEveryTruncationRefused("hand-cursor.ico", copy(screen::pictures::handCursor()));
    expectEveryTruncationRefused("window.ico", copy(screen::pictures::windowIcon()));
}

// The logo's records, as (offset, function) pairs.
std::vector<std::pair<std::size_t, std::uint32_t>> records(const Bytes& f) {
    std::vector<std::pair<std::size_t, std::uint32_t>> out;
    for (std::size_t at = 22 + 18; at + 6 <= f.size() && get32(f, at) >= 3; at += 2 * get32(f, at))
        out.push_back({at, get16(f, at + 4)});
    return out;
}

TEST(PictureCheck, ALogoWithoutItsPlaceableHeaderOrWithAnotherRecordIsRefused) {
    const Bytes logo = copy(screen::pictures::logo());
    const Bytes plain(logo.begin() + 22, logo.end());
    EXPECT_EQ(checkAs("logo.wmf", plain),
              (std::vector<Difference>{{"placeable header",
                                        "is missing (the file starts with a plain metafile header), the screen needs "
                                        "one with the key 0x9AC6CDD7"}}));
    EXPECT_EQ(fields(checkAs("logo.wmf", bitmap(2, 2))), std::vector<std::string>{"placeable header"});

    Bytes checksum = logo;
    put16(checksum, 10, 706);  // the bounding box, without a new checksum
    EXPECT_EQ(checkAs("logo.wmf", checksum),
              (std::vector<Difference>{{"records", "the placeable header's checksum is wrong"}}));

    Bytes polygon = logo;  // a single polygon record, which the player does not know
    put16(polygon, records(logo)[7].first + 4, 0x0324);
    ASSERT_EQ(records(logo)[7].second, 0x0538u);
    EXPECT_EQ(checkAs("logo.wmf", polygon),
              (std::vector<Difference>{{"records", "unsupported metafile record 0x0324"}}));

    Bytes trailing = logo;
    trailing.insert(trailing.end(), {0, 0});
    EXPECT_EQ(checkAs("logo.wmf", trailing),
              (std::vector<Difference>{{"file size", "is 4532 bytes, its headers count 4530 bytes"}}));
}

TEST(PictureCheck, ALogoThatDrawsNothingIsRefused) {
    const Bytes logo = copy(screen::pictures::logo());
    const auto r = records(logo);
    ASSERT_EQ(r[7].second, 0x0538u);
    Bytes empty(logo.begin(), logo.begin() + static_cast<std::ptrdiff_t>(r[7].first));
    empty.insert(empty.end(), logo.begin() + static_cast<std::ptrdiff_t>(r[8].first), logo.end());
    put32(empty, 22 + 6, static_cast<std::uint32_t>((empty.size() - 22) / 2));
    EXPECT_EQ(checkAs("logo.wmf", empty),
              (std::vector<Difference>{{"records", "draw nothing, the screen needs at least one filled poly-polygon"}}));
    expectEveryTruncationRefused("logo.wmf", logo);
}

}  // namespace
