# Sourced by the scripts: where builds and Wine prefixes live, and the Wine
# environment the programs run in (code page 936, quiet Wine).
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
PREFIX_BASE="${KORVEL_PREFIX_BASE:-$HOME/.cache/korvel-tessara}"
BUILD_WIN="$ROOT/build/win"
BUILD_NATIVE="$ROOT/build/native"
export WINEDEBUG=-all LANG=zh_CN.UTF-8 LC_ALL=zh_CN.UTF-8 WINEARCH=win32

build_all() {
    cmake -S "$ROOT" -B "$BUILD_WIN" -G Ninja -DCMAKE_BUILD_TYPE=Release \
        -DCMAKE_TOOLCHAIN_FILE="$ROOT/cmake/mingw-i686.cmake" >/dev/null
    cmake --build "$BUILD_WIN"
}

build_native() {
    cmake -S "$ROOT" -B "$BUILD_NATIVE" -G Ninja -DCMAKE_BUILD_TYPE=Debug >/dev/null
    cmake --build "$BUILD_NATIVE"
}

# Starts one wineserver that stays up for the whole run; later wine calls
# then start in a fraction of a second.
start_wineserver() {
    wineserver -p >/dev/null 2>&1 </dev/null &
    disown || true
    wine cmd /c exit >/dev/null 2>&1 </dev/null || true
}
