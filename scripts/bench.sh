#!/usr/bin/env bash
# Sets up the machine if needed, builds the benchmark and the gallery, and
# runs the side-by-side benchmark under Wine (headless prefix). Arguments
# go to the benchmark: --runs N, --full, --quick.
#   bash scripts/bench.sh            # the table in the README
#   bash scripts/bench.sh --quick    # sizes up to 10,000
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/env.sh"
bash "$ROOT/scripts/setup.sh"
# The build that can run here (the 64-bit one where 32-bit programs cannot);
# KT_BENCH_BUILD names another build folder of the same kind.
BUILD="${KT_BENCH_BUILD:-$BUILD_TESTS}"
if [ "$BUILD_TESTS" = "$BUILD_WIN" ]; then
    configure_cross "$BUILD" mingw-i686
else
    configure_cross "$BUILD" mingw-x86_64
fi
cmake --build "$BUILD" --target compare_bench Tessara -j2
use_run_prefixes
export WINEPREFIX="$KT_PREFIX_TEST"
unset DISPLAY
start_wineserver
"$ROOT/scripts/wine-run" "$BUILD/bench/compare_bench.exe" "$@"
