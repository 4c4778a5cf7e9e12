#!/usr/bin/env bash
# Static checks of the shipping Install.exe, read from its PE headers:
#   check_pe.sh EXE machine|subsystem|imports|security|dllsearch|protector
#   check_pe.sh EXE size BITMAP PERCENT
# (security also reads the 64-bit build)
set -euo pipefail
exe=$1
check=$2
[ -f "$exe" ] || { echo "$exe is missing: build the win32 preset first"; exit 1; }
fail() { echo "FAILED: $*"; exit 1; }
headers=$(i686-w64-mingw32-objdump -p "$exe" 2>&1 || x86_64-w64-mingw32-objdump -p "$exe" 2>&1) ||
    fail "$exe is not a Windows program: $headers"

case $check in
machine)
    grep -q "file format pei-i386" <<<"$headers" || fail "not a 32-bit x86 program"
    ;;
subsystem)
    grep -Eq "^Subsystem[[:space:]]+00000002[[:space:]]+\(Windows GUI\)" <<<"$headers" ||
        fail "not a GUI-subsystem program: $(grep ^Subsystem <<<"$headers")"
    ;;
imports)
    dlls=$(sed -n 's/^[[:space:]]*DLL Name: //p' <<<"$headers" | tr 'A-Z' 'a-z' | sort -u)
    echo "imports: $(tr '\n' ' ' <<<"$dlls")"
    [ -n "$dlls" ] || fail "no imports found"
    # Only DLLs that every Windows has and always maps from its own system
    # directory (KnownDLLs), never the compiler's runtimes. Any other DLL
    # (comctl32, oleacc, ...) would be looked for beside the program first:
    # the program loads such a DLL at run time, by its path in the system
    # directory.
    system="kernel32.dll user32.dll gdi32.dll shell32.dll ole32.dll oleaut32.dll msvcrt.dll advapi32.dll"
    for dll in $dlls; do
        case $dll in
        libgcc* | libstdc++* | libwinpthread* | api-ms-win-crt*) fail "needs the non-system DLL $dll" ;;
        esac
        grep -qw "$dll" <<<"$system" || fail "imports $dll, which is not a known system DLL"
    done
    ;;
security)
    # ASLR, DEP, terminal-server aware; a 64-bit program also asks for
    # addresses from the whole 64-bit space (a 32-bit one has no such flag).
    flags="DYNAMIC_BASE NX_COMPAT TERMINAL_SERVICE_AWARE"
    grep -q "file format pei-x86-64" <<<"$headers" && flags+=" HIGH_ENTROPY_VA"
    for flag in $flags; do
        grep -q "^[[:space:]]*$flag\$" <<<"$headers" || fail "DllCharacteristics lacks $flag"
    done
    echo "security: $flags"
    ;;
protector)
    # The stack protector's run time (libssp) is linked in, not a DLL beside
    # the program: the report it gives when a canary was overwritten is in
    # the file, and its canary is drawn from the system's random source.
    grep -aq "stack smashing detected" "$exe" || fail "no stack protector: libssp's __stack_chk_fail is not linked in"
    grep -q "CryptGenRandom" <<<"$headers" || fail "the stack protector's canary is not drawn at random"
    ;;
dllsearch)
    # DLLs load from the system directory only: the program asks for it by name.
    grep -q "SetDllDirectoryW" <<<"$headers" || fail "does not import SetDllDirectoryW"
    grep -aq "SetDefaultDllDirectories" "$exe" || fail "does not look up SetDefaultDllDirectories"
    ;;
size)
    # The background bitmap, carried byte for byte, should be most of the
    # program: the whole file at most PERCENT per cent of the bitmap's size.
    bitmap=${3:?the bitmap}
    percent=${4:?the per cent}
    [ -f "$bitmap" ] || fail "$bitmap is missing"
    bytes=$(stat -c %s "$exe")
    carried=$(stat -c %s "$bitmap")
    start=$(head -c 24 "$bitmap" | od -An -v -tx1 | tr -s ' \n' ' ' | sed 's/ *$//; s/^ */\\x/; s/ /\\x/g')
    at=$(LC_ALL=C grep -obUaP -m1 "$start" "$exe" | head -n1 | cut -d: -f1 || true)
    [ -n "$at" ] && cmp -s -i "$at:0" -n "$carried" "$exe" "$bitmap" || fail "does not carry $bitmap byte for byte"
    # PERCENT may have decimals (113.9).
    limit=$(awk -v c="$carried" -v p="$percent" 'BEGIN { printf "%d", c * p / 100 }')
    echo "size: $bytes bytes; at most $limit, $percent % of the $carried-byte bitmap"
    [ "$bytes" -le "$limit" ] || fail "$exe is $bytes bytes, $((bytes - limit)) over $limit"
    ;;
*)
    echo "unknown check $check" >&2
    exit 2
    ;;
esac
echo "ok: $check"
