#!/usr/bin/env bash
# Runs one fuzz target: run-target.sh TARGET SEEDS WORK SECONDS
# New inputs go to WORK/corpus (the seeds in the repository stay as they
# are), the output to WORK/fuzz.log, and an input that crashes, leaks,
# hangs or trips a sanitizer is kept as WORK/crash-*, leak-*, timeout-* or
# oom-*, beside that log. Exits non-zero with the input's path when one was
# found.
set -uo pipefail
target="$1" seeds="$2" work="$3" seconds="$4"
name="$(basename "$target")"
mkdir -p "$work/corpus"
rm -f "$work"/crash-* "$work"/leak-* "$work"/timeout-* "$work"/oom-*
log="$work/fuzz.log"
echo "fuzz: $name for $seconds s from $(ls "$seeds" | wc -l) seeds ($(ls "$work/corpus" | wc -l) inputs kept from earlier runs)"
"$target" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -max_len=8192 -print_final_stats=1 \
    -artifact_prefix="$work/" "$work/corpus" "$seeds" >"$log" 2>&1
rc=$?
grep -E '^(#[0-9]+ +DONE|stat::number_of_executed_units|stat::new_units_added)' "$log" | sed "s/^/fuzz: $name: /"
found=$(ls "$work"/crash-* "$work"/leak-* "$work"/timeout-* "$work"/oom-* 2>/dev/null | head -1)
if [ $rc -ne 0 ] || [ -n "$found" ]; then
    # The report: the sanitizer's or the target's own lines.
    grep -E -A25 'ERROR: |runtime error|Assertion|==[0-9]+==|^(form data|settings|property bag|tree labels|layout):' "$log" | head -60
    echo "fuzz: $name FAILED (exit $rc); the input is kept at ${found:-<none written>}, the log at $log"
    exit 1
fi
echo "fuzz: $name passed"
