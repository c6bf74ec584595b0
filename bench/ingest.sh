#!/usr/bin/env bash
# How fast the real monitor takes a stream: aprs-replay sends LINES packet lines as fast as the
# monitor reads them, over the APRS server link or, with "agw", as the monitored frames of an
# AGWPE engine; the monitor (offscreen, Rx rows updated per packet) runs until the stream ends,
# and its wall time, CPU time and resident memory are reported.
#   bench/ingest.sh BUILD_DIR [LINES] [server|agw]
#   (BUILD_DIR a Release build, LINES default 1000000, the server link by default)
set -euo pipefail
build="${1:?usage: bench/ingest.sh BUILD_DIR [LINES] [server|agw]}"
lines="${2:-1000000}"
link="${3:-server}"
case "$link" in
    server) replay_options=() endpoint=S ;;
    agw) replay_options=(--agw) endpoint=A ;;
    *) echo "bench/ingest.sh: the link is server or agw" >&2; exit 2 ;;
esac
root="$(cd "$(dirname "$0")/.." && pwd)"
bin="$build/bin"
source "$root/scripts/replay-lib.sh"
make_work_folder
export QT_QPA_PLATFORM=offscreen LC_ALL=C
# The demo stream without its server comment lines, which an engine would not pass on: every
# line sent is then one packet on either link.
grep -v '^#' "$root/docs/demo-stream.txt" >"$work/stream.txt"

# One run: prints "wall_s user_s sys_s maxrss_kib ingest_ms" and leaves RSS samples in
# $work/rss.<count>.
run_once() {
    local count=$1
    start_replay "$bin" "$work/replay.out" "${replay_options[@]}" --loop --count "$count" \
        "$work/stream.txt"

    PLUVETTA_HOOK_QUIT_ON_DISCONNECT=1 PLUVETTA_HOOK_PRINT_INGEST=1 \
        /usr/bin/time -f "%e %U %S %M" -o "$work/time" \
        "$bin/pluvetta" DEMO-13 "$endpoint:127.0.0.1:$replay_port" >"$work/app.out" 2>"$work/app.err" &
    local time_pid=$!
    : >"$work/rss.$count"
    while kill -0 "$time_pid" 2>/dev/null; do
        local app_pid
        app_pid=$(pgrep -P "$time_pid" -x pluvetta || true)
        [ -n "$app_pid" ] && awk '/^VmRSS/ {print $2}' "/proc/$app_pid/status" \
            >>"$work/rss.$count" 2>/dev/null || true
        sleep 0.2
    done
    wait "$time_pid"
    stop_replay
    local ingest
    ingest=$(sed -n 's/^ingest_ms=//p' "$work/app.out")
    echo "$(cat "$work/time") ${ingest:-?}"
}

read -r base_wall base_user base_sys base_rss base_ingest < <(run_once 1)
read -r wall user sys rss ingest < <(run_once "$lines")

awk -v link="$link" -v n="$lines" -v wall="$wall" -v user="$user" -v sys="$sys" -v rss="$rss" \
    -v ingest="$ingest" -v bu="$base_user" -v bs="$base_sys" -v brss="$base_rss" 'BEGIN {
    cpu = (user + sys) - (bu + bs)
    printf "packets (%s link)  %d\n", link, n
    printf "ingest time           %.3f s (connect to end of stream)\n", ingest / 1000
    printf "packets per second    %.0f\n", n / (ingest / 1000)
    printf "CPU per packet        %.2f us (user+sys, start-up run subtracted)\n", cpu * 1e6 / n
    printf "CPU share at 300/s    %.3f %% of one core\n", cpu / n * 300 * 100
    printf "peak RSS              %d KiB (start-up run: %d KiB)\n", rss, brss
    printf "process wall time     %.2f s\n", wall
}'
samples=$(wc -l <"$work/rss.$lines")
if [ "$samples" -ge 4 ]; then
    awk '{ v[NR] = $1 } END {
        q = int(NR / 4); if (q < 1) q = 1
        printf "RSS samples (KiB)     at 25%%: %d  50%%: %d  75%%: %d  end: %d  (%d samples)\n",
            v[q], v[2 * q], v[3 * q], v[NR], NR }' "$work/rss.$lines"
fi
