#!/usr/bin/env bash
# Builds the fuzz targets and runs each in turn for the given number of seconds (30 by
# default), from its seeds in tests/fuzz/corpus/<target>/. What a run learns is kept in
# build-fuzz/corpus/<target>/, out of the source tree, and its whole output in
# build-fuzz/<target>.log; an input that breaks a property is saved as
# build-fuzz/<target>-crash-<hash>, and the script fails.
set -euo pipefail
cd "$(dirname "$0")/../.."
seconds="${1:-30}"
cmake --workflow --preset fuzz
for target in fuzz_firefox fuzz_store fuzz_number fuzz_page; do
    mkdir -p "build-fuzz/corpus/$target"
    echo "== $target, ${seconds} s"
    status=0
    "build-fuzz/tests/fuzz/$target" -max_total_time="$seconds" -print_final_stats=1 \
        -artifact_prefix="build-fuzz/$target-" \
        "build-fuzz/corpus/$target" "tests/fuzz/corpus/$target" >"build-fuzz/$target.log" 2>&1 ||
        status=$?
    if [ "$status" -ne 0 ]; then
        tail -n 60 "build-fuzz/$target.log"
        exit "$status"
    fi
    grep -E '^(#[0-9]+[[:space:]]+DONE|stat::number_of_executed_units|stat::peak_rss_mb)' \
        "build-fuzz/$target.log"
done
