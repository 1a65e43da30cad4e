#!/usr/bin/env bash
# Installs what building and testing need on Debian 12 and prepares the Wine
# prefixes. Fast when everything is already there, so every command calls it.
set -euo pipefail

# The same places and Wine environment as every other script (env.sh only
# reads the machine, so it is safe before anything is installed).
source "$(dirname "${BASH_SOURCE[0]}")/env.sh" 2>/dev/null
SUDO=""
[ "$(id -u)" -eq 0 ] || SUDO="sudo"

need_pkgs() {
    local missing=()
    for p in "$@"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
    done
    printf '%s\n' "${missing[@]}"
}

PKGS=(g++-mingw-w64-i686-posix mingw-w64-i686-dev g++-mingw-w64-x86-64-posix mingw-w64-x86-64-dev cmake ninja-build g++ googletest
      wine wine32:i386 wine64 xvfb xauth imagemagick xdotool fonts-wqy-microhei
      locales file x11-utils ccache clang libclang-rt-14-dev)
MISSING=$(need_pkgs "${PKGS[@]}")
if [ -n "$MISSING" ]; then
    echo "setup: installing packages: $(echo $MISSING)"
    if ! dpkg --print-foreign-architectures | grep -qx i386; then
        $SUDO dpkg --add-architecture i386
    fi
    export DEBIAN_FRONTEND=noninteractive
    $SUDO apt-get update -qq || true
    # Taking every package from the main suite keeps amd64 and i386 wine in
    # step even when the security suite's i386 index is mid-sync.
    $SUDO apt-get install -y -qq --no-install-recommends -t bookworm "${PKGS[@]}" >/dev/null
fi

# zh_CN.UTF-8 makes Wine's ANSI code page 936.
if ! locale -a 2>/dev/null | grep -qi '^zh_CN.utf8$'; then
    echo "setup: generating zh_CN.UTF-8 locale"
    $SUDO sed -i 's/^# *zh_CN.UTF-8 UTF-8/zh_CN.UTF-8 UTF-8/' /etc/locale.gen
    grep -q '^zh_CN.UTF-8 UTF-8' /etc/locale.gen || echo 'zh_CN.UTF-8 UTF-8' | $SUDO tee -a /etc/locale.gen >/dev/null
    $SUDO locale-gen >/dev/null
fi

# make_prefix DIR GRAPHICS [LOADER]: GRAPHICS "null" for headless tests,
# "x11" for screenshots under Xvfb; LOADER the 64-bit Wine loader that
# boots it (the emulating one gives the prefix its 32-bit half).
make_prefix() {
    local dir="$1" graphics="$2" wine="${3:-/usr/lib/wine/wine64}"
    local stamp="$dir/.tessara-ready-$graphics"
    [ -f "$stamp" ] && return 0
    echo "setup: creating Wine prefix $dir ($graphics)"
    rm -rf "$dir"
    mkdir -p "$dir"
    (
        # A 64-bit prefix runs both the 64-bit test build and, where the
        # kernel allows wine32, the 32-bit programs.
        export WINEPREFIX="$dir"
        DISPLAY= "$wine" wineboot -i >/dev/null 2>&1 || true
        if [ "$graphics" = null ]; then
            "$wine" reg add 'HKCU\Software\Wine\Drivers' /v Graphics /d null /f >/dev/null 2>&1
        fi
        # Faces the programs ask for, mapped onto the installed CJK font.
        for face in "宋体" "SimSun" "新宋体" "NSimSun" "微软雅黑" "Microsoft YaHei" "Tahoma" "MS Sans Serif" "MS Shell Dlg" "MS Shell Dlg 2"; do
            "$wine" reg add 'HKCU\Software\Wine\Fonts\Replacements' /v "$face" /d "WenQuanYi Micro Hei" /f >/dev/null 2>&1
        done
        wineserver -w || true
    )
    touch "$stamp"
}

make_prefix "$PREFIX_BASE/wine-test" null
make_prefix "$PREFIX_BASE/wine-x11" x11

# Where the kernel cannot run 32-bit programs, the shipped 32-bit programs
# run under user-mode emulation (see scripts/env.sh): the emulator, a
# relocated copy of Wine's loaders and an X11 prefix with its 32-bit half.
# Nothing outside $PREFIX_BASE changes.
make_emu32_loader() {
    local lib="$EMU32_ROOT/lib" stamp
    stamp="$(sha256sum /usr/lib/wine/wine64 /usr/lib/wine/wine | sha256sum | cut -c1-16)"
    [ -f "$EMU32_ROOT/.ready-$stamp" ] && return 0
    echo "setup: making the emulated 32-bit Wine loader in $EMU32_ROOT"
    rm -rf "$EMU32_ROOT"
    mkdir -p "$lib/wine" "$EMU32_ROOT/share"
    # A copy, not a link: Wine finds its files (and the 32-bit loader)
    # relative to the loader's own path.
    cp /usr/lib/wine/wine64 "$lib/wine/wine64"
    local f
    for f in /usr/lib/wine/wineserver*; do ln -s "$f" "$lib/wine/${f##*/}"; done
    ln -s /usr/lib/x86_64-linux-gnu "$lib/x86_64-linux-gnu"
    ln -s /usr/lib/i386-linux-gnu "$lib/i386-linux-gnu"
    ln -s /usr/share/wine "$EMU32_ROOT/share/wine"
    cat > "$lib/wine/wine" <<'LOADER'
#!/bin/sh
# Wine's 32-bit loader under user-mode emulation; WINELOADERNOEXEC stops the
# loader from re-executing itself outside the emulator.
export WINELOADERNOEXEC=1
exec /usr/bin/qemu-i386-static /usr/lib/wine/wine "$@"
LOADER
    chmod +x "$lib/wine/wine"
    touch "$EMU32_ROOT/.ready-$stamp"
}
make_emu32_prefix() {
    local dir="$EMU32_PREFIX"
    [ -f "$dir/.tessara-ready-x11-32" ] && return 0
    echo "setup: the next prefix gets its 32-bit half under emulation (about 2 minutes)"
    make_prefix "$dir" x11-32 "$EMU32_WINE64"
    if [ ! -f "$dir/drive_c/windows/syswow64/kernel32.dll" ]; then
        rm -f "$dir/.tessara-ready-x11-32"
        echo "setup: the prefix $dir got no 32-bit half (drive_c/windows/syswow64); the 32-bit smoke cases will fail" >&2
    fi
}
if ! kernel_runs_32bit; then
    if ! command -v qemu-i386-static >/dev/null 2>&1; then
        echo "setup: installing qemu-user-static (32-bit programs run under emulation on this kernel)"
        export DEBIAN_FRONTEND=noninteractive
        $SUDO apt-get install -y -qq --no-install-recommends -t bookworm qemu-user-static >/dev/null ||
            echo "setup: could not install qemu-user-static; the 32-bit smoke cases will fail" >&2
    fi
    if command -v qemu-i386-static >/dev/null 2>&1; then
        make_emu32_loader
        make_emu32_prefix
    fi
fi
echo "setup: ready"
