# Running 32-bit Windows programs with Debian's Wine on this machine.
# Sourced by tools/setup.sh, which installs what it needs, and by the pe32
# test ring, which runs the shipping Install.exe with it.
#
# Debian's 64-bit Wine starts a 32-bit program with its 32-bit loader
# (wine32:i386). Where the machine runs 32-bit x86 code, that is all. Some
# virtual machines run none: an i386 program gets ENOEXEC, and Wine's own
# WoW64 fails too. There, every 32-bit process runs under qemu-i386 (user
# mode, from bookworm-backports' qemu-user: bookworm's 7.2 ignores
# MAP_FIXED_NOREPLACE, and Wine's shared user data is never mapped), while
# the 64-bit wineserver and 64-bit programs run natively.

# Where setup.sh unpacks qemu-i386.
WINE32_EMULATOR_DIR=${WINE32_EMULATOR_DIR:-/opt/tarvelo-install-menu/qemu-user}
WINE32_QEMU=$WINE32_EMULATOR_DIR/usr/bin/qemu-i386

# True where Debian's 32-bit Wine loader runs as it is.
wine32_runs_natively() {
    /usr/lib/wine/wine --version >/dev/null 2>&1
}

# True where the unpacked qemu-i386 runs the 32-bit Wine loader.
wine32_emulator_works() {
    [ -x "$WINE32_QEMU" ] && "$WINE32_QEMU" /usr/lib/wine/wine --version >/dev/null 2>&1
}

# Makes DIR a Wine installation whose 32-bit processes run under qemu-i386,
# and prints the path of its 64-bit loader, which starts programs of either
# kind. Wine starts a process of the other kind with the loader of that
# name in its own loader's folder, and a child of a 32-bit process with its
# folder plus the base name of its argv[0]: DIR/lib/wine/wine is a wrapper
# that runs a copy of the 32-bit loader under qemu with argv[0] naming the
# wrapper, so every 32-bit process of the prefix goes through qemu. The
# loaders find Wine's libraries and data relative to themselves, through
# links to the system's.
wine32_emulated_loader() {
    local dir=$1
    local bin=$dir/lib/wine
    mkdir -p "$bin" "$dir/share"
    cp /usr/lib/wine/wine64 "$bin/wine64"
    cp /usr/lib/wine/wine "$bin/wine.i386"
    ln -sfn /usr/lib/wine/wineserver "$bin/wineserver"
    ln -sfn /usr/lib/i386-linux-gnu "$dir/lib/i386-linux-gnu"
    ln -sfn /usr/lib/x86_64-linux-gnu "$dir/lib/x86_64-linux-gnu"
    ln -sfn /usr/share/wine "$dir/share/wine"
    cat >"$bin/wine.tmp" <<EOF
#!/bin/sh
# A 32-bit Wine process, run under qemu-i386 (made by tools/wine32.sh).
exec "$WINE32_QEMU" -0 "$bin/wine" "$bin/wine.i386" "\$@"
EOF
    chmod +x "$bin/wine.tmp"
    mv "$bin/wine.tmp" "$bin/wine"
    echo "$bin/wine64"
}
