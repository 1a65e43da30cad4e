#!/usr/bin/env bash
# Sets up the machine if needed, builds, and starts the Tessara gallery: on
# the user's display when there is one, otherwise under Xvfb, saving a
# screenshot to build/tessara.png after the first paints.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/env.sh"
bash "$ROOT/scripts/setup.sh"
build_all
use_run_prefixes
export WINEPREFIX="$KT_PREFIX_X11"
EXE="$BUILD_WIN/tessara/gallery/Tessara.exe"
if [ "$BUILD_TESTS" != "$BUILD_WIN" ]; then
    # This kernel cannot run 32-bit programs: show the 64-bit build of the
    # same sources.
    echo "run: 32-bit programs cannot run on this kernel; starting the 64-bit build" >&2
    EXE="$BUILD_WIN64/tessara/gallery/Tessara.exe"
fi

if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then
    "$ROOT/scripts/wine-run" "$EXE"
    exit $?
fi

SHOT="$ROOT/build/tessara.png"
DISP=":$(( 90 + RANDOM % 100 ))"
Xvfb "$DISP" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
XPID=$!
trap 'kill $XPID 2>/dev/null || true; end_run_prefixes' EXIT
export DISPLAY="$DISP"
sleep 1
"$ROOT/scripts/wine-run" "$EXE" &
APID=$!
sleep "${TESSARA_SHOT_DELAY:-8}"
import -window root "$SHOT"
echo "screenshot saved to $SHOT"
kill $APID 2>/dev/null || true
