#!/usr/bin/env bash
# One smoke case of the shipped 32-bit programs: the 64-bit driver runs on a
# private Xvfb display, in a copy of the prefix that has its 32-bit half,
# started by the Wine loader that runs 32-bit programs under user-mode
# emulation (scripts/env.sh). Fails, never skips, when the emulator or the
# prefix is missing.
#   shipped32.sh DRIVER TEST KORVEL32 TESSARA32 TESSARA64 PROBE SHOTS-DIR
set -euo pipefail
DRIVER="$1" TEST="$2" KORVEL32="$3" TESSARA32="$4" TESSARA64="$5" PROBE="$6" SHOTS="$7"
source "$(dirname "${BASH_SOURCE[0]}")/../../scripts/env.sh"

fail() { echo "shipped32: $*" >&2; exit 1; }
command -v qemu-i386-static >/dev/null ||
    fail "qemu-i386-static is missing: 'apt-get install qemu-user-static', or run bash scripts/setup.sh"
[ -x "$EMU32_WINE64" ] && [ -x "$EMU32_ROOT/lib/wine/wine" ] ||
    fail "no emulating Wine loader at $EMU32_ROOT: run bash scripts/setup.sh (it makes it)"
[ -f "$EMU32_PREFIX/.tessara-ready-x11-32" ] && [ -f "$EMU32_PREFIX/drive_c/windows/syswow64/kernel32.dll" ] ||
    fail "no Wine prefix with its 32-bit half at $EMU32_PREFIX: run bash scripts/setup.sh (it makes it, about 2 minutes)"
for f in "$KORVEL32" "$TESSARA32"; do
    [ -f "$f" ] || fail "$f is not built"
    file -b "$f" | grep -q 'PE32 executable.*Intel 80386' || fail "$f is not a 32-bit program"
done
for tool in Xvfb xdpyinfo convert; do
    command -v "$tool" >/dev/null || fail "$tool is missing: run bash scripts/setup.sh"
done

RUN_DIR="$(mktemp -d "${TMPDIR:-/tmp}/korvel-tessara-run.XXXXXX")"
RUN_PREFIXES=("$(make_run_prefix "${EMU32_PREFIX##*/}")")
export WINEPREFIX="${RUN_PREFIXES[0]}"
cleanup() { end_run_prefixes; stop_xvfb; }
trap cleanup EXIT
start_xvfb 1024x768x24 || fail "could not start Xvfb"

rm -rf "$SHOTS"
mkdir -p "$SHOTS"
winpath() { echo "Z:$(realpath "$1" | tr / '\\')"; }
export SHIPPED32_KORVEL="$(winpath "$KORVEL32")" SHIPPED32_TESSARA="$(winpath "$TESSARA32")"
export SHIPPED32_TESSARA64="$(winpath "$TESSARA64")" SHIPPED32_PROBE="$(winpath "$PROBE")"
export SHIPPED32_SHOTS="$(winpath "$SHOTS")"
# No debugger: a program that crashes ends at once and the case fails then.
export WINEDLLOVERRIDES="winemenubuilder.exe=d;winedbg.exe=d"
start=$SECONDS
status=0
"$EMU32_WINE64" "$DRIVER" --gtest_brief=1 --gtest_filter="Shipped32.$TEST" || status=$?
echo "shipped32: $TEST took $((SECONDS - start)) s"
for bmp in "$SHOTS"/*.bmp; do
    [ -e "$bmp" ] || continue
    convert "$bmp" "${bmp%.bmp}.png" && rm -f "$bmp"
done
exit $status
