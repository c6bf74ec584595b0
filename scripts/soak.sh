#!/usr/bin/env bash
# A long run: the monitor (offscreen) takes SERVER_LINES lines over the APRS server link, then
# AGW_FRAMES frames over the AGWPE link, from aprs-replay looping the demo stream mixed with
# noise, with the watched station reporting throughout. Samples resident memory every second
# and checks at the end: the process ran to the end of each stream, the log stayed trimmed,
# and the last report that passed the gate (the last one in the log) is the one on screen.
#   scripts/soak.sh [SERVER_LINES] [AGW_FRAMES] [BUILD_DIR]
#   (defaults 10000000, 1000000 and build/release, configured when missing; brought up to date)
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
lines="${1:-10000000}"
frames="${2:-1000000}"
build="${3:-$root/build/release}"
[ -f "$build/CMakeCache.txt" ] || cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$build" -j2 --target pluvetta aprs-replay >/dev/null
bin="$build/bin"
source "$root/scripts/replay-lib.sh"
work="$(mktemp -d)"
trap 'stop_replay; rm -rf "$work"' EXIT
export QT_QPA_PLATFORM=offscreen LC_ALL=C

# The stream: the demo stream's packets (its own DEMO-13 lines aside), a noise line after each
# (random printable bytes, among them tags of weather fields), and from DEMO-13 every tenth line
# a report without wind data, which leaves the gate open, so that every one is logged and
# shown, and every tenth line a status text, which is logged too.
noise() { head -c 400000 /dev/urandom | tr -dc '!-~ ' | fold -w 70 | sed 's/^/Q9NOISE>APRS:/'; }
grep -v -e '^#' -e '^DEMO-13>' "$root/docs/demo-stream.txt" >"$work/demo.txt"
paste -d '\n' "$work/demo.txt" <(noise | head -n "$(wc -l <"$work/demo.txt")") |
    awk '{ print } NR % 10 == 0 {
        printf "DEMO-13>APRS,TCPIP*,qAC,T2SOAK:!4530.25N/00912.60E_.../...g...t%03dh50b10132 soak%d\n",
            30 + NR % 60, NR }
        NR % 10 == 5 { printf "DEMO-13>APRS,TCPIP*,qAC,T2SOAK:>soak status %d\n", NR }' >"$work/stream.txt"

# soak LINK COUNT [aprs-replay options]: one run; prints its figures and checks.
soak() {
    local link=$1 count=$2 failures=0
    shift 2
    start_replay "$bin" "$work/replay.out" "$@" --loop --count "$count" "$work/stream.txt"
    local started=$SECONDS
    PLUVETTA_HOOK_QUIT_ON_DISCONNECT=1 PLUVETTA_HOOK_PRINT_READOUT=1 \
        "$bin/pluvetta" DEMO-13 "$link:127.0.0.1:$replay_port" >"$work/readout" 2>"$work/app.err" &
    local app_pid=$! status=0
    : >"$work/rss"
    while kill -0 "$app_pid" 2>/dev/null; do
        awk '/^VmRSS/ { print $2 }' "/proc/$app_pid/status" >>"$work/rss" 2>/dev/null || true
        sleep 1
    done
    wait "$app_pid" || status=$?
    stop_replay
    local took=$((SECONDS - started))
    # The temperature of the last report in the log, in the readout's words: t is in degrees
    # Fahrenheit, shown in Celsius with one decimal (never a tie: the ninths never end in 5).
    local log last shown want
    log=$(sed -n 's/^Text1=//p' "$work/readout")
    last=$(printf '%s' "$log" | grep -o 't[0-9]\{3\}h50b10132 soak[0-9]*' | tail -n 1)
    shown=$(sed -n 's/^lblTemp=//p' "$work/readout")
    want=$(awk -v f="${last:1:3}" 'BEGIN { printf "%.1f\302\260C", (f - 32) * 5 / 9 }')
    awk -v link="$link" -v n="$count" -v s="$took" '{ v[NR] = $1; if ($1 > peak) peak = $1 }
        END { printf "%s link: %d packets in %d s; resident memory KiB: at 10%% %d, peak %d, end %d (%d samples)\n",
              link, n, s, v[int(NR / 10) + 1], peak, v[NR], NR }' "$work/rss"
    echo "  log ${#log} characters; last report in the log: ${last:-none}; lblTemp: ${shown:-none}"
    [ "$status" -eq 0 ] || { echo "FAIL exit status $status"; failures=1; }
    # The log is cut to 9,800 characters before an append once it passes 9,999; the readout
    # prints CR LF as the four characters \r\n.
    [ "${#log}" -le 12000 ] || { echo "FAIL the log was not trimmed"; failures=1; }
    [ -n "$last" ] && [ "$want" = "$shown" ] || { echo "FAIL the last logged report is not shown ($want)"; failures=1; }
    # Flat: from a tenth of the run on (the first second at least), memory grows by less than
    # 8 MiB. A run of less than ten samples is too short to tell.
    awk 'NR == int(total / 10) + 2 { base = $1 } base && $1 - base > 8192 { bad = 1 }
        END { exit bad }' total="$(wc -l <"$work/rss")" "$work/rss" ||
        { echo "FAIL resident memory grew during the run"; failures=1; }
    return "$failures"
}

result=0
soak S "$lines" || result=1
soak A "$frames" --agw || result=1
exit "$result"
