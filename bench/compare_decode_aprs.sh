#!/usr/bin/env bash
# Times wxdecode against Dire Wolf's decode_aprs on the same packet file (100,000 lines built
# from real weather fields), both writing to /dev/null, and prints both times and the ratio.
# Builds nothing; give it a Release build directory:
#   cmake -S . -B build-release -G Ninja -DCMAKE_BUILD_TYPE=Release && cmake --build build-release
#   bench/compare_decode_aprs.sh build-release [path/to/aprs-weather-fields.txt]
# Uses hyperfine when installed, else /usr/bin/time (best of five runs).
set -euo pipefail

root="$(cd "$(dirname "$0")/.." && pwd)"
build="${1:?usage: $0 RELEASE_BUILD_DIR [WEATHER_FIELDS_FILE]}"
fields="${2:-$root/../shared/data/aprs-weather-fields.txt}"
lines="${PLUVETTA_COMPARE_LINES:-100000}"

wxdecode="$build/bin/wxdecode"
[ -x "$wxdecode" ] || { echo "no $wxdecode: build the Release tree first" >&2; exit 1; }
[ -r "$fields" ] || { echo "no weather fields file at $fields" >&2; exit 1; }
decode_aprs="$(command -v decode_aprs)" ||
    { echo "decode_aprs not found (Debian package direwolf)" >&2; exit 1; }
build_type="$(sed -n 's/^CMAKE_BUILD_TYPE:[A-Z]*=//p' "$build/CMakeCache.txt" 2>/dev/null || true)"
[ "$build_type" = Release ] || echo "warning: $build is a '$build_type' build, not Release" >&2

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
packets="$work/packets.txt"
# Monitor-format packet lines, as both tools read them; the fields cycle, the senders vary.
awk -v total="$lines" '
    { sub(/\r$/, ""); field[n++] = $0 }
    END {
        for (i = 0; i < total; i++)
            printf "WX%dAB-%d>APRS,WIDE2-1:%s\n", i % 10, i % 15 + 1, field[i % n]
    }' "$fields" >"$packets"
echo "packet file: $(wc -l <"$packets") lines, $(wc -c <"$packets") bytes, from $fields"

wx_command="'$wxdecode' < '$packets' > /dev/null"
dw_command="'$decode_aprs' '$packets' > /dev/null 2>&1"

if command -v hyperfine >/dev/null; then
    echo "timing with hyperfine"
    hyperfine --style basic --warmup 1 --runs 10 --export-json "$work/times.json" \
        "$wx_command" "$dw_command"
    mapfile -t means < <(grep -o '"mean": *[0-9.eE+-]*' "$work/times.json" | grep -o '[0-9.eE+-]*$')
    wx_seconds="${means[0]}"
    dw_seconds="${means[1]}"
else
    echo "timing with /usr/bin/time, best of five runs"
    best_of_five() {
        local best="" t
        for _ in 1 2 3 4 5; do
            /usr/bin/time -f '%e' -o "$work/time.txt" bash -c "$1"
            t="$(cat "$work/time.txt")"
            best="$(awk -v a="$t" -v b="$best" 'BEGIN { print (b == "" || a < b) ? a : b }')"
        done
        echo "$best"
    }
    wx_seconds="$(best_of_five "$wx_command")"
    dw_seconds="$(best_of_five "$dw_command")"
fi

awk -v wx="$wx_seconds" -v dw="$dw_seconds" -v n="$lines" 'BEGIN {
    printf "wxdecode:    %.4f s (%.0f lines/s)\n", wx, (wx > 0 ? n / wx : 0)
    printf "decode_aprs: %.4f s (%.0f lines/s)\n", dw, (dw > 0 ? n / dw : 0)
    if (wx > 0) printf "ratio: wxdecode is %.1f times faster\n", dw / wx
    else print "ratio: wxdecode too fast to time at this resolution"
}'
