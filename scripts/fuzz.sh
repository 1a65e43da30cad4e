#!/usr/bin/env bash
# Runs the fuzz targets for as long as asked (the test run gives each 20 s):
#
#   bash scripts/fuzz.sh                      # every target, 300 s each
#   bash scripts/fuzz.sh --seconds 3600 fuzz_form_data fuzz_settings
#
# Targets: fuzz_form_data, fuzz_settings, fuzz_property_bag,
# fuzz_tree_labels, fuzz_layouts. Inputs found go to
# build/fuzz/fuzz/runs/<target>/corpus and are reused by later runs; an
# input that crashes or trips a sanitizer is kept beside that target's
# fuzz.log there, and the script exits non-zero.
set -uo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/env.sh"

seconds=300
targets=()
while [ $# -gt 0 ]; do
    case "$1" in
        --seconds) seconds="$2"; shift 2 ;;
        -*) echo "fuzz.sh: unknown option $1 (--seconds N, then target names)" >&2; exit 2 ;;
        *) targets+=("$1"); shift ;;
    esac
done
[ ${#targets[@]} -gt 0 ] || targets=(fuzz_form_data fuzz_settings fuzz_property_bag fuzz_tree_labels fuzz_layouts)

bash "$ROOT/scripts/setup.sh" >/dev/null
build_fuzz >/dev/null || { echo "fuzz.sh: the fuzz targets could not be built" >&2; exit 1; }

failed=()
n=0
for t in "${targets[@]}"; do
    n=$((n + 1))
    exe="$BUILD_FUZZ/fuzz/$t"
    [ -x "$exe" ] || { echo "fuzz.sh: no fuzz target named $t" >&2; failed+=("$t"); continue; }
    echo "fuzz.sh: [$n/${#targets[@]}] $t for $seconds s ($((n - 1)) done)"
    bash "$ROOT/fuzz/run-target.sh" "$exe" "$ROOT/fuzz/corpus/$t" "$BUILD_FUZZ/fuzz/runs/$t" "$seconds" || failed+=("$t")
done
echo "fuzz.sh: ${#targets[@]} targets, ${#failed[@]} failed${failed:+: ${failed[*]}}"
[ ${#failed[@]} -eq 0 ]
