#!/usr/bin/env bash
# Faults on the wire: aprs-replay serves the real monitor bad streams on both links. Each run
# ends in what the user is to see, the process alive and its memory bounded.
source "$(dirname "$0")/lib.bash"
# A small quarantine, so that resident memory shows the program's own holdings.
export ASAN_OPTIONS="${ASAN_OPTIONS:-detect_leaks=0}:quarantine_size_mb=8"

call=Q1XYZ-13
report="$call>APRS,TCPIP*,qAC,T2TEST:!4903.50N/07201.75W_220/004g005t077r000p000P000h50b09900wRSW"
other="$call>APRS,TCPIP*,qAC,T2TEST:_10090556c000s000g000t068h40b10132"
# An empty line first: the junk's last bytes end with it instead of spoiling the report.
printf '\r\n%s\r\n' "$report" >"$work/report.txt"
printf '%s\r\n' "$report" >"$work/trickle.txt"
for _ in $(seq 50); do printf 'Q2ABC>APRS,TCPIP*:>status text, of no weather at all\r\n'; done >"$work/flood.txt"
printf '%s\r\n' "$other" >>"$work/flood.txt"

# fault NAME MAX_GROWTH_MB LINK OPTIONS WIDGET TEXT [WIDGET TEXT]...: aprs-replay with the
# fault OPTIONS (split at blanks), the monitor on LINK (A or S). The first widget's text starts
# with its TEXT (60 s at most), the others show theirs exactly; the monitor runs, within its
# memory bound, and exits with 0.
fault() {
    local name=$1 growth_mb=$2 link=$3 options=$4
    shift 4
    stop_replay
    replay_err=1 start_replay "$bin" "$work/replay.out" $options
    start_monitor "$call" "$link:127.0.0.1:$replay_port"
    wait_monitor windowTitle "$call Wx Station"
    start_kb=$(rss_kb) peak_kb=$(rss_kb)
    wait_monitor "$1" "$2" 60
    shift 2
    while [ $# -gt 0 ]; do expect "$1" "$2"; shift 2; done
    kill -0 "$app_pid" 2>/dev/null || fail "$name: the monitor died"
    [ $((peak_kb - start_kb)) -le $((growth_mb * 1024)) ] ||
        fail "$name: memory grew from $start_kb to $peak_kb KiB"
    echo "$name: resident memory $start_kb KiB at start, $peak_kb KiB at most"
    stop_monitor "$name"
}
# server_fault NAME MAX_GROWTH_MB OPTIONS [TEMPERATURE [WIDGET TEXT]...]: closed, and the report shown.
server_fault() {
    fault "$1" "$2" S "$3" lblWxComment 'Aprs Server Disconnected' lblTemp "${4:-25.0°C}" "${@:5}"
}

# 1. Server link: each fault, a report (the flood: lines faster than the window takes them, the
#    last a report). A reset in the middle of a line, after a good report: the report stays,
#    the line is lost.
server_fault "50 MB line" 16 "--junk noend:50000000 $work/report.txt"
server_fault "random bytes" 24 "--junk random:60000000 $work/report.txt"
server_fault "trickle" 8 "--trickle $work/trickle.txt"
server_fault "flood" 24 "--loop --count 306000 $work/flood.txt" '20.0°C' List2.1 "${other#*:}"
server_fault "reset" 8 "--reset $work/trickle.txt"

# 2. AGWPE link: frames that announce 4 GB put the stream out of step, and a box says so.
fault "agw trickle" 8 A "--agw --trickle $work/trickle.txt" \
    lblWxComment 'AGWPE Disconnected' lblTemp '25.0°C'
fault "agw frames of 4 GB" 8 A "--agw --junk frames:3600 $work/report.txt" \
    box "Errore collegamento con AGWPE [$call]|AGWPE stream out of step"

finish "faults on the wire"
