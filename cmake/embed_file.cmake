# Writes a C++ source that holds one file's bytes as an array, so that the
# program carries the file inside and reads nothing at run time.
#
#   cmake -DINPUT=file -DOUTPUT=file.cpp -DSYMBOL=name -DNAMESPACE=ns -P embed_file.cmake
#
# The array is `const std::uint8_t NAMESPACE::SYMBOL[]` with
# `const std::size_t NAMESPACE::SYMBOL_size`.
file(READ "${INPUT}" hex HEX)
string(LENGTH "${hex}" digits)
math(EXPR size "${digits} / 2")
# 32 bytes to a line: "0xAB," for each byte.
string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
string(REGEX REPLACE "((0x..,){32})" "\\1\n" bytes "${bytes}")
get_filename_component(name "${INPUT}" NAME)
file(WRITE "${OUTPUT}.tmp"
"// Generated from ${name} at build time; do not edit.
#include <cstddef>
#include <cstdint>

namespace ${NAMESPACE} {
extern const std::uint8_t ${SYMBOL}[];
extern const std::size_t ${SYMBOL}_size;
alignas(4) const std::uint8_t ${SYMBOL}[] = {
${bytes}
};
const std::size_t ${SYMBOL}_size = ${size};
}  // namespace ${NAMESPACE}
")
file(RENAME "${OUTPUT}.tmp" "${OUTPUT}")
