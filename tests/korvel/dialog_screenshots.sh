#!/usr/bin/env bash
# Screenshots of Korvel's dialog and tutorial window on a virtual X display,
# saved as test artefacts: the program runs from a folder of its own with
# two programs to choose from and no settings file, so the dialog shows; a
# click on the tutorial label opens the tutorial. Checks that each window
# appears, that the dialog's texts left ink on the screen and that the
# tutorial shows its first picture where it belongs.
#
# usage: dialog_screenshots.sh KORVEL_EXE PROBE_EXE OUT_DIR
set -euo pipefail
KORVEL_EXE="$1"
PROBE_EXE="$2"
OUT="$3"
HERE="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
source "$HERE/../../scripts/env.sh"

fail() { echo "dialog_screenshots: $*" >&2; exit 1; }
for tool in Xvfb import xdotool convert compare; do
    command -v "$tool" >/dev/null || fail "$tool is missing (scripts/setup.sh installs it)"
done
x11_prefix_for_script || fail "no Wine prefix for X11 at $PREFIX_BASE/wine-x11 (scripts/setup.sh makes it)"

mkdir -p "$OUT"
WORK="$(mktemp -d)"
APID=""
cleanup() {
    [ -n "$APID" ] && kill "$APID" 2>/dev/null || true
    stop_xvfb
    end_run_prefixes
    rm -rf "$WORK"
}
trap cleanup EXIT

cp "$KORVEL_EXE" "$WORK/Korvel.exe"
cp "$PROBE_EXE" "$WORK/game.exe"
cp "$PROBE_EXE" "$WORK/游戏.exe"

# A display of our own.
start_xvfb 1400x900x24 || fail "Xvfb did not start"

( cd "$WORK" && exec "$ROOT/scripts/wine-run" "$WORK/Korvel.exe" ) >/dev/null 2>&1 &
APID=$!

# Waits for a visible window of ours whose title is $1; prints its id.
window_named() {
    local name="$1" id
    for _ in $(seq 300); do
        for id in $(xdotool search --onlyvisible --name "$name" 2>/dev/null); do
            echo "$id"
            return 0
        done
        sleep 0.1
    done
    return 1
}

# Mean brightness (0..1) of a region of a picture: WxH+X+Y.
mean_of() { convert "$1" -crop "$2" +repage -colorspace gray -format '%[fx:mean]' info:; }
# One pixel as r,g,b (0..255).
pixel_of() { convert "$1" -format "%[fx:int(255*p{$2,$3}.r)],%[fx:int(255*p{$2,$3}.g)],%[fx:int(255*p{$2,$3}.b)]" info:; }

# Shoots window $1 into $2 until check $3 passes on two shots in a row that
# are alike (every control has painted and nothing moves any more), for up
# to 30 s; the last reason the check gave is in $REASON.
REASON=""
settled_shot() {
    local id="$1" out="$2" check="$3" prev="$WORK/prev.png" t
    rm -f "$prev"
    for t in $(seq 150); do
        eval "$(xdotool getwindowgeometry --shell "$id")"
        import -window root "$WORK/root.png"
        convert "$WORK/root.png" -crop "${WIDTH}x${HEIGHT}+${X}+${Y}" +repage "$out"
        if REASON=$("$check" "$out") && [ -f "$prev" ] \
            && [ "$(compare -metric AE "$out" "$prev" null: 2>&1 || true)" = "0" ]; then
            return 0
        fi
        cp "$out" "$prev"
        sleep 0.2
    done
    return 1
}

# The X window may carry a frame drawn by Wine: the client origin follows
# from the size difference to the dialog's client (560 x 338 pixels).
dialog_ready() {
    CX=$(( (WIDTH - 560) / 2 ))
    CY=$(( HEIGHT - 338 - CX ))
    [ "$CX" -ge 0 ] && [ "$CY" -ge 0 ] || { echo "dialog window ${WIDTH}x${HEIGHT} is smaller than its client area"; return 1; }
    # Text ink: the labels' regions are darker than the plain face.
    local region w rest x y m
    for region in "200x16+12+12" "330x54+12+270" "120x16+224+12"; do
        w=${region%%+*}; rest=${region#*+}; x=${rest%%+*}; y=${rest#*+}
        m=$(mean_of "$1" "${w}+$((x + CX))+$((y + CY))")
        awk -v m="$m" 'BEGIN { exit !(m < 0.93) }' || { echo "no text drawn in the dialog at $region (mean $m)"; return 1; }
    done
}

DIALOG=$(window_named "请选择要启动的进程") || fail "the dialog did not appear"
settled_shot "$DIALOG" "$OUT/korvel-dialog.png" dialog_ready || fail "$REASON"
DX=$X DY=$Y
CX=$(( (WIDTH - 560) / 2 ))
CY=$(( HEIGHT - 338 - CX ))
echo "saved $OUT/korvel-dialog.png (${WIDTH}x${HEIGHT})"

# OK and Cancel (90 x 28 at x 356 and 458, y 272): style 2's outer outline,
# RGB 0,60,115, along their top and bottom edges, and a caption of dark ink
# in the middle of each.
for bx in 356 458; do
    for edge in 0 27; do
        got=$(pixel_of "$OUT/korvel-dialog.png" $((CX + bx + 45)) $((CY + 272 + edge)))
        [ "$got" = "0,60,115" ] || fail "the button at x $bx has no style-2 outline at y +$edge: pixel $got"
    done
    m=$(mean_of "$OUT/korvel-dialog.png" "40x16+$((CX + bx + 25))+$((CY + 278))")
    awk -v m="$m" 'BEGIN { exit !(m < 0.93) }' || fail "no caption drawn on the button at x $bx (mean $m)"
    edgeL=$(mean_of "$OUT/korvel-dialog.png" "12x16+$((CX + bx + 4))+$((CY + 278))")
    edgeR=$(mean_of "$OUT/korvel-dialog.png" "12x16+$((CX + bx + 74))+$((CY + 278))")
    # Centred: the two sides of the face alike, both lighter than the middle.
    awk -v l="$edgeL" -v r="$edgeR" -v m="$m" 'BEGIN { d = l - r; if (d < 0) d = -d; exit !(d < 0.01 && l > m + 0.03) }' ||
        fail "the caption on the button at x $bx is not centred (sides $edgeL, $edgeR, middle $m)"
done

# Open the tutorial: a click on the tutorial label.
xdotool mousemove $((DX + CX + 80)) $((DY + CY + 298)) click 1
HELP=$(window_named "使用教程") || fail "the tutorial did not open"
tutorial_ready() {
    local hcx=$(( (WIDTH - 1242) / 2 )) got m
    local hcy=$(( HEIGHT - 645 - hcx ))
    # Step one's picture at (333, 75): its backdrop colour is 58,110,165.
    got=$(pixel_of "$1" $((hcx + 333 + 2)) $((hcy + 75 + 2)))
    [ "$got" = "58,110,165" ] || { echo "step one's picture is not at (333, 75): pixel $got"; return 1; }
    m=$(mean_of "$1" "300x22+$((hcx + 249))+$((hcy + 567))")
    awk -v m="$m" 'BEGIN { exit !(m < 0.93) }' || { echo "no step text drawn (mean $m)"; return 1; }
}
settled_shot "$HELP" "$OUT/korvel-tutorial.png" tutorial_ready || fail "$REASON"
echo "saved $OUT/korvel-tutorial.png (${WIDTH}x${HEIGHT})"
echo "dialog_screenshots: ok"
