#!/usr/bin/env bash
# Installs what building and testing need on Debian 12 and prepares the Wine
# prefixes. Fast when everything is already there, so every command calls it.
set -euo pipefail

ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
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
      locales file x11-utils ccache)
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

# make_prefix DIR GRAPHICS: GRAPHICS "null" for headless tests, "x11" for
# screenshots under Xvfb.
make_prefix() {
    local dir="$1" graphics="$2"
    local stamp="$dir/.tessara-ready-$graphics"
    [ -f "$stamp" ] && return 0
    echo "setup: creating Wine prefix $dir ($graphics)"
    mkdir -p "$dir"
    # A 64-bit prefix runs both the 64-bit test build and, where the kernel
    # allows wine32, the 32-bit programs.
    export WINEPREFIX="$dir" WINEDEBUG=-all WINEARCH=win64 LANG=zh_CN.UTF-8 LC_ALL=zh_CN.UTF-8
    local wine=/usr/lib/wine/wine64
    DISPLAY= $wine wineboot -i >/dev/null 2>&1 || true
    if [ "$graphics" = null ]; then
        $wine reg add 'HKCU\Software\Wine\Drivers' /v Graphics /d null /f >/dev/null 2>&1
    fi
    # Faces the programs ask for, mapped onto the installed CJK font.
    for face in "宋体" "SimSun" "新宋体" "NSimSun" "微软雅黑" "Microsoft YaHei" "Tahoma" "MS Sans Serif" "MS Shell Dlg" "MS Shell Dlg 2"; do
        $wine reg add 'HKCU\Software\Wine\Fonts\Replacements' /v "$face" /d "WenQuanYi Micro Hei" /f >/dev/null 2>&1
    done
    wineserver -w || true
    touch "$stamp"
}

PREFIX_BASE="${KORVEL_PREFIX_BASE:-$HOME/.cache/korvel-tessara}"
make_prefix "$PREFIX_BASE/wine-test" null
make_prefix "$PREFIX_BASE/wine-x11" x11
echo "setup: ready"
