#!/usr/bin/env bash
# Times wxdecode against Dire Wolf's decode_aprs on the same packet file, both writing to
# /dev/null, and prints both times and their ratio. The packet file has LINES lines
# (PLUVETTA_COMPARE_LINES, default 100,000) of one of three inputs:
#   complete  one station's complete reports, every value drawn at random (bench/make_packets.py)
#   mix       every shape a server passes on, weather and other traffic (bench/make_packets.py)
#   FILE      a file of information fields, one a line, each given a sender and a path in turn
# The two take turns, RUNS times each (PLUVETTA_COMPARE_RUNS, default 11), so that both meet
# the same load; the medians of wall time and of CPU time (user + system) are compared.
# Builds nothing; give it a Release build directory:
#   cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=Release && cmake --build build/release
#   bench/compare_decode_aprs.sh build/release complete
set -euo pipefail

root="$(cd "$(dirname "$0")/.." && pwd)"
build="${1:?usage: $0 RELEASE_BUILD_DIR complete|mix|WEATHER_FIELDS_FILE}"
input="${2:?usage: $0 RELEASE_BUILD_DIR complete|mix|WEATHER_FIELDS_FILE}"
lines="${PLUVETTA_COMPARE_LINES:-100000}"

wxdecode="$build/bin/wxdecode"
[ -x "$wxdecode" ] || { echo "no $wxdecode: build the Release tree first" >&2; exit 1; }
decode_aprs="$(command -v decode_aprs)" ||
    { echo "decode_aprs not found (Debian package direwolf)" >&2; exit 1; }
build_type="$(sed -n 's/^CMAKE_BUILD_TYPE:[A-Z]*=//p' "$build/CMakeCache.txt" 2>/dev/null || true)"
[ "$build_type" = Release ] || echo "warning: $build is a '$build_type' build, not Release" >&2

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
packets="$work/packets.txt"
case "$input" in
complete | mix) python3 "$root/bench/make_packets.py" "$input" "$lines" >"$packets" ;;
*)
    [ -r "$input" ] || { echo "no weather fields file at $input" >&2; exit 1; }
    # Monitor-format packet lines, as both tools read them; the fields cycle, the senders vary.
    awk -v total="$lines" '
        { sub(/\r$/, ""); field[n++] = $0 }
        END {
            for (i = 0; i < total; i++)
                printf "WX%dAB-%d>APRS,WIDE2-1:%s\n", i % 10, i % 15 + 1, field[i % n]
        }' "$input" >"$packets"
    ;;
esac
echo "packet file: $(wc -l <"$packets") lines, $(wc -c <"$packets") bytes, from $input"

runs="${PLUVETTA_COMPARE_RUNS:-11}"
times=$(python3 "$root/bench/alternate_times.py" "$runs" \
    "'$wxdecode' < '$packets' > /dev/null" "'$decode_aprs' '$packets' > /dev/null 2>&1")
read -r wx_wall wx_cpu dw_wall dw_cpu <<<"$(echo $times)"

awk -v ww="$wx_wall" -v wc="$wx_cpu" -v dw="$dw_wall" -v dc="$dw_cpu" -v n="$lines" -v runs="$runs" '
BEGIN {
    printf "medians of %d runs each, taking turns\n", runs
    printf "wxdecode:    wall %.4f s, CPU %.4f s (%.0f lines/s of CPU)\n", ww, wc, n / wc
    printf "decode_aprs: wall %.4f s, CPU %.4f s (%.0f lines/s of CPU)\n", dw, dc, n / dc
    printf "ratio: wxdecode is %.2f times faster in wall time, %.2f times in CPU time\n",
        dw / ww, dc / wc
}'
