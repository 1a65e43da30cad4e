# Sourced by the scripts: where builds and Wine prefixes live, and the Wine
# environment the programs run in (code page 936, quiet Wine).
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
PREFIX_BASE="${KORVEL_PREFIX_BASE:-$HOME/.cache/korvel-tessara}"
BUILD_WIN="$ROOT/build/win"          # the 32-bit deliverables
BUILD_WIN64="$ROOT/build/win64"      # 64-bit test build, where wine32 cannot run
BUILD_NATIVE="$ROOT/build/native"
export WINEDEBUG=-all LANG=zh_CN.UTF-8 LC_ALL=zh_CN.UTF-8 WINEARCH=win64

# Some kernels are booted without 32-bit emulation; wine32 cannot start
# there, and the Windows tests run from a 64-bit build of the same sources.
# A machine-wide binfmt_misc rule that hands 32-bit x86 programs to an
# emulator would make wine32 start too, many times slower: that does not
# count as a kernel that runs them.
i386_binfmt_rule() {
    local rule
    for rule in /proc/sys/fs/binfmt_misc/*; do
        [ -f "$rule" ] || continue
        case "${rule##*/}" in register|status) continue ;; esac
        grep -qx enabled "$rule" 2>/dev/null || continue
        # ELF, 32-bit class, machine 3 (i386): bytes 4 and 18-19 of the magic.
        awk '$1 == "magic" && substr($2, 1, 10) == "7f454c4601" && substr($2, 37, 4) == "0300" { found = 1 }
             END { exit !found }' "$rule" && return 0
    done
    return 1
}
kernel_runs_32bit() {
    ! i386_binfmt_rule && /usr/lib/wine/wine --version >/dev/null 2>&1
}
if kernel_runs_32bit; then
    BUILD_TESTS="$BUILD_WIN"
else
    BUILD_TESTS="$BUILD_WIN64"
fi

# Where the kernel cannot run them, the shipped 32-bit programs still run
# under Wine in user-mode emulation (qemu-i386-static), with no machine-wide
# change: setup.sh keeps a copy of Wine's 64-bit loader in a folder of its
# own ($EMU32_ROOT/lib/wine) beside a 32-bit loader that is a script
# starting the real one under the emulator. Wine starts a 32-bit program
# with the 32-bit loader found beside the 64-bit one it runs from, so
# anything started with $EMU32_WINE64 (a test driver, Tessara, Korvel's
# dialog) starts 32-bit programs through the emulator. $EMU32_PREFIX is the
# kept X11 prefix that has its 32-bit half (drive_c/windows/syswow64).
EMU32_ROOT="$PREFIX_BASE/wine32-emu"
EMU32_WINE64="$EMU32_ROOT/lib/wine/wine64"
EMU32_PREFIX="$PREFIX_BASE/wine-x11-32"

