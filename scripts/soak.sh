#!/usr/bin/env bash
# The full-size soak and monkey runs, one subject at a time, each in a test
# process of its own with a time budget: 10,000 soak rounds and 100,000
# monkey messages for every control, the launcher's button, the gallery
# form and the launcher's dialog. Prints each subject's figures as table rows (for the README) and
# exits non-zero when any subject grew, broke an invariant, faulted or ran
# over its budget. Not part of the regular test run.
#
#   bash scripts/soak.sh                    # every subject, 900 s each at most
#   bash scripts/soak.sh --budget 1200      # seconds per subject
#   bash scripts/soak.sh --seed 7 --only YList,YTreeView
set -uo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/env.sh"

budget=900
seed=20261210
only=""
while [ $# -gt 0 ]; do
    case "$1" in
        --budget) budget="$2"; shift 2 ;;
        --seed) seed="$2"; shift 2 ;;
        --only) only="$2"; shift 2 ;;
        *) echo "soak.sh: unknown option $1 (--budget SECONDS, --seed N, --only A,B)" >&2; exit 2 ;;
    esac
done

bash "$ROOT/scripts/setup.sh" >/dev/null
if [ "$BUILD_TESTS" = "$BUILD_WIN64" ]; then
    configure_cross "$BUILD_WIN64" mingw-x86_64
else
    configure_cross "$BUILD_WIN" mingw-i686
fi
cmake --build "$BUILD_TESTS" --target reliability_soak_monkey_test >/dev/null || {
    echo "soak.sh: the soak test does not build" >&2; exit 1; }
exe="$BUILD_TESTS/tests/reliability/reliability_soak_monkey_test.exe"

use_run_prefixes
# A copy of its own, so a build during the run cannot change the program
# under a subject that is about to start.
cp "$exe" "$RUN_DIR/soak-monkey.exe"
exe="$RUN_DIR/soak-monkey.exe"
export WINEPREFIX="$KT_PREFIX_TEST"
unset DISPLAY
start_wineserver

logs="$ROOT/build/soak"
mkdir -p "$logs"
# Subjects: the gallery form, the launcher's dialog and every parameter of
# the control runs.
subjects=(frmMain frmKorvel)
while read -r name; do
    subjects+=("$name")
done < <("$ROOT/scripts/wine-run" "$exe" --gtest_list_tests --gtest_filter='Controls/Reliability.Soak*' 2>/dev/null |
         sed -n 's/^  [A-Za-z]*\/\([A-Za-z_0-9]*\).*/\1/p' | tr -d '\r')
if [ -n "$only" ]; then
    picked=()
    for s in "${subjects[@]}"; do
        case ",$only," in *",$s,"*) picked+=("$s") ;; esac
    done
    subjects=("${picked[@]}")
fi
[ "${#subjects[@]}" -gt 0 ] || { echo "soak.sh: no subject to run" >&2; exit 1; }

rows=()
failed=()
began=$SECONDS
n=0
for s in "${subjects[@]}"; do
    n=$((n + 1))
    echo "soak.sh: [$n/${#subjects[@]}] $s ($((n - 1)) done, $((SECONDS - began)) s so far; budget $budget s)"
    case "$s" in
        frmMain) filter='GalleryReliability.*' ;;
        frmKorvel) filter='DialogReliability.*' ;;
        *) filter="Controls/Reliability.*/$s" ;;
    esac
    log="$logs/$s.log"
    start=$SECONDS
    timeout --kill-after=30 "$budget" "$ROOT/scripts/wine-run" "$exe" --full --seed="$seed" \
        --gtest_filter="$filter" --gtest_brief=1 >"$log" 2>&1
    rc=$?
    took=$((SECONDS - start))
    if [ $rc -eq 124 ] || [ $rc -eq 137 ]; then
        echo "soak.sh: $s ran over its budget of $budget s (log: $log)"
        failed+=("$s (over budget)")
    elif [ $rc -ne 0 ]; then
        echo "soak.sh: $s FAILED after $took s (log: $log):"
        grep -E 'Failure|grew|left|broke|fault| after [0-9]+ messages' "$log" | head -20 | sed 's/^/    /'
        failed+=("$s")
    else
        echo "soak.sh: $s passed in $took s"
    fi
    while IFS= read -r row; do rows+=("$row"); done < <(grep -E "^\| $s \| (soak|monkey) \|" "$log" | tr -d '\r')
done

echo
echo "| subject | run | GDI start | GDI end | windows start | windows end | heap start | heap end | private start | private end | rounds or messages | timer ticks | seed | seconds |"
echo "|---|---|---|---|---|---|---|---|---|---|---|---|---|---|"
printf '%s\n' "${rows[@]}"
echo
echo "soak.sh: ${#subjects[@]} subjects in $((SECONDS - began)) s, ${#failed[@]} failed${failed:+: ${failed[*]}}"
[ "${#failed[@]}" -eq 0 ]
