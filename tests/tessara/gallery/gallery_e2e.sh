#!/usr/bin/env bash
# Runs the end-to-end driver against Tessara.exe on a private Xvfb display
# with the X11 Wine prefix, then turns the step screenshots into PNG files.
#   gallery_e2e.sh DRIVER.exe Tessara.exe SHOTS-DIR
set -euo pipefail
DRIVER="$1" EXE="$2" SHOTS="$3"
source "$(dirname "${BASH_SOURCE[0]}")/../../../scripts/env.sh"
if ! x11_prefix_for_script; then
    echo "gallery_e2e: no X11 Wine prefix at $PREFIX_BASE/wine-x11; run scripts/setup.sh" >&2
    exit 1
fi
for tool in Xvfb xdpyinfo; do
    command -v "$tool" >/dev/null || { echo "gallery_e2e: $tool is missing; run scripts/setup.sh" >&2; exit 1; }
done

cleanup() { end_run_prefixes; stop_xvfb; }
trap cleanup EXIT
start_xvfb 1024x768x24 || { echo "gallery_e2e: could not start Xvfb" >&2; exit 1; }

rm -rf "$SHOTS"
mkdir -p "$SHOTS"
winpath() { echo "Z:$(realpath "$1" | tr / '\\')"; }
export TESSARA_E2E_EXE="$(winpath "$EXE")" TESSARA_E2E_SHOTS="$(winpath "$SHOTS")"
export WINEDLLOVERRIDES="winemenubuilder.exe=d"
status=0
"$ROOT/scripts/wine-run" "$DRIVER" --gtest_brief=1 || status=$?

if command -v convert >/dev/null; then
    for bmp in "$SHOTS"/*.bmp; do
        [ -e "$bmp" ] || continue
        convert "$bmp" "${bmp%.bmp}.png" && rm -f "$bmp"
    done
fi
echo "gallery_e2e: screenshots in $SHOTS"
exit $status
