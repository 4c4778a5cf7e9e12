#!/usr/bin/env bash
# Checks that a Linux program is built hardened, from its ELF headers:
#   check_hardening.sh PROGRAM
# a position-independent executable, full RELRO (relocation tables read-only
# once the program has started, every symbol bound then), the stack
# protector's canary checks, fortified library calls, and the processor's
# control-flow protection in the program's own code: each function begins
# with the ENDBR64 landing pad of indirect branch tracking. (The program as
# a whole carries no IBT/SHSTK mark on Debian 12: the linker marks it only
# when every input is marked, and the C library's start files are not.)
set -euo pipefail
program=$1
[ -f "$program" ] || { echo "$program is missing: build the linux preset first"; exit 1; }
failures=0
check() {
    if eval "$2"; then echo "ok: $1"; else echo "FAILED: $1"; failures=$((failures + 1)); fi
}
header=$(readelf -h "$program")
segments=$(readelf -lW "$program")
dynamic=$(readelf -dW "$program")
symbols=$(readelf --dyn-syms -W "$program")

check "a position-independent executable" 'grep -Eq "Type:[[:space:]]+DYN" <<<"$header" && grep -q "FLAGS_1.*PIE" <<<"$dynamic"'
check "RELRO: a read-only segment after relocation" 'grep -q GNU_RELRO <<<"$segments"'
check "BIND_NOW: every symbol bound at start-up" 'grep -Eq "\(FLAGS\).*BIND_NOW|\(BIND_NOW\)" <<<"$dynamic"'
check "stack protector: calls __stack_chk_fail" 'grep -q "__stack_chk_fail" <<<"$symbols"'
check "fortified library calls: calls glibc's checked variants (__*_chk)" 'grep -Eq "__[a-z0-9_]+_chk(@|$| )" <<<"$symbols"'
check "control-flow protection: main begins with ENDBR64" \
    'objdump -d --disassemble=main "$program" | grep -A1 "<main>:" | grep -q endbr64'
[ "$failures" -eq 0 ] || { echo "$failures hardening checks failed for $program"; exit 1; }
