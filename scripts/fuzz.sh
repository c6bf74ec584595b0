#!/usr/bin/env bash
# Builds every fuzz target (tests/fuzz/*_fuzz.cpp) with clang's libFuzzer, AddressSanitizer and
# UndefinedBehaviorSanitizer, and runs each in turn for SECONDS (default 60) from its seed
# corpus. New inputs go to build/fuzz/corpus/NAME, findings to build/fuzz/findings/NAME.
#   scripts/fuzz.sh [SECONDS]           PLUVETTA_FUZZ_RUNS=N instead stops each after N inputs
# Prints one line per target: name, inputs run, seconds, corpus size, verdict.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
cd "$root"
seconds="${1:-60}"
runs="${PLUVETTA_FUZZ_RUNS:--1}"
build="${PLUVETTA_FUZZ_BUILD:-$root/build/fuzz}"
scripts/install-deps.sh >/dev/null

targets=()
for source in tests/fuzz/*_fuzz.cpp; do targets+=("$(basename "$source" .cpp)"); done
CC=clang CXX=clang++ cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DPLUVETTA_SANITIZE=ON -DPLUVETTA_LIBFUZZER=ON -DPLUVETTA_WERROR=ON \
    -DCMAKE_CXX_FLAGS="-fsanitize=fuzzer-no-link" >/dev/null
cmake --build "$build" -j2 --target "${targets[@]}" >/dev/null

failed=0
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
for target in "${targets[@]}"; do
    name=${target%_fuzz}
    corpus="$build/corpus/$name"
    findings="$build/findings/$name"
    mkdir -p "$corpus" "$findings"
    log="$build/$name.log"
    started=$(date +%s)
    status=0
    "$build/bin/$target" -max_total_time="$seconds" -runs="$runs" -timeout=10 -rss_limit_mb=2048 \
        -print_final_stats=1 -artifact_prefix="$findings/" "$corpus" "tests/fuzz/corpus/$name" \
        >"$log" 2>&1 || status=$?
    took=$(($(date +%s) - started))
    done_runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -1)
    verdict=ok
    if [ "$status" -ne 0 ]; then
        verdict="FINDING (see $log and $findings)"
        failed=1
    fi
    printf '%-16s runs=%-12s seconds=%-6s corpus=%-6s %s\n' "$name" "${done_runs:-?}" "$took" \
        "$(find "$corpus" -type f | wc -l)" "$verdict"
done
exit "$failed"
