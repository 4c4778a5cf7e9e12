# Writes a C++ source that holds one file's bytes as an array, so that the
# program carries the file inside and reads nothing at run time, and a header
# that declares the array with its length.
#
#   cmake -DINPUT=file -DOUTPUT=file.cpp -DHEADER=file.h -DSYMBOL=name -DNAMESPACE=ns -P embed_file.cmake
#
# The array is `const std::uint8_t NAMESPACE::SYMBOL[length]`: with the
# length in its type, a span of it is a constant, and tables that point at
# the file can be constant data.
file(READ "${INPUT}" hex HEX)
string(LENGTH "${hex}" digits)
math(EXPR size "${digits} / 2")
# 32 bytes to a line: "0xAB," for each byte.
string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
string(REGEX REPLACE "((0x..,){32})" "\\1\n" bytes "${bytes}")
get_filename_component(name "${INPUT}" NAME)
get_filename_component(header_name "${HEADER}" NAME)
file(WRITE "${HEADER}.tmp"
"// Generated from ${name} at build time; do not edit.
#pragma once

#include <cstdint>

namespace ${NAMESPACE} {
extern const std::uint8_t ${SYMBOL}[${size}];
}  // namespace ${NAMESPACE}
")
file(WRITE "${OUTPUT}.tmp"
"// Generated from ${name} at build time; do not edit.
#include \"${header_name}\"

namespace ${NAMESPACE} {
alignas(4) const std::uint8_t ${SYMBOL}[] = {
${bytes}
};
}  // namespace ${NAMESPACE}
")
file(RENAME "${HEADER}.tmp" "${HEADER}")
file(RENAME "${OUTPUT}.tmp" "${OUTPUT}")
