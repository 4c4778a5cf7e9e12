#!/usr/bin/env bash
# A maker's own build: configures a Linux tree and a shipping Windows tree
# with other details (quotes, a backslash, a semicolon, an "&" and letters
# beyond ASCII) and a folder of the maker's own pictures, builds only what
# the checks need, and checks
# - the screen, with maker_screen_test in the Linux tree: the captions read
#   back from the definition, the contact line, the pictures, the painting;
# - that install-menu and Install.exe carry the texts and not today's
#   address, and that Install.exe carries the maker's bitmap byte for byte
#   and the maker's window icon images as its icon resources;
# - that the disc target signs Install.exe with the certificate given as the
#   build's SIGN_CERT and SIGN_KEY;
# - that a picture which does not fit stops the build, naming the file and
#   the field, before it is embedded.
# The trees stay in WORK, so that a second run only rebuilds what changed.
#
#   maker_build_test.sh SOURCE_DIR WORK
set -euo pipefail
src=$1 work=$2
mkdir -p "$work"
fail() { echo "FAIL: $*" >&2; exit 1; }

# contains HAYSTACK-FILE NEEDLE-FILE: whether the one holds the other's bytes.
contains() {
    perl -e 'local $/; open H, "<:raw", $ARGV[0] or die; open N, "<:raw", $ARGV[1] or die;
             my ($h, $n) = (<H>, <N>); exit(index($h, $n) >= 0 ? 0 : 1)' "$1" "$2"
}
text_in() {  # text_in FILE TEXT
    printf '%s' "$2" > "$work/needle"
    contains "$1" "$work/needle"
}

address='Atelier "Kovač" & Søn, 7 Rue d'"'"'Été \ Lyon; 69001'
std_code='04 78'
phone='23 & 45'
email='ventes@kovač.example'
today='Tarvelo House, 14 Mill Road'
cat > "$work/maker.cmake" <<EOF
set(MAKER_ADDRESS [=[$address]=] CACHE STRING "" FORCE)
set(MAKER_STD_CODE [=[$std_code]=] CACHE STRING "" FORCE)
set(MAKER_PHONE [=[$phone]=] CACHE STRING "" FORCE)
set(MAKER_EMAIL [=[$email]=] CACHE STRING "" FORCE)
set(MAKER_PICTURES_DIR [=[$work/pictures]=] CACHE PATH "" FORCE)
EOF

# The maker's pictures: a background of one colour, our window icon with
# other colours, our logo in red; the other three stay ours.
pictures=$work/pictures
mkdir -p "$pictures"
perl -e 'my $bmp = "BM" . pack("V3 V3 v2 V6", 994122, 0, 54, 40, 694, 477, 1, 24, 0, 994068, 2835, 2835, 0, 0);
         $bmp .= ("\x56\x34\x12" x 694) . "\0\0" for 1 .. 477;
         print $bmp' > "$pictures/background.bmp.new"
perl -e 'local $/; my $ico = <STDIN>;
         for my $i (0 .. 2) {   # every colour of each image'"'"'s table, inverted
             my ($bits, $offset) = unpack("x6 v x4 V", substr($ico, 6 + 16 * $i, 16));
             substr($ico, $offset + 40 + $_, 1) = chr(255 - ord(substr($ico, $offset + 40 + $_, 1)))
                 for grep { $_ % 4 != 3 } 0 .. 4 * 2 ** $bits - 1;
         }
         print $ico' < "$src/screen/pictures/window.ico" > "$pictures/Window.ICO.new"
perl -e 'local $/; my $wmf = <STDIN>;
         my $at = 22 + 18;      # the records: find the solid brush and make it red
         while (1) { my ($words, $function) = unpack("V v", substr($wmf, $at, 6));
                     if ($function == 0x02FC) { substr($wmf, $at + 8, 4) = pack("V", 0x000000FF); last }
                     $at += 2 * $words }
         print $wmf' < "$src/screen/pictures/logo.wmf" > "$pictures/logo.wmf.new"