# A compiler cache shared by every clone on this machine: paths below the
# clone are hashed relative to it, so a fresh clone of the same sources
# builds from the cache.
LAUNCHER=()
if command -v ccache >/dev/null 2>&1; then
    export CCACHE_BASEDIR="$ROOT" CCACHE_NOHASHDIR=1
    export CCACHE_DIR="${CCACHE_DIR:-$HOME/.cache/korvel-tessara/ccache}"
    LAUNCHER=(-DCMAKE_C_COMPILER_LAUNCHER=ccache -DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
fi

configure_cross() { # dir toolchain [cmake arguments]
    local dir="$1" toolchain="$2"
    shift 2
    cmake -S "$ROOT" -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=Release "${LAUNCHER[@]}" \
        -DCMAKE_TOOLCHAIN_FILE="$ROOT/cmake/$toolchain.cmake" "$@" >/dev/null
}

# Where the tests run from the 64-bit build, that build also drives the
# shipped 32-bit programs of build/win in the emulated smoke cases.
build_all() {
    configure_cross "$BUILD_WIN" mingw-i686
    if [ "$BUILD_TESTS" = "$BUILD_WIN" ]; then
        cmake --build "$BUILD_WIN"
    else
        # The programs, and the example, which must build as 32-bit too.
        cmake --build "$BUILD_WIN" --target Korvel Tessara Folders
        configure_cross "$BUILD_WIN64" mingw-x86_64 -DKT_SHIPPED32_DIR="$BUILD_WIN"
        cmake --build "$BUILD_WIN64"
    fi
}

# Only the programs, for a run that shows them (the tests and benchmarks are
# left to the test command).
build_programs() {
    configure_cross "$BUILD_WIN" mingw-i686
    cmake --build "$BUILD_WIN" --target Korvel Tessara
    if [ "$BUILD_TESTS" != "$BUILD_WIN" ]; then
        configure_cross "$BUILD_WIN64" mingw-x86_64 -DKT_SHIPPED32_DIR="$BUILD_WIN"
        cmake --build "$BUILD_WIN64" --target Tessara
    fi
}

# The fuzz targets: a build of their own with clang and libFuzzer. Says
# what is missing and fails when clang++ or libFuzzer is not there.
BUILD_FUZZ="$ROOT/build/fuzz"
build_fuzz() {
    if ! command -v clang++ >/dev/null 2>&1; then
        echo "fuzz: clang++ is missing; the fuzz targets need clang with libFuzzer" \
             "(apt-get install clang libclang-rt-14-dev, as scripts/setup.sh does)" >&2
        return 1
    fi
    cmake -S "$ROOT" -B "$BUILD_FUZZ" -G Ninja -DKT_FUZZ=ON -DCMAKE_BUILD_TYPE= \
        -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ "${LAUNCHER[@]}" >/dev/null &&
        cmake --build "$BUILD_FUZZ"
}

build_native() {
    cmake -S "$ROOT" -B "$BUILD_NATIVE" -G Ninja -DCMAKE_BUILD_TYPE=Debug "${LAUNCHER[@]}" \
        -DKT_DELIVERABLES_DIR="$BUILD_WIN" >/dev/null
    cmake --build "$BUILD_NATIVE"
}

# Every run works in Wine prefixes of its own, copied from the templates
# that setup.sh keeps (a copy takes about a second), so runs from several
# clones at once never share a wineserver, a desktop or a mouse, and a run
# ends only the servers it started. Exports KT_PREFIX_TEST (null graphics
# driver) and KT_PREFIX_X11 (for Xvfb); the run's folder goes at exit.
RUN_DIR=""
RUN_PREFIXES=()
make_run_prefix() { # template-name -> prints the copy's path (callers list it in RUN_PREFIXES)
    local copy="$RUN_DIR/$1"
    cp -a "$PREFIX_BASE/$1" "$copy"
    echo "$copy"
}
end_run_prefixes() {
    local p
    for p in "${RUN_PREFIXES[@]}"; do
        WINEPREFIX="$p" wineserver -k >/dev/null 2>&1 || true
        WINEPREFIX="$p" wineserver -w >/dev/null 2>&1 || true
    done
    [ -n "$RUN_DIR" ] && rm -rf "$RUN_DIR"
    RUN_DIR=""
}
use_run_prefixes() {
    RUN_DIR="$(mktemp -d "${TMPDIR:-/tmp}/korvel-tessara-run.XXXXXX")"
    trap end_run_prefixes EXIT
    KT_PREFIX_TEST="$(make_run_prefix wine-test)"
    KT_PREFIX_X11="$(make_run_prefix wine-x11)"
    RUN_PREFIXES=("$KT_PREFIX_TEST" "$KT_PREFIX_X11")
    export KT_PREFIX_TEST KT_PREFIX_X11
}

# Starts one wineserver for $WINEPREFIX that stays up for the whole run;
# later wine calls then start in a fraction of a second.
start_wineserver() {
    wineserver -p >/dev/null 2>&1 </dev/null &
    disown || true
    /usr/lib/wine/wine64 cmd /c exit >/dev/null 2>&1 </dev/null || true
}

# The X11 prefix for a script that ctest runs: the run's own when the test
# command made one, else a copy of the script's own (ended with the script).
x11_prefix_for_script() {
    if [ -n "${KT_PREFIX_X11:-}" ] && [ -d "$KT_PREFIX_X11" ]; then
        export WINEPREFIX="$KT_PREFIX_X11"
        return 0
    fi
    [ -f "$PREFIX_BASE/wine-x11/.tessara-ready-x11" ] || return 1
    RUN_DIR="$(mktemp -d "${TMPDIR:-/tmp}/korvel-tessara-run.XXXXXX")"
    export WINEPREFIX="$(make_run_prefix wine-x11)"
    RUN_PREFIXES=("$WINEPREFIX")
}

# Starts a private Xvfb display (SIZE like 1024x768x24) on a free number and
# waits until it answers; sets XVFB_PID and exports DISPLAY. The caller ends
# it (stop_xvfb).
XVFB_PID=""
start_xvfb() {
    local size="${1:-1024x768x24}" n attempt
    for attempt in $(seq 30); do
        n=$(( 200 + (RANDOM % 600) ))
        [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ] && continue
        Xvfb ":$n" -screen 0 "$size" -nolisten tcp >/dev/null 2>&1 &
        XVFB_PID=$!
        local tries
        for tries in $(seq 100); do
            xdpyinfo -display ":$n" >/dev/null 2>&1 && { export DISPLAY=":$n"; return 0; }
            kill -0 "$XVFB_PID" 2>/dev/null || break
            sleep 0.1
        done
        kill "$XVFB_PID" 2>/dev/null || true
        XVFB_PID=""
    done
    echo "no Xvfb display could be started" >&2
    return 1
}
stop_xvfb() {
    [ -n "$XVFB_PID" ] && kill "$XVFB_PID" 2>/dev/null || true
    XVFB_PID=""
}
