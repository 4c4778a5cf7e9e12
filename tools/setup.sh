#!/usr/bin/env bash
# Installs what building and testing the menu needs on a Debian machine.
# Idempotent: installs only the packages that are missing.
set -euo pipefail

packages=(
  # build
  g++ cmake ninja-build pkg-config libgtest-dev libgmock-dev
  # the Linux back end
  libgtk-3-dev libfontconfig-dev
  # reading the pointer's image in the end-to-end cases
  libxfixes-dev
  # the faces the Linux back ends draw the screen's Windows fonts with
  # (platform/cairo/font_faces.cpp): DejaVu Sans Condensed for Tahoma,
  # Liberation Mono for Courier New, Liberation Sans for MS Sans Serif
  fonts-dejavu-extra fonts-liberation2
  # a desktop to test on: a virtual display, a window manager, a panel, and
  # tools to drive and photograph it
  xvfb xauth openbox tint2 xdotool wmctrl x11-utils imagemagick procps
  # the desktops ring: real panels and window managers (lxpanel, xfwm4 with
  # xfce4-panel, plank), and a Wayland compositor with its bar (sway's
  # headless back end and swaybar) photographed by grim
  lxpanel xfwm4 xfce4-panel plank sway grim
  # a desktop's scale factor, changed while the menu runs (XSETTINGS)
  xsettingsd
  # a screen reader's view of the menu: a session bus, the AT-SPI bus and
  # registry, and Python's AT-SPI client
  at-spi2-core dbus-daemon gir1.2-atspi-2.0 python3-gi
  # Install.exe: the MinGW-w64 cross compilers, and the 64-bit Wine to run
  # it (never wine32: its loader cannot start on these machines) with Wine's
  # own fonts, which its dialogs and the Wine test ring use
  g++-mingw-w64-i686 g++-mingw-w64-x86-64 binutils-mingw-w64 wine64 fonts-wine
  # the disc image and its checks; signing Install.exe for it, and the
  # throwaway certificates of the signing test
  xorriso genisoimage osslsigncode openssl
  # fuzzing the picture decoders
  clang libclang-rt-14-dev
  # the read-only run is watched with strace
  strace
  # bench/first_frame.c follows the programs' windows with the DAMAGE extension
  libxdamage-dev
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "setup: installing ${missing[*]}"
SUDO=""
[ "$(id -u)" -eq 0 ] || SUDO="sudo"
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
$SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
