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
if /usr/lib/wine/wine --version >/dev/null 2>&1; then
    BUILD_TESTS="$BUILD_WIN"
else
    BUILD_TESTS="$BUILD_WIN64"
fi

# A compiler cache shared by every clone on this machine: paths below the
# clone are hashed relative to it, so a fresh clone of the same sources
# builds from the cache.
LAUNCHER=()
if command -v ccache >/dev/null 2>&1; then
    export CCACHE_BASEDIR="$ROOT" CCACHE_NOHASHDIR=1
    export CCACHE_DIR="${CCACHE_DIR:-$HOME/.cache/korvel-tessara/ccache}"
    LAUNCHER=(-DCMAKE_C_COMPILER_LAUNCHER=ccache -DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
fi

configure_cross() { # dir toolchain
    cmake -S "$ROOT" -B "$1" -G Ninja -DCMAKE_BUILD_TYPE=Release "${LAUNCHER[@]}" \
        -DCMAKE_TOOLCHAIN_FILE="$ROOT/cmake/$2.cmake" >/dev/null
}

build_all() {
    configure_cross "$BUILD_WIN" mingw-i686
    if [ "$BUILD_TESTS" = "$BUILD_WIN" ]; then
        cmake --build "$BUILD_WIN"
    else
        cmake --build "$BUILD_WIN" --target Korvel Tessara
        configure_cross "$BUILD_WIN64" mingw-x86_64
        cmake --build "$BUILD_WIN64"
    fi
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
