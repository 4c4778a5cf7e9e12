#!/usr/bin/env bash
# The configure step refuses a maker's value that the menu cannot show, with
# a message that names the variable: an empty one, a control character, a
# text that is not UTF-8, an e-mail address without exactly one "@", and a
# pictures folder that does not exist. The commented example configures.
#
#   refused_values_test.sh SOURCE_DIR WORK
set -euo pipefail
src=$1 work=$2
tree=$work/tree
rm -rf "$work"
mkdir -p "$work"
fail() { echo "FAIL: $*" >&2; exit 1; }
passed=0

# configure [ARGS...]: a configure step with today's values but for ARGS.
configure() {
    cmake -S "$src" -B "$tree" -G Ninja -DBUILD_TESTING=OFF -DMAKER_PICTURES_DIR= \
          "-DMAKER_ADDRESS=Tarvelo House" -DMAKER_STD_CODE=0484 -DMAKER_PHONE=235018 \
          -DMAKER_EMAIL=install@tarvelo.example "$@" >"$work/log" 2>&1
}
# refused WHAT EXPECTED-TEXT ARGS...: the configure step fails and says EXPECTED-TEXT.
refused() {
    local what=$1 expected=$2
    shift 2
    if configure "$@"; then fail "$what was taken"; fi
    # CMake wraps long messages: compare the message as one line.
    tr -s ' \n' '  ' <"$work/log" | grep -qF -- "$expected" || { cat "$work/log"; fail "$what: no \"$expected\""; }
    passed=$((passed + 1))
}

refused "an empty address" "MAKER_ADDRESS is empty" -DMAKER_ADDRESS=
refused "a tab in the number" "MAKER_PHONE holds a control character (0x09 at byte 3)" "-DMAKER_PHONE=23"$'\t'"5018"
refused "a line break in the address" "MAKER_ADDRESS holds a control character (0x0a at byte 8)" \
        "-DMAKER_ADDRESS=Tarvelo"$'\n'"House"
refused "a C1 control character" "MAKER_STD_CODE holds a control character (U+0085 at byte 2)" \
        "-DMAKER_STD_CODE=0"$'\xc2\x85'"484"
refused "Latin-1 text" "MAKER_ADDRESS is not valid UTF-8 (the character at byte 4, 0xe9, is malformed)" "-DMAKER_ADDRESS=Caf"$'\xe9'" Road"
refused "an overlong form" "MAKER_ADDRESS is not valid UTF-8 (byte 1 is 0xc0, which starts no character)" "-DMAKER_ADDRESS="$'\xc0\xaf'
refused "a surrogate" "MAKER_ADDRESS is not valid UTF-8 (the character at byte 1, 0xed, is malformed)" "-DMAKER_ADDRESS="$'\xed\xa0\x80'
refused "a character cut short" "MAKER_EMAIL is not valid UTF-8 (its last character is cut short)" \
        "-DMAKER_EMAIL=a@b"$'\xe2\x82'
refused "an e-mail address without @" "MAKER_EMAIL must hold exactly one \"@\", it holds 0" \
        -DMAKER_EMAIL=install.tarvelo.example
refused "an e-mail address with two @" "MAKER_EMAIL must hold exactly one \"@\", it holds 2" \
        -DMAKER_EMAIL=install@tarvelo@example
refused "an e-mail address without a name" "MAKER_EMAIL needs a name before its \"@\"" -DMAKER_EMAIL=@tarvelo.example
refused "a missing pictures folder" "MAKER_PICTURES_DIR: there is no folder $work/none" \
        "-DMAKER_PICTURES_DIR=$work/none"
# The same refusal through a file given with -C, as the README shows.
printf 'set(MAKER_STD_CODE [=[04\x0184]=] CACHE STRING "" FORCE)\n' >"$work/maker.cmake"
refused "a control character from a -C file" "MAKER_STD_CODE holds a control character (0x01 at byte 3)" \
        -C "$work/maker.cmake"

# The commented example configures, and its values reach the generated header.
rm -rf "$tree"
cmake -S "$src" -B "$tree" -G Ninja -DBUILD_TESTING=OFF -C "$src/cmake/maker.cmake.example" >"$work/log" 2>&1 ||
    { cat "$work/log"; fail "the example does not configure"; }
grep -qxF '#define MAKER_EMAIL "install@tarvelo.example"' "$tree/generated/maker_details.h" ||
    fail "the example's e-mail address is not in the header"
passed=$((passed + 1))
echo "maker values: $passed passed, 0 failed"
