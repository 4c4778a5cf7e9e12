#!/usr/bin/env bash
# Builds the disc image twice from the menu program and two stub installers
# and checks it: the tree, the file sizes, autorun.inf, Joliet without Rock
# Ridge, the volume label, and the same bytes both times.
#   disc_image_test.sh SOURCE_DIR INSTALL_EXE
set -euo pipefail
src=$1 exe=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

mkdir "$work/installers"
printf 'MZ stub office installer' > "$work/installers/quv.EXE"  # any letter case on the maker's side
printf 'MZ stub address-book installer!' > "$work/installers/Murdelo.exe"
make() {
  cmake -DMENU_EXE="$exe" -DINSTALLERS_DIR="$work/installers" -DDISC_DIR="$work/disc-$1" \
        -DDISC_ISO="$work/$1.iso" -P "$src/disc/make-disc.cmake" >/dev/null 2>&1 || fail "make-disc failed"
}
make a
sleep 1.1  # a later clock must not change the image
make b
cmp -s "$work/a.iso" "$work/b.iso" || fail "two builds of the same inputs differ"

listing=$(xorriso -indev "$work/a.iso" -find / -type f -exec lsdl 2>/dev/null)
names=$(awk '{print $NF}' <<<"$listing" | tr -d "'" | sort | tr '\n' ' ')
[ "$names" = "/Install.exe /Murdelo.exe /QUV.exe /autorun.inf " ] || fail "tree is: $names"
size_of() { awk -v n="'/$1'" '$NF == n {print $5}' <<<"$listing"; }
[ "$(size_of Install.exe)" = "$(stat -c %s "$exe")" ] || fail "Install.exe size"
[ "$(size_of QUV.exe)" = 24 ] || fail "QUV.exe size $(size_of QUV.exe)"
[ "$(size_of Murdelo.exe)" = 31 ] || fail "Murdelo.exe size"

xorriso -osirrox on -indev "$work/a.iso" -extract /autorun.inf "$work/autorun.inf" >/dev/null 2>&1
expected=$'[autorun]\r\nopen=Install.exe\r\nicon=Install.exe,0\r\nlabel=TARVELO\r\n'
[ "$(cat "$work/autorun.inf"; echo x)" = "${expected}x" ] || fail "autorun.inf is: $(od -c "$work/autorun.inf" | head)"
xorriso -osirrox on -indev "$work/a.iso" -extract /Install.exe "$work/Install.exe" >/dev/null 2>&1
cmp -s "$exe" "$work/Install.exe" || fail "Install.exe on the disc differs from the build"

info=$(xorriso -indev "$work/a.iso" -pvd_info 2>&1)
grep -q "Volume Id    : TARVELO" <<<"$info" || fail "volume label"
iso=$(isoinfo -d -i "$work/a.iso")
grep -q "^Joliet" <<<"$iso" || fail "no Joliet names"
! grep -q "Rock Ridge signatures" <<<"$iso" || fail "Rock Ridge is on"
echo "disc image: 1 passed, 0 failed"
