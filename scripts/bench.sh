#!/usr/bin/env bash
# Builds Pluvetta (Release) and measures what it costs on this machine, then prints one table
# with the machine it ran on and the goal of each figure:
#   scripts/bench.sh [IDLE_SECONDS]
# IDLE_SECONDS is how long the idle window is watched (default 600: ten minutes). The other
# parts take about two minutes. PLUVETTA_BENCH_BUILD sets the build folder (build/bench).
#
# - the decoder: reports per second (Google Benchmark, median of 5) and instructions per report
#   (callgrind: the difference of two runs of 1 and 10,001 reports, so the start-up cancels);
# - one report through the Monitor with a screen that keeps what it is given, the same way;
# - wxdecode against Dire Wolf's decode_aprs on 100,000-line packet files: one station's
#   complete reports with random values and a mix of every shape (bench/make_packets.py), and
#   the real weather fields of ../shared/data when present (both programs to /dev/null, taking
#   turns, medians of 11 runs each);
# - ingest: aprs-replay sends a million packets as fast as the window (offscreen) reads them,
#   over the APRS server link and over the AGWPE link;
# - start-up to the first painted window, offscreen and under Xvfb (median of 20 starts);
# - idle: under Xvfb, connected to a server that has gone quiet: resident memory, CPU time and
#   wake-ups over IDLE_SECONDS;
# - the history on ten years of reports (bench/storico_bench.sh, which also runs alone);
# - the help window on a 16 MiB guide of the shortest paragraphs (bench/help/help_bench.cpp).
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
cd "$root"
idle_seconds="${1:-600}"
[[ "$idle_seconds" =~ ^[0-9]+$ ]] || { echo "usage: scripts/bench.sh [IDLE_SECONDS]" >&2; exit 2; }
scripts/install-deps.sh

build="${PLUVETTA_BENCH_BUILD:-$root/build/bench}"
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$build" -j"$(nproc)" --target pluvetta wxdecode aprs-replay decoder_bench \
    monitor_bench help_bench >&2
bin="$build/bin"

source "$root/scripts/replay-lib.sh"
make_work_folder
table="$work/table"
# row WHAT MEASURED GOAL MET: one line of the table.
row() { printf '%s|%s|%s|%s\n' "$1" "$2" "$3" "$4" >>"$table"; }
# at_least VALUE GOAL / at_most VALUE GOAL: "yes" or "no".
at_least() { awk -v v="$1" -v g="$2" 'BEGIN { print (v >= g) ? "yes" : "no" }'; }
at_most() { awk -v v="$1" -v g="$2" 'BEGIN { print (v <= g) ? "yes" : "no" }'; }
step() { echo "== $*" >&2; }
# megabytes KIB: the size in MB of 10^6 bytes, as the goals are given.
megabytes() { awk -v k="$1" 'BEGIN { printf "%.1f MB", k * 1024 / 1e6 }'; }
load_before="$(cut -d' ' -f1-3 /proc/loadavg)"

# median_rate PROGRAM FILTER: items per second (median of 5) of the matching benchmarks, one
# "name rate" line each.
median_rates() {
    "$1" --benchmark_filter="$2" --benchmark_repetitions=5 --benchmark_report_aggregates_only=true \
        --benchmark_format=csv 2>/dev/null | awk -F, '
        NR == 1 { for (i = 1; i <= NF; i++) if ($i == "items_per_second") col = i; next }
        $1 ~ /_median"?$/ { name = $1; gsub(/"|_median/, "", name); print name, $col }'
}
# instructions PROGRAM NAME: instructions of one iteration of the benchmark NAME.
instructions() {
    local count=() n
    for n in 1 10001; do
        PLUVETTA_BENCH_ITERATIONS=$n valgrind --tool=callgrind --callgrind-out-file="$work/cg.$n" \
            "$1" --benchmark_filter="^$2(/iterations|\$)" >/dev/null 2>&1
        count+=("$(sed -n 's/^summary: *//p' "$work/cg.$n")")
    done
    echo $(((count[1] - count[0]) / 10000))
}