# Only changed files are replaced, so that a second run rebuilds nothing.
for f in "$pictures"/*.new; do
    cmp -s "$f" "${f%.new}" && rm "$f" || mv "$f" "${f%.new}"
done

# The Linux tree: the maker's screen test and install-menu, compiled without
# optimisation or debugging information, which is quickest (an optimiser may
# also build a short text out of pieces of code instead of keeping it whole).
linux=$work/linux
cmake -S "$src" -B "$linux" -G Ninja -C "$work/maker.cmake" -DCMAKE_BUILD_TYPE=None >"$work/linux-configure.log" 2>&1 ||
    { cat "$work/linux-configure.log"; fail "the Linux tree does not configure"; }
grep -q "The maker's pictures from $pictures: background.bmp, logo.wmf, window.ico" "$work/linux-configure.log" ||
    fail "the configure step does not name the maker's pictures: $(grep -i picture "$work/linux-configure.log")"
cmake --build "$linux" --target maker_screen_test install-menu >"$work/linux-build.log" 2>&1 ||
    { tail -30 "$work/linux-build.log"; fail "the Linux tree does not build"; }
MAKER_TEST_ADDRESS=$address MAKER_TEST_STD_CODE=$std_code MAKER_TEST_PHONE=$phone MAKER_TEST_EMAIL=$email \
MAKER_TEST_PICTURES=$pictures MAKER_TEST_BACKGROUND=18,52,86 MAKER_TEST_LOGO=255,0,0 \
    "$linux/tests/maker_screen_test" || fail "the maker's screen"

# The shipping Windows tree: Install.exe, and the disc with it signed by a
# throwaway certificate given as the build's settings.
bash "$src/tests/disc/throwaway_pki.sh" "$work/pki"
win32=$work/win32
cmake -S "$src" -B "$win32" -G Ninja -C "$work/maker.cmake" -DCMAKE_TOOLCHAIN_FILE="$src/cmake/mingw-i686.cmake" \
      -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF -DSIGN_CERT="$work/pki/maker.pem" -DSIGN_KEY="$work/pki/maker.key" \
      >"$work/win32-configure.log" 2>&1 || { cat "$work/win32-configure.log"; fail "the Windows tree does not configure"; }
cmake --build "$win32" --target disc >"$work/win32-build.log" 2>&1 ||
    { tail -30 "$work/win32-build.log"; fail "the Windows tree does not build its disc"; }
grep -q "Install.exe is signed with $work/pki/maker.pem" "$work/win32-build.log" || fail "the disc build does not say it signs"
rm -f "$work/disc-Install.exe"
xorriso -osirrox on -indev "$win32/tarvelo.iso" -extract /Install.exe "$work/disc-Install.exe" >/dev/null 2>&1
osslsigncode verify -CAfile "$work/pki/ca.pem" -in "$work/disc-Install.exe" 2>&1 | grep -q "^Signature verification: ok" ||
    fail "the disc's Install.exe is not signed by the build's certificate"

for program in "$linux/install-menu" "$win32/Install.exe"; do
    for t in "$address" "  STD : ${std_code//&/&&}" "Phone : ${phone//&/&&}" "$email"; do
        text_in "$program" "$t" || fail "$program lacks \"$t\""
    done
    ! text_in "$program" "$today" || fail "$program still carries today's address"
done
contains "$win32/Install.exe" "$pictures/background.bmp" || fail "Install.exe lacks the maker's bitmap"
# Each image of the maker's window icon, as the icon directory places it.
for i in 0 1 2; do
    perl -e 'local $/; my $ico = <STDIN>; my ($size, $offset) = unpack("V V", substr($ico, 6 + 16 * $ARGV[0] + 8, 8));
             print substr($ico, $offset, $size)' "$i" < "$pictures/Window.ICO" > "$work/icon-image"
    contains "$win32/Install.exe" "$work/icon-image" || fail "Install.exe lacks image $((i + 1)) of the maker's window icon"
done

# A picture that does not fit stops the build before it is embedded.
embedded=$linux/embedded/background.cpp
before=$(sha256sum "$embedded")
cp "$pictures/background.bmp" "$work/background.good"
perl -e 'print "BM", pack("V3 V3 v2 V6", 921654, 0, 54, 40, 640, 480, 1, 24, 0, 921600, 2835, 2835, 0, 0),
         "\x10\x20\x30" x (640 * 480)' > "$pictures/background.bmp"
if cmake --build "$linux" --target install-menu >"$work/bad-build.log" 2>&1; then
    cp "$work/background.good" "$pictures/background.bmp"
    fail "a 640 by 480 background was built into the program"
fi
cp "$work/background.good" "$pictures/background.bmp"
grep -q "picture-check: $pictures/background.bmp: width is 640, the screen needs 694" "$work/bad-build.log" ||
    { cat "$work/bad-build.log"; fail "the failed build does not name the file and its width"; }
[ "$(sha256sum "$embedded")" = "$before" ] || fail "the refused background was embedded"
[ ! -e "$linux/maker-pictures/background.bmp" ] || fail "the refused background's checked copy is left behind"
echo "maker's build: 1 passed, 0 failed"
