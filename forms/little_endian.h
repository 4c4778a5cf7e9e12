// Little-endian fields of a file image (BMP, ICO, WMF), read byte by byte:
// the images have no alignment to rely on. The caller checks that the bytes
// are there.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

namespace forms::little_endian {

inline std::uint32_t u16(std::span<const std::uint8_t> b, std::size_t at) { return b[at] | b[at + 1] << 8; }
inline std::uint32_t u32(std::span<const std::uint8_t> b, std::size_t at) {
    return u16(b, at) | u16(b, at + 2) << 16;
}
inline std::int32_t s16(std::span<const std::uint8_t> b, std::size_t at) {
    return static_cast<std::int16_t>(u16(b, at));
}
inline std::int32_t s32(std::span<const std::uint8_t> b, std::size_t at) {
    return static_cast<std::int32_t>(u32(b, at));
}

}  // namespace forms::little_endian
