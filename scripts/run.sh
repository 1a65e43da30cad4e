#!/usr/bin/env bash
# Sets up the machine if needed, builds, and starts the Tessara gallery: on
# the user's display when there is one, otherwise under Xvfb, saving a
# screenshot to build/tessara.png once the gallery has painted and settled.
#   bash scripts/run.sh        # the gallery (the 64-bit twin where the kernel cannot run 32-bit programs)
#   bash scripts/run.sh --32   # the shipped 32-bit gallery, under emulation on such kernels (slow to start)
#   bash scripts/run.sh --target Folders 'Z:\usr\share\doc'
#                              # another program of the build (the example, one of your own) with its
#                              # arguments; without a display its screenshot goes to build/NAME.png
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/env.sh"
WANT32=0
TARGET=""
case "${1:-}" in
    --32) WANT32=1 ;;
    --target)
        [ -n "${2:-}" ] || { echo "usage: bash scripts/run.sh --target NAME [ARGUMENTS...]" >&2; exit 2; }
        TARGET="$2"
        shift 2 ;;
    "") ;;
    *) echo "usage: bash scripts/run.sh [--32 | --target NAME [ARGUMENTS...]]" >&2; exit 2 ;;
esac
[ -n "$TARGET" ] || [ $# -le 1 ] || { echo "usage: bash scripts/run.sh [--32 | --target NAME [ARGUMENTS...]]" >&2; exit 2; }
bash "$ROOT/scripts/setup.sh"
ARGS=()
if [ -n "$TARGET" ]; then
    # Any program of the build, from the build that runs here.
    if [ "$BUILD_TESTS" = "$BUILD_WIN" ]; then
        configure_cross "$BUILD_WIN" mingw-i686
    else
        configure_cross "$BUILD_WIN64" mingw-x86_64 -DKT_SHIPPED32_DIR="$BUILD_WIN"
    fi
    cmake --build "$BUILD_TESTS" --target "$TARGET"
    EXE="$(find "$BUILD_TESTS" -name "$TARGET.exe" -not -path '*/CMakeFiles/*' | head -n 1)"
    [ -n "$EXE" ] || { echo "run: the target $TARGET made no $TARGET.exe" >&2; exit 1; }
    ARGS=("$@")
else
    build_programs
    EXE="$BUILD_WIN/tessara/gallery/Tessara.exe"
fi
WINE=("$ROOT/scripts/wine-run")
RUN_DIR="$(mktemp -d "${TMPDIR:-/tmp}/korvel-tessara-run.XXXXXX")"
if [ -n "$TARGET" ]; then
    RUN_PREFIXES=("$(make_run_prefix wine-x11)")
elif kernel_runs_32bit; then
    RUN_PREFIXES=("$(make_run_prefix wine-x11)")
elif [ "$WANT32" = 1 ]; then
    [ -f "$EMU32_PREFIX/.tessara-ready-x11-32" ] ||
        { echo "run: no Wine prefix with its 32-bit half at $EMU32_PREFIX (scripts/setup.sh makes it)" >&2; exit 1; }
    echo "run: this kernel cannot run 32-bit programs; starting the shipped 32-bit build under emulation (about a minute to start)" >&2
    RUN_PREFIXES=("$(make_run_prefix "${EMU32_PREFIX##*/}")")
    WINE=("$EMU32_WINE64")
else
    echo "run: this kernel cannot run 32-bit programs; starting the 64-bit build (--32 shows the shipped one, slowly)" >&2
    EXE="$BUILD_WIN64/tessara/gallery/Tessara.exe"
    RUN_PREFIXES=("$(make_run_prefix wine-x11)")
fi
export WINEPREFIX="${RUN_PREFIXES[0]}"
export WINEDLLOVERRIDES="winemenubuilder.exe=d"
cleanup() { [ -n "${APID:-}" ] && kill "$APID" 2>/dev/null || true; end_run_prefixes; stop_xvfb; }
trap cleanup EXIT

if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then
    "${WINE[@]}" "$EXE" "${ARGS[@]}"
    exit $?
fi

# No display: a private Xvfb, and a screenshot once the gallery's window is
# there and two shots a second apart show the same picture (the progress
# bar has filled, every control has painted).
SHOT="$ROOT/build/tessara.png"
WINDOW='^Form1$'
if [ -n "$TARGET" ]; then
    # The display is ours alone: any window shown on it is the program's.
    SHOT="$ROOT/build/$TARGET.png"
    WINDOW='.'
fi
start_xvfb 1024x768x24
"${WINE[@]}" "$EXE" "${ARGS[@]}" &
APID=$!
for _ in $(seq 600); do
    xdotool search --onlyvisible --name "$WINDOW" >/dev/null 2>&1 && break
    kill -0 "$APID" 2>/dev/null || { echo "run: ${TARGET:-Tessara} ended before showing its window" >&2; exit 1; }
    sleep 0.5
done
prev="$RUN_DIR/prev.png" cur="$RUN_DIR/cur.png"
import -window root "$prev"
settled=0
for _ in $(seq 300); do
    sleep 1
    import -window root "$cur"
    if [ "$(compare -metric AE "$prev" "$cur" null: 2>&1 || true)" = "0" ]; then
        settled=1
        break
    fi
    mv "$cur" "$prev"
done
[ "$settled" = 1 ] || echo "run: the picture never settled; saving the last one" >&2
cp "$cur" "$SHOT"
echo "screenshot saved to $SHOT"
