#!/usr/bin/env bash
# Sets up the machine if needed, builds both builds and runs every test:
# the window-free logic natively under AddressSanitizer and UBSan, and the
# Windows tests under Wine with one wineserver for the whole run.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/env.sh"
bash "$ROOT/scripts/setup.sh"

build_all
build_native

use_run_prefixes
export WINEPREFIX="$KT_PREFIX_TEST"
unset DISPLAY
start_wineserver

status=0
summary() {
    # ctest's own summary line: "N% tests passed, F tests failed out of T"
    grep -E 'tests passed, [0-9]+ tests? failed out of' "$1" | tail -1
}
ctest --test-dir "$BUILD_NATIVE" --output-on-failure -j2 2>&1 | tee "$ROOT/build/native-tests.log" || status=1
[ "${PIPESTATUS[0]}" -eq 0 ] || status=1
# One at a time: window tests share Wine's desktop, focus and mouse.
ctest --test-dir "$BUILD_TESTS" --output-on-failure 2>&1 | tee "$ROOT/build/win-tests.log" || status=1
[ "${PIPESTATUS[0]}" -eq 0 ] || status=1

total=0; failed=0
for log in "$ROOT/build/native-tests.log" "$ROOT/build/win-tests.log"; do
    line=$(summary "$log" || true)
    if [ -n "$line" ]; then
        t=$(echo "$line" | sed -E 's/.*out of ([0-9]+).*/\1/')
        f=$(echo "$line" | sed -E 's/.* ([0-9]+) tests? failed.*/\1/')
        total=$((total + t)); failed=$((failed + f))
    fi
done
echo "$((total - failed)) passed, $failed failed"
exit $status
