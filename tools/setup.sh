#!/usr/bin/env bash
# Installs what building and testing the menu needs on a Debian machine.
# Idempotent: installs only what is missing.
#
#   setup.sh [GROUP...]   the packages of these groups; every group if none
#
#   build     what the builds of the linux and Windows presets need:
#             compilers, libraries
#   desktop   a virtual desktop to open the menu on (tools/run-menu.sh)
#   rings     what the test rings need besides
#
# tools/test.sh installs the build group first, then the rest while the
# programs compile.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source "$here/wine32.sh"

build=(
  g++ cmake ninja-build pkg-config libgtest-dev libgmock-dev
  # the Linux back end
  libgtk-3-dev libfontconfig-dev
  # reading the pointer's image in the end-to-end cases
  libxfixes-dev
  # bench/first_frame.c follows the programs' windows with the DAMAGE extension
  libxdamage-dev
  # Install.exe: the MinGW-w64 cross compilers
  g++-mingw-w64-i686 g++-mingw-w64-x86-64 binutils-mingw-w64
)

desktop=(
  # a virtual display, a window manager, a panel, and tools to drive and
  # photograph it
  xvfb xauth openbox tint2 xdotool wmctrl x11-utils imagemagick procps
  # the faces the Linux back ends draw the screen's Windows fonts with
  # (platform/cairo/font_faces.cpp): DejaVu Sans Condensed for Tahoma,
  # Liberation Mono for Courier New, Liberation Sans for MS Sans Serif
  fonts-dejavu-extra fonts-liberation2
)

rings=(
  # desktops: real panels and window managers (lxpanel, xfwm4 with
  # xfce4-panel, plank), and a Wayland compositor with its bar (sway's
  # headless back end and swaybar) photographed by grim
  lxpanel xfwm4 xfce4-panel plank sway grim
  # e2e: a desktop's scale factor, changed while the menu runs (XSETTINGS)
  xsettingsd
  # e2e: a screen reader's view of the menu: a session bus, the AT-SPI bus
  # and registry, and Python's AT-SPI client
  at-spi2-core dbus-daemon gir1.2-atspi-2.0 python3-gi
  # reader: a real screen reader, Orca, which brings speech-dispatcher (its
  # dummy output module stands in for a voice) and libao (whose null driver
  # stands in for a sound card)
  orca
  # e2e: the read-only run is watched with strace
  strace
  # wine: the 64-bit Install.exe under 64-bit Wine, with Wine's own fonts,
  # which its dialogs use
  wine64 fonts-wine
  # pe32: the shipping 32-bit Install.exe under Debian's 32-bit Wine (and,
  # where this machine runs no 32-bit code, qemu-i386: see below)
  wine32:i386
  # disc: the image and its checks; signing Install.exe for it, and the
  # throwaway certificates of the signing test
  xorriso genisoimage osslsigncode openssl
  # fuzzing the picture decoders: the fuzz preset's compiler and libFuzzer
  # (built after the rings have run)
  clang libclang-rt-14-dev
)

groups=("$@")
[ ${#groups[@]} -gt 0 ] || groups=(build desktop rings)
wanted=()
for group in "${groups[@]}"; do
  case $group in
  build) wanted+=("${build[@]}") ;;
  desktop) wanted+=("${desktop[@]}") ;;
  rings) wanted+=("${rings[@]}") ;;
  *) echo "setup: no package group \"$group\" (build, desktop, rings)" >&2; exit 2 ;;
  esac
done

SUDO=""
[ "$(id -u)" -eq 0 ] || SUDO="sudo"
export DEBIAN_FRONTEND=noninteractive
apt_get() { $SUDO apt-get -o DPkg::Lock::Timeout=1200 "$@"; }

# One look at dpkg's database for all of them: names of the machine's own
# architecture without their suffix, others (wine32:i386) with it.
native=$(dpkg --print-architecture)
installed=" $(dpkg-query -W -f='${db:Status-Abbrev} ${binary:Package}\n' "${wanted[@]}" 2>/dev/null |
              awk -v native=":$native" '$1 == "ii" { sub(native "$", "", $2); print $2 }' | tr '\n' ' ') "
