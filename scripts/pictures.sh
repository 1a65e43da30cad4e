#!/usr/bin/env bash
# Remakes the README's pictures from the real programs on private Xvfb
# displays: the gallery as its end-to-end test shoots it once 查找结点B100
# has unfolded the tree, and Korvel's dialog as its screenshot test shoots
# it (both tests run as in the test command and must pass); then the
# example program showing its own folder (scripts/run.sh --target). The
# shots are cut to the window and written to docs/pictures/ (commit them
# with the change of look that called for them).
#   bash scripts/pictures.sh
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/env.sh"
bash "$ROOT/scripts/setup.sh"
if [ "$BUILD_TESTS" = "$BUILD_WIN64" ]; then
    configure_cross "$BUILD_WIN64" mingw-x86_64 -DKT_SHIPPED32_DIR="$BUILD_WIN"
else
    configure_cross "$BUILD_WIN" mingw-i686
fi
cmake --build "$BUILD_TESTS" --target gallery_e2e_driver Tessara Korvel korvel_probe

use_run_prefixes
ctest --test-dir "$BUILD_TESTS" -R '^(gallery_e2e|korvel_dialog_screenshots)$' --output-on-failure

OUT="$ROOT/docs/pictures"
mkdir -p "$OUT"
GALLERY_SHOT="$BUILD_TESTS/gallery-e2e-shots/2-found-B100.png"
DIALOG_SHOT="$BUILD_TESTS/artefacts/korvel/korvel-dialog.png"
for shot in "$GALLERY_SHOT" "$DIALOG_SHOT"; do
    [ -f "$shot" ] || { echo "pictures: the tests left no $shot" >&2; exit 1; }
done
# The gallery's shot is the whole screen: the window alone is what differs
# from the empty (black) root around it. -strip keeps the files the same
# from one run to the next when the pixels are.
convert "$GALLERY_SHOT" -bordercolor black -border 1 -trim +repage -strip "$OUT/tessara-gallery.png"
convert "$DIALOG_SHOT" -strip "$OUT/korvel-dialog.png"

# The example on a folder whose contents change only with the example.
bash "$ROOT/scripts/run.sh" --target Folders "Z:$(echo "$ROOT/examples/folders" | tr / '\\')"
convert "$ROOT/build/Folders.png" -bordercolor black -border 1 -trim +repage -strip "$OUT/folders-example.png"
for p in "$OUT/tessara-gallery.png" "$OUT/korvel-dialog.png" "$OUT/folders-example.png"; do
    echo "pictures: $p ($(identify -format '%w x %h' "$p"))"
done
