// Checks a picture file against the format the screen binds it to
// (picture_formats.h) and says, field by field, what differs.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "picture_formats.h"

namespace picturecheck {

using FileBytes = std::span<const std::uint8_t>;

// One field that differs: its name ("width", "image 1 (32 by 32): bits per
// pixel", "mask of image 2", ...) and what is wrong with it ("is 640, the
// screen needs 694").
struct Difference {
    std::string field;
    std::string detail;
    bool operator==(const Difference&) const = default;
};

// The format of the picture file of this name, in any letter case; null for
// a name that is none of the six.
const PictureFormat* formatFor(std::string_view fileName);

// Every field of the file that differs from the format; empty when the
// screen takes the file as it is. Reads only inside the file, whatever it
// holds.
std::vector<Difference> check(const PictureFormat& format, FileBytes file);

// The images of an icon file, each as its bytes in the file (what an icon
// resource holds), in file order; none unless check() finds the file good.
std::vector<FileBytes> iconImages(const PictureFormat& format, FileBytes file);

}  // namespace picturecheck
