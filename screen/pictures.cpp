#include "screen/pictures.h"

#include <cstddef>
#include <cstdint>

// The file images in screen/pictures/, compiled in by the build (see
// cmake/EmbeddedFiles.cmake). The program reads no picture file at run time.
namespace screen::pictures::data {
extern const std::uint8_t background[];
extern const std::size_t background_size;
extern const std::uint8_t disc[];
extern const std::size_t disc_size;
extern const std::uint8_t hand[];
extern const std::size_t hand_size;
extern const std::uint8_t hand_cursor[];
extern const std::size_t hand_cursor_size;
extern const std::uint8_t logo[];
extern const std::size_t logo_size;
extern const std::uint8_t window_icon[];
extern const std::size_t window_icon_size;
}  // namespace screen::pictures::data

namespace screen::pictures {

forms::FileImage background() { return {data::background, data::background_size}; }
forms::FileImage disc() { return {data::disc, data::disc_size}; }
forms::FileImage hand() { return {data::hand, data::hand_size}; }
forms::FileImage handCursor() { return {data::hand_cursor, data::hand_cursor_size}; }
forms::FileImage logo() { return {data::logo, data::logo_size}; }
forms::FileImage windowIcon() { return {data::window_icon, data::window_icon_size}; }

}  // namespace screen::pictures
