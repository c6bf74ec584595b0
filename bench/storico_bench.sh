#!/usr/bin/env bash
# The history on ten years of one report every five minutes (about a million rows): how long
# the file takes to make, opening the window on 72 hours and on a year (goals 300 ms and 1 s,
# drawn offscreen), recording one report (goal: median under 1 ms), the store's opening with
# its quick check, and the peak resident memory (goal under 120 MB). Run alone or from
# scripts/bench.sh; the file is kept under the build folder, never in the user's history.
#   bench/storico_bench.sh [BUILD_FOLDER]
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${1:-${PLUVETTA_BENCH_BUILD:-$root/build/bench}}"
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$build" -j"$(nproc)" --target pluvetta-storico storico_bench >&2
file="$build/bench-history/history.sqlite"
mkdir -p "$(dirname "$file")"
started=$(date +%s%N)
"$build/bin/pluvetta-storico" --make-demo "$file" 3650 BENCH-1
echo "make_10y_s $(awk -v n=$(( $(date +%s%N) - started )) 'BEGIN { printf "%.1f", n / 1e9 }')"
echo "rows $(sqlite3 "$file" 'SELECT COUNT(*) FROM report')"
echo "file_mb $(du -m "$file" | cut -f1)"
QT_QPA_PLATFORM=offscreen "$build/bin/storico_bench" "$file" BENCH-1
