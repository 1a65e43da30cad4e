#!/usr/bin/env bash
# Sets up the machine if needed, builds every build and runs every test:
# the window-free logic natively under AddressSanitizer and UBSan, its fuzz
# targets for a short fixed time each (clang with libFuzzer), and the
# Windows tests under Wine with one wineserver for the whole run.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/env.sh"
bash "$ROOT/scripts/setup.sh"

build_all
build_native
# A missing clang or libFuzzer fails the run (it never skips the fuzzing).
fuzz_built=1
build_fuzz || { fuzz_built=0; echo "test.sh: the fuzz targets could not be built; they count as one failure"; }

use_run_prefixes
export WINEPREFIX="$KT_PREFIX_TEST"
unset DISPLAY
start_wineserver

status=0
summary() {
    # ctest's own summary line: "N% tests passed, F tests failed out of T"
    grep -E 'tests passed, [0-9]+ tests? failed out of' "$1" | tail -1
}
# Every test's own output of the last ctest run in $1, kept as build/$2-output.log.
keep_output() { cp "$1/Testing/Temporary/LastTest.log" "$ROOT/build/$2-output.log" 2>/dev/null || true; }
ctest --test-dir "$BUILD_NATIVE" --output-on-failure -j2 2>&1 | tee "$ROOT/build/native-tests.log" || status=1
[ "${PIPESTATUS[0]}" -eq 0 ] || status=1
keep_output "$BUILD_NATIVE" native-tests
rm -f "$ROOT/build/fuzz-tests.log"
if [ $fuzz_built -eq 1 ]; then
    ctest --test-dir "$BUILD_FUZZ" --output-on-failure -j2 2>&1 | tee "$ROOT/build/fuzz-tests.log" || status=1
    [ "${PIPESTATUS[0]}" -eq 0 ] || status=1
    keep_output "$BUILD_FUZZ" fuzz-tests
else
    status=1
fi
# One at a time: window tests share Wine's desktop, focus and mouse.
ctest --test-dir "$BUILD_TESTS" --output-on-failure -LE shipped32 2>&1 | tee "$ROOT/build/win-tests.log" || status=1
[ "${PIPESTATUS[0]}" -eq 0 ] || status=1
keep_output "$BUILD_TESTS" win-tests
logs=("$ROOT/build/native-tests.log" "$ROOT/build/fuzz-tests.log" "$ROOT/build/win-tests.log")

# Where the kernel cannot run 32-bit programs, the shipped 32-bit programs
# themselves run last, under emulation. Each case has its own prefix and
# display, so two run at once.
if ! kernel_runs_32bit; then
    echo "test: the shipped 32-bit programs, under user-mode emulation (a few minutes)"
    ctest --test-dir "$BUILD_TESTS" --output-on-failure -L shipped32 -j2 2>&1 | tee "$ROOT/build/shipped32-tests.log" || status=1
    [ "${PIPESTATUS[0]}" -eq 0 ] || status=1
    keep_output "$BUILD_TESTS" shipped32-tests
    if ! summary "$ROOT/build/shipped32-tests.log" | grep -q 'out of 3$'; then
        echo "test: the three 32-bit smoke cases did not all run (is $BUILD_TESTS configured with KT_SHIPPED32_DIR?)" >&2
        status=1
        unrun=3
    fi
    logs+=("$ROOT/build/shipped32-tests.log")
fi

# The closing line counts ctest cases. ctest's own "N% tests passed" counts
# a skipped case as passed; here it counts as skipped, and each skipped test
# is listed with its reason (the test programs print "SKIPPED: ..." lines,
# which ctest keeps in its LastTest.log, copied beside each run's log).
total=${unrun:-0}; failed=${unrun:-0}; skipped=0
[ $fuzz_built -eq 1 ] || { total=$((total + 1)); failed=$((failed + 1)); }
for log in "${logs[@]}"; do
    [ -f "$log" ] || continue
    line=$(summary "$log" || true)
    if [ -n "$line" ]; then
        t=$(echo "$line" | sed -E 's/.*out of ([0-9]+).*/\1/')
        f=$(echo "$line" | sed -E 's/.* ([0-9]+) tests? failed.*/\1/')
        total=$((total + t)); failed=$((failed + f))
    fi
    s=$(grep -cE '^[[:space:]]+[0-9]+ - .* \((Skipped|Disabled)\)$' "$log" || true)
    skipped=$((skipped + s))
done
for log in "${logs[@]}"; do
    [ -f "${log%.log}-output.log" ] && grep -h '^SKIPPED: ' "${log%.log}-output.log" | sed 's/^/  /' || true
done
echo "$((total - failed - skipped)) passed, $failed failed, $skipped skipped"
exit $status