# benchmark_rows PROGRAM WHAT: a row for each "NAME LABEL" line read: the median rate of the
# benchmark NAME of PROGRAM and its instructions per iteration. The decoder's rows are held
# to its goal; the Monitor's give the time per report.
benchmark_rows() {
    local program=$1 what=$2 name label rate instr
    median_rates "$program" . >"$work/rates"
    while read -r name label; do
        rate="$(awk -v n="$name" '$1 == n { print $2 }' "$work/rates")"
        instr="$(instructions "$program" "$name" </dev/null)"
        if [ "$what" = DecodeWeatherReport ]; then
            row "$what, $label" "$(awk -v r="$rate" 'BEGIN { printf "%.2f M reports/s", r / 1e6 }'), \
$instr instructions" ">= 5 M/s" "$(at_least "$rate" 5e6)"
        else
            row "$what, $label" "$(awk -v r="$rate" 'BEGIN { printf "%.2f us/report", 1e6 / r }'), \
$instr instructions" "-" "-"
        fi
    done
}

step "decoder"
benchmark_rows "$bin/decoder_bench" DecodeWeatherReport <<'EOF'
BM_WorkedExampleComplete complete report
BM_WorkedExamplePositionless positionless report
BM_LongComment/200 200-character comment
BM_EveryFieldAbsent every field absent
EOF

step "Monitor"
benchmark_rows "$bin/monitor_bench" ProcessWeatherReport <<'EOF'
BM_ProcessCompleteReport complete report
BM_ProcessPositionlessReport positionless report
EOF

step "wxdecode against decode_aprs"
# Generated inputs always; the real weather fields (PLUVETTA_WEATHER_FIELDS, or shared/ beside
# the repository) when they are there.
inputs=(complete mix)
fields="${PLUVETTA_WEATHER_FIELDS:-$root/../shared/data/aprs-weather-fields.txt}"
[ -r "$fields" ] && inputs+=("$fields")
for input in "${inputs[@]}"; do
    case "$input" in
    complete) what="one station's complete reports, random values" ;;
    mix) what="generated mix of shapes and traffic" ;;
    *) what="real weather fields" ;;
    esac
    if ! command -v decode_aprs >/dev/null; then
        row "wxdecode vs decode_aprs, $what" "not run: no decode_aprs" ">= 5x CPU" "-"
        continue
    fi
    bench/compare_decode_aprs.sh "$build" "$input" >"$work/compare"
    cat "$work/compare" >&2
    read -r wall_ratio cpu_ratio < <(sed -n \
        's/^ratio: wxdecode is \([0-9.]*\) times faster in wall time, \([0-9.]*\) times.*/\1 \2/p' \
        "$work/compare")
    wx_cpu="$(sed -n 's/^wxdecode: .*CPU \([0-9.]*\) s.*/\1/p' "$work/compare")"
    dw_cpu="$(sed -n 's/^decode_aprs: .*CPU \([0-9.]*\) s.*/\1/p' "$work/compare")"
    # Judged on CPU time: wall time on a shared machine also counts the waits for a core.
    row "wxdecode vs decode_aprs, $what" \
        "${cpu_ratio}x CPU, ${wall_ratio}x wall (${wx_cpu} s vs ${dw_cpu} s CPU)" ">= 5x CPU" \
        "$(at_least "$cpu_ratio" 5)"
done

step "ingest"
lines="${PLUVETTA_BENCH_LINES:-1000000}"
for link in server agw; do
    bench/ingest.sh "$build" "$lines" "$link" >"$work/ingest.$link"
    cat "$work/ingest.$link" >&2
    rate="$(sed -n 's/^packets per second *//p' "$work/ingest.$link")"
    cpu="$(sed -n 's/^CPU per packet *\([0-9.]*\).*/\1/p' "$work/ingest.$link")"
    peak="$(sed -n 's/^peak RSS *\([0-9]*\) KiB.*/\1/p' "$work/ingest.$link")"
    samples="$(sed -n 's/^RSS samples (KiB) *//p' "$work/ingest.$link" | sed 's/  *(.*//')"
    row "ingest, $link link, $lines packets" \
        "$rate/s, $cpu us CPU each, peak RSS $(megabytes "$peak")" \
        ">= 200,000/s" \
        "$(at_least "$rate" 200000)"
    [ -n "$samples" ] && row "  RSS during it (KiB)" "$samples" "flat" "-"
done

step "start-up and idle"
awk '!/^#/ && !/^DEMO-13>/ { print; exit }' docs/demo-stream.txt >"$work/quiet.txt"
# A server that sends one packet of another station and then stays connected and silent.
start_replay "$bin" "$work/replay.out" --hold "$work/quiet.txt"
app=("$bin/pluvetta" DEMO-13 "S:127.0.0.1:$replay_port")
xvfb=(xvfb-run -a -s "-screen 0 1280x1024x24")
read -r _ offscreen_ms _ < <(QT_QPA_PLATFORM=offscreen python3 bench/app_costs.py startup 20 "${app[@]}")
row "start-up to first paint, offscreen" "$offscreen_ms ms (median of 20)" "-" "-"
read -r _ xvfb_ms _ < <(env -u QT_QPA_PLATFORM "${xvfb[@]}" python3 bench/app_costs.py startup 20 \
    "${app[@]}")