missing=()
for p in "${wanted[@]}"; do
  [[ $installed == *" $p "* ]] || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "setup: installing ${missing[*]}"
  # Packages of the i386 architecture (wine32) need it among dpkg's.
  if [[ " ${missing[*]}" == *:i386* ]] && ! dpkg --print-foreign-architectures | grep -qx i386; then
    $SUDO dpkg --add-architecture i386
  fi
  apt_get update -qq
  apt_get install -y -qq --no-install-recommends "${missing[@]}"
fi

# The pe32 ring on a machine that runs no 32-bit x86 code: qemu-i386 10 from
# the backports of this Debian release, unpacked into a folder of ours
# (installing qemu-user would replace the release's own). The backports
# suite comes from the mirror this machine already uses.
add_backports() {
  local codename suite entry file
  codename=$(. /etc/os-release && echo "$VERSION_CODENAME")
  suite=$codename-backports
  grep -rqsE "^[^#]*[[:space:]]$suite([[:space:]]|\$)" /etc/apt/sources.list /etc/apt/sources.list.d/ && return 0
  # The mirror and key of the release's own entry: deb822 stanzas first,
  # then one-line entries ("deb [options] URI SUITE COMPONENTS").
  entry=$(awk -v suite="$codename" 'BEGIN { RS = ""; FS = "\n" }
    {
      uris = ""; key = ""; found = 0
      for (i = 1; i <= NF; i++) {
        if ($i ~ /^URIs:/) { uris = $i; sub(/^URIs:[[:space:]]*/, "", uris); sub(/[[:space:]].*/, "", uris) }
        if ($i ~ /^Signed-By:/) { key = $i; sub(/^Signed-By:[[:space:]]*/, "", key) }
        if ($i ~ /^Suites:/) { n = split($i, s, /[[:space:]]+/); for (j = 2; j <= n; j++) if (s[j] == suite) found = 1 }
      }
      if (found && uris != "") { print uris " " key; exit }
    }' /etc/apt/sources.list.d/*.sources 2>/dev/null || true)
  if [ -z "$entry" ]; then
    entry=$(awk -v suite="$codename" '$1 == "deb" {
        i = 2; key = ""
        if ($2 ~ /^\[/) { for (; i <= NF; i++) { if ($i ~ /signed-by=/) { key = $i; sub(/.*signed-by=/, "", key); sub(/\]$/, "", key) } if ($i ~ /\]$/) break } i++ }
        if ($(i + 1) == suite) { print $i " " key; exit }
      }' /etc/apt/sources.list /etc/apt/sources.list.d/*.list 2>/dev/null || true)
  fi
  [ -n "$entry" ] || { echo "setup: no apt source for $codename to take the $suite mirror from" >&2; return 1; }
  read -r uri key <<<"$entry"
  file=/etc/apt/sources.list.d/$suite.sources
  echo "setup: adding $suite from $uri ($file)"
  {
    echo "Types: deb"
    echo "URIs: $uri"
    echo "Suites: $suite"
    echo "Components: main"
    [ -z "$key" ] || echo "Signed-By: $key"
  } | $SUDO tee "$file" >/dev/null
  apt_get update -qq
}

fetch_qemu_i386() {
  local codename tmp
  codename=$(. /etc/os-release && echo "$VERSION_CODENAME")
  add_backports
  tmp=$(mktemp -d)
  # apt fetches as its own user where it can write
  [ -n "$SUDO" ] || chown _apt "$tmp" 2>/dev/null || true
  (cd "$tmp" && apt_get download -q "qemu-user/$codename-backports")
  $SUDO mkdir -p "$WINE32_EMULATOR_DIR"
  dpkg-deb --fsys-tarfile "$tmp"/qemu-user_*.deb | $SUDO tar -x -C "$WINE32_EMULATOR_DIR" ./usr/bin/qemu-i386
  rm -rf "$tmp"
  wine32_emulator_works || { echo "setup: $WINE32_QEMU does not run the 32-bit Wine loader" >&2; return 1; }
  echo "setup: this machine runs no 32-bit x86 code; 32-bit Wine runs under $WINE32_QEMU"
}

if [[ " ${groups[*]} " == *" rings "* ]] && ! wine32_runs_natively && ! wine32_emulator_works; then
  fetch_qemu_i386
fi