row "start-up to first paint, Xvfb" "$xvfb_ms ms (median of 20)" "< 200 ms" \
    "$(at_most "$xvfb_ms" 199.99)"
read -r _ _ rss _ cpu_ms _ cpu_percent _ wakeups _ threads < <(env -u QT_QPA_PLATFORM "${xvfb[@]}" \
    python3 bench/app_costs.py idle "$idle_seconds" "${app[@]}")
row "idle RSS after start, Xvfb" "$(megabytes "$rss") ($rss KiB)" \
    "< 35 MB" "$(at_most "$rss" $((35 * 1000 * 1000 / 1024)))"
row "idle for $idle_seconds s, server link quiet" \
    "$cpu_ms ms CPU = $cpu_percent % of a core; $wakeups wake-ups/s ($threads threads)" \
    "< 0.01 %" "$(at_most "$cpu_percent" 0.01)"
stop_replay

step "history: ten years of reports (bench/storico_bench.sh, also run alone)"
bench/storico_bench.sh "$build" >"$work/storico"
figure() { awk -v k="$1" '$1 == k { print $2 }' "$work/storico"; }
row "history: window on 72 h of 10 y ($(figure rows) rows)" "$(figure open_72h_ms) ms" "< 300 ms" \
    "$(at_most "$(figure open_72h_ms)" 299)"
row "history: window on one year" "$(figure open_year_ms) ms" "< 1 s" \
    "$(at_most "$(figure open_year_ms)" 999)"
row "history: record one report (median)" "$(figure record_median_us) us" "< 1 ms" \
    "$(at_most "$(figure record_median_us)" 999)"
row "history: window's peak RSS" "$(figure peak_rss_mb) MB" "< 120 MB" \
    "$(at_most "$(figure peak_rss_mb)" 119.9)"

step "help: a 16 MiB guide of 2.8 million paragraphs"
QT_QPA_PLATFORM=offscreen "$bin/help_bench" "$work/guide.rtf" >"$work/help"
figure() { awk -v k="$1" '$1 == k { print $2 }' "$work/help"; }
row "help: 16 MiB guide, its beginning shown" "$(figure first_shown_ms) ms" "about 1 s" \
    "$(at_most "$(figure first_shown_ms)" 1500)"
row "help: the whole guide in, window live" "$(figure whole_in_ms) ms, longest wait \
$(figure longest_event_wait_ms) ms" "-" "-"
row "help: activation on the unchanged guide" "$(figure activation_unchanged_ms) ms" "-" "-"
row "help: peak RSS" "$(figure peak_rss_mb) MB" "-" "-"

# The table, with the machine it ran on.
cpu_model="$(sed -n 's/^model name[[:space:]]*: //p' /proc/cpuinfo | head -n 1)"
memory="$(awk '/^MemTotal/ { printf "%.0f GiB", $2 / 1048576 }' /proc/meminfo)"
os="$(. /etc/os-release && echo "$PRETTY_NAME")"
echo
echo "Pluvetta $(git describe --always --dirty 2>/dev/null || echo '?'), $(date -u '+%Y-%m-%d %H:%M UTC')"
echo "Machine: $cpu_model, $(nproc) cores, $memory; $os, Linux $(uname -r)"
echo "Compiler: $(c++ --version | head -n 1); Qt $(dpkg-query -W -f='${Version}' qt6-base-dev 2>/dev/null)"
echo "Load average before: $load_before; after: $(cut -d' ' -f1-3 /proc/loadavg)"
echo
awk -F'|' '
    { for (i = 1; i <= 4; i++) { cell[NR, i] = $i; if (length($i) > w[i]) w[i] = length($i) } }
    END {
        printf "%-*s  %-*s  %-*s  %s\n", w[1], "what", w[2], "measured", w[3], "goal", "met"
        for (r = 1; r <= NR; r++)
            printf "%-*s  %-*s  %-*s  %s\n", w[1], cell[r, 1], w[2], cell[r, 2], w[3], cell[r, 3], cell[r, 4]
    }' "$table"
